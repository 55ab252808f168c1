#pragma once

#include "lpsimcore_export.h"

#include <string>

namespace Corvane_LP {

// One variable found in the load-pull data files, as a query reports it.
class LPSIMCORE_EXPORT VarInfoUI
{
public:
    VarInfoUI();

    std::string getName() const;
    std::string getUnitStr() const;
    std::string getUnitTypeStr() const;
    virtual int minNumPoints() const;
    virtual int maxNumPoints() const;
    virtual int gammaType() const; // 0 Unknown, 1 Load, 2 Source
    virtual unsigned harmonicIndex() const;
    virtual int domain() const; // 0 Rect-Real, 1 Rect-Imag, 2 Polar-Mag, 3 Polar-Phase
    virtual bool isGamma() const;
    virtual bool isComplex() const;
    virtual ~VarInfoUI();

    void setName(std::string name);
    void setUnit(std::string unit, std::string unitType);
    void setPointCounts(int minimum, int maximum);
    // Marks the variable as a reflection coefficient.
    void setGamma(int type, unsigned harmonic, int domain);
    void setComplex(bool complex);

    double lowest;
    double highest;

private:
    std::string m_name;
    std::string m_unit;
    std::string m_unitType;
    int m_minPoints = 0;
    int m_maxPoints = 0;
    int m_gammaType = 0;
    unsigned m_harmonic = 0;
    int m_domain = 0;
    bool m_gamma = false;
    bool m_complex = false;
};

} // namespace Corvane_LP

#pragma once

#include <QMetaType>
#include <QString>

namespace LoadPullStateUtils {

// One reflection-coefficient variable of the data files, with the user's choices for it.
class GammaVarInfo
{
public:
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QString minValue() const { return m_minValue; }
    void setMinValue(const QString &minValue) { m_minValue = minValue; }
    QString maxValue() const { return m_maxValue; }
    void setMaxValue(const QString &maxValue) { m_maxValue = maxValue; }
    int minNumPoints() const { return m_minNumPoints; }
    void setMinNumPoints(int minNumPoints) { m_minNumPoints = minNumPoints; }
    int maxNumPoints() const { return m_maxNumPoints; }
    void setMaxNumPoints(int maxNumPoints) { m_maxNumPoints = maxNumPoints; }
    // One of the gamma-type texts ("Unknown", "Load", "Source").
    QString type() const { return m_type; }
    void setType(const QString &type) { m_type = type; }
    QString harmIndex() const { return m_harmIndex; }
    void setHarmIndex(const QString &harmIndex) { m_harmIndex = harmIndex; }
    // One of the gamma-domain texts ("Rect-Real", "Rect-Imag", "Polar-Mag", "Polar-Phase").
    QString domain() const { return m_domain; }
    void setDomain(const QString &domain) { m_domain = domain; }
    QString value() const { return m_value; }
    void setValue(const QString &value) { m_value = value; }

    // Takes the user's choices from other, and with uiState its range and points too.
    void merge(const GammaVarInfo &other, bool uiState);
    bool isValid(bool uiState) const;

private:
    QString m_name;
    QString m_minValue;
    QString m_maxValue;
    int m_minNumPoints = 0;
    int m_maxNumPoints = 0;
    QString m_type;
    QString m_harmIndex = QStringLiteral("1");
    QString m_domain;
    QString m_value;
};

bool operator==(const GammaVarInfo &a, const GammaVarInfo &b);
inline bool operator!=(const GammaVarInfo &a, const GammaVarInfo &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::GammaVarInfo)

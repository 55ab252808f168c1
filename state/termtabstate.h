#pragma once

#include <QMetaType>
#include <QString>

namespace LoadPullStateUtils {

// The term tab's record: the port's number and reference impedance.
class TermTabState
{
public:
    // A host expression such as "50.0 + j* 0.0".
    QString referenceImpedance() const { return m_referenceImpedance; }
    void setReferenceImpedance(const QString &impedance) { m_referenceImpedance = impedance; }
    // One of the resistance units; "None" for no unit.
    QString unit() const { return m_unit; }
    void setUnit(const QString &unit) { m_unit = unit; }
    QString termNumber() const { return m_termNumber; }
    void setTermNumber(const QString &termNumber) { m_termNumber = termNumber; }

    // Impedance and term number must be given; the unit is not examined.
    bool isValid(bool uiState) const;

private:
    QString m_referenceImpedance = QStringLiteral("50.0 + j* 0.0");
    QString m_unit = QStringLiteral("Ohm");
    QString m_termNumber = QStringLiteral("1");
};

bool operator==(const TermTabState &a, const TermTabState &b);
inline bool operator!=(const TermTabState &a, const TermTabState &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::TermTabState)

#include "realorvarvalidator.h"

#include "numberlocale.h"
#include "variablename.h"

RealOrVarValidator::RealOrVarValidator(QObject *parent)
    : QValidator(parent)
{
    for (QDoubleValidator *number : {&m_standard, &m_scientific})
        number->setLocale(hostNumberLocale());
    m_standard.setNotation(QDoubleValidator::StandardNotation);
    m_scientific.setNotation(QDoubleValidator::ScientificNotation);
}

RealOrVarValidator::~RealOrVarValidator() = default;

QValidator::State RealOrVarValidator::validate(QString &input, int &pos) const
{
    if (input.isEmpty())
        return Intermediate;
    // An unfinished number ('1e', 'e5') stays Intermediate even where it looks like a name.
    for (const QDoubleValidator *number : {&m_standard, &m_scientific}) {
        const State state = number->validate(input, pos);
        if (state == Intermediate)
            return Intermediate;
        if (state == Acceptable)
            return accept(input);
    }
    return isVariableName(input) ? accept(input) : Invalid;
}

void RealOrVarValidator::fixup(QString &input) const
{
    input = m_lastAcceptedText;
}

QValidator::State RealOrVarValidator::accept(const QString &input) const
{
    m_lastAcceptedText = input;
    return Acceptable;
}

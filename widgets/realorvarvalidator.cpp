#include "realorvarvalidator.h"

#include "numbergrammar.h"
#include "numberlocale.h"

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
    // What is finished is the grammar's to say; the number validators tell a number still
    // being typed ('1e', 'e5', '-') from a text that can become none.
    if (isRealOrName(input))
        return accept(input);
    for (const QDoubleValidator *number : {&m_standard, &m_scientific}) {
        if (number->validate(input, pos) == Intermediate)
            return Intermediate;
    }
    return input.isEmpty() ? Intermediate : Invalid;
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

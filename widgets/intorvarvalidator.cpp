#include "intorvarvalidator.h"

#include "numberlocale.h"
#include "variablename.h"

#include <limits>

IntOrVarValidator::IntOrVarValidator(QObject *parent)
    : IntOrVarValidator(std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), parent)
{}

IntOrVarValidator::IntOrVarValidator(int bottom, int top, QObject *parent)
    : QIntValidator(bottom, top, parent)
{}

IntOrVarValidator::~IntOrVarValidator() = default;

QValidator::State IntOrVarValidator::validate(QString &input, int &pos) const
{
    if (input.isEmpty())
        return Intermediate;
    QIntValidator number(bottom(), top());
    number.setLocale(hostNumberLocale());
    switch (number.validate(input, pos)) {
    case Acceptable:
        return accept(input);
    case Intermediate:
        return Invalid;
    case Invalid:
        break;
    }
    return isVariableName(input) ? accept(input) : Invalid;
}

void IntOrVarValidator::fixup(QString &input) const
{
    input = m_lastAcceptedText;
}

QValidator::State IntOrVarValidator::accept(const QString &input) const
{
    m_lastAcceptedText = input;
    return Acceptable;
}

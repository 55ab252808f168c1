#include "intorvarvalidator.h"

#include "numbergrammar.h"

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
    Q_UNUSED(pos)
    if (input.isEmpty())
        return Intermediate;
    return isIntegerOrName(input, bottom(), top()) ? accept(input) : Invalid;
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

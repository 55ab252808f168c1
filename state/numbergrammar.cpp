#include "numbergrammar.h"

#include "numberlocale.h"
#include "variablename.h"

#include <QRegularExpression>

#include <cmath>

bool isRealNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[-+]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][-+]?[0-9]+)?$"));
    if (!number.match(text).hasMatch())
        return false;
    bool ok = false;
    const double value = hostNumberLocale().toDouble(text, &ok);
    return ok && std::isfinite(value);
}

bool isRealOrName(const QString &text)
{
    static const QRegularExpression unfinishedNumber(QStringLiteral("^[eE][0-9]*$"));
    return isRealNumber(text) || (isVariableName(text) && !unfinishedNumber.match(text).hasMatch());
}

bool isIntegerOrName(const QString &text, int bottom, int top)
{
    static const QRegularExpression integer(QStringLiteral("^[-+]?[0-9]+$"));
    if (integer.match(text).hasMatch()) {
        bool ok = false;
        const qlonglong value = hostNumberLocale().toLongLong(text, &ok);
        return ok && value >= bottom && value <= top;
    }
    return isVariableName(text);
}

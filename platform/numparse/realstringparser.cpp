#include "realstringparser.h"

#include <QRegularExpression>
#include <QString>

bool RealStringParser::parseNumberAndUnits(const QString &text, QString &number, QString &units)
{
    // The exponent is optional as a whole, so "1eV" reads as 1 electron volt.
    static const QRegularExpression form(
        QStringLiteral(
            "^\\s*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)\\s*(\\p{L}*)\\s*$"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = form.match(text);
    number = match.captured(1);
    units = match.captured(2);
    return match.hasMatch();
}

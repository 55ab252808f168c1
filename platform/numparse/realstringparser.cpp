#include "realstringparser.h"

#include <QRegularExpression>
#include <QString>

#include <cmath>

bool RealStringParser::parseNumberAndUnits(const QString &text, QString &number, QString &units)
{
    // The exponent is optional as a whole, so "1eV" reads as 1 electron volt.
    static const QRegularExpression form(
        QStringLiteral(
            "^\\s*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)\\s*(\\p{L}*)\\s*$"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = form.match(text);
    // A number that does not convert to a finite one ("1e400") is no number: whatever reads
    // it later would refuse it.
    bool converts = false;
    const double value = match.captured(1).toDouble(&converts);
    if (!match.hasMatch() || !converts || !std::isfinite(value)) {
        number.clear();
        units.clear();
        return false;
    }
    number = match.captured(1);
    units = match.captured(2);
    return true;
}

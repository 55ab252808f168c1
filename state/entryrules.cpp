#include "entryrules.h"

#include "elidedtext.h"
#include "entryrefusal.h"
#include "indepvarinfo.h"
#include "numbergrammar.h"
#include "numerictext.h"
#include "parametertexts.h"
#include "units.h"
#include "variablename.h"

#include <QCoreApplication>

#include <cmath>
#include <limits>

namespace LoadPullStateUtils {

namespace {

constexpr int LowestStatusLevel = 1;
constexpr int HighestStatusLevel = 4;

QString tr(const char *text)
{
    return QCoreApplication::translate("EntryRules", text);
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString valueRefusal(const IndepVarInfo &variable, const QString &text, const QString &reason)
{
    return tr("%1 was not taken for %2: %3.").arg(quoted(text), variable.name(), reason);
}

// A number must lie within a numeric range; where the number or the range is not numeric,
// only a design variable name is taken. Without a range, as for a variable of a file that
// cannot be read, a number or a name is taken.
QString rangeRefusal(const IndepVarInfo &variable, const QString &text, const QString &value)
{
    const auto number = toReal(value);
    const auto minimum = toReal(variable.minValue());
    const auto maximum = toReal(variable.maxValue());
    if (variable.minValue().isEmpty() && variable.maxValue().isEmpty() &&
        (number || isVariableName(value)))
        return QString();
    if (number && minimum && maximum) {
        if (*minimum <= *number && *number <= *maximum)
            return QString();
        return valueRefusal(variable, text,
                            tr("it lies outside the data's range, %1 to %2")
                                .arg(variable.minValue().trimmed(), variable.maxValue().trimmed()));
    }
    if (isVariableName(value))
        return QString();
    if (minimum && maximum)
        return valueRefusal(variable, text, tr("it is neither a number nor a variable name"));
    return valueRefusal(variable, text,
                        tr("the data's range, %1 to %2, is not numeric, so only a variable name "
                           "is taken")
                            .arg(variable.minValue().trimmed(), variable.maxValue().trimmed()));
}

// A comma between digits outside parentheses is a decimal comma, which the host does not read
// as one, whatever the user's locale; inside them it parts a function's arguments.
bool hasDecimalComma(const QString &text)
{
    int depth = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        depth += c == QLatin1Char('(') ? 1 : c == QLatin1Char(')') ? -1 : 0;
        if (c == QLatin1Char(',') && depth == 0 && i > 0 && i + 1 < text.size() &&
            text.at(i - 1).isDigit() && text.at(i + 1).isDigit())
            return true;
    }
    return false;
}

QString decimalCommaRefusal(const QString &text)
{
    if (!hasDecimalComma(text))
        return QString();
    return tr("the design environment reads numbers with a decimal point: enter %1")
        .arg(quoted(QString(text).replace(QLatin1Char(','), QLatin1Char('.'))));
}

// The unit of a resistance the text ends in, where it follows a number, a closing
// parenthesis or a blank ("50Ohm", "50 kOhm", "(R + j*X) Ohm"); a name that merely ends in
// the letters of a unit ("Rohm") is none.
QString trailingUnit(const QString &text)
{
    QString found;
    for (const QString &unit : resistanceUnits()) {
        if (!text.endsWith(unit, Qt::CaseInsensitive))
            continue;
        const int before = int(text.size() - unit.size()) - 1;
        const QChar c = before >= 0 ? text.at(before) : QChar();
        const bool follows =
            c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char(')') || c.isSpace();
        if (follows && unit.size() > found.size())
            found = text.right(unit.size());
    }
    return found;
}

} // namespace

QString termNumberRefusal(const QString &text)
{
    if (const QString reason = entryRefusal(text); !reason.isEmpty())
        return reason;
    if (isIntegerOrName(text, 1, std::numeric_limits<int>::max()))
        return QString();
    return tr("it is neither a whole number from 1 to 2147483647 nor a variable name");
}

QString statusLevelRefusal(const QString &text)
{
    if (const QString reason = entryRefusal(text); !reason.isEmpty())
        return reason;
    if (const auto level = toInteger(text))
        return *level >= LowestStatusLevel && *level <= HighestStatusLevel
                   ? QString()
                   : tr("status levels run from 1 to 4");
    if (isVariableName(text))
        return QString();
    return tr("it is neither a whole number from 1 to 4 nor a variable name");
}

// A design variable name is taken as it stands; a number must not be negative, and one that
// compares with nothing ("nan") is no weight at all.
QString weightRefusal(const QString &text)
{
    if (const QString reason = entryRefusal(text); !reason.isEmpty())
        return reason;
    if (const QString comma = decimalCommaRefusal(text); !comma.isEmpty())
        return comma;
    if (!isRealOrName(text))
        return tr("it is neither a number nor a variable name");
    bool isNumber = false;
    const double number = text.toDouble(&isNumber);
    if (isNumber && std::isnan(number))
        return tr("it is not a number that compares");
    if (isNumber && number < 0)
        return tr("it must not be below 0");
    return QString();
}

QString referenceImpedanceRefusal(const QString &text)
{
    if (const QString reason = entryRefusal(text); !reason.isEmpty())
        return reason;
    if (const QString unit = trailingUnit(text.trimmed()); !unit.isEmpty())
        return tr("it ends in the unit %1, which is chosen in the box beside the field").arg(unit);
    return decimalCommaRefusal(text);
}

ValueEntry independentValueEntry(const IndepVarInfo &variable, const QString &text)
{
    if (const QString reason = entryRefusal(text); !reason.isEmpty())
        return {QString(), valueRefusal(variable, text, reason)};
    if (text.size() > MaxShownTextLength)
        return {QString(), valueRefusal(variable, text, tr("it is too long to show"))};
    if (const QString comma = decimalCommaRefusal(text); !comma.isEmpty())
        return {QString(), valueRefusal(variable, text, comma)};
    IndepVarInfo read;
    readIndependentValue(text, read);
    if (!read.unit().isEmpty() && !isSameUnit(read.unit(), variable.unit())) {
        const QString reason = isUnitless(variable.unit())
                                   ? tr("enter a number without a unit")
                                   : tr("enter a number in %1").arg(variable.unit());
        return {QString(), valueRefusal(variable, text, reason)};
    }
    const QString refusal = rangeRefusal(variable, text, read.value());
    return {refusal.isEmpty() ? read.value() : QString(), refusal};
}

bool isSameUnit(const QString &a, const QString &b)
{
    return a == b || (isDbm(a) && isDbm(b)) || (isUnitless(a) && isUnitless(b));
}

} // namespace LoadPullStateUtils

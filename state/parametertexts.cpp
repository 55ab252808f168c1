#include "parametertexts.h"

#include "indepvarinfo.h"
#include "numerictext.h"
#include "realstringparser.h"
#include "termtabstate.h"
#include "units.h"

#include <QRegularExpression>

namespace LoadPullStateUtils {

namespace {

const QString DbmUnit = QStringLiteral("dBm");
const QString NoUnit = QStringLiteral("None");
const QChar Blank(QLatin1Char(' '));

// A unit follows its value after a blank; a text that goes on with an operator is an
// expression ("Pavs - 3", "2 * Vbias"), not a value and its unit.
bool startsLikeUnit(const QString &text)
{
    static const QString operators = QStringLiteral("+-*/^()=,<>!&|");
    return !text.isEmpty() && !operators.contains(text.front());
}

// "value unit" as the editor writes it: a number or a design variable name, a blank, and
// the unit as the data files give it, which may hold blanks, digits and punctuation
// ("25 deg C", "3 V/m"). A bare number or name has no unit. Anything else is kept whole.
void readValueAndUnit(const QString &text, IndepVarInfo &info)
{
    const QString trimmed = text.trimmed();
    const int blank = trimmed.indexOf(Blank);
    const QString value = blank < 0 ? trimmed : trimmed.left(blank);
    const QString unit = blank < 0 ? QString() : trimmed.mid(blank + 1).trimmed();
    if (isNumberOrName(value) && (unit.isEmpty() || startsLikeUnit(unit))) {
        info.setValue(value);
        info.setUnit(unit);
    } else {
        info.setValue(trimmed);
        info.setUnit(QString());
    }
}

// True for the first word, false for the second, in any case; nothing for any other text.
std::optional<bool> readEither(const QString &text, QLatin1String trueWord, QLatin1String falseWord)
{
    if (text.compare(trueWord, Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(falseWord, Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

} // namespace

bool readIndependentValue(const QString &text, IndepVarInfo &info)
{
    QString number, units;
    RealStringParser::parseNumberAndUnits(text, number, units);
    if (!number.isEmpty()) {
        info.setValue(number);
        info.setUnit(units);
        return true;
    }
    static const QRegularExpression dbmForm(QStringLiteral("^dbmtow ?\\((.*)\\)$"));
    const QRegularExpressionMatch dbm = dbmForm.match(text.simplified());
    if (dbm.hasMatch()) {
        const QString inner = dbm.captured(1).simplified();
        const bool readable = isNumberOrName(inner);
        info.setValue(readable ? inner : text.trimmed());
        info.setUnit(readable ? DbmUnit : QString());
        return readable;
    }
    readValueAndUnit(text, info);
    return true;
}

// A value that is no number or name was read whole, its unit text within it: written as it
// was read, it reads back the same. An empty text is written as a blank, which reads back
// empty.
QString independentValueText(const IndepVarInfo &info)
{
    if (!isNumberOrName(info.value()))
        return info.value().isEmpty() ? QString(Blank) : info.value();
    if (isDbm(info.unit()))
        return QStringLiteral("dbmtow( ") + info.value() + QStringLiteral(" ) ");
    const QString unit = info.unit() == NoUnit ? QString() : info.unit();
    return info.value() + Blank + unit;
}

// Only a known unit is split off, so impedance expressions with blanks stay whole.
void readImpedance(const QString &text, TermTabState &term)
{
    const QString trimmed = text.trimmed();
    const int lastBlank = trimmed.lastIndexOf(Blank);
    const QString lastWord = trimmed.mid(lastBlank + 1);
    if (lastBlank >= 0 && resistanceUnits().contains(lastWord)) {
        term.setReferenceImpedance(trimmed.left(lastBlank).trimmed());
        term.setUnit(lastWord);
    } else {
        term.setReferenceImpedance(trimmed);
        term.setUnit(NoUnit);
    }
}

// A unit after no impedance would read back as the impedance.
QString impedanceText(const TermTabState &term)
{
    if (isUnitless(term.unit()) || term.referenceImpedance().trimmed().isEmpty())
        return term.referenceImpedance();
    return term.referenceImpedance() + Blank + term.unit();
}

std::optional<bool> readYesNo(const QString &text)
{
    return readEither(text, QLatin1String("yes"), QLatin1String("no"));
}

std::optional<bool> readValueType(const QString &text)
{
    return readEither(text, QLatin1String("complex"), QLatin1String("real"));
}

bool isUnitless(const QString &unit)
{
    return unit.isEmpty() || unit == NoUnit;
}

} // namespace LoadPullStateUtils

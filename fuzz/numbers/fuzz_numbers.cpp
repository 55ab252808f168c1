// The number parser, the three validators and the rule every field applies when an edit ends,
// on any text: they must agree on what a number is, and every text they accept must be one
// the host can read and keep.

#include "entryrefusal.h"
#include "fuzzcheck.h"
#include "intorvarvalidator.h"
#include "natorvarvalidator.h"
#include "numerictext.h"
#include "realorvarvalidator.h"
#include "realstringparser.h"
#include "variablename.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

// A text a validator calls Acceptable is a design variable name or a number within its
// range; the last text it accepted is what fixup gives back, and is Acceptable itself.
void checkValidator(const QValidator &validator, const QString &text,
                    bool (*isNumberInRange)(const QString &))
{
    QString input = text;
    int position = 0;
    const QValidator::State state = validator.validate(input, position);
    LP_FUZZ_CHECK(input == text);
    if (state == QValidator::Acceptable)
        LP_FUZZ_CHECK(isVariableName(text) || isNumberInRange(text));
    QString fixed = text;
    validator.fixup(fixed);
    if (!fixed.isEmpty()) {
        position = 0;
        LP_FUZZ_CHECK(validator.validate(fixed, position) == QValidator::Acceptable);
    }
}

bool isReal(const QString &text)
{
    return LoadPullStateUtils::toReal(text).has_value();
}

bool isInteger(const QString &text)
{
    return LoadPullStateUtils::toInteger(text).has_value();
}

bool isNonNegativeInteger(const QString &text)
{
    const auto value = LoadPullStateUtils::toInteger(text);
    return value && *value >= 0;
}

bool isNaturalNumber(const QString &text)
{
    const auto value = LoadPullStateUtils::toInteger(text);
    return value && *value >= 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));

    // A number the parser finds converts to a finite number, and the text it came from holds
    // just that number and its unit.
    QString number, units;
    if (RealStringParser::parseNumberAndUnits(text, number, units)) {
        LP_FUZZ_CHECK(isReal(number));
        LP_FUZZ_CHECK(text.simplified().startsWith(number));
    } else {
        LP_FUZZ_CHECK(number.isEmpty() && units.isEmpty());
    }

    // One validator object per kind sees several texts, as an edit does while the user types.
    static RealOrVarValidator real;
    static IntOrVarValidator integer;
    static IntOrVarValidator level(0, std::numeric_limits<int>::max());
    static NatOrVarValidator natural;
    checkValidator(real, text, isReal);
    checkValidator(integer, text, isInteger);
    checkValidator(level, text, isNonNegativeInteger);
    checkValidator(natural, text, isNaturalNumber);

    // An entry no field refuses goes to the host as 8-bit Latin-1 text and comes back as it was.
    if (entryRefusal(text).isEmpty())
        LP_FUZZ_CHECK(QString::fromLatin1(text.toLatin1()) == text && !text.trimmed().isEmpty());
    return 0;
}

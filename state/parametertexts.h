#pragma once

#include <QString>

#include <optional>

namespace LoadPullStateUtils {

class IndepVarInfo;
class TermTabState;

// How the fields of the records read from, and are written as, the component's parameter
// texts. Reading takes the forms the editor writes and keeps anything else whole, so that
// a text the editor cannot take apart still shows, and goes back, as it is.

// "IndepVarValue": "dbmtow( v ) " for a value in dBm, else the value, a blank and its unit.
// Gives false for the malformed dBm form, whose text is kept whole as the value.
bool readIndependentValue(const QString &text, IndepVarInfo &info);
QString independentValueText(const IndepVarInfo &info);

// "Z": the impedance, then a blank and one of the resistance units unless the unit is "None"
// or there is no impedance.
void readImpedance(const QString &text, TermTabState &term);
QString impedanceText(const TermTabState &term);

// A flag's text: true for "yes", false for "no", in any letter case; nothing for any other
// text, which the host may read otherwise.
std::optional<bool> readYesNo(const QString &text);

// A performance quantity's type: true for "Complex", false for "Real", in any letter case;
// nothing for any other text.
std::optional<bool> readValueType(const QString &text);

// A unit that says the value has none: the data files declare such a variable with "None",
// and a value without a unit reads with the empty unit.
bool isUnitless(const QString &unit);

} // namespace LoadPullStateUtils

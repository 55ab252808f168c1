#pragma once

#include <QString>

namespace LoadPullStateUtils {

class IndepVarInfo;

// The rules each field holds its entries to. A typed entry the rule refuses is not taken; a
// stored text it refuses is shown as stored, marked with the same reason. Each gives the
// reason ("it must not be below 0"), or the empty text when the entry may be taken.

QString termNumberRefusal(const QString &text);
QString statusLevelRefusal(const QString &text);
QString weightRefusal(const QString &text);
// The unit of a reference impedance is chosen in its own box: a text that ends in one is not
// an impedance, whatever the letter case of the unit.
QString referenceImpedanceRefusal(const QString &text);

// A typed value of an independent variable, read as its stored texts are: a number in the
// variable's unit (a dBm value also as "dbmtow( v )"), within a numeric range, or a design
// variable name. `value` is what the record takes; empty with a refusal, the note that says
// why, quoting the entry.
struct ValueEntry
{
    QString value;
    QString refusal;
};
ValueEntry independentValueEntry(const IndepVarInfo &variable, const QString &text);

// Whether a unit the user gave, or a stored text holds, is the variable's own: dBm in any
// letter case, and no unit where the data declare none.
bool isSameUnit(const QString &a, const QString &b);

} // namespace LoadPullStateUtils

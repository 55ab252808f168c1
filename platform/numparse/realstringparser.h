#pragma once

class QString;

// Splits a value text such as "5.8 GHz" into its number and its unit, as the host's
// parser does for component parameters.
class RealStringParser final
{
public:
    RealStringParser() = delete;

    // A decimal or scientific number that converts to a finite number, optionally followed
    // by one unit word, gives the number text and the unit text (empty when there is none)
    // and true. Any other text gives two empty texts and false.
    static bool parseNumberAndUnits(const QString &text, QString &number, QString &units);
};

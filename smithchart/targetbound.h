#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// One bound of a target region: a quantity at least, or at most, a value, as in "Pout>=39".
struct TargetBound
{
    int quantity = 0; // a position in the quantities it was read against
    bool atLeast = true;
    double value = 0.0;

    bool holdsFor(double quantityValue) const
    {
        return atLeast ? quantityValue >= value : quantityValue <= value;
    }

    // "NAME>=NUMBER" or "NAME<=NUMBER", as many as wanted, separated by commas; a name given
    // as in `quantities` or, for a complex quantity ("|Vout|"), without the bars; the number
    // in the C locale whatever the user's. Nothing, with the reason in `error`, for any other
    // text; an empty text bounds nothing.
    static std::optional<std::vector<TargetBound>>
    parse(const QString &text, const QStringList &quantities, QString *error);
};

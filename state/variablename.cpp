#include "variablename.h"

#include <QString>

#include <algorithm>

bool isVariableName(const QString &text)
{
    const auto isWordChar = [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('_');
    };
    return !text.isEmpty() && (text.front().isLetter() || text.front() == QLatin1Char('_')) &&
           std::all_of(text.cbegin() + 1, text.cend(), isWordChar);
}

#pragma once

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

// Small text helpers shared by the readers of the data-file format.
namespace Corvane_LP {

// Skipped at the very start of a file.
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text);

// The leading name (a letter or '_', then letters, digits and '_'); empty when there is none.
std::string_view leadingName(std::string_view text);
bool isName(std::string_view text);

// Removes and returns the next blank-separated token.
std::string_view takeToken(std::string_view &text);

bool equalsIgnoringCase(std::string_view a, std::string_view b);
std::string lowerCase(std::string_view text);

// Reads a number as the format has it: std::from_chars's general format, finite, and -0 read
// as 0, so that no range or phase depends on the sign of a zero. Where the number ends, or
// nullptr when there is none.
inline const char *readNumber(const char *at, const char *end, double &value)
{
    const auto [next, error] = std::from_chars(at, end, value);
    value += 0.0;
    return error == std::errc() && std::isfinite(value) ? next : nullptr;
}

// Parses the whole text as one finite number.
bool parseFiniteNumber(std::string_view text, double &value);

// A piece of file text fit for a message: quoted, shortened, non-printable bytes replaced.
std::string quoted(std::string_view text);

} // namespace Corvane_LP

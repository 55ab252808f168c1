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

// The short decimals that fill data files ("24", "-0.6500", "3.709e-2"), converted without
// std::from_chars, which costs several times as much: up to 19 digits whose value a double
// holds exactly, scaled by a power of ten it holds exactly, is one correctly rounded
// multiplication or division, the very double from_chars gives. Where the number ends, or
// nullptr for any other text, which from_chars then reads.
inline constexpr double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

inline const char *readShortDecimal(const char *at, const char *end, double &value)
{
    constexpr unsigned long long largestExact = 1ULL << 53;
    const auto isDigit = [](char c) {
        return static_cast<unsigned char>(c - '0') < 10;
    };
    const char *p = at;
    const bool negative = p != end && *p == '-';
    p += negative;
    unsigned long long mantissa = 0;
    int digits = 0;
    int exponent = 0;
    for (; p != end && isDigit(*p); ++p, ++digits)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    if (p != end && *p == '.') {
        for (++p; p != end && isDigit(*p); ++p, ++digits, --exponent)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    if (digits == 0 || digits > 19 || mantissa > largestExact)
        return nullptr;
    if (p != end && (*p == 'e' || *p == 'E'))
        return nullptr; // exponents are rare in data files: from_chars reads them
    if (exponent < -22)
        return nullptr;
    const double magnitude = double(mantissa) / exactPowersOfTen[-exponent];
    value = (negative ? -magnitude : magnitude) + 0.0;
    return p;
}

// Reads a number as the format has it: std::from_chars's general format, finite, and -0 read
// as 0, so that no range or phase depends on the sign of a zero. Where the number ends, or
// nullptr when there is none.
inline const char *readNumber(const char *at, const char *end, double &value)
{
    if (const char *next = readShortDecimal(at, end, value))
        return next;
    const auto [next, error] = std::from_chars(at, end, value);
    value += 0.0;
    return error == std::errc() && std::isfinite(value) ? next : nullptr;
}

// Parses the whole text as one finite number.
bool parseFiniteNumber(std::string_view text, double &value);

// A piece of file text fit for a message: quoted, shortened, non-printable bytes replaced.
std::string quoted(std::string_view text);

} // namespace Corvane_LP

#include "textscan.h"

#include <algorithm>

namespace Corvane_LP {

namespace {

bool isNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9');
}

char toLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view leadingName(std::string_view text)
{
    if (text.empty() || !isNameStart(text.front()))
        return {};
    const auto end = std::find_if_not(text.begin() + 1, text.end(), isNameChar);
    return text.substr(0, static_cast<std::size_t>(end - text.begin()));
}

bool isName(std::string_view text)
{
    return !text.empty() && leadingName(text).size() == text.size();
}

std::string_view takeToken(std::string_view &text)
{
    text = trimmed(text);
    const auto end = std::find_if(text.begin(), text.end(), isBlank);
    const std::string_view token = text.substr(0, static_cast<std::size_t>(end - text.begin()));
    text.remove_prefix(token.size());
    return token;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return toLower(x) == toLower(y);
           });
}

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), toLower);
    return lower;
}

bool parseFiniteNumber(std::string_view text, double &value)
{
    const char *end = text.data() + text.size();
    return readNumber(text.data(), end, value) == end;
}

std::string quoted(std::string_view text)
{
    constexpr std::size_t longest = 40;
    std::string shown(text.substr(0, longest));
    std::replace_if(
        shown.begin(), shown.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }, '?');
    return '\'' + shown + (text.size() > longest ? "...'" : "'");
}

} // namespace Corvane_LP

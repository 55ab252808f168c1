#include "columnlayout.h"

#include "nametable.h"
#include "textscan.h"

#include <algorithm>

namespace Corvane_LP {

namespace {

// The name inside "Re(name)" (or the given prefix), or empty.
std::string_view innerName(std::string_view token, std::string_view prefix)
{
    if (token.size() <= prefix.size() + 1 || token.substr(0, prefix.size()) != prefix ||
        token.back() != ')')
        return {};
    return token.substr(prefix.size(), token.size() - prefix.size() - 1);
}

} // namespace

bool ColumnLayout::read(std::string_view line, const NameTable &names,
                        const std::vector<DataRole> &roles)
{
    m_placed.assign(roles.size(), false);
    for (std::string_view token = takeToken(line); !token.empty(); token = takeToken(line)) {
        if (!place(token, line, names, roles))
            return false;
    }
    for (std::size_t position = 0; position < roles.size(); ++position) {
        if (roles[position].columns > 0 && !m_placed[position])
            return fail("declared variable " + quoted(names[position]) + " has no column");
    }
    return true;
}

std::string ColumnLayout::columnName(std::size_t column, const NameTable &names) const
{
    const auto after = std::upper_bound(m_placements.begin(), m_placements.end(), column,
                                        [](std::size_t wanted, const Placement &placement) {
                                            return wanted < placement.firstColumn;
                                        });
    const Placement &placement = *std::prev(after);
    const std::string name(names[placement.variable]);
    if (!placement.pair)
        return name;
    return (column == placement.firstColumn ? "Re(" : "Im(") + name + ")";
}

// Places the variable that token (and, for a Re/Im pair, the next token of rest) names.
bool ColumnLayout::place(std::string_view token, std::string_view &rest, const NameTable &names,
                         const std::vector<DataRole> &roles)
{
    const std::string_view realPart = innerName(token, "Re(");
    const bool asPair = !realPart.empty();
    const std::string_view name = asPair ? realPart : token;
    if (asPair && innerName(takeToken(rest), "Im(") != name)
        return fail("column " + quoted(token) + " must be followed by " +
                    quoted("Im(" + std::string(name) + ")"));
    const auto variable = names.find(name);
    if (!variable)
        return fail("column " + quoted(token) + " is not declared");
    if (!checkRole(name, roles[*variable], asPair))
        return false;
    if (m_placed[*variable])
        return fail("variable " + quoted(name) + " has two columns");
    m_placed[*variable] = true;
    m_placements.push_back({*variable, m_columnCount, asPair});
    m_columnCount += asPair ? 2 : 1;
    return true;
}

bool ColumnLayout::checkRole(std::string_view name, const DataRole &role, bool asPair)
{
    const std::string quotedName = quoted(name);
    if (role.kind == VariableKind::Frequency)
        return fail("frequency variable " + quotedName +
                    " takes its values from block lines, not from a column");
    if (role.fixed)
        return fail(quotedName + " is declared with a fixed value and takes no column");
    if (role.columns == 2 && !asPair)
        return fail(quotedName + " takes a column pair Re(...) Im(...)");
    if (role.columns == 1 && asPair)
        return fail(quotedName + " is real and takes a single column");
    return true;
}

bool ColumnLayout::fail(std::string reason)
{
    m_error = std::move(reason);
    return false;
}

} // namespace Corvane_LP

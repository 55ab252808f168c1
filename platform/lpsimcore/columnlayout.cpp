#include "columnlayout.h"

#include "textscan.h"

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

bool ColumnLayout::read(std::string_view line, const std::vector<VariableDeclaration> &declarations,
                        const std::unordered_map<std::string, std::size_t> &indexByName)
{
    m_placed.assign(declarations.size(), false);
    for (std::string_view token = takeToken(line); !token.empty(); token = takeToken(line)) {
        if (!place(token, line, declarations, indexByName))
            return false;
    }
    for (std::size_t index = 0; index < declarations.size(); ++index) {
        if (declarations[index].columnCount() > 0 && !m_placed[index])
            return fail("declared variable " + quoted(declarations[index].name) + " has no column");
    }
    return true;
}

// Places the variable that token (and, for a Re/Im pair, the next token of rest) names.
bool ColumnLayout::place(std::string_view token, std::string_view &rest,
                         const std::vector<VariableDeclaration> &declarations,
                         const std::unordered_map<std::string, std::size_t> &indexByName)
{
    const std::string_view realPart = innerName(token, "Re(");
    const bool asPair = !realPart.empty();
    const std::string_view name = asPair ? realPart : token;
    if (asPair && innerName(takeToken(rest), "Im(") != name)
        return fail("column " + quoted(token) + " must be followed by " +
                    quoted("Im(" + std::string(name) + ")"));
    const auto found = indexByName.find(std::string(name));
    if (found == indexByName.end())
        return fail("column " + quoted(token) + " is not declared");
    const std::size_t variable = found->second;
    if (!checkShape(declarations[variable], asPair))
        return false;
    if (m_placed[variable])
        return fail("variable " + quoted(name) + " has two columns");
    m_placed[variable] = true;
    m_placements.push_back({variable, m_columnNames.size()});
    m_columnNames.emplace_back(asPair ? token : name);
    if (asPair)
        m_columnNames.push_back("Im(" + std::string(name) + ")");
    return true;
}

bool ColumnLayout::checkShape(const VariableDeclaration &declaration, bool asPair)
{
    const std::string name = quoted(declaration.name);
    if (declaration.kind == VariableKind::Frequency)
        return fail("frequency variable " + name +
                    " takes its values from block lines, not from a column");
    if (declaration.fixed)
        return fail(name + " is declared with a fixed value and takes no column");
    if (declaration.columnCount() == 2 && !asPair)
        return fail(name + " takes a column pair Re(...) Im(...)");
    if (declaration.columnCount() == 1 && asPair)
        return fail(name + " is real and takes a single column");
    return true;
}

bool ColumnLayout::fail(std::string reason)
{
    m_error = std::move(reason);
    return false;
}

} // namespace Corvane_LP

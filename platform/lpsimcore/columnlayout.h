#pragma once

#include "variabledeclaration.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Corvane_LP {

// The column-name line of a data file, checked against the declarations: every column is a
// declared variable, and every declared variable that has columns has them.
class ColumnLayout
{
public:
    struct Placement
    {
        std::size_t variable; // index into the declarations
        std::size_t firstColumn;
    };

    // False, with error() saying why, when the line does not fit the declarations.
    bool read(std::string_view line, const std::vector<VariableDeclaration> &declarations,
              const std::unordered_map<std::string, std::size_t> &indexByName);
    const std::string &error() const { return m_error; }

    std::size_t columnCount() const { return m_columnNames.size(); }
    const std::string &columnName(std::size_t column) const { return m_columnNames[column]; }
    const std::vector<Placement> &placements() const { return m_placements; }

private:
    bool place(std::string_view token, std::string_view &rest,
               const std::vector<VariableDeclaration> &declarations,
               const std::unordered_map<std::string, std::size_t> &indexByName);
    bool checkShape(const VariableDeclaration &declaration, bool asPair);
    bool fail(std::string reason);

    std::vector<std::string> m_columnNames;
    std::vector<Placement> m_placements;
    std::vector<bool> m_placed;
    std::string m_error;
};

} // namespace Corvane_LP

#pragma once

#include "variabledeclaration.h"

#include <string>
#include <string_view>
#include <vector>

namespace Corvane_LP {

class NameTable;

// The column-name line of a data file, checked against the declarations: every column is a
// declared variable, and every declared variable that has columns has them.
class ColumnLayout
{
public:
    struct Placement
    {
        std::size_t variable; // position in the declarations
        std::size_t firstColumn;
        bool pair; // Re(name) Im(name)
    };

    // False, with error() saying why, when the line does not fit the declarations: their names
    // and, at the same positions, their roles.
    bool read(std::string_view line, const NameTable &names, const std::vector<DataRole> &roles);
    const std::string &error() const { return m_error; }

    std::size_t columnCount() const { return m_columnCount; }
    // As the column-name line writes it.
    std::string columnName(std::size_t column, const NameTable &names) const;
    const std::vector<Placement> &placements() const { return m_placements; }

private:
    bool place(std::string_view token, std::string_view &rest, const NameTable &names,
               const std::vector<DataRole> &roles);
    bool checkRole(std::string_view name, const DataRole &role, bool asPair);
    bool fail(std::string reason);

    std::vector<Placement> m_placements; // in column order
    std::vector<bool> m_placed;
    std::size_t m_columnCount = 0;
    std::string m_error;
};

} // namespace Corvane_LP

#pragma once

#include "seededhash.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace Corvane_LP {

// The names of a file's declarations in the order declared, each once, found again by name.
// A file may declare millions of variables, so the names stay in the file's text: the table
// keeps views of them and 4-byte positions. Seeded, so that no file can aim its names at one
// slot.
class NameTable
{
public:
    // Makes room for `count` names, so that adding as many never grows the table.
    void reserve(std::size_t count);
    // Adds the name at the next position; false, adding nothing, when it is there already.
    bool add(std::string_view name);
    std::optional<std::size_t> find(std::string_view name) const;

    std::size_t size() const { return m_names.size(); }
    std::string_view operator[](std::size_t position) const { return m_names[position]; }

private:
    std::size_t slotOf(std::string_view name) const;
    void rehash(std::size_t slots);

    std::vector<std::string_view> m_names;
    std::vector<std::uint32_t> m_slots; // position + 1, or 0 when empty
    std::uint64_t m_seed = freshSeed();
};

} // namespace Corvane_LP

#include "nametable.h"

#include <limits>
#include <stdexcept>

namespace Corvane_LP {

namespace {

constexpr std::size_t initialSlots = 16;

// Slots for `count` names with at least half of them empty.
std::size_t slotsFor(std::size_t count)
{
    std::size_t slots = initialSlots;
    while (slots < 2 * count)
        slots *= 2;
    return slots;
}

} // namespace

void NameTable::reserve(std::size_t count)
{
    m_names.reserve(count);
    if (slotsFor(count) > m_slots.size())
        rehash(slotsFor(count));
}

bool NameTable::add(std::string_view name)
{
    if (m_names.size() >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("more names than 4-byte positions can tell apart");
    if (m_slots.size() < 2 * (m_names.size() + 1))
        rehash(slotsFor(m_names.size() + 1));
    std::uint32_t &slot = m_slots[slotOf(name)];
    if (slot != 0)
        return false;
    m_names.push_back(name);
    slot = static_cast<std::uint32_t>(m_names.size());
    return true;
}

std::optional<std::size_t> NameTable::find(std::string_view name) const
{
    if (m_slots.empty())
        return std::nullopt;
    const std::uint32_t slot = m_slots[slotOf(name)];
    return slot == 0 ? std::nullopt : std::optional<std::size_t>(slot - 1);
}

// The slot that holds the name, or the empty one where it belongs.
std::size_t NameTable::slotOf(std::string_view name) const
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = hashOfText(name, m_seed) & mask;
    while (m_slots[slot] != 0 && m_names[m_slots[slot] - 1] != name)
        slot = (slot + 1) & mask;
    return slot;
}

void NameTable::rehash(std::size_t slots)
{
    m_slots.assign(slots, 0);
    for (std::size_t position = 0; position < m_names.size(); ++position)
        m_slots[slotOf(m_names[position])] = static_cast<std::uint32_t>(position + 1);
}

} // namespace Corvane_LP

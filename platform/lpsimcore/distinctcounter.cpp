#include "distinctcounter.h"

namespace Corvane_LP {

namespace {

constexpr std::size_t initialSlots = 16;
// The bits of a quiet NaN: never a key, because only finite values are counted.
constexpr std::uint64_t emptySlot = 0x7ff8000000000000ULL;

} // namespace

void DistinctCounter::clear()
{
    // Released, not emptied: a large table left by an earlier block would make every clear slow.
    m_slots = std::vector<Key>();
    m_used = 0;
}

void DistinctCounter::insert(const Key &key)
{
    if (m_slots.empty())
        m_slots.assign(initialSlots, Key{emptySlot, 0});
    Key &slot = m_slots[slotOf(key)];
    if (slot.first != emptySlot)
        return;
    slot = key;
    if (static_cast<std::size_t>(++m_used) * 2 > m_slots.size())
        grow();
}

void DistinctCounter::grow()
{
    std::vector<Key> old(m_slots.size() * 2, Key{emptySlot, 0});
    old.swap(m_slots);
    for (const Key &key : old) {
        if (key.first != emptySlot)
            m_slots[slotOf(key)] = key;
    }
}

// The slot that holds the key, or the empty slot where it belongs.
std::size_t DistinctCounter::slotOf(const Key &key) const
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = homeOf(key);
    while (m_slots[slot].first != emptySlot &&
           (m_slots[slot].first != key.first || m_slots[slot].second != key.second))
        slot = (slot + 1) & mask;
    return slot;
}

} // namespace Corvane_LP

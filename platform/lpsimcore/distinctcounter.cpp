#include "distinctcounter.h"

#include <algorithm>

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
    m_longestProbe = 0;
}

void DistinctCounter::insert(const Key &key)
{
    if (m_slots.empty())
        m_slots.assign(initialSlots, Key{emptySlot, 0});
    const Probe found = probe(key);
    if (m_slots[found.slot].first != emptySlot)
        return;
    m_slots[found.slot] = key;
    m_longestProbe = std::max(m_longestProbe, found.length);
    if (static_cast<std::size_t>(++m_used) * 2 > m_slots.size())
        rehash(m_slots.size() * 2);
    else if (found.length > longestProbeAllowed)
        rehash(m_slots.size());
}

// Places every value again in a table of `slots` slots, under new seeds for as long as one of
// them lands too far from its home.
void DistinctCounter::rehash(std::size_t slots)
{
    std::vector<Key> keys;
    keys.swap(m_slots);
    while (!placeAll(keys, slots))
        m_seed = freshSeed();
}

bool DistinctCounter::placeAll(const std::vector<Key> &keys, std::size_t slots)
{
    m_slots.assign(slots, Key{emptySlot, 0});
    m_longestProbe = 0;
    for (const Key &key : keys) {
        if (key.first == emptySlot)
            continue;
        const Probe found = probe(key);
        m_slots[found.slot] = key;
        m_longestProbe = std::max(m_longestProbe, found.length);
    }
    return m_longestProbe <= longestProbeAllowed;
}

DistinctCounter::Probe DistinctCounter::probe(const Key &key) const
{
    const std::size_t mask = m_slots.size() - 1;
    Probe found{homeOf(key), 0};
    while (m_slots[found.slot].first != emptySlot &&
           (m_slots[found.slot].first != key.first || m_slots[found.slot].second != key.second)) {
        found.slot = (found.slot + 1) & mask;
        ++found.length;
    }
    return found;
}

} // namespace Corvane_LP

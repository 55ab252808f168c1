#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace Corvane_LP {

// Counts the distinct finite values (or value pairs) it is given. An open-addressing table,
// made on the first value: swept variables repeat few values, so it stays small, and a value
// already counted is mostly found in its home slot with one look.
class DistinctCounter
{
public:
    void add(double first, double second = 0.0)
    {
        const Key key{bitsOf(first), bitsOf(second)};
        if (m_slots.empty() || m_slots[homeOf(key)].first != key.first ||
            m_slots[homeOf(key)].second != key.second)
            insert(key);
    }
    long long count() const { return m_used; }
    void clear();

private:
    struct Key
    {
        std::uint64_t first;
        std::uint64_t second;
    };

    static std::uint64_t bitsOf(double value)
    {
        value += 0.0; // -0.0 becomes +0.0: equal values must give equal keys
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    }
    // Numbers from text often end in many zero bits: fold the high bits down before mixing.
    std::size_t homeOf(const Key &key) const
    {
        std::uint64_t mixed = key.first ^ (key.second * 0x9e3779b97f4a7c15ULL);
        mixed = (mixed ^ (mixed >> 31)) * 0xbf58476d1ce4e5b9ULL;
        return static_cast<std::size_t>(mixed ^ (mixed >> 32)) & (m_slots.size() - 1);
    }
    void insert(const Key &key);
    void grow();
    std::size_t slotOf(const Key &key) const;

    std::vector<Key> m_slots;
    long long m_used = 0;
};

} // namespace Corvane_LP

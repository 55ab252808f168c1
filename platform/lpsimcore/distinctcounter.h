#pragma once

#include "seededhash.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace Corvane_LP {

// Counts the distinct finite values (or value pairs) it is given. An open-addressing table,
// made on the first value: swept variables repeat few values, so it stays small, and a value
// already counted is mostly found in its home slot with one look. Values come from files, so
// the hash takes a random seed, and a value that lands further than longestProbeAllowed slots
// from its home makes the table take a new seed: no choice of values makes counting slow.
class DistinctCounter
{
public:
    // Far beyond what values that are not aimed reach: about 60 among 20 million of them.
    static constexpr std::size_t longestProbeAllowed = 128;

    void add(double first, double second = 0.0)
    {
        const Key key{bitsOf(first), bitsOf(second)};
        if (m_slots.empty() || m_slots[homeOf(key)].first != key.first ||
            m_slots[homeOf(key)].second != key.second)
            insert(key);
    }
    long long count() const { return m_used; }
    void clear();

    // The hash whose low bits choose the home slot of a value, under the seed in use now.
    std::uint64_t hashOf(double first, double second = 0.0) const
    {
        return hashOf(Key{bitsOf(first), bitsOf(second)});
    }
    // How many slots past its home the furthest value lies.
    std::size_t longestProbe() const { return m_longestProbe; }

private:
    struct Key
    {
        std::uint64_t first;
        std::uint64_t second;
    };
    struct Probe
    {
        std::size_t slot;   // that holds the key, or the empty one where it belongs
        std::size_t length; // slots passed from the home slot
    };

    static std::uint64_t bitsOf(double value)
    {
        value += 0.0; // -0.0 becomes +0.0: equal values must give equal keys
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    }
    // The second part is mixed in after the seed, so that pairs cannot cancel it out.
    std::uint64_t hashOf(const Key &key) const
    {
        return mixBits(mixBits(key.first ^ m_seed) ^ key.second);
    }
    std::size_t homeOf(const Key &key) const { return hashOf(key) & (m_slots.size() - 1); }
    void insert(const Key &key);
    void rehash(std::size_t slots);
    bool placeAll(const std::vector<Key> &keys, std::size_t slots);
    Probe probe(const Key &key) const;

    std::vector<Key> m_slots;
    long long m_used = 0;
    std::size_t m_longestProbe = 0;
    std::uint64_t m_seed = freshSeed();
};

} // namespace Corvane_LP

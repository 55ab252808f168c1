#pragma once

#include <cstdint>
#include <string_view>

// Hashing for the tables that hold values and names read from files. Every table takes a seed
// of its own, random per process, so that no file can choose its values or names to crowd one
// slot and make reading it slow.
namespace Corvane_LP {

// A seed that no file can know: random per process, another one on every call.
std::uint64_t freshSeed();

// Every bit of the result depends on every bit of x; a bijection (splitmix64's finalizer).
inline std::uint64_t mixBits(std::uint64_t x)
{
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::uint64_t hashOfText(std::string_view text, std::uint64_t seed);

} // namespace Corvane_LP

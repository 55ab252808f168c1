#pragma once

#include <cstdint>

namespace LpDataGen {

// Seeded measurement noise with the same sequence on every platform (splitmix64).
class NoiseSource
{
public:
    explicit NoiseSource(std::uint64_t seed);

    // Roughly normal, mean 0 and standard deviation 1 (sum of uniform numbers).
    double gaussian();

private:
    double uniform();

    std::uint64_t m_state;
};

} // namespace LpDataGen

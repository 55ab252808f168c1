#include "noisesource.h"

namespace LpDataGen {

NoiseSource::NoiseSource(std::uint64_t seed)
    : m_state(seed)
{}

double NoiseSource::uniform()
{
    std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

double NoiseSource::gaussian()
{
    // Four uniform numbers have variance 4/12; scale to 1.
    const double sum = uniform() + uniform() + uniform() + uniform();
    return (sum - 2.0) * 1.7320508075688772;
}

} // namespace LpDataGen

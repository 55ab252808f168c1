#include "seededhash.h"

#include <atomic>
#include <chrono>
#include <cstring>

#include <sys/random.h>

namespace Corvane_LP {

namespace {

constexpr std::uint64_t goldenGamma = 0x9e3779b97f4a7c15ULL;

// The clock is mixed in as well, for a kernel that has no random generator to offer.
std::uint64_t entropy()
{
    std::uint64_t random = 0;
    if (::getrandom(&random, sizeof random, GRND_NONBLOCK) != sizeof random)
        random = 0;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return random ^ mixBits(static_cast<std::uint64_t>(now));
}

} // namespace

std::uint64_t freshSeed()
{
    static const std::uint64_t processSeed = entropy();
    static std::atomic<std::uint64_t> drawn{0};
    return mixBits(processSeed + goldenGamma * ++drawn);
}

// Eight bytes a step, each step through the mixer, so that a text's hash depends on the seed
// in a way no choice of bytes can undo.
std::uint64_t hashOfText(std::string_view text, std::uint64_t seed)
{
    const std::uint64_t length = text.size();
    std::uint64_t hash = seed;
    while (text.size() >= sizeof hash) {
        std::uint64_t word;
        std::memcpy(&word, text.data(), sizeof word);
        hash = mixBits(hash ^ word);
        text.remove_prefix(sizeof word);
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, text.data(), text.size());
    return mixBits(mixBits(hash ^ tail) ^ length);
}

} // namespace Corvane_LP

#pragma once

// The seed of a test that draws at random: QX_TEST_SEED when it is set, so a
// failure replays, otherwise a fresh one. Printed either way, before the test
// can fail.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace qx::test {

inline std::uint32_t TestSeed()
{
    const char* given = std::getenv("QX_TEST_SEED");
    const std::uint32_t seed = given != nullptr && *given != '\0'
                                   ? static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10))
                                   : std::random_device{}();
    std::printf("seed %u (replay with QX_TEST_SEED=%u)\n", seed, seed);
    std::fflush(stdout);
    return seed;
}

} // namespace qx::test

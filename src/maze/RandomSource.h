#pragma once

#include <cstdint>

// Seedable pseudo-random source (xoshiro256**). One seed gives the same sequence on every
// machine, which is what makes `--seed` drawings reproducible.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed = 0);

    std::uint64_t next();
    // Uniform integer in [0, n), without modulo bias. n must be > 0.
    std::uint32_t below(std::uint32_t n);

    // A seed taken from the operating system's entropy, for unseeded runs.
    static std::uint64_t freshSeed();

private:
    std::uint64_t m_state[4] = {};
};

#include "maze/RandomSource.h"

#include <random>

namespace {
std::uint64_t splitmix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
} // namespace

RandomSource::RandomSource(std::uint64_t seed) {
    for (auto& word : m_state)
        word = splitmix64(seed);
}

std::uint64_t RandomSource::next() {
    const std::uint64_t result = rotl(m_state[1] * 5, 7) * 9;
    const std::uint64_t t = m_state[1] << 17;
    m_state[2] ^= m_state[0];
    m_state[3] ^= m_state[1];
    m_state[1] ^= m_state[2];
    m_state[0] ^= m_state[3];
    m_state[2] ^= t;
    m_state[3] = rotl(m_state[3], 45);
    return result;
}

std::uint32_t RandomSource::below(std::uint32_t n) {
    // Lemire's multiply-and-reject: unbiased and nearly always a single multiplication.
    std::uint64_t m = (next() >> 32) * n;
    auto low = static_cast<std::uint32_t>(m);
    if (low < n) {
        const std::uint32_t threshold = (0u - n) % n;
        while (low < threshold) {
            m = (next() >> 32) * n;
            low = static_cast<std::uint32_t>(m);
        }
    }
    return static_cast<std::uint32_t>(m >> 32);
}

std::uint64_t RandomSource::freshSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

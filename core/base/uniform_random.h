#pragma once
// The program's one source of chance: uniform numbers in [0, 1) from a fixed seed, so every run
// gives the same sequence of draws, on every compiler and standard library (the 64-bit Mersenne
// Twister's output is fixed by the C++ standard; the conversion to [0, 1) is done here by hand).

#include <cstdint>
#include <random>

namespace marlek {

class UniformRandom {
public:
    static constexpr std::uint64_t kFixedSeed = 5489u;

    explicit UniformRandom(std::uint64_t seed = kFixedSeed) : m_engine(seed) {}

    // The next number u with 0 <= u < 1: the top 53 bits of one engine output.
    double next() { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 m_engine;
};

} // namespace marlek

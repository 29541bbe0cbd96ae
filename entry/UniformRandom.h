#pragma once

#include <cstdint>
#include <random>

namespace kestrune {

// A source of uniformly distributed numbers in [0, 1). The answer marks draw from one, so
// that a test can fix the sequence and check every point of a mark.
class UniformRandom {
  public:
    virtual ~UniformRandom() = default;
    virtual double next() = 0;
};

// A reproducible source for a given seed.
class SeededUniformRandom : public UniformRandom {
  public:
    explicit SeededUniformRandom(std::uint64_t seed) : engine_(seed) {}
    double next() override;

  private:
    std::mt19937_64 engine_;
};

// A seed that differs from run to run, for the marks on screen.
std::uint64_t freshRandomSeed();

}  // namespace kestrune

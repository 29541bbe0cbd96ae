#include "entry/UniformRandom.h"

namespace kestrune {

double SeededUniformRandom::next() {
    // The top 53 bits as a fraction: always below 1, unlike some generate_canonical versions.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

std::uint64_t freshRandomSeed() {
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

}  // namespace kestrune

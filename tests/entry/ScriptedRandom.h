#pragma once

#include <cstddef>
#include <stdexcept>
#include <vector>

#include "entry/UniformRandom.h"

namespace kestrune::testing {

// Hands out a fixed sequence of numbers and counts the draws; running out is a test failure.
class ScriptedRandom : public UniformRandom {
  public:
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
    double next() override {
        if (draws_ >= values_.size())
            throw std::out_of_range("scripted random numbers used up");
        return values_[draws_++];
    }
    std::size_t draws() const { return draws_; }

  private:
    std::vector<double> values_;
    std::size_t draws_ = 0;
};

}  // namespace kestrune::testing

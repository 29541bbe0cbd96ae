#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Response.h"

namespace kestrune {

// The main window's growable byte stream of answers: consecutive 4-byte little-endian signed
// integers in the order of a response data file, so that the answer of (s, p, i) starts at
// byte 4·(((s-1)·P + (p-1))·I + (i-1)). S, P and I are kept by whoever uses it.
class ResponseBuffer {
  public:
    static std::size_t offsetOf(int s, int p, int i, int pairs, int images) {
        return 4 * ((static_cast<std::size_t>(s - 1) * pairs + (p - 1)) * images + (i - 1));
    }

    std::size_t size() const { return bytes_.size(); }  // in bytes
    std::size_t answerCount() const { return bytes_.size() / 4; }
    void clear() { bytes_.clear(); }
    // Grows (with unanswered answers) or shrinks to hold `count` answers.
    void resizeAnswers(std::size_t count, std::int32_t fill = kUnanswered);

    std::int32_t readAt(std::size_t byteOffset) const;         // throws std::out_of_range
    void writeAt(std::size_t byteOffset, std::int32_t value);  // grows when writing past the end
    std::int32_t answer(std::size_t number) const { return readAt(4 * number); }
    void setAnswer(std::size_t number, std::int32_t value) { writeAt(4 * number, value); }

    // Loads a whole matrix, replacing the content.
    void load(const TResponseMatrix& matrix);
    // The first S·P·I answers as a matrix (the buffer must hold them).
    TResponseMatrix toMatrix(std::int32_t subjects, std::int32_t pairs, std::int32_t images) const;

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace kestrune

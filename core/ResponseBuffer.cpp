#include "core/ResponseBuffer.h"

#include <stdexcept>

namespace kestrune {

void ResponseBuffer::resizeAnswers(std::size_t count, std::int32_t fill) {
    const std::size_t old = answerCount();
    bytes_.resize(4 * count);
    for (std::size_t n = old; n < count; ++n)
        setAnswer(n, fill);
}

std::int32_t ResponseBuffer::readAt(std::size_t byteOffset) const {
    if (byteOffset + 4 > bytes_.size())
        throw std::out_of_range("response buffer read past its end");
    const std::uint32_t value = static_cast<std::uint32_t>(bytes_[byteOffset]) |
                                static_cast<std::uint32_t>(bytes_[byteOffset + 1]) << 8 |
                                static_cast<std::uint32_t>(bytes_[byteOffset + 2]) << 16 |
                                static_cast<std::uint32_t>(bytes_[byteOffset + 3]) << 24;
    return static_cast<std::int32_t>(value);
}

void ResponseBuffer::writeAt(std::size_t byteOffset, std::int32_t value) {
    if (byteOffset + 4 > bytes_.size())
        bytes_.resize(byteOffset + 4, 0);
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    for (int k = 0; k < 4; ++k)
        bytes_[byteOffset + k] = static_cast<std::uint8_t>(bits >> (8 * k));
}

void ResponseBuffer::load(const TResponseMatrix& matrix) {
    bytes_.clear();
    bytes_.resize(4 * matrix.answers.size());
    for (std::size_t n = 0; n < matrix.answers.size(); ++n)
        setAnswer(n, matrix.answers[n]);
}

TResponseMatrix ResponseBuffer::toMatrix(std::int32_t subjects, std::int32_t pairs,
                                         std::int32_t images) const {
    TResponseMatrix matrix{subjects, pairs, images, {}};
    const std::size_t count = matrix.answerCount();
    if (count > answerCount())
        throw std::out_of_range("response buffer holds fewer answers than asked for");
    matrix.answers.reserve(count);
    for (std::size_t n = 0; n < count; ++n)
        matrix.answers.push_back(answer(n));
    return matrix;
}

}  // namespace kestrune

#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace kestrune {

// Walks the lines of a text one by one without storing them, splitting at CR LF, CR or LF. A
// terminator at the very end does not start another line, so "a\r\nb\r\n" gives two lines
// and "" gives none. A response file of 112,500 one-character lines is read this way.
class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool atEnd() const { return position_ >= text_.size(); }
    // The text of the lines not walked yet.
    std::string_view rest() const { return text_.substr(position_); }

    // The next line without its terminator; only while !atEnd().
    std::string_view next() {
        const std::size_t start = position_;
        // The commonest line, a response file's answer, is one character and CR LF.
        if (text_.size() - start > 2 && isCrLf(text_.data() + start + 1) && !isLineEnd(text_[start])) {
            position_ = start + 3;
            return text_.substr(start, 1);
        }
        std::size_t stop = start;
        while (stop < text_.size() && !isLineEnd(text_[stop]))
            ++stop;
        position_ = stop;
        if (stop < text_.size())
            position_ += (text_[stop] == '\r' && stop + 1 < text_.size() && text_[stop + 1] == '\n') ? 2 : 1;
        return text_.substr(start, stop - start);
    }

  private:
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
    static bool isCrLf(const char* at) {
        std::uint16_t pair;
        std::memcpy(&pair, at, 2);
        return pair == kCrLf;
    }
    static constexpr std::uint16_t kCrLf = std::endian::native == std::endian::little ? 0x0A0D : 0x0D0A;

    std::string_view text_;
    std::size_t position_ = 0;
};

// The number of lines a LineCursor gives for the text, counted without splitting it.
std::size_t countLines(std::string_view text);

}  // namespace kestrune

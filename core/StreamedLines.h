#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputFile.h"
#include "core/LineCursor.h"

namespace kestrune {

// The lines of a text file read front to back through one small buffer, split exactly as a
// LineCursor splits the whole text, so that a file read once to be parsed (a response file of
// 112,500 one-digit lines) never needs a block its own size. Opening and reading fail as the
// whole-file readers do ("ﾌｧｲﾙ %s は開けません", the size limit). Lines are handed over as
// read: allAscii() tells whether they needed CP932 decoding.
class StreamedLines {
  public:
    explicit StreamedLines(const std::filesystem::path& path);

    // The next line without its terminator, valid until the following call; false at the end.
    bool next(std::string_view& line) {
        while (cursor_.atEnd()) {
            if (atEndOfFile())
                return false;
            refill();
        }
        line = cursor_.next();
        return true;
    }

    // Hands the lines not read yet to `each(line)` in order until it returns false (true is
    // then returned) or the file ends (false). The lines of each buffer are walked by a cursor
    // of this call's own, which the compiler keeps in registers.
    template <typename Each>
    bool forEachLine(Each&& each) {
        for (;;) {
            LineCursor walked = cursor_;
            while (!walked.atEnd()) {
                if (!each(walked.next())) {
                    cursor_ = walked;
                    return true;
                }
            }
            cursor_ = walked;
            if (atEndOfFile())
                return false;
            refill();
        }
    }

    // Passes over the lines not read yet, counting them.
    std::size_t skipRest();

    // Whether every byte read since opening or rewinding was ASCII.
    bool allAscii() const { return ascii_; }

    // Back to the first line for another pass; the file is read again, no further than before.
    void rewind();

  private:
    bool atEndOfFile() const { return consumed_ == size_ && complete_ == filled_; }
    void refill();
    [[noreturn]] void failReading() const;

    std::filesystem::path path_;
    std::optional<InputFile> in_;  // opened once the path is known to be a plain file
    std::uintmax_t size_ = 0;      // the file's size when opened: no byte beyond it is read
    std::uintmax_t consumed_ = 0;  // bytes read from the file in this pass
    std::vector<char> buffer_;
    std::size_t filled_ = 0;    // bytes held in the buffer
    std::size_t complete_ = 0;  // the held bytes that end in a line end the next bytes cannot change
    LineCursor cursor_{std::string_view()};
    bool ascii_ = true;
};

}  // namespace kestrune

#include "core/StreamedLines.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <system_error>

#include "core/Cp932.h"
#include "core/Error.h"
#include "core/StudyDisk.h"
#include "core/TextLines.h"

namespace kestrune {

namespace {

// A few reads for the largest response file, and small enough to stay in the cache while its
// lines are parsed.
constexpr std::uintmax_t kChunkBytes = 64u << 10;

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The end of the held bytes whose lines the next bytes cannot change: just past the last line
// end, except that a CR in the very last byte waits for the byte after it, which may be its LF.
std::size_t settledEnd(std::string_view held, bool restOfFileHeld) {
    if (restOfFileHeld)
        return held.size();
    std::size_t end = held.size();
    if (end > 0 && held[end - 1] == '\r')
        --end;
    while (end > 0 && !isLineEnd(held[end - 1]))
        --end;
    return end;
}

}  // namespace

StreamedLines::StreamedLines(const std::filesystem::path& path) : path_(path) {
    // The checks, in their order, of the whole-file readers.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        failReading();
    if (!in_.emplace(path).isOpen())
        failReading();
    size_ = std::filesystem::file_size(path, error);
    if (error)
        failReading();
    if (size_ > kMaxTextFileBytes)
        throw UserError(messages::tooLarge(pathToUtf8(path)));
    buffer_.resize(static_cast<std::size_t>(std::min(size_, kChunkBytes)));
}

std::size_t StreamedLines::skipRest() {
    std::size_t count = 0;
    for (;;) {
        count += countLines(cursor_.rest());
        cursor_ = LineCursor(std::string_view());
        if (atEndOfFile())
            return count;
        refill();
    }
}

void StreamedLines::rewind() {
    if (!in_->rewind())
        failReading();
    consumed_ = 0;
    filled_ = 0;
    complete_ = 0;
    cursor_ = LineCursor(std::string_view());
    ascii_ = true;
}

void StreamedLines::refill() {
    // The unsettled last line moves to the front and the file's next bytes follow it; a line
    // longer than the buffer grows it, never beyond the file's size.
    const std::size_t tail = filled_ - complete_;
    if (complete_ > 0)
        std::memmove(buffer_.data(), buffer_.data() + complete_, tail);
    filled_ = tail;
    complete_ = 0;
    if (consumed_ < size_) {
        if (filled_ == buffer_.size()) {
            try {
                buffer_.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(2 * buffer_.size(), size_)));
            } catch (const std::bad_alloc&) {
                throw UserError(messages::tooLarge(pathToUtf8(path_)));
            }
        }
        const std::size_t wanted =
            static_cast<std::size_t>(std::min<std::uintmax_t>(buffer_.size() - filled_, size_ - consumed_));
        const std::optional<std::size_t> read = in_->read(buffer_.data() + filled_, wanted);
        if (!read)
            failReading();
        const std::size_t got = *read;
        if (got < wanted)
            size_ = consumed_ + got;  // the file has shrunk since it was opened: it ends here
        ascii_ = ascii_ && isAscii(std::string_view(buffer_.data() + filled_, got));
        consumed_ += got;
        filled_ += got;
    }
    complete_ = settledEnd(std::string_view(buffer_.data(), filled_), consumed_ == size_);
    cursor_ = LineCursor(std::string_view(buffer_.data(), complete_));
}

void StreamedLines::failReading() const {
    throw UserError(messages::cannotOpen(pathToUtf8(path_)));
}

}  // namespace kestrune

#include "analysis/CsvRecords.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/Error.h"

namespace kestrune {

namespace {

constexpr std::size_t kBufferBytes = 1u << 16;
constexpr std::string_view kNotUtf8 =
    "UTF-8 の文字として正しくないバイトがあります(CSV は UTF-8 で保存してください)。";

bool needsQuotes(std::string_view field) {
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

// The offset of the first byte in [from, to) that does not belong to a well-formed UTF-8
// sequence (no overlong forms, no surrogates, nothing above U+10FFFF); `to` when all do.
std::size_t firstInvalidUtf8(std::string_view text, std::size_t from, std::size_t to) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = from;
    while (i < to) {
        // Runs of ASCII eight bytes at a time.
        for (std::uint64_t word; i + 8 <= to; i += 8) {
            std::memcpy(&word, bytes + i, 8);
            if (word & 0x8080808080808080u)
                break;
        }
        if (i == to)
            break;
        const unsigned char c = bytes[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0;
            if (c == 0xED)
                high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            if (c == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        if (to - i < length || bytes[i + 1] < low || bytes[i + 1] > high)
            return i;
        for (std::size_t k = 2; k < length; ++k) {
            if (bytes[i + k] < 0x80 || bytes[i + k] > 0xBF)
                return i;
        }
        i += length;
    }
    return to;
}

}  // namespace

void appendCsvField(std::string& out, std::string_view field) {
    if (!needsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

CsvRecords::CsvRecords(const std::filesystem::path& path, std::string shownName)
    : shownName_(std::move(shownName)), buffer_(kBufferBytes) {
    std::error_code error;
    // Only a plain file: a FIFO or a device would never end.
    if (std::filesystem::is_regular_file(path, error))
        in_.emplace(path);
    if (!in_ || !in_->isOpen())
        throw UserError(messages::cannotOpen(shownName_));
}

void CsvRecords::fail(std::size_t line, std::string_view what) const {
    throw UserError("CSV ファイル " + shownName_ + " の " + std::to_string(line) +
                    " 行目: " + std::string(what));
}

bool CsvRecords::fill() {
    if (endOfFile_)
        return false;
    // Bytes not consumed yet stay in front.
    const std::size_t kept = filled_ - position_;
    std::memmove(buffer_.data(), buffer_.data() + position_, kept);
    position_ = 0;
    filled_ = kept;
    const std::optional<std::size_t> got = in_->read(buffer_.data() + filled_, buffer_.size() - filled_);
    if (!got)
        throw UserError(messages::cannotOpen(shownName_));
    if (*got == 0)
        endOfFile_ = true;
    filled_ += *got;
    return *got > 0;
}

void CsvRecords::tooManyFields() const {
    fail(recordLine_, "列が " + std::to_string(kMaxFields) + " を超えています。");
}

void CsvRecords::checkUtf8() const {
    // The record's text as a whole, and no field starting inside a character, which the whole
    // would not show with the fields lying end to end.
    bool valid = firstInvalidUtf8(text_, 0, text_.size()) == text_.size();
    for (std::size_t f = 0; valid && f < ends_.size(); ++f) {
        const std::size_t start = f == 0 ? 0 : ends_[f - 1];
        valid = start == ends_[f] || (static_cast<unsigned char>(text_[start]) & 0xC0) != 0x80;
    }
    if (valid)
        return;
    for (std::size_t f = 0; f < ends_.size(); ++f) {
        const std::size_t start = f == 0 ? 0 : ends_[f - 1];
        const std::size_t bad = firstInvalidUtf8(text_, start, ends_[f]);
        if (bad == ends_[f])
            continue;
        // The line of the bad byte: the record's first line and the line ends before it.
        std::size_t line = recordLine_;
        for (std::size_t i = 0; i < bad; ++i) {
            if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n')))
                ++line;
        }
        fail(line, kNotUtf8);
    }
}

bool CsvRecords::nextPlainLine() {
    const char* const start = buffer_.data() + position_;
    const char* const end = buffer_.data() + filled_;
    fields_.clear();
    const char* field = start;
    bool ascii = true;
    for (const char* at = start; at < end; ++at) {
        const char c = *at;
        if (c == ',') {
            if (fields_.size() == kMaxFields - 1)
                return false;
            fields_.emplace_back(field, static_cast<std::size_t>(at - field));
            field = at + 1;
        } else if (c == '\n' || (c == '\r' && at + 1 < end && at[1] == '\n')) {
            fields_.emplace_back(field, static_cast<std::size_t>(at - field));
            recordLine_ = line_;
            if (!ascii) {
                const std::string_view line(start, static_cast<std::size_t>(at - start));
                if (firstInvalidUtf8(line, 0, line.size()) != line.size())
                    fail(recordLine_, kNotUtf8);
            }
            position_ = static_cast<std::size_t>(at - buffer_.data()) + (c == '\r' ? 2 : 1);
            ++line_;
            return true;
        } else if (c == '"' || c == '\r') {
            return false;  // quoted fields and lone CRs take the general way
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
        }
    }
    return false;  // the line goes on beyond the buffer
}

bool CsvRecords::next() {
    if (started_ && position_ < filled_ && nextPlainLine())
        return true;
    if (!nextRecord())
        return false;
    fields_.clear();
    for (std::size_t f = 0; f < ends_.size(); ++f) {
        const std::size_t start = f == 0 ? 0 : ends_[f - 1];
        fields_.push_back(std::string_view(text_).substr(start, ends_[f] - start));
    }
    return true;
}

bool CsvRecords::nextRecord() {
    text_.clear();
    ends_.clear();
    if (!started_) {
        started_ = true;
        while (filled_ < 3 && fill()) {
        }
        if (filled_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0)
            position_ = 3;
    }
    if (position_ == filled_ && !fill())
        return false;
    recordLine_ = line_;
    enum class State { FieldStart, Unquoted, Quoted, AfterQuote } state = State::FieldStart;
    for (;;) {
        if (text_.size() > kMaxRecordBytes) {
            fail(recordLine_,
                 "行が長すぎます(1 行は " + std::to_string(kMaxRecordBytes / 1024) + " KB までです)。");
        }
        if (position_ == filled_ && !fill()) {
            if (state == State::Quoted)
                fail(recordLine_, "引用符(\")が閉じられないままファイルが終わっています。");
            endField();
            checkUtf8();
            return true;
        }
        const char* const bytes = buffer_.data();
        switch (state) {
            case State::FieldStart:
                if (bytes[position_] == '"') {
                    ++position_;
                    state = State::Quoted;
                    continue;
                }
                state = State::Unquoted;
                [[fallthrough]];
            case State::Unquoted: {
                std::size_t stop = position_;
                while (stop < filled_ && bytes[stop] != ',' && bytes[stop] != '\n' && bytes[stop] != '\r')
                    ++stop;
                text_.append(bytes + position_, std::min(stop - position_, kMaxRecordBytes + 1));
                position_ = stop;
                if (stop == filled_)
                    continue;
                endField();
                ++position_;
                if (bytes[stop] == ',') {
                    state = State::FieldStart;
                    continue;
                }
                break;  // the record ends here
            }
            case State::Quoted: {
                std::size_t stop = position_;
                while (stop < filled_ && bytes[stop] != '"') {
                    if (bytes[stop] == '\n') {
                        if (stop == 0 ? text_.empty() || text_.back() != '\r' : bytes[stop - 1] != '\r')
                            ++line_;
                    } else if (bytes[stop] == '\r') {
                        ++line_;
                    }
                    ++stop;
                }
                text_.append(bytes + position_, stop - position_);
                position_ = stop;
                if (stop < filled_) {
                    ++position_;
                    state = State::AfterQuote;
                }
                continue;
            }
            case State::AfterQuote: {
                const char c = bytes[position_++];
                if (c == '"') {
                    text_.push_back('"');
                    state = State::Quoted;
                    continue;
                }
                if (c == ',') {
                    endField();
                    state = State::FieldStart;
                    continue;
                }
                if (c != '\n' && c != '\r')
                    fail(line_, "閉じた引用符(\")の後に区切りのコンマがありません。");
                endField();
                break;  // the record ends here
            }
        }
        // A record ended at the line end just consumed; CR LF counts as one.
        const char ended = buffer_[position_ - 1];
        ++line_;
        if (ended == '\r' && (position_ < filled_ || fill()) && buffer_[position_] == '\n')
            ++position_;
        checkUtf8();
        return true;
    }
}

}  // namespace kestrune

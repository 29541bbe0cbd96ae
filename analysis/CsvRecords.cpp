#include "analysis/CsvRecords.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "core/Error.h"
#include "core/Utf8Check.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace kestrune {

namespace {

constexpr std::size_t kBufferBytes = 1u << 16;
// Room behind the bytes read, so that sixteen bytes may always be loaded from any of them.
constexpr std::size_t kPaddingBytes = 16;
// Fields a record may have before their list grows; most files have a dozen.
constexpr std::size_t kFirstFieldRoom = 64;
constexpr std::string_view kNotUtf8 =
    "UTF-8 の文字として正しくないバイトがあります(CSV は UTF-8 で保存してください)。";

bool needsQuotes(std::string_view field) {
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

// The offset of the first byte in [from, to) that is not UTF-8; `to` when all are. `from` is
// a character boundary.
std::size_t firstInvalidUtf8Between(std::string_view text, std::size_t from, std::size_t to) {
    return from + firstInvalidUtf8(text.substr(from, to - from));
}

// Which of sixteen bytes are of each kind the reading looks for: bit i stands for byte i.
struct ByteKinds {
    std::uint32_t commas = 0;
    std::uint32_t lineEnds = 0;
    std::uint32_t quotes = 0;
    std::uint32_t crs = 0;
    std::uint32_t nonAscii = 0;
};

ByteKinds kindsOf16(const char* at) {
#ifdef __SSE2__
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const auto match = [bytes](char c) {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
    };
    return {match(','), match('\n'), match('"'), match('\r'),
            static_cast<std::uint32_t>(_mm_movemask_epi8(bytes))};
#else
    ByteKinds kinds;
    for (int i = 0; i < 16; ++i) {
        const std::uint32_t bit = 1u << i;
        switch (at[i]) {
            case ',':
                kinds.commas |= bit;
                break;
            case '\n':
                kinds.lineEnds |= bit;
                break;
            case '"':
                kinds.quotes |= bit;
                break;
            case '\r':
                kinds.crs |= bit;
                break;
            default:
                if (static_cast<unsigned char>(at[i]) >= 0x80)
                    kinds.nonAscii |= bit;
        }
    }
    return kinds;
#endif
}

std::size_t firstBitOf(std::uint32_t mask) {
    return static_cast<std::size_t>(std::countr_zero(mask));
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
    : shownName_(std::move(shownName)), buffer_(kBufferBytes + kPaddingBytes), fields_(kFirstFieldRoom) {
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
    validUpTo_ = std::max(validUpTo_, position_) - position_;
    position_ = 0;
    filled_ = kept;
    const std::optional<std::size_t> got = in_->read(buffer_.data() + filled_, kBufferBytes - filled_);
    if (!got)
        throw UserError(messages::cannotOpen(shownName_));
    if (*got == 0)
        endOfFile_ = true;
    filled_ += *got;
    // The new bytes are checked here as one run, which is many times faster than line by line;
    // a line reaching beyond the bytes found good is checked by itself and names the fault.
    const std::string_view unchecked(buffer_.data() + validUpTo_, filled_ - validUpTo_);
    validUpTo_ += firstInvalidUtf8(unchecked);
    return *got > 0;
}

void CsvRecords::tooManyFields() const {
    fail(recordLine_, "列が " + std::to_string(kMaxFields) + " を超えています。");
}

void CsvRecords::checkUtf8() const {
    // The record's text as a whole, and no field starting inside a character, which the whole
    // would not show with the fields lying end to end.
    bool valid = firstInvalidUtf8Between(text_, 0, text_.size()) == text_.size();
    for (std::size_t f = 0; valid && f < ends_.size(); ++f) {
        const std::size_t start = f == 0 ? 0 : ends_[f - 1];
        valid = start == ends_[f] || (static_cast<unsigned char>(text_[start]) & 0xC0) != 0x80;
    }
    if (valid)
        return;
    for (std::size_t f = 0; f < ends_.size(); ++f) {
        const std::size_t start = f == 0 ? 0 : ends_[f - 1];
        const std::size_t bad = firstInvalidUtf8Between(text_, start, ends_[f]);
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
    std::size_t count = 0;
    const char* field = start;
    bool nonAscii = false;
    for (const char* at = start; at < end; at += 16) {
        const ByteKinds kinds = kindsOf16(at);
        // Only the bytes read, and of those only the ones before the line end.
        std::uint32_t inLine = end - at >= 16 ? 0xFFFFu : (1u << (end - at)) - 1;
        const std::uint32_t lineEnd = kinds.lineEnds & inLine;
        if (lineEnd)
            inLine &= (lineEnd & -lineEnd) - 1;
        if (kinds.quotes & inLine)
            return false;  // quoted fields take the general way
        // A CR is only the first half of a CR LF here; lone ones take the general way.
        for (std::uint32_t crs = kinds.crs & inLine; crs; crs &= crs - 1) {
            const char* cr = at + firstBitOf(crs);
            if (cr + 1 == end || cr[1] != '\n')
                return false;
        }
        nonAscii = nonAscii || (kinds.nonAscii & inLine) != 0;
        for (std::uint32_t commas = kinds.commas & inLine; commas; commas &= commas - 1) {
            if (count + 1 == fields_.size())
                return false;  // the general way makes room
            const char* comma = at + firstBitOf(commas);
            fields_[count++] = std::string_view(field, static_cast<std::size_t>(comma - field));
            field = comma + 1;
        }
        if (!lineEnd)
            continue;
        const char* const newline = at + firstBitOf(lineEnd);
        const char* const fieldEnd = newline > field && newline[-1] == '\r' ? newline - 1 : newline;
        fields_[count++] = std::string_view(field, static_cast<std::size_t>(fieldEnd - field));
        fieldCount_ = count;
        recordLine_ = line_;
        const std::size_t lineEndsAt = static_cast<std::size_t>(newline - buffer_.data());
        if (nonAscii && lineEndsAt > validUpTo_) {
            const std::string_view line(start, static_cast<std::size_t>(newline - start));
            if (firstInvalidUtf8(line) != line.size())
                fail(recordLine_, kNotUtf8);
        }
        position_ = lineEndsAt + 1;
        ++line_;
        return true;
    }
    return false;  // the line goes on beyond the buffer
}

bool CsvRecords::next() {
    if (started_ && position_ < filled_ && nextPlainLine())
        return true;
    if (!nextRecord())
        return false;
    fieldCount_ = ends_.size();
    if (fields_.size() < fieldCount_)
        fields_.resize(fieldCount_);
    for (std::size_t f = 0; f < ends_.size(); ++f) {
        const std::size_t start = f == 0 ? 0 : ends_[f - 1];
        fields_[f] = std::string_view(text_).substr(start, ends_[f] - start);
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

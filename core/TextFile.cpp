#include "core/TextFile.h"

#include "core/Cp932.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/StudyDisk.h"
#include "core/TextLines.h"

namespace kestrune {

TextFile::TextFile(const std::filesystem::path& path) : shown_(StudyDisk::pathLabel(path)), stream_(path) {}

void TextFile::returnToDecoded() {
    stream_.rewind();
    std::string_view raw;
    for (std::size_t at = 0; at < lines_.size(); ++at)
        stream_.next(raw);
}

bool TextFile::hasLine(std::size_t number) {
    if (number <= lines_.size())
        return true;
    // Counted ahead without keeping anything, then read again from where the decoded lines end.
    std::size_t seen = lines_.size();
    std::string_view raw;
    while (seen < number && stream_.next(raw))
        ++seen;
    returnToDecoded();
    return seen >= number;
}

std::size_t TextFile::countAll() {
    const std::size_t count = lines_.size() + stream_.skipRest();
    returnToDecoded();
    return count;
}

const std::string& TextFile::line(std::size_t number) {
    if (number == 0)
        throw UserError(messages::missingLine(shown_, number, countAll()));
    // Read on from the last line decoded: each line is read once however the reader walks them.
    std::string_view raw;
    while (lines_.size() < number) {
        if (!stream_.next(raw)) {
            if (lines_.empty())
                throw UserError(messages::emptyFile(shown_));
            throw UserError(messages::missingLine(shown_, number, lines_.size()));
        }
        std::size_t failedAt = 0;
        std::optional<std::string> text = tryDecodeCp932(raw, failedAt);
        if (!text)
            fail(lines_.size() + 1, messages::notCp932Byte(failedAt));
        lines_.push_back(std::move(*text));
    }
    return lines_[number - 1];
}

std::int32_t TextFile::integerAt(std::size_t number, std::string_view text) const {
    try {
        return parseInteger(text);
    } catch (const UserError& error) {
        fail(number, error.what());
    }
}

void TextFile::requireHeaderLines(std::optional<std::int64_t> lastLine) {
    if (!lastLine) {
        fail(1, messages::headerTooLarge(lines_.empty() ? std::string() : lines_.front()));
    }
    if (*lastLine < 1 || hasLine(static_cast<std::size_t>(*lastLine)))
        return;
    fail(1,
         messages::headerWantsLines(lines_.empty() ? std::string() : lines_.front(), *lastLine, countAll()));
}

void TextFile::failNegativeHeader() {
    fail(1, messages::headerNegative(lines_.empty() ? std::string() : lines_.front()));
}

void TextFile::fail(std::size_t number, const std::string& text) const {
    throw UserError(messages::atLine(shown_, number, text));
}

}  // namespace kestrune

#include "core/TextFile.h"

#include "core/Cp932.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/StudyDisk.h"
#include "core/TextLines.h"

namespace kestrune {

TextFile::TextFile(const std::filesystem::path& path)
    : path_(path), shown_(StudyDisk::pathLabel(path)), bytes_(readFileBytes(path)), cursor_(bytes_) {}

bool TextFile::hasLine(std::size_t number) {
    if (number <= lines_.size())
        return true;
    // Counted on a copy of the cursor: nothing is kept of the lines passed over.
    LineCursor ahead = cursor_;
    for (std::size_t at = lines_.size(); at < number; ++at) {
        if (ahead.atEnd())
            return false;
        ahead.next();
    }
    return true;
}

std::size_t TextFile::countAll() {
    return lines_.size() + countLines(cursor_.rest());
}

const std::string& TextFile::line(std::size_t number) {
    if (number == 0 || !hasLine(number)) {
        if (bytes_.empty())
            throw UserError(messages::emptyFile(shown_));
        throw UserError(messages::missingLine(shown_, number, countAll()));
    }
    while (lines_.size() < number) {
        const std::string_view raw = cursor_.next();
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
    fail(1, messages::headerWantsLines(lines_.empty() ? std::string() : lines_.front(), *lastLine, countAll()));
}

void TextFile::failNegativeHeader() {
    fail(1, messages::headerNegative(lines_.empty() ? std::string() : lines_.front()));
}

void TextFile::fail(std::size_t number, const std::string& text) const {
    throw UserError(messages::atLine(shown_, number, text));
}

}  // namespace kestrune

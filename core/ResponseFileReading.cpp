// Reading a response data file: the header line "S,P,I", then one answer a line.
#include <optional>
#include <string>
#include <string_view>

#include "core/CheckedCount.h"
#include "core/Error.h"
#include "core/FreshMemory.h"
#include "core/LineCursor.h"
#include "core/Numbers.h"
#include "core/Response.h"
#include "core/StreamedLines.h"
#include "core/TextLines.h"

namespace kestrune {

namespace {

// An answer line is nearly always one digit; anything else (a sign, blanks, "-1", a longer
// or malformed line) takes parseInteger's way, with its messages.
std::int32_t parseAnswer(std::string_view line) {
    if (line.size() == 1 && line[0] >= '0' && line[0] <= '9')
        return line[0] - '0';
    return parseInteger(line);
}

// The counts of the header line, with room for the answers they promise. A header that
// promises more answers than the file has lines is refused before anything is sized from it
// and before any answer is read, so that a short file always gives the list index error.
TResponseMatrix sizedByHeader(std::string_view header, std::size_t lineCount) {
    const CommaFields first = splitAtFirstComma(header);
    const CommaFields rest = splitAtFirstComma(first.after);
    TResponseMatrix matrix;
    matrix.subjects = parseInteger(first.before);
    matrix.pairs = parseInteger(rest.before);
    matrix.images = parseInteger(rest.after);
    if (matrix.subjects < 0 || matrix.pairs < 0 || matrix.images < 0) {
        throw UserError(messages::listIndexOutOfRange());
    }
    const std::optional<std::int64_t> count = checkedProduct({matrix.subjects, matrix.pairs, matrix.images});
    requireLineNumber(lineCount, count ? checkedSum({*count, 1}) : std::nullopt);
    const std::size_t answers = static_cast<std::size_t>(*count);
    matrix.answers.reserve(answers);
    populateForWriting(matrix.answers.data(), answers * sizeof(std::int32_t));
    matrix.answers.resize(answers);
    return matrix;
}

// The whole file decoded from CP932 first, as every text file is read.
TResponseMatrix readDecoded(const std::filesystem::path& path) {
    const std::string text = readWholeText(path);
    LineCursor cursor(text);
    if (cursor.atEnd())
        throw UserError(messages::listIndexOutOfRange());
    TResponseMatrix matrix = sizedByHeader(cursor.next(), countLines(text));
    for (std::int32_t& answer : matrix.answers)
        answer = parseAnswer(cursor.next());
    return matrix;
}

// The same for a file of ASCII only, which needs no decoding, through a small buffer: one pass
// checks the bytes and counts the lines, a second parses the answers. None when the file is not
// ASCII, or has changed between the passes so that the second one does not find it so.
std::optional<TResponseMatrix> readStreamed(const std::filesystem::path& path) {
    StreamedLines lines(path);
    std::string_view line;
    if (!lines.next(line)) {
        if (!lines.allAscii())
            return std::nullopt;
        throw UserError(messages::listIndexOutOfRange());
    }
    const std::string header(line);
    const std::size_t lineCount = 1 + lines.skipRest();
    if (!lines.allAscii())
        return std::nullopt;
    TResponseMatrix matrix = sizedByHeader(header, lineCount);
    lines.rewind();
    try {
        lines.next(line);
        std::int32_t* answer = matrix.answers.data();
        std::int32_t* const end = answer + matrix.answers.size();
        if (answer != end) {
            lines.forEachLine([&](std::string_view text) {
                *answer++ = parseAnswer(text);
                return answer != end;
            });
        }
        if (answer != end)
            throw UserError(messages::listIndexOutOfRange());
    } catch (const UserError&) {
        if (!lines.allAscii())
            return std::nullopt;
        throw;
    }
    if (!lines.allAscii())
        return std::nullopt;
    return matrix;
}

}  // namespace

TResponseMatrix ReadResponseFile(const std::filesystem::path& path) {
    std::optional<TResponseMatrix> matrix = readStreamed(path);
    return matrix ? std::move(*matrix) : readDecoded(path);
}

}  // namespace kestrune

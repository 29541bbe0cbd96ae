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
#include "core/StudyDisk.h"
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
[[noreturn]] void failOnLine(const std::filesystem::path& path, std::size_t number, std::string_view text) {
    throw UserError(messages::atLine(StudyDisk::pathLabel(path), number, text));
}

// A UserError of `work` named with the file and the line.
template <typename Work>
auto onLine(const std::filesystem::path& path, std::size_t number, Work&& work) {
    try {
        return work();
    } catch (const UserError& error) {
        failOnLine(path, number, error.what());
    }
}

TResponseMatrix sizedByHeader(const std::filesystem::path& path, std::string_view header,
                              std::size_t lineCount) {
    const CommaFields first = splitAtFirstComma(header);
    const CommaFields rest = splitAtFirstComma(first.after);
    TResponseMatrix matrix;
    onLine(path, 1, [&] {
        matrix.subjects = parseInteger(first.before);
        matrix.pairs = parseInteger(rest.before);
        matrix.images = parseInteger(rest.after);
    });
    if (matrix.subjects < 0 || matrix.pairs < 0 || matrix.images < 0)
        failOnLine(path, 1, messages::headerNegative(header));
    const std::optional<std::int64_t> count = checkedProduct({matrix.subjects, matrix.pairs, matrix.images});
    if (!count || *count >= kMaxHeaderCount)
        failOnLine(path, 1, messages::headerTooLarge(header));
    if (static_cast<std::uint64_t>(*count) + 1 > lineCount)
        failOnLine(path, 1, messages::headerWantsLines(header, *count + 1, lineCount));
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
        throw UserError(messages::emptyFile(StudyDisk::pathLabel(path)));
    TResponseMatrix matrix = sizedByHeader(path, cursor.next(), countLines(text));
    std::size_t number = 1;
    for (std::int32_t& answer : matrix.answers) {
        ++number;
        answer = onLine(path, number, [&] { return parseAnswer(cursor.next()); });
    }
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
        throw UserError(messages::emptyFile(StudyDisk::pathLabel(path)));
    }
    const std::string header(line);
    const std::size_t lineCount = 1 + lines.skipRest();
    if (!lines.allAscii())
        return std::nullopt;
    TResponseMatrix matrix = sizedByHeader(path, header, lineCount);
    lines.rewind();
    try {
        lines.next(line);
        std::int32_t* answer = matrix.answers.data();
        std::int32_t* const end = answer + matrix.answers.size();
        if (answer != end) {
            // The line of a failing answer is counted from where the answers stopped.
            try {
                lines.forEachLine([&](std::string_view text) {
                    *answer = parseAnswer(text);
                    ++answer;
                    return answer != end;
                });
            } catch (const UserError& error) {
                failOnLine(path, 2 + static_cast<std::size_t>(answer - matrix.answers.data()), error.what());
            }
        }
        if (answer != end)
            failOnLine(path, 2 + static_cast<std::size_t>(answer - matrix.answers.data()),
                       messages::listIndexOutOfRange());
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

#include "core/Response.h"

#include "core/CheckedCount.h"
#include "core/Error.h"
#include "core/LineCursor.h"
#include "core/Numbers.h"
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

}  // namespace

TResponseMatrix ReadResponseFile(const std::filesystem::path& path) {
    const std::string text = readWholeText(path);
    LineCursor cursor(text);
    if (cursor.atEnd())
        throw UserError(messages::listIndexOutOfRange());
    const CommaFields first = splitAtFirstComma(cursor.next());
    const CommaFields rest = splitAtFirstComma(first.after);
    TResponseMatrix matrix;
    matrix.subjects = parseInteger(first.before);
    matrix.pairs = parseInteger(rest.before);
    matrix.images = parseInteger(rest.after);
    if (matrix.subjects < 0 || matrix.pairs < 0 || matrix.images < 0) {
        throw UserError(messages::listIndexOutOfRange());
    }
    // A header that promises more answers than the file has lines is refused before allocating
    // and before any answer is read, so that a short file always gives the list index error.
    const std::optional<std::int64_t> count = checkedProduct({matrix.subjects, matrix.pairs, matrix.images});
    requireLineNumber(countLines(text), count ? checkedSum({*count, 1}) : std::nullopt);
    matrix.answers.resize(static_cast<std::size_t>(*count));
    for (std::int32_t& answer : matrix.answers)
        answer = parseAnswer(cursor.next());
    return matrix;
}

void WriteResponseFile(const std::filesystem::path& path, const TResponseMatrix& matrix,
                       std::int32_t subjectCount) {
    const std::optional<std::int64_t> product = checkedProduct({subjectCount, matrix.pairs, matrix.images});
    if (!product || static_cast<std::uint64_t>(*product) > matrix.answers.size())
        throw UserError(messages::listIndexOutOfRange());
    const std::size_t count = static_cast<std::size_t>(*product);
    std::vector<std::string> lines;
    lines.reserve(count + 1);
    lines.push_back(std::to_string(subjectCount) + "," + std::to_string(matrix.pairs) + "," +
                    std::to_string(matrix.images));
    for (std::size_t n = 0; n < count; ++n)
        lines.push_back(std::to_string(matrix.answers[n]));
    writeTextLines(path, lines);
}

std::optional<std::size_t> FirstUnanswered(const TResponseMatrix& matrix) {
    for (std::size_t k = 0; k < matrix.answers.size(); ++k) {
        if (matrix.answers[k] == kUnanswered)
            return k;
    }
    return std::nullopt;
}

SheetPosition sheetOfAnswer(const TResponseMatrix& matrix, std::size_t answerNumber) {
    const std::size_t perSubject = static_cast<std::size_t>(matrix.pairs) * matrix.images;
    if (perSubject == 0)
        return {};
    return {static_cast<int>(answerNumber / perSubject),
            static_cast<int>((answerNumber % perSubject) / static_cast<std::size_t>(matrix.images))};
}

std::string SubjectCountText(const std::filesystem::path& path) {
    return splitAtFirstComma(readFirstLine(path)).before;
}

}  // namespace kestrune

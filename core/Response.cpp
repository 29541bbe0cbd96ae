#include "core/Response.h"

#include "core/CheckedCount.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/TextLines.h"

namespace kestrune {

TResponseMatrix ReadResponseFile(const std::filesystem::path& path) {
    const TextLineViews file(path);
    const std::vector<std::string_view>& lines = file.lines();
    const CommaFields first = splitAtFirstComma(lineViewAt(lines, 1));
    const CommaFields rest = splitAtFirstComma(first.after);
    TResponseMatrix matrix;
    matrix.subjects = parseInteger(first.before);
    matrix.pairs = parseInteger(rest.before);
    matrix.images = parseInteger(rest.after);
    if (matrix.subjects < 0 || matrix.pairs < 0 || matrix.images < 0) {
        throw UserError(messages::listIndexOutOfRange());
    }
    // A header that promises more answers than the file has lines is refused before allocating.
    const std::optional<std::int64_t> count = checkedProduct({matrix.subjects, matrix.pairs, matrix.images});
    requireLineNumber(lines.size(), count ? checkedSum({*count, 1}) : std::nullopt);
    matrix.answers.reserve(static_cast<std::size_t>(*count));
    for (std::int64_t n = 1; n <= *count; ++n) {
        matrix.answers.push_back(parseInteger(lines[static_cast<std::size_t>(n)]));
    }
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

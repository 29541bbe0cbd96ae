#include "core/Response.h"

#include "core/CheckedCount.h"
#include "core/Error.h"
#include "core/TextLines.h"

namespace kestrune {

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

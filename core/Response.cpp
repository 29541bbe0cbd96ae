#include "core/Response.h"

#include "core/AtomicFile.h"
#include "core/CheckedCount.h"
#include "core/Error.h"
#include "core/FreshMemory.h"
#include "core/TextLines.h"

namespace kestrune {

void WriteResponseFile(const std::filesystem::path& path, const TResponseMatrix& matrix,
                       std::int32_t subjectCount) {
    const std::optional<std::int64_t> product = checkedProduct({subjectCount, matrix.pairs, matrix.images});
    if (!product || static_cast<std::uint64_t>(*product) > matrix.answers.size())
        throw UserError(messages::listIndexOutOfRange());
    const std::size_t count = static_cast<std::size_t>(*product);
    // Digits, signs and commas only, the same in CP932 as in UTF-8: laid down in one block
    // rather than a string per line, which for 112,500 answers cost more than the writing.
    std::string bytes = std::to_string(subjectCount) + "," + std::to_string(matrix.pairs) + "," +
                        std::to_string(matrix.images) + "\r\n";
    bytes.reserve(bytes.size() + count * 3 + 64);
    populateForWriting(bytes.data(), bytes.capacity());
    for (std::size_t n = 0; n < count; ++n) {
        const std::int32_t answer = matrix.answers[n];
        if (answer >= 0 && answer <= 9) {
            bytes += static_cast<char>('0' + answer);
        } else {
            bytes += std::to_string(answer);
        }
        bytes += "\r\n";
    }
    writeFileAtomically(path, bytes);
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

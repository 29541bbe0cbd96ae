#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrune {

// Answer values of a response data file.
inline constexpr std::int32_t kUnanswered = -1;
inline constexpr std::int32_t kChoseA = 0;
inline constexpr std::int32_t kChoseB = 1;

// The answers of one data file: subject by subject, pair by pair, image by image.
struct TResponseMatrix {
    std::int32_t subjects = 0;  // S
    std::int32_t pairs = 0;     // P
    std::int32_t images = 0;    // I
    std::vector<std::int32_t> answers;

    // 0-based number of the answer of (s, p, i), all 1-based.
    std::size_t indexOf(int s, int p, int i) const {
        return (static_cast<std::size_t>(s - 1) * pairs + (p - 1)) * images + (i - 1);
    }
    std::int32_t at(int s, int p, int i) const { return answers.at(indexOf(s, p, i)); }
    std::size_t answerCount() const { return static_cast<std::size_t>(subjects) * pairs * images; }
};

// Reads a response data file. Lines after the S·P·I answers are ignored; values other than
// -1, 0 and 1 are not rejected here.
TResponseMatrix ReadResponseFile(const std::filesystem::path& path);

// Writes the header "S',P,I" and the first S'·P·I answers, replacing an existing file.
void WriteResponseFile(const std::filesystem::path& path, const TResponseMatrix& matrix,
                       std::int32_t subjectCount);

// The 0-based number of the first unanswered answer, if any.
std::optional<std::size_t> FirstUnanswered(const TResponseMatrix& matrix);

// The sheet (0-based subject and pair) an answer number falls on.
struct SheetPosition {
    int subject = 0;
    int pair = 0;
};
SheetPosition sheetOfAnswer(const TResponseMatrix& matrix, std::size_t answerNumber);

// The header's text before its first comma, as the data file lists show it; reads one line.
std::string SubjectCountText(const std::filesystem::path& path);

}  // namespace kestrune

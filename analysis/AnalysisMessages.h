#pragma once

#include <string>
#include <string_view>

namespace kestrune::analysis_messages {

// Texts of the errors an analysis reports for data it cannot handle. `file` is the path the
// user sees.
std::string noSubjects(std::string_view file);
std::string tooManySubjects(std::string_view file, long long count, int limit);
std::string pairCountOutOfRange(std::string_view file, long long count, int limit);
std::string imageCountOutOfRange(std::string_view file, long long count, int limit);
std::string panelCountOutOfRange(std::string_view file, long long count, int lowest, int limit);
std::string panelNumberOutOfRange(std::string_view file, long long line, long long number, int limit);
std::string unanswered(std::string_view file, long long line);
std::string answerOutOfRange(std::string_view file, long long line, long long value);
std::string imageCountMismatch(std::string_view file, long long fileCount, long long seriesCount);
std::string panelCountChanged(std::string_view file, long long fileCount, long long tableCount);
std::string quantityCountChanged(std::string_view file, long long fileCount, long long tableCount);
std::string quantityCountOutOfRange(std::string_view file, long long count, int limit);
std::string panelCountMismatch(long long columnPanels, long long rowPanels);
std::string notReal(std::string_view text);
std::string headerOutOfRange(std::string_view file, std::string_view header);
std::string variableOutOfRange(std::string_view file, long long number, long long count);

// The message box of the merge without a result file name, and its caption.
inline constexpr std::string_view kEnterFileName = "ファイル名を入力してください!!";
inline constexpr std::string_view kErrorCaption = "エラー";
std::string mergeCountsDisagree(std::string_view file, long long pairs, long long images,
                                long long firstPairs, long long firstImages);
// A merge whose result would hold more subjects or answers than a data file can; -1 stands for
// a count beyond 64 bits.
std::string mergeTooLarge(std::string_view target, long long subjects, long long answers, long long limit);

}  // namespace kestrune::analysis_messages

#pragma once

#include <string>
#include <string_view>

namespace kestrune::statistics::messages {

// Data the statistics cannot use; `file` is the path the user sees.
std::string panelCountUnsupported(std::string_view file, long long panels);
std::string incompletePairSet(std::string_view file);

// Screening and the data file without the screened subjects.
std::string notTestable(double level, double smallestProbability);
inline constexpr std::string_view kNobodyScreened = "除外する被験者はいません。";
inline constexpr std::string_view kEverybodyScreened =
    "すべての被験者が除外されるため、ファイルを作成できません。";
inline constexpr std::string_view kSameAsSource = "元のファイルと同じ名前では作成できません。";
inline constexpr std::string_view kOverwriteQuestion = "同名のファイルが存在しますが、上書きしますか?";
inline constexpr std::string_view kOverwriteCaption = "ファイルの上書きの確認";
std::string levelOutOfRange(std::string_view text);
std::string shareOutOfRange(std::string_view text);

}  // namespace kestrune::statistics::messages

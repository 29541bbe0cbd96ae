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

// Why a test of difference, an interval, a win probability or a plan has no value.
inline constexpr std::string_view kUnequalPairs =
    "パネルの組ごとの提示回数がそろっていないため、計算できません";
inline constexpr std::string_view kNoFiniteFit =
    "最尤推定値が存在しません (全勝または全敗のパネルがあります)";
inline constexpr std::string_view kOneSubject = "被験者が 1 人のため、信頼区間を計算できません";
inline constexpr std::string_view kNoDifferenceInPilot =
    "予備調査ではパネルの間に差がまったくないため、必要な被験者数を決められません";
inline constexpr std::string_view kTooManySubjects = "必要な被験者数が 1000000 人を超えます";
std::string powerOutOfRange(std::string_view text);
std::string confidenceOutOfRange(std::string_view text);
std::string filesDoNotMatch(std::string_view first, std::string_view second);
std::string shareOutOfRange(std::string_view text);

}  // namespace kestrune::statistics::messages

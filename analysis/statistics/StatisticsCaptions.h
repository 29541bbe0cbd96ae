#pragma once

#include <string_view>

namespace kestrune::statistics {

// The usual Japanese names of the statistics; table captions and export titles.
inline constexpr std::string_view kConsistencyCaption = "一致性の係数";
inline constexpr std::string_view kAgreementCaption = "一意性の係数";
inline constexpr std::string_view kThurstoneCaption = "サーストンの一対比較法";
inline constexpr std::string_view kBradleyTerryCaption = "ブラッドリー・テリーのモデル";
inline constexpr std::string_view kOrderEffectCaption = "順序効果";
inline constexpr std::string_view kScreeningCaption = "一貫性の低い被験者";
inline constexpr std::string_view kDifferenceCaption = "パネル間の差の検定";
inline constexpr std::string_view kPairDifferenceCaption = "パネルの対ごとの差";
inline constexpr std::string_view kScoreIntervalCaption = "得点の信頼区間";
inline constexpr std::string_view kWinProbabilityCaption = "勝つ確率";
inline constexpr std::string_view kSamplePlanCaption = "必要な被験者数";
inline constexpr std::string_view kGroupComparisonCaption = "群の比較";

}  // namespace kestrune::statistics

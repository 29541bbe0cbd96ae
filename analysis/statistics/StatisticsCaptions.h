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

}  // namespace kestrune::statistics

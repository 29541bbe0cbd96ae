#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace kestrune {

// The group of subjects whose data a file holds; the index is fixed and shared by every
// chooser and every path.
enum class TSexGroup { Male = 0, Female = 1, Mix = 2 };

inline constexpr std::array<TSexGroup, 3> kAllSexGroups{TSexGroup::Male, TSexGroup::Female, TSexGroup::Mix};

std::string_view sexGroupDirectory(TSexGroup group);     // "male", "female", "mix"
std::string_view sexGroupChooserLabel(TSexGroup group);  // "男性", "女性", "混合" (also the board label)
std::string_view sexGroupRadioLabel(TSexGroup group);    // "男", "女", "混合"
TSexGroup sexGroupFromIndex(int index);                  // 0..2; anything else gives Male

// Accepts a directory name or either label: "male", "男性", "男", ...
std::optional<TSexGroup> parseSexGroup(std::string_view text);

}  // namespace kestrune

#pragma once

#include <string>
#include <vector>

#include "analysis/IndividualView.h"
#include "core/TextGrid.h"

namespace kestrune {

// The scope choice of the individual data sub-page.
enum class IndividualScope { CurrentImage, AllImages };

// The individual text of "保存", "印刷" and "コピー": a block "[" + image word + "]" followed by
// the tab lines of the individual data table filled for that image (Show image). The current
// image gives one block; all images give one block per image tab, each followed by an empty
// line, after which the first tab is selected (`selectedTab` becomes 0) and shown again.
std::vector<std::string> individualTextLines(TextGrid& grid, const IndividualStore& store,
                                             const std::vector<std::string>& imageWords,
                                             IndividualScope scope, int& selectedTab);

}  // namespace kestrune

#include "output/tables/IndividualText.h"

#include "output/tables/TabLines.h"

namespace kestrune {

namespace {

void appendBlock(std::vector<std::string>& lines, TextGrid& grid, const IndividualStore& store,
                 const std::vector<std::string>& imageWords, int tab) {
    showImage(grid, store, tab);
    const bool named = tab >= 0 && tab < static_cast<int>(imageWords.size());
    lines.push_back("[" + (named ? imageWords[tab] : std::string()) + "]");
    for (std::string& line : tabLines(grid))
        lines.push_back(std::move(line));
}

}  // namespace

std::vector<std::string> individualTextLines(TextGrid& grid, const IndividualStore& store,
                                             const std::vector<std::string>& imageWords,
                                             IndividualScope scope, int& selectedTab) {
    std::vector<std::string> lines;
    if (scope == IndividualScope::CurrentImage) {
        appendBlock(lines, grid, store, imageWords, selectedTab);
        return lines;
    }
    for (int tab = 0; tab < static_cast<int>(imageWords.size()); ++tab) {
        appendBlock(lines, grid, store, imageWords, tab);
        lines.emplace_back();
    }
    selectedTab = 0;
    showImage(grid, store, selectedTab);
    return lines;
}

}  // namespace kestrune

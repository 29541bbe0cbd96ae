#pragma once

#include <string>
#include <vector>

#include "analysis/IndividualView.h"
#include "core/TextGrid.h"

namespace kestrune::office {

// The individual data table with its image tabs, as the spreadsheet export walks them:
// selecting a tab shows that image in the table (Show image).
class IndividualImageTabs {
  public:
    virtual ~IndividualImageTabs() = default;
    virtual int tabCount() const = 0;
    virtual int selectedTab() const = 0;
    virtual std::string tabCaption(int tab) const = 0;
    virtual void selectTab(int tab) = 0;
    virtual const TextGrid& grid() const = 0;
};

// The tabs over a table and store held in memory (the batch program, the tests).
class StoredIndividualTabs : public IndividualImageTabs {
  public:
    StoredIndividualTabs(TextGrid& grid, const IndividualStore& store, std::vector<std::string> imageWords,
                         int selectedTab)
        : grid_(grid), store_(store), words_(std::move(imageWords)), selected_(selectedTab) {}

    int tabCount() const override { return static_cast<int>(words_.size()); }
    int selectedTab() const override { return selected_; }
    std::string tabCaption(int tab) const override { return words_.at(tab); }
    void selectTab(int tab) override {
        selected_ = tab;
        showImage(grid_, store_, tab);
    }
    const TextGrid& grid() const override { return grid_; }

  private:
    TextGrid& grid_;
    const IndividualStore& store_;
    std::vector<std::string> words_;
    int selected_;
};

}  // namespace kestrune::office

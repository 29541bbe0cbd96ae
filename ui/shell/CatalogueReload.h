#pragma once

#include <array>

class QTabWidget;

namespace kestrune {

struct AppContext;
class AnalysisPage;
class CataloguePage;
class EntryPage;
class SeriesPage;

// The central refresh: lists the series of the study disk into the series page and the four
// series choosers, hides the other tabs of a disk without series, and runs the page set-ups
// in their fixed order (entry, analysis, correlation matrix, correlation diagram).
class CatalogueReload {
  public:
    // Tab indices of the main window's pages.
    enum Tab { SeriesTab = 0, EntryTab = 1, AnalysisTab = 2, MatrixTab = 3, DiagramTab = 4 };
    using Pages = std::array<CataloguePage*, 4>;

    CatalogueReload(AppContext& context, QTabWidget& tabs, SeriesPage& seriesPage, EntryPage& entryPage,
                    AnalysisPage& analysisPage, Pages pages);

    // Full: the series list is filled anew too; otherwise only the choosers are.
    void ReloadCatalogue(bool full);
    // The four set-ups, each for the series of its own chooser.
    void runPageSetUps();
    // Whether the last reload found a series (the other tabs are shown).
    bool hasSeries() const { return hasSeries_; }
    // Tabs while an entry runs: only the entry page's; afterwards as the catalogue has them.
    void showEntryOnly(bool entryOnly);

  private:
    void setOtherTabsVisible(bool visible);

    AppContext& context_;
    QTabWidget& tabs_;
    SeriesPage& seriesPage_;
    EntryPage& entryPage_;
    AnalysisPage& analysisPage_;
    Pages pages_;
    bool hasSeries_ = false;
};

}  // namespace kestrune

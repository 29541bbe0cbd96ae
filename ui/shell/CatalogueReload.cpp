#include "ui/shell/CatalogueReload.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTabWidget>

#include "core/Listings.h"
#include "ui/analysis/AnalysisPage.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/entry/EntryPage.h"
#include "ui/series/SeriesPage.h"
#include "ui/shell/CataloguePage.h"

namespace kestrune {

CatalogueReload::CatalogueReload(AppContext& context, QTabWidget& tabs, SeriesPage& seriesPage,
                                 EntryPage& entryPage, AnalysisPage& analysisPage, Pages pages)
    : context_(context),
      tabs_(tabs),
      seriesPage_(seriesPage),
      entryPage_(entryPage),
      analysisPage_(analysisPage),
      pages_(pages) {}

void CatalogueReload::setOtherTabsVisible(bool visible) {
    for (int tab = EntryTab; tab <= DiagramTab; ++tab)
        tabs_.setTabVisible(tab, visible);
}

void CatalogueReload::showEntryOnly(bool entryOnly) {
    for (int tab = SeriesTab; tab <= DiagramTab; ++tab) {
        const bool visible = entryOnly ? tab == EntryTab : tab == SeriesTab || hasSeries_;
        tabs_.setTabVisible(tab, visible);
    }
    tabs_.setCurrentIndex(entryOnly || hasSeries_ ? EntryTab : SeriesTab);
}

void CatalogueReload::ReloadCatalogue(bool full) {
    if (full) {
        seriesPage_.clearSeries();
        seriesPage_.setColumnWidths();
    }
    entryPage_.setDataFileColumnWidths();
    analysisPage_.setDataFileColumnWidths();

    // The choosers are filled quietly: their own change would run the set-ups once per item.
    std::vector<QSignalBlocker> quiet;
    for (CataloguePage* page : pages_) {
        quiet.emplace_back(page->seriesChooser());
        page->seriesChooser()->clear();
    }

    const std::vector<std::filesystem::path> orderFiles =
        enumerateFiles(context_.disk.orderDirectory(), ".ord");
    if (orderFiles.empty()) {
        hasSeries_ = false;
        seriesPage_.clearFileList();
        tabs_.setCurrentIndex(SeriesTab);
        setOtherTabsVisible(false);
        return;
    }
    hasSeries_ = true;
    setOtherTabsVisible(true);

    const Listing<SeriesRow> catalogue = listSeriesCatalogue(context_.disk);
    auto addToChoosers = [this](const QString& name) {
        for (CataloguePage* page : pages_)
            page->seriesChooser()->addItem(name);
    };
    for (const SeriesRow& row : catalogue.rows) {
        if (full)
            seriesPage_.addSeriesRow(row);
        addToChoosers(QString::fromStdString(row.name));
    }
    for (CataloguePage* page : pages_)
        page->seriesChooser()->model()->sort(0);

    if (catalogue.failure) {
        // The series whose files could not be read keeps its row and chooser item; the
        // choosers are not reselected and no set-up runs.
        quiet.clear();
        showError(context_.prompter, *catalogue.failure);
        return;
    }

    for (CataloguePage* page : pages_)
        page->seriesChooser()->setCurrentIndex(0);
    quiet.clear();
    runPageSetUps();
}

void CatalogueReload::runPageSetUps() {
    for (CataloguePage* page : pages_)
        page->setUpPage();
}

}  // namespace kestrune

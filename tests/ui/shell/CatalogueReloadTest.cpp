#include <gtest/gtest.h>

#include <QComboBox>
#include <QTabWidget>
#include <QTreeWidget>

#include "tests/support/TempDisk.h"
#include "tests/support/widgets/ScriptedPrompter.h"
#include "ui/analysis/AnalysisPage.h"
#include "ui/common/AppContext.h"
#include "ui/entry/EndEntryDialog.h"
#include "ui/entry/EntryPage.h"
#include "ui/series/SeriesPage.h"
#include "ui/shell/CataloguePage.h"
#include "ui/shell/CatalogueReload.h"

namespace kestrune::testing {
namespace {

// A page that writes down when it is set up and for which series.
class RecordingPage : public QWidget, public CataloguePage {
  public:
    RecordingPage(QString name, QStringList& log) : name_(std::move(name)), log_(log) {}
    QComboBox* seriesChooser() override { return &chooser_; }
    void setUpPage() override { log_ << name_ + ":" + chooser_.currentText(); }

  private:
    QString name_;
    QStringList& log_;
    QComboBox chooser_;
};

class CatalogueReloadTest : public ::testing::Test {
  protected:
    CatalogueReloadTest() {
        context.disk.setRoot(disk.root());
        for (const char* caption : {"series", "entry", "analysis", "matrix", "diagram"}) {
            tabs.addTab(new QWidget, QString::fromLatin1(caption));
        }
        reload =
            std::make_unique<CatalogueReload>(context, tabs, seriesPage, entryPage, analysisPage,
                                              CatalogueReload::Pages{&entry, &analysis, &matrix, &diagram});
        for (RecordingPage* page : {&entry, &analysis, &matrix, &diagram}) {
            QObject::connect(page->seriesChooser(), &QComboBox::currentIndexChanged,
                             [this] { log << QStringLiteral("chooser changed"); });
        }
    }

    TempDisk disk;
    ScriptedPrompter prompter;
    AppContext context{prompter};
    QStringList log;
    QTabWidget tabs;
    SeriesPage seriesPage{context};
    EndEntryDialog endDialog;
    EntryPage entryPage{context, endDialog};
    AnalysisPage analysisPage{context};
    RecordingPage entry{"entry", log}, analysis{"analysis", log}, matrix{"matrix", log},
        diagram{"diagram", log};
    std::unique_ptr<CatalogueReload> reload;
};

TEST_F(CatalogueReloadTest, SetsThePagesUpOnceInTheirFixedOrderForTheFirstSeries) {
    disk.makeSeries("b", 3, {"w"});
    disk.makeSeries("a", 3, {"w"});
    reload->ReloadCatalogue(true);
    EXPECT_EQ(log, (QStringList{"entry:a", "analysis:a", "matrix:a", "diagram:a"}));
    EXPECT_TRUE(reload->hasSeries());
}

TEST_F(CatalogueReloadTest, AnEmptyDiskSetsNothingUpAndShowsTheSeriesPage) {
    disk.makeSeries("a", 3, {"w"});
    reload->ReloadCatalogue(true);
    tabs.setCurrentIndex(3);
    std::filesystem::remove(disk.path("order/a.ord"));
    log.clear();
    reload->ReloadCatalogue(true);
    EXPECT_TRUE(log.isEmpty()) << log.join(' ').toStdString();
    EXPECT_EQ(tabs.currentIndex(), 0);
    EXPECT_EQ(entry.seriesChooser()->count(), 0);
    EXPECT_EQ(seriesPage.seriesList()->topLevelItemCount(), 0);
    EXPECT_FALSE(reload->hasSeries());
}

TEST_F(CatalogueReloadTest, AFailedListingRunsNoSetUp) {
    disk.makeSeries("a", 3, {"w"});
    disk.writeBytes("paper/a.pap", "");
    reload->ReloadCatalogue(true);
    EXPECT_TRUE(log.isEmpty()) << log.join(' ').toStdString();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(
        prompter.lastText().endsWith(QStringLiteral("a.pap は空です: ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています")))
        << prompter.lastText().toStdString();
    EXPECT_EQ(prompter.messages.back().icon, PromptIcon::Error);
}

TEST_F(CatalogueReloadTest, AFirstLineWithoutACommaGivesAnEmptyPanelCount) {
    disk.makeSeries("a", 3, {"w"});
    disk.writeLines("order/a.ord", {"3"});
    reload->ReloadCatalogue(true);
    ASSERT_EQ(seriesPage.seriesList()->topLevelItemCount(), 1);
    EXPECT_EQ(seriesPage.seriesList()->topLevelItem(0)->text(1), QString());
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(CatalogueReloadTest, TheEndOfAnEntryRestoresTheTabsTheCatalogueHad) {
    disk.makeSeries("a", 3, {"w"});
    reload->ReloadCatalogue(true);
    reload->showEntryOnly(true);
    EXPECT_FALSE(tabs.isTabVisible(0));
    EXPECT_TRUE(tabs.isTabVisible(1));
    reload->showEntryOnly(false);
    for (int tab = 0; tab < 5; ++tab)
        EXPECT_TRUE(tabs.isTabVisible(tab)) << tab;
}

}  // namespace
}  // namespace kestrune::testing

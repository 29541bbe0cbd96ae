// The analysis page on the sample study disk: every caption whole in each sub-page, and the
// screenshots of them (with KESTRUNE_SCREENSHOT_DIR set).
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "tests/ui/shell/LayoutFixture.h"
#include "ui/analysis/AnalysisPage.h"
#include "ui/analysis/DataFileList.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/shell/CatalogueReload.h"

namespace kestrune::testing {
namespace {

TEST_F(LayoutTest, EveryAnalysisSubPageShowsEveryCaptionWhole) {
    MainWindowOptions options;
    options.studyDisk = std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk";
    window = std::make_unique<MainWindow>(context, options);
    window->resize(1100, 720);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->pages()->setCurrentIndex(CatalogueReload::AnalysisTab);
    AnalysisPage* page = window->analysisPage();
    page->seriesChooser()->setCurrentIndex(page->seriesChooser()->findText(QStringLiteral("色彩の印象")));
    page->sexGroupChooser()->setCurrentIndex(static_cast<int>(TSexGroup::Mix));
    ASSERT_EQ(page->dataFileList()->topLevelItemCount(), 1);
    page->dataFileList()->topLevelItem(0)->setSelected(true);

    auto check = [&](QPushButton* button, const QString& name) {
        button->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(clippedTexts(window.get()).isEmpty())
            << name.toStdString() << ": " << clippedTexts(window.get()).join(" | ").toStdString();
        save(window.get(), name);
    };
    check(page->aggregateButton(), QStringLiteral("analysis-scale-values"));
    check(page->individualButton(), QStringLiteral("analysis-individual"));
    check(page->joinButton(), QStringLiteral("analysis-join"));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
}

}  // namespace
}  // namespace kestrune::testing

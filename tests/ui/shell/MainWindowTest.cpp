#include <QAction>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTreeWidget>

#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/analysis/DataFileList.h"
#include "ui/analysis/AnalysisPage.h"
#include "ui/correlation/CorrelationDiagramPage.h"
#include "ui/correlation/CorrelationMatrixPage.h"
#include "ui/shell/DriveBox.h"
#include "ui/entry/EndEntryDialog.h"
#include "ui/entry/EntryPage.h"
#include "ui/figures/PageSetupDialog.h"
#include "ui/series/SeriesPage.h"

namespace kestrune::testing {
namespace {

QStringList rowTexts(QTreeWidget* list, int column) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

QStringList actionTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

QAction* actionNamed(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

TEST_F(MainWindowTest, ShowsTheCaptionThePagesAndTheMenus) {
    openWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kestrune for Windows95/NT"));
    QStringList tabs;
    for (int i = 0; i < window->pages()->count(); ++i)
        tabs << window->pages()->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"シリーズ設定", "データ入力/修正", "データ集計/出力", "相関マトリックス",
                                 "相関図"}));
    EXPECT_EQ(actionTexts(window->fileMenu()),
              (QStringList{"ドライブの選択(&D)", "新規作成(&N)", "終了(&X)"}));
    EXPECT_EQ(actionTexts(window->windowMenu()),
              (QStringList{"シリーズ設定(&S)", "データ入力(&I)", "データ出力(&O)", "相関マトリックス(&M)",
                           "相関図(&F)"}));
    EXPECT_EQ(actionTexts(window->toolsMenu()), (QStringList{"-", "バージョン情報(&V)"}));
    EXPECT_EQ(window->refreshAction()->text(), QStringLiteral("最新の情報に更新"));
    EXPECT_EQ(window->refreshAction()->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(window->endEntryDialog()->windowTitle(), QStringLiteral("入力終了"));
    EXPECT_EQ(window->pageSetupDialog()->windowTitle(), QStringLiteral("ページ設定"));
}

TEST_F(MainWindowTest, StartsWithTheSeriesPageTheEmptySubPageAndTheRunState) {
    disk.makeSeries("a", 3, {"w"});
    context.figureMargins.top = 5;
    openWindow();
    EXPECT_EQ(window->pages()->currentIndex(), 0);
    EXPECT_EQ(window->analysisPage()->subPages()->currentIndex(), AnalysisPage::EmptySubPage);
    EXPECT_FALSE(window->analysisPage()->subPages()->tabBar()->isVisible());
    EXPECT_EQ(context.figureMargins.top, 20);
    EXPECT_EQ(window->dataFileSortDirections(), (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(window->diagramPicture().width(), 1000);
    EXPECT_EQ(window->diagramPicture().height(), 1000);
    QTreeWidget* files = window->analysisPage()->dataFileList();
    EXPECT_EQ(files->columnWidth(0), 200);
    EXPECT_EQ(files->columnWidth(1), 50);
    EXPECT_EQ(files->columnWidth(2), 80);
}

TEST_F(MainWindowTest, ListsTwoSeriesInTheListAndInEveryChooser) {
    disk.makeSeries("b", 4, {"w1"});
    disk.makeSeries("a", 3, {"w1", "w2"});
    openWindow();
    QTreeWidget* list = window->seriesPage()->seriesList();
    EXPECT_EQ(rowTexts(list, 0), (QStringList{"a", "b"}));
    EXPECT_EQ(rowTexts(list, 1), (QStringList{"3", "4"}));
    EXPECT_EQ(rowTexts(list, 2), (QStringList{"2", "1"}));
    EXPECT_EQ(list->headerItem()->text(3), QStringLiteral("コメント"));
    EXPECT_EQ(list->columnWidth(0), 200);
    EXPECT_EQ(list->columnWidth(1), 80);
    EXPECT_EQ(list->columnWidth(2), 80);
    EXPECT_EQ(list->columnWidth(3), 100);
    EXPECT_FALSE(list->topLevelItem(0)->icon(0).isNull());
    for (QComboBox* chooser :
         {window->entryPage()->seriesChooser(), window->analysisPage()->seriesChooser(),
          window->matrixPage()->seriesChooser(), window->diagramPage()->seriesChooser()}) {
        EXPECT_EQ(items(chooser), (QStringList{"a", "b"}));
        EXPECT_EQ(chooser->currentText(), QStringLiteral("a"));
    }
    for (int tab = 0; tab < 5; ++tab)
        EXPECT_TRUE(window->pages()->isTabVisible(tab)) << tab;
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainWindowTest, AnEmptyDiskShowsOnlyTheSeriesPage) {
    openWindow();
    EXPECT_TRUE(window->pages()->isTabVisible(0));
    for (int tab = 1; tab < 5; ++tab)
        EXPECT_FALSE(window->pages()->isTabVisible(tab)) << tab;
    EXPECT_EQ(window->seriesPage()->seriesList()->topLevelItemCount(), 0);
    EXPECT_EQ(window->entryPage()->seriesChooser()->count(), 0);
    EXPECT_EQ(window->diagramPage()->seriesChooser()->count(), 0);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(MainWindowTest, SeriesCommentsComeFromTheRegistryWhateverTheKeyCase) {
    disk.makeSeries("a", 3, {"w"});
    disk.makeSeries("b", 3, {"w"});
    disk.writeLines("kestrune.ini", {"[groups]", "A=first series"});
    openWindow();
    EXPECT_EQ(rowTexts(window->seriesPage()->seriesList(), 3), (QStringList{"first series", ""}));
}

TEST_F(MainWindowTest, F5SeesASwappedDiskAndTheSeriesTabsComeBack) {
    openWindow();
    ASSERT_FALSE(window->pages()->isTabVisible(1));
    disk.makeSeries("neu", 3, {"w"});
    window->refreshAction()->trigger();
    EXPECT_EQ(rowTexts(window->seriesPage()->seriesList(), 0), (QStringList{"neu"}));
    EXPECT_TRUE(window->pages()->isTabVisible(1));
    EXPECT_EQ(window->matrixPage()->seriesChooser()->currentText(), QStringLiteral("neu"));
}

TEST_F(MainWindowTest, TheWindowMenuDoesNothingForAHiddenTab) {
    openWindow();
    actionNamed(window->windowMenu(), QStringLiteral("相関図(&F)"))->trigger();
    EXPECT_EQ(window->pages()->currentIndex(), 0);
}

TEST_F(MainWindowTest, TheWindowMenuShowsAVisiblePage) {
    disk.makeSeries("a", 3, {"w"});
    openWindow();
    actionNamed(window->windowMenu(), QStringLiteral("相関図(&F)"))->trigger();
    EXPECT_EQ(window->pages()->currentIndex(), 4);
    actionNamed(window->windowMenu(), QStringLiteral("データ出力(&O)"))->trigger();
    EXPECT_EQ(window->pages()->currentIndex(), 2);
    actionNamed(window->windowMenu(), QStringLiteral("シリーズ設定(&S)"))->trigger();
    EXPECT_EQ(window->pages()->currentIndex(), 0);
}

TEST_F(MainWindowTest, AReloadThatIsNotFullKeepsTheRowsAndRefillsTheChoosers) {
    disk.makeSeries("a", 3, {"w"});
    openWindow();
    disk.makeSeries("c", 3, {"w"});
    window->ReloadCatalogue(false);
    EXPECT_EQ(rowTexts(window->seriesPage()->seriesList(), 0), (QStringList{"a"}));
    EXPECT_EQ(items(window->analysisPage()->seriesChooser()), (QStringList{"a", "c"}));
}

TEST_F(MainWindowTest, AnOrderFileWithoutItsVocabularyStopsTheListingWithTheFileMessage) {
    disk.makeSeries("a", 3, {"w"});
    disk.makeSeries("b", 3, {"w"});
    disk.makeSeries("c", 3, {"w"});
    std::filesystem::remove(disk.path("paper/b.pap"));
    openWindow();
    EXPECT_EQ(rowTexts(window->seriesPage()->seriesList(), 0), (QStringList{"a", "b"}));
    EXPECT_EQ(items(window->entryPage()->seriesChooser()), (QStringList{"a", "b"}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.lastText().startsWith(QStringLiteral("ﾌｧｲﾙ "))) << prompter.lastText().toStdString();
    EXPECT_TRUE(prompter.lastText().endsWith(QStringLiteral("b.pap は開けません")))
        << prompter.lastText().toStdString();
}

TEST_F(MainWindowTest, AnEntryRunHidesTheOtherTabsAndDisablesTheDriveBox) {
    disk.makeSeries("a", 3, {"w"});
    openWindow();
    emit window->entryPage()->lockChanged(true);
    for (int tab = 0; tab < 5; ++tab)
        EXPECT_EQ(window->pages()->isTabVisible(tab), tab == 1) << tab;
    EXPECT_EQ(window->pages()->currentIndex(), 1);
    EXPECT_FALSE(window->driveBox()->isEnabled());
    actionNamed(window->windowMenu(), QStringLiteral("シリーズ設定(&S)"))->trigger();
    EXPECT_EQ(window->pages()->currentIndex(), 1);
    emit window->entryPage()->lockChanged(false);
    for (int tab = 0; tab < 5; ++tab)
        EXPECT_TRUE(window->pages()->isTabVisible(tab)) << tab;
    EXPECT_TRUE(window->driveBox()->isEnabled());
}

TEST_F(MainWindowTest, ChoosingAnotherDirectoryInTheDriveBoxReloadsOnIt) {
    disk.makeSeries("a", 3, {"w"});
    openWindow();
    TempDisk other;
    other.makeSeries("z", 3, {"w"});
    prompter.directories.push_back(QString::fromStdString(other.root().string()));
    DriveBox* box = window->driveBox();
    const int pick = box->findText(QStringLiteral("..."));
    ASSERT_GE(pick, 0);
    box->setCurrentIndex(pick);
    emit box->activated(pick);
    EXPECT_EQ(context.disk.root(), other.root());
    EXPECT_EQ(box->currentText(), QString::fromStdString(other.root().string()));
    EXPECT_EQ(rowTexts(window->seriesPage()->seriesList(), 0), (QStringList{"z"}));
    // Back to the first disk through its own item.
    box->setCurrentIndex(0);
    emit box->activated(0);
    EXPECT_EQ(rowTexts(window->seriesPage()->seriesList(), 0), (QStringList{"a"}));
}

TEST_F(MainWindowTest, ACancelledDirectoryChoiceKeepsTheDisk) {
    disk.makeSeries("a", 3, {"w"});
    openWindow();
    DriveBox* box = window->driveBox();
    const int pick = box->findText(QStringLiteral("..."));
    box->setCurrentIndex(pick);
    emit box->activated(pick);
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(context.disk.root(), disk.root());
}

TEST_F(MainWindowTest, TheAboutBoxNamesTheApplicationAndTheBuild) {
    openWindow();
    QString title, name, second;
    prompter.dialogHandlers.push_back([&](QDialog& dialog) {
        title = dialog.windowTitle();
        name = dialog.findChild<QLabel*>(QStringLiteral("aboutAppName"))->text();
        second = dialog.findChild<QLabel*>(QStringLiteral("aboutSecondText"))->text();
        return int(QDialog::Accepted);
    });
    window->aboutAction()->trigger();
    EXPECT_EQ(title, QStringLiteral("Version Information"));
    EXPECT_EQ(name, QStringLiteral("Kestrune for Windows95/NT"));
    EXPECT_TRUE(second.startsWith(QStringLiteral("Created by "))) << second.toStdString();
    EXPECT_TRUE(second.contains(QStringLiteral(",20"))) << second.toStdString();
}

TEST_F(MainWindowTest, ClosesWhenNoEntryRuns) {
    openWindow();
    window->show();
    EXPECT_TRUE(window->close());
}

}  // namespace
}  // namespace kestrune::testing

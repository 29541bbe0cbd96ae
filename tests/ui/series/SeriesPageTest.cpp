#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/analysis/AnalysisPage.h"
#include "ui/correlation/CorrelationDiagramPage.h"
#include "ui/entry/EntryPage.h"
#include "ui/series/PanelCountBox.h"
#include "ui/series/SeriesActions.h"
#include "ui/series/SeriesPage.h"
#include "ui/series/SeriesWizard.h"
#include "ui/series/TSFileListBox.h"
#include "ui/series/WizardButtons.h"
#include "ui/series/WizardImagePage.h"
#include "ui/series/WizardNamePage.h"
#include "ui/series/WizardOrderPage.h"
#include "ui/series/WizardSummaryPage.h"

namespace kestrune::testing {
namespace {

class SeriesPageTest : public MainWindowTest {
  protected:
    SeriesPage* page() { return window->seriesPage(); }
    QStringList names() { return page()->seriesNames(); }
    void clickRow(const QString& name) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(page()->selectSeries(name));
        QTreeWidget* list = page()->seriesList();
        const QRect row = list->visualItemRect(list->currentItem());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    }
    // Edits the selected name in place as the user does: F2, type, Enter.
    void renameInPlace(const QString& newName) {
        window->show();
        QTreeWidget* list = page()->seriesList();
        list->setFocus();
        page()->renameAction()->trigger();
        auto* editor = list->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, newName);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor commits through a queued call, and the rename follows in another.
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }
};

TEST_F(SeriesPageTest, TheControlsCarryTheirCaptionsAndHints) {
    openWindow();
    EXPECT_EQ(page()->createButton()->text(), QStringLiteral("新しいシリーズの作成"));
    EXPECT_EQ(page()->createButton()->toolTip(),
              QStringLiteral("新しいシリーズの設定に必要なファイルを作成します。"));
    EXPECT_EQ(page()->fileList()->toolTip(), QStringLiteral("このシリーズに含まれるファイルの一覧です。"));
    QStringList radios;
    for (QAbstractButton* button : page()->sexGroupButtons()->buttons())
        radios << button->text();
    EXPECT_EQ(radios, (QStringList{"男", "女", "混合"}));
    EXPECT_EQ(page()->sexGroupButtons()->checkedId(), 0);
    QStringList popup;
    for (QAction* action : page()->popupMenu()->actions())
        popup << action->text();
    EXPECT_EQ(popup, (QStringList{"追加", "削除", "シリーズ名の変更"}));
    EXPECT_EQ(page()->renameAction()->shortcut(), QKeySequence(Qt::Key_F2));
}

TEST_F(SeriesPageTest, ThePopupOffersDeleteAndRenameOnlyForASelectedSeries) {
    disk.makeSeries("a", 3, {"w"});
    openWindow();
    emit page()->popupMenu()->aboutToShow();
    EXPECT_TRUE(page()->addAction()->isEnabled());
    EXPECT_FALSE(page()->deleteAction()->isEnabled());
    EXPECT_FALSE(page()->renameAction()->isEnabled());
    page()->selectSeries(QStringLiteral("a"));
    emit page()->popupMenu()->aboutToShow();
    EXPECT_TRUE(page()->deleteAction()->isEnabled());
    EXPECT_TRUE(page()->renameAction()->isEnabled());
}

TEST_F(SeriesPageTest, TheFileListShowsTheChosenGroupOfTheClickedSeries) {
    disk.makeSeries("a", 3, {"w"});
    disk.writeBytes("male/a/m1.dat", "1,3,1\r\n");
    disk.writeBytes("female/a/f2.dat", "1,3,1\r\n");
    disk.writeBytes("female/a/f1.txt", "x");
    disk.writeBytes("female/a/.hidden", "x");
    disk.makeDirectory("female/a/sub");
    openWindow();
    clickRow(QStringLiteral("a"));
    EXPECT_EQ(page()->fileList()->fileNames(), (QStringList{"m1.dat"}));
    page()->sexGroupButtons()->button(1)->click();
    EXPECT_EQ(page()->fileList()->fileNames(), (QStringList{"f1.txt", "f2.dat"}));
}

TEST_F(SeriesPageTest, AMissingGroupDirectoryEmptiesTheListSilently) {
    disk.makeSeries("a", 3, {"w"});
    // A whole data file: the correlation pages read it when the catalogue loads.
    disk.writeBytes("male/a/m1.dat", "1,3,1\r\n0\r\n1\r\n0\r\n");
    std::filesystem::remove_all(disk.path("female/a"));
    openWindow();
    clickRow(QStringLiteral("a"));
    ASSERT_EQ(page()->fileList()->count(), 1);
    page()->sexGroupButtons()->button(1)->click();
    EXPECT_EQ(page()->fileList()->count(), 0);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SeriesPageTest, RenamingInPlaceRenamesTheSeriesEverywhere) {
    disk.makeSeries("a", 3, {"w"});
    disk.makeSeries("b", 3, {"w"});
    openWindow();
    page()->selectSeries(QStringLiteral("a"));
    renameInPlace(QStringLiteral("c"));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    EXPECT_TRUE(std::filesystem::exists(disk.path("order/c.ord")));
    EXPECT_EQ(names(), (QStringList{"b", "c"}));
    EXPECT_EQ(page()->seriesList()->topLevelItem(1)->text(1), QStringLiteral("3"));
    EXPECT_EQ(items(window->entryPage()->seriesChooser()), (QStringList{"b", "c"}));
    EXPECT_EQ(items(window->diagramPage()->seriesChooser()), (QStringList{"b", "c"}));
}

TEST_F(SeriesPageTest, ARenameThatFailsKeepsTheOldNameAndSaysSo) {
    disk.makeSeries("a", 3, {"w"});
    std::filesystem::remove(disk.path("order/a.ord"));
    disk.writeBytes("order/z.ord", "3,3\r\n1,2\r\n1,3\r\n2,3\r\n");
    disk.writeBytes("paper/z.pap", "1\r\n\"w\"\r\n");
    openWindow();
    ASSERT_TRUE(window->seriesActions() != nullptr);
    emit page()->renameSeriesRequested(QStringLiteral("a"), QStringLiteral("n"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("シリーズ名が変更できませんでした。"));
    EXPECT_EQ(prompter.messages[0].caption, QStringLiteral("エラー"));
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::Ok);
    for (const char* place : {"male/a", "female/a", "mix/a"}) {
        EXPECT_TRUE(std::filesystem::exists(disk.path(place))) << place;
    }
    EXPECT_FALSE(std::filesystem::exists(disk.path("male/n")));
    EXPECT_EQ(names(), (QStringList{"z"}));
}

TEST_F(SeriesPageTest, AnEmptyOrUnchangedNameChangesNothing) {
    disk.makeSeries("a", 3, {"w"});
    openWindow();
    page()->selectSeries(QStringLiteral("a"));
    renameInPlace(QStringLiteral("a"));
    page()->selectSeries(QStringLiteral("a"));
    renameInPlace(QString());
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(names(), (QStringList{"a"}));
    EXPECT_TRUE(std::filesystem::exists(disk.path("order/a.ord")));
}

TEST_F(SeriesPageTest, DeleteDeclinedSaysItCouldNotDelete) {
    disk.makeSeries("a", 3, {"w"});
    openWindow();
    page()->selectSeries(QStringLiteral("a"));
    prompter.answers.push_back(PromptAnswer::No);
    page()->deleteAction()->trigger();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("a")));
    EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompter.messages[1].text, QStringLiteral("削除できませんでした。"));
    EXPECT_EQ(prompter.messages[1].caption, QStringLiteral("Error"));
    EXPECT_EQ(prompter.messages[1].buttons, PromptButtons::Ok);
    EXPECT_TRUE(std::filesystem::exists(disk.path("order/a.ord")));
    EXPECT_EQ(names(), (QStringList{"a"}));
}

TEST_F(SeriesPageTest, DeleteThatFailsPutsEverythingBack) {
    disk.makeSeries("a", 3, {"w"});
    disk.writeBytes("mix/a/run.dat", "1,3,1\r\n");
    openWindow();
    window->seriesActions()->setTrashMover(
        [](const std::filesystem::path& place) -> std::optional<std::filesystem::path> {
            if (place.filename() == "a.pap")
                return std::nullopt;
            return moveToDesktopTrash(place);
        });
    page()->selectSeries(QStringLiteral("a"));
    page()->deleteAction()->trigger();
    EXPECT_EQ(prompter.lastText(), QStringLiteral("削除できませんでした。"));
    EXPECT_EQ(readBytes(disk.path("mix/a/run.dat")), "1,3,1\r\n");
    EXPECT_TRUE(std::filesystem::exists(disk.path("order/a.ord")));
    EXPECT_EQ(names(), (QStringList{"a"}));
}

TEST_F(SeriesPageTest, DeleteConfirmedTrashesTheSeriesAndReloads) {
    disk.makeSeries("a", 3, {"w"});
    disk.makeSeries("b", 3, {"w"});
    openWindow();
    page()->selectSeries(QStringLiteral("a"));
    page()->deleteAction()->trigger();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(disk.path("order/a.ord")));
    EXPECT_FALSE(std::filesystem::exists(disk.path("male/a")));
    EXPECT_EQ(names(), (QStringList{"b"}));
    EXPECT_EQ(items(window->analysisPage()->seriesChooser()), (QStringList{"b"}));
}

TEST_F(SeriesPageTest, TheCreateButtonRunsTheWizardAndListsTheNewSeries) {
    openWindow();
    prompter.dialogHandlers.push_back([](QDialog& dialog) {
        auto& wizard = dynamic_cast<SeriesWizard&>(dialog);
        wizard.namePage()->nameBox()->setText(QStringLiteral("新シリーズ"));
        wizard.namePage()->panelCountBox()->setValue(3);
        wizard.namePage()->buttons()->forward()->click();
        wizard.imagePage()->wordBox()->setText(QStringLiteral("明るい"));
        wizard.imagePage()->addButton()->click();
        wizard.imagePage()->buttons()->forward()->click();
        wizard.orderPage()->setCell(0, 1, QStringLiteral("2"));
        wizard.orderPage()->setCell(1, 1, QStringLiteral("3"));
        wizard.orderPage()->setCell(2, 0, QStringLiteral("2"));
        wizard.orderPage()->setCell(2, 1, QStringLiteral("3"));
        wizard.orderPage()->buttons()->forward()->click();
        wizard.summaryPage()->buttons()->forward()->click();
        return wizard.result();
    });
    page()->createButton()->click();
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    EXPECT_EQ(names(), (QStringList{"新シリーズ"}));
    EXPECT_TRUE(window->pages()->isTabVisible(1));
}

TEST_F(SeriesPageTest, ACancelledWizardStillReloads) {
    openWindow();
    disk.makeSeries("meanwhile", 3, {"w"});
    window->newSeriesAction()->trigger();  // the scripted prompter rejects the wizard
    EXPECT_EQ(names(), (QStringList{"meanwhile"}));
}

}  // namespace
}  // namespace kestrune::testing

// The correlation pages choose a group and a file by themselves. They start on a group that
// has data; a damaged file they chose is told in the page itself, never by a message box at
// each refresh, and never leaves another file's numbers; a message comes when the user
// chooses the file. Shown again, a page lists the disk as it is.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "tests/ui/correlation/CorrelationDisk.h"
#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/common/StartFolderPrompter.h"
#include "ui/correlation/CorrelationDiagramPage.h"
#include "ui/correlation/CorrelationMatrixPage.h"
#include "ui/correlation/CorrelationSideControls.h"
#include "ui/correlation/DiagramArea.h"
#include "ui/shell/CatalogueReload.h"

namespace kestrune::testing {
namespace {

std::string numbersOf(const TextGrid& grid) {
    std::string joined;
    for (int r = grid.fixedRows; r < grid.rowCount(); ++r) {
        for (int c = grid.fixedColumns; c < grid.columnCount(); ++c)
            joined += grid.cell(c, r);
    }
    return joined;
}

QStringList itemsOf(QComboBox* chooser) {
    QStringList texts;
    for (int i = 0; i < chooser->count(); ++i)
        texts << chooser->itemText(i);
    return texts;
}

class AutomaticChoiceTest : public MainWindowTest {
  protected:
    void SetUp() override {
        disk.makeSeries("色", 5, {"明るい", "暖かい", "派手な", "重い"});
        // Only the female group has data; both of its files have a letter among the answers.
        std::vector<std::string> damaged = answerLines(6, 10, 4, 7);
        damaged[51] = "a";
        disk.writeLines("female/色/春.dat", damaged);
        disk.writeLines("female/色/夏.dat", damaged);
        disk.writeLines("mix/色/全員.dat", answerLines(8, 10, 4, 11));
    }

    CorrelationMatrixPage& matrix() { return *window->matrixPage(); }
    CorrelationDiagramPage& diagram() { return *window->diagramPage(); }
};

TEST_F(AutomaticChoiceTest, ADamagedFileThePageChoseIsShownInThePageAndToldWhenChosen) {
    openWindow();
    window->show();
    window->pages()->setCurrentIndex(CatalogueReload::MatrixTab);
    CorrelationSideControls& columns = matrix().columnSide();
    // The first group with data of the series, not the empty 男性.
    EXPECT_EQ(columns.group(), TSexGroup::Female);
    EXPECT_EQ(matrix().rowSide().group(), TSexGroup::Female);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    EXPECT_TRUE(matrix().stateLabel()->text().contains(QStringLiteral("整数ではありません")))
        << matrix().stateLabel()->text().toStdString();
    EXPECT_EQ(numbersOf(matrix().grid()), "");
    EXPECT_FALSE(matrix().saveButton()->isEnabled());
    EXPECT_FALSE(matrix().excelButton()->isEnabled());

    // F5 and another page shown: still no message box.
    window->refresh();
    window->pages()->setCurrentIndex(CatalogueReload::DiagramTab);
    EXPECT_TRUE(diagram().diagramArea()->text().contains(QStringLiteral("整数ではありません")))
        << diagram().diagramArea()->text().toStdString();
    window->pages()->setCurrentIndex(CatalogueReload::MatrixTab);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();

    // A good file computes; the damaged group chosen again keeps none of its numbers.
    columns.groupChooser()->setCurrentIndex(static_cast<int>(TSexGroup::Mix));
    matrix().rowSide().groupChooser()->setCurrentIndex(static_cast<int>(TSexGroup::Mix));
    EXPECT_NE(numbersOf(matrix().grid()), "");
    EXPECT_TRUE(matrix().stateLabel()->text().isEmpty());
    EXPECT_TRUE(matrix().saveButton()->isEnabled());
    columns.groupChooser()->setCurrentIndex(static_cast<int>(TSexGroup::Female));
    EXPECT_EQ(numbersOf(matrix().grid()), "");
    EXPECT_FALSE(matrix().saveButton()->isEnabled());
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();

    // The user's own choice of a damaged file is answered by a message naming what is wrong.
    QComboBox* files = columns.fileChooser();
    ASSERT_EQ(files->count(), 2);
    files->setFocus();
    QTest::keyClick(files, files->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.lastText().contains(QStringLiteral("整数ではありません")));
    EXPECT_EQ(numbersOf(matrix().grid()), "");
}

TEST_F(AutomaticChoiceTest, ThePagesStartOnTheGroupWithDataAndFollowTheDiskWhenShown) {
    disk.writeLines("female/色/春.dat", answerLines(6, 10, 4, 7));
    std::filesystem::remove(disk.root() / "female/色/夏.dat");
    openWindow();
    window->show();
    window->pages()->setCurrentIndex(CatalogueReload::DiagramTab);
    EXPECT_EQ(diagram().vertical().side->group(), TSexGroup::Female);
    EXPECT_EQ(diagram().horizontal().side->group(), TSexGroup::Female);
    EXPECT_TRUE(diagram().diagramArea()->text().isEmpty()) << diagram().diagramArea()->text().toStdString();
    EXPECT_NE(diagram().diagramArea()->picture(), nullptr);

    window->pages()->setCurrentIndex(CatalogueReload::MatrixTab);
    EXPECT_EQ(itemsOf(matrix().columnSide().fileChooser()), QStringList{"春"});
    window->pages()->setCurrentIndex(CatalogueReload::SeriesTab);
    disk.writeLines("female/色/秋.dat", answerLines(8, 10, 4, 11));
    window->pages()->setCurrentIndex(CatalogueReload::MatrixTab);
    QStringList listed = itemsOf(matrix().columnSide().fileChooser());
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"春", "秋"}));
    EXPECT_EQ(matrix().columnSide().fileChooser()->currentText(), QStringLiteral("春"));
    window->pages()->setCurrentIndex(CatalogueReload::DiagramTab);
    EXPECT_EQ(diagram().horizontal().side->fileChooser()->count(), 2);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
}

// A save dialog opens in the study disk, then where the last file went; never at the root.
TEST(StartFolder, FileDialogsOpenInTheStudyDiskThenInTheFolderLastUsed) {
    TempDisk disk;
    makeColourSeries(disk);
    ScriptedPrompter dialogs;
    AppContext* shared = nullptr;
    StartFolderPrompter prompter(dialogs,
                                 [&shared] { return QString::fromStdString(shared->disk.root().string()); });
    AppContext context(prompter);
    shared = &context;
    context.disk.setRoot(disk.root());
    CorrelationMatrixPage page(context);
    page.seriesChooser()->addItem(QStringLiteral("色"));
    page.setUpPage();
    ASSERT_TRUE(page.saveButton()->isEnabled());
    QTest::mouseClick(page.saveButton(), Qt::LeftButton);  // cancelled
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs.back().directory, QString::fromStdString(disk.root().string()));

    std::filesystem::create_directories(disk.root() / "出力");
    dialogs.fileNames.push_back(QString::fromStdString((disk.root() / "出力" / "相関.txt").string()));
    QTest::mouseClick(page.saveButton(), Qt::LeftButton);
    QTest::mouseClick(page.saveButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs.fileDialogs.size(), 3u);
    EXPECT_EQ(dialogs.fileDialogs.back().directory, QString::fromStdString((disk.root() / "出力").string()));
}

}  // namespace
}  // namespace kestrune::testing

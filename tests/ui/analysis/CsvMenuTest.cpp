// The data file list's CSV items, chosen from the real popup menu, answered through the
// prompter as a user answers the dialogs.
#include <QContextMenuEvent>
#include <QMenu>

#include "analysis/CsvExport.h"
#include "core/AtomicFile.h"
#include "tests/ui/analysis/AnalysisPageFixture.h"
#include "ui/analysis/CsvTransfer.h"

namespace kestrune::testing {
namespace {

namespace fs = std::filesystem;

class CsvMenuTest : public AnalysisPageTest {
  protected:
    // Opens the list's popup menu as a right click on the list does, and clicks the item.
    void chooseFromPopupMenu(QAction* action) {
        const QPoint at(20, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, fileList()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(fileList()->viewport(), &event);
        QMenu* menu = fileList()->contextMenu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        ASSERT_TRUE(menu->actions().contains(action));
        ASSERT_TRUE(action->isEnabled());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
        EXPECT_FALSE(menu->isVisible());
    }
};

TEST_F(CsvMenuTest, ExportWritesTheLayoutOfTheFileTypeChosen) {
    openAnalysisPage();
    clickFile(QStringLiteral("例題"));
    const fs::path out = disk.path("書き出し.csv");
    prompter.fileNames.push_back(QString::fromStdString(out.string()));
    prompter.saveFilters.push_back(QString::fromUtf8(kPaircompExcelCsvFilter));
    chooseFromPopupMenu(fileList()->csvExportAction());
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(prompter.fileDialogs[0].caption, QStringLiteral("CSV形式で書き出し"));
    EXPECT_EQ(prompter.fileDialogs[0].fileName, QStringLiteral("例題.csv"));
    EXPECT_EQ(prompter.fileDialogs[0].filters,
              (QStringList{"縦長形式 CSV (*.csv)", "縦長形式 CSV Excel用 (*.csv)", "一対比較形式 CSV (*.csv)",
                           "一対比較形式 CSV Excel用 (*.csv)"}));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    const std::string written = readBytes(out);
    EXPECT_EQ(written.rfind("\xEF\xBB\xBFsubject,image,word,1:2,", 0), 0u);
    EXPECT_EQ(written, exportCsv(disk.disk(), TSexGroup::Male, "印象", "例題", CsvLayout::Paircomp,
                                 CsvFlavour::Excel));

    prompter.fileNames.push_back(QString::fromStdString(out.string()));
    prompter.saveFilters.push_back(QString::fromUtf8(kLongCsvFilter));
    chooseFromPopupMenu(fileList()->csvExportAction());
    EXPECT_EQ(readBytes(out).rfind(std::string(kLongCsvHeader) + "\n印象,male,例題,1,1,", 0), 0u);
}

TEST_F(CsvMenuTest, ImportMakesADataFileNamedAsTheCsvAndAsksBeforeReplacing) {
    const fs::path csv = disk.path("取込.csv");
    writeFileAtomically(
        csv, exportCsv(disk.disk(), TSexGroup::Male, "印象", "例題", CsvLayout::Long, CsvFlavour::Excel));
    openAnalysisPage();
    prompter.fileNames.push_back(QString::fromStdString(csv.string()));
    chooseFromPopupMenu(fileList()->csvImportAction());
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    EXPECT_EQ(readBytes(dataFile(TSexGroup::Male, "取込")), readBytes(dataFile(TSexGroup::Male, "例題")));
    EXPECT_TRUE(listedNames().contains(QStringLiteral("取込")));

    // Again: the name is taken; No keeps the file as it is.
    fs::remove(dataFile(TSexGroup::Male, "取込"));
    disk.writeLines("male/印象/取込.dat", {"1,3,1", "0", "0", "0"});
    prompter.fileNames.push_back(QString::fromStdString(csv.string()));
    prompter.answers.push_back(PromptAnswer::No);
    chooseFromPopupMenu(fileList()->csvImportAction());
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("同名のファイルが存在しますが、上書きしますか?"));
    EXPECT_EQ(prompter.messages[0].caption, QStringLiteral("ファイルの上書きの確認"));
    EXPECT_EQ(readBytes(dataFile(TSexGroup::Male, "取込")), "1,3,1\r\n0\r\n0\r\n0\r\n");

    // A faulty CSV is refused with its line named, and nothing is written.
    const fs::path bad = disk.path("壊れた.csv");
    disk.writeBytes("壊れた.csv", "subject,trial,image\n1,1,1\n");
    prompter.fileNames.push_back(QString::fromStdString(bad.string()));
    chooseFromPopupMenu(fileList()->csvImportAction());
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text.toStdString(),
              "CSV ファイル " + bad.string() +
                  " の 1 行目: 列 answer も chosen もありません(どちらかが必要です)。");
    EXPECT_EQ(prompter.messages[1].icon, PromptIcon::Error);
    EXPECT_FALSE(fs::exists(dataFile(TSexGroup::Male, "壊れた")));
}

// With KESTRUNE_SCREENSHOT_DIR naming a directory, the list's popup menu is saved there.
TEST_F(CsvMenuTest, Screenshot) {
    const QString directory = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR");
    if (directory.isEmpty())
        GTEST_SKIP() << "KESTRUNE_SCREENSHOT_DIR not set";
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    openAnalysisPage();
    clickFile(QStringLiteral("例題"));
    const QPoint at(20, 20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, fileList()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(fileList()->viewport(), &event);
    QMenu* menu = fileList()->contextMenu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(fileList()->csvExportAction());
    EXPECT_TRUE(menu->grab().save(directory + QStringLiteral("/analysis-csv-menu.png")));
    menu->close();
}

}  // namespace
}  // namespace kestrune::testing

// The tests of difference, intervals, win probabilities, plan and group comparison on the
// statistics sub-page, driven through its real controls, on the sample study disk.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTest>

#include "core/Cp932.h"
#include "tests/support/TempDisk.h"
#include "tests/support/widgets/ScriptedPrompter.h"
#include "ui/analysis/StatisticsSubPage.h"
#include "ui/common/AppContext.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/common/TextGridView.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

class StatisticsDifferencesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(std::string(KESTRUNE_EXAMPLES) + "/study-disk", disk.root(),
                              std::filesystem::copy_options::recursive);
        context.officeLauncher = [this](const std::filesystem::path& file) {
            handedOver.push_back(file);
            return office::LaunchResult{true, "soffice", {}};
        };
        page.resize(1024, 600);
        page.show();
        page.showFile(disk.disk(), TSexGroup::Mix, "色彩の印象", "大学生2026");
    }
    std::string cell(int column, int row) const { return page.grid().cell(column, row); }
    // Chooses a table as a user does: the list opened from the keyboard, the item picked.
    void choose(const QString& caption) {
        QComboBox* chooser = page.tableChooser();
        const int wanted = chooser->findText(caption);
        ASSERT_GE(wanted, 0) << caption.toStdString();
        chooser->setFocus();
        while (chooser->currentIndex() < wanted)
            QTest::keyClick(chooser, Qt::Key_Down);
        while (chooser->currentIndex() > wanted)
            QTest::keyClick(chooser, Qt::Key_Up);
    }
    // Types a new value into a spin box and confirms it with Enter.
    static void type(QDoubleSpinBox* box, const QString& value) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, value);
        QTest::keyClick(box, Qt::Key_Return);
    }

    TempDisk disk;
    ScriptedPrompter prompter;
    AppContext context{prompter};
    StatisticsSubPage page{context};
    std::vector<std::filesystem::path> handedOver;
};

}  // namespace

TEST_F(StatisticsDifferencesTest, DifferencesWithLettersBesideTheScoresPerImageAndSummarised) {
    choose(QStringLiteral("パネル間の差の検定"));
    EXPECT_EQ(cell(0, 1), "デビッドの検定");
    EXPECT_EQ(cell(1, 1), "120.6000");
    EXPECT_EQ(cell(2, 1), "4");
    EXPECT_EQ(cell(0, 2), "尤度比検定");
    // Panels by descending wins, the letters in the column after the scores.
    EXPECT_EQ(cell(0, 4), "パネル");
    EXPECT_EQ(cell(2, 4), "得点");
    EXPECT_EQ(cell(3, 4), "文字");
    EXPECT_EQ(cell(0, 5), "5");
    EXPECT_EQ(cell(2, 5), "88.542");
    EXPECT_EQ(cell(3, 5), "a");
    EXPECT_EQ(cell(0, 9), "1");
    EXPECT_EQ(cell(3, 9), "c");

    QTest::mouseClick(page.summaryBox(), Qt::LeftButton, {}, QPoint(5, page.summaryBox()->height() / 2));
    EXPECT_EQ(page.grid().rowCount(), 1 + 8);
    EXPECT_EQ(cell(6, 0), "パネル1の文字");
    EXPECT_EQ(cell(6, 1), "c");

    choose(QStringLiteral("パネルの対ごとの差"));
    EXPECT_EQ(page.grid().rowCount(), 1 + 8 * 10);
    EXPECT_EQ(cell(6, 1), "21.1292");
    const std::string before = cell(6, 1);
    type(page.testLevelBox(), QStringLiteral("1"));
    EXPECT_EQ(page.testLevelBox()->value(), 1.0);
    EXPECT_GT(std::stod(cell(6, 1)), std::stod(before));
}

TEST_F(StatisticsDifferencesTest, IntervalsWinProbabilitiesAndThePlanFollowTheirBoxes) {
    choose(QStringLiteral("得点の信頼区間"));
    EXPECT_EQ(cell(5, 0), "95.0%下限");
    EXPECT_EQ(cell(2, 1), "15.625");
    EXPECT_EQ(cell(3, 1), "16.172");
    const double lower95 = std::stod(cell(5, 1));
    type(page.confidenceBox(), QStringLiteral("99"));
    EXPECT_EQ(cell(5, 0), "99.0%下限");
    EXPECT_LT(std::stod(cell(5, 1)), lower95);

    choose(QStringLiteral("勝つ確率"));
    EXPECT_EQ(cell(0, 0), "明るい");
    EXPECT_EQ(cell(1, 1), "-");
    EXPECT_EQ(cell(2, 1), "0.4008");  // panel 1 over panel 2
    EXPECT_EQ(cell(1, 2), "0.5992");

    choose(QStringLiteral("必要な被験者数"));
    const std::string subjects80 = cell(2, 1);
    EXPECT_EQ(cell(0, 2), "有意水準 5.0 %、目標の検出力 80.0 % のデビッドの検定");
    type(page.powerBox(), QStringLiteral("99"));
    EXPECT_EQ(cell(0, 2), "有意水準 5.0 %、目標の検出力 99.0 % のデビッドの検定");
    EXPECT_GT(std::stoi(cell(2, 1)), std::stoi(subjects80));
    EXPECT_GE(std::stod(cell(3, 1)), 0.99);
}

TEST_F(StatisticsDifferencesTest, GroupComparisonWithTheSecondFileChosenByGroupAndName) {
    choose(QStringLiteral("群の比較"));
    EXPECT_EQ(page.grid().rowCount(), 1);  // the hint to choose a file
    // "女性" then "予備調査", from the keyboard.
    page.secondGroupChooser()->setFocus();
    QTest::keyClick(page.secondGroupChooser(), Qt::Key_Down);
    EXPECT_EQ(page.secondGroupChooser()->currentText(), QStringLiteral("女性"));
    ASSERT_EQ(page.secondFileChooser()->count(), 1);
    page.secondFileChooser()->setFocus();
    QTest::keyClick(page.secondFileChooser(), Qt::Key_Down);
    EXPECT_EQ(page.secondFileChooser()->currentText(), QStringLiteral("予備調査"));
    EXPECT_EQ(cell(0, 0), "イメージ");
    EXPECT_EQ(cell(0, 1), "明るい");
    EXPECT_NE(cell(1, 1), "-");
    EXPECT_EQ(cell(2, 1), "4");
    EXPECT_NE(cell(0, 2).find("予備調査"), std::string::npos);
    EXPECT_TRUE(prompter.messages.empty());
    // Another group without files clears the comparison.
    QTest::keyClick(page.secondGroupChooser(), Qt::Key_Up);
    QTest::keyClick(page.secondGroupChooser(), Qt::Key_Up);
    EXPECT_EQ(page.secondGroupChooser()->currentText(), QStringLiteral("男性"));
    EXPECT_EQ(page.secondFileChooser()->count(), 0);
    EXPECT_EQ(page.grid().rowCount(), 1);
}

TEST_F(StatisticsDifferencesTest, EveryNewTableIsSavedCopiedPrintedAndHandedToTheOfficeSuite) {
    int table = 0;
    for (const QString& caption :
         {QStringLiteral("パネル間の差の検定"), QStringLiteral("パネルの対ごとの差"),
          QStringLiteral("得点の信頼区間"), QStringLiteral("勝つ確率"), QStringLiteral("必要な被験者数")}) {
        SCOPED_TRACE(caption.toStdString());
        choose(caption);
        const std::string name = std::string("t").append(std::to_string(++table)).append(".htm");
        prompter.fileNames.push_back(QString::fromStdString(disk.path(name).string()));
        prompter.saveFilters.push_back(QStringLiteral("HTML文書 (*.htm)"));
        QTest::mouseClick(page.saveButton(), Qt::LeftButton);
        const std::string bytes = readBytes(disk.path(name));
        EXPECT_NE(bytes.find(encodeCp932("<TITLE>" + caption.toStdString() + " -")), std::string::npos);

        QTest::mouseClick(page.copyButton(), Qt::LeftButton);
        EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QString::fromStdString(cell(0, 0))));

        prompter.printerChoices.push_back(true);
        prompter.printFiles.push_back(QString::fromStdString(disk.path(name + ".pdf").string()));
        QTest::mouseClick(page.printButton(), Qt::LeftButton);
        EXPECT_GT(std::filesystem::file_size(disk.path(name + ".pdf")), 0u);

        QTest::mouseClick(page.excelButton(), Qt::LeftButton);
        QTest::mouseClick(page.wordButton(), Qt::LeftButton);
    }
    ASSERT_EQ(handedOver.size(), 10u);
    EXPECT_EQ(handedOver[0].extension(), ".xlsx");
    EXPECT_EQ(handedOver[1].extension(), ".docx");
    EXPECT_NE(readBytes(handedOver[0]).find("xl/worksheets/sheet1.xml"), std::string::npos);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
}

TEST_F(StatisticsDifferencesTest, EveryPairInBothOrdersShowsTheTablesOfDifferenceAndSaysWhyNotTheOthers) {
    std::vector<std::string> order{"3,6", "1,2", "1,3", "2,3", "2,1", "3,1", "3,2"};
    disk.writeLines("order/二回.ord", order);
    disk.writeLines("paper/二回.pap", {"1", "\"明るい\""});
    // Four subjects; panel 1 beats 2 and 3 both times, 2 and 3 split.
    std::vector<std::string> data{"4,6,1"};
    for (int s = 0; s < 4; ++s)
        for (int a : {0, 0, s % 2, 1, 1, 1 - s % 2})
            data.push_back(std::to_string(a));
    disk.writeLines("mix/二回/調査.dat", data);
    page.showFile(disk.disk(), TSexGroup::Mix, "二回", "調査");
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    choose(QStringLiteral("パネル間の差の検定"));
    // Wins 16, 4, 4 of m = 8, t = 3: D = 4/24 · (64 + 16 + 16) = 16.
    EXPECT_EQ(cell(1, 1), "16.0000");
    choose(QStringLiteral("一致性の係数"));
    EXPECT_NE(cell(0, 0).find("一度ずつ"), std::string::npos) << cell(0, 0);
    EXPECT_FALSE(page.makeFileButton()->isEnabled());
}

// With KESTRUNE_SCREENSHOT_DIR set: the differences with their letters of the sample students.
TEST(StatisticsDifferencesScreenshots, SampleStudents) {
    const QString directory = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR") + QStringLiteral("/");
    if (directory == QStringLiteral("/"))
        GTEST_SKIP() << "screenshots only when KESTRUNE_SCREENSHOT_DIR is set";
    ScriptedPrompter prompter;
    AppContext context{prompter};
    StatisticsSubPage page{context};
    page.resize(1024, 600);
    page.showFile(StudyDisk(KESTRUNE_EXAMPLES "/study-disk"), TSexGroup::Mix, "色彩の印象", "大学生2026");
    page.show();
    page.tableChooser()->setCurrentIndex(page.tableChooser()->findText(QStringLiteral("パネル間の差の検定")));
    EXPECT_TRUE(page.grab().save(directory + QStringLiteral("statistics-differences.png")));
}

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "core/Cp932.h"
#include "tests/analysis/AnalysisDisk.h"
#include "tests/support/TempDisk.h"
#include "tests/support/widgets/ScriptedPrompter.h"
#include "ui/analysis/StatisticsSubPage.h"
#include "ui/common/AppContext.h"
#include "ui/common/TextGridView.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

// Six panels, two images; subjects 1 and 3 order the panels strictly, subject 2 answers the
// circulant tournament with the most circular triads (8), on both images.
std::vector<int> subjectAnswers(bool consistent) {
    std::vector<int> answers;
    for (int a = 1; a <= 6; ++a) {
        for (int b = a + 1; b <= 6; ++b) {
            const int difference = b - a;
            const bool aWins =
                consistent || difference == 1 || difference == 2 || (difference == 3 && a <= 3);
            answers.push_back(aWins ? 0 : 1);
            answers.push_back(aWins ? 0 : 1);
        }
    }
    return answers;
}

class StatisticsSubPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        disk.makeSeries("六色", 6, {"明るい", "暖かい"});
        std::vector<int> answers;
        for (bool consistent : {true, false, true}) {
            const std::vector<int> one = subjectAnswers(consistent);
            answers.insert(answers.end(), one.begin(), one.end());
        }
        disk.writeLines("mix/六色/調査.dat", dataLines(3, 15, 2, answers));
        page.resize(900, 600);
        page.showFile(disk.disk(), TSexGroup::Mix, "六色", "調査");
    }
    std::string cell(int column, int row) const { return page.grid().cell(column, row); }

    TempDisk disk;
    ScriptedPrompter prompter;
    AppContext context{prompter};
    StatisticsSubPage page{context};
};

}  // namespace

TEST_F(StatisticsSubPageTest, ShowsTheChosenTableForTheImageOfTheTabs) {
    EXPECT_EQ(page.tableChooser()->currentText(), QStringLiteral("一致性の係数"));
    EXPECT_EQ(cell(0, 2), "2");
    EXPECT_EQ(cell(1, 2), "8");       // d of subject 2
    EXPECT_EQ(cell(3, 1), "1.0000");  // ζ of subject 1
    EXPECT_EQ(cell(5, 1), "有意");
    EXPECT_EQ(cell(5, 2), "");

    page.tableChooser()->setCurrentIndex(page.tableChooser()->findText(QStringLiteral("順序効果")));
    EXPECT_EQ(cell(0, 1), "明るい");
    page.showImage(1);
    EXPECT_EQ(cell(0, 1), "暖かい");
    QTest::mouseClick(page.summaryBox(), Qt::LeftButton, {}, QPoint(5, page.summaryBox()->height() / 2));
    ASSERT_TRUE(page.summaryBox()->isChecked());
    EXPECT_EQ(page.grid().rowCount(), 1 + 2 + 1);
    EXPECT_EQ(cell(0, 3), "全体");
    // The view shows the grid's cells, fixed ones included.
    EXPECT_EQ(page.gridView()->model()->index(3, 0).data().toString(), QStringLiteral("全体"));
}

TEST_F(StatisticsSubPageTest, ScreenedSubjectsGoIntoANewFileAndTheSourceStays) {
    EXPECT_EQ(page.screenedLabel()->text(), QStringLiteral("除外候補の被験者: 2"));
    const std::string source = readBytes(disk.path("mix/六色/調査.dat"));
    QTest::keyClicks(page.newFileNameEdit(), QStringLiteral("kept"));
    QSignalSpy written(&page, &StatisticsSubPage::fileWritten);
    page.makeFileButton()->click();
    // The user is told what was written: where, and how many subjects of all were kept.
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.lastText().endsWith(
        QStringLiteral("/kept.dat を作成しました。被験者 3 人のうち 2 人を残しました。")))
        << prompter.lastText().toStdString();
    ASSERT_EQ(written.count(), 1);
    EXPECT_EQ(written.front().front().toString(), QStringLiteral("kept"));
    const std::string writtenBytes = readBytes(disk.path("mix/六色/kept.dat"));
    EXPECT_EQ(writtenBytes.substr(0, 9), "2,15,2\r\n0");
    EXPECT_EQ(readBytes(disk.path("mix/六色/調査.dat")), source);

    // Replacing asks first; No leaves the file as it was.
    std::filesystem::resize_file(disk.path("mix/六色/kept.dat"), 3);
    prompter.answers.push_back(PromptAnswer::No);
    page.makeFileButton()->click();
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[1].text, QStringLiteral("同名のファイルが存在しますが、上書きしますか?"));
    EXPECT_EQ(prompter.messages[1].caption, QStringLiteral("ファイルの上書きの確認"));
    EXPECT_EQ(std::filesystem::file_size(disk.path("mix/六色/kept.dat")), 3u);

    // The source's own name is refused.
    page.newFileNameEdit()->setText(QStringLiteral("調査"));
    page.makeFileButton()->click();
    EXPECT_EQ(prompter.lastText(), QStringLiteral("元のファイルと同じ名前では作成できません。"));
    EXPECT_EQ(readBytes(disk.path("mix/六色/調査.dat")), source);
}

TEST_F(StatisticsSubPageTest, ALevelNoSubjectCanReachScreensNobody) {
    page.levelBox()->setValue(1.0);  // the strict order reaches 720/32768 = 2.2 % at best
    EXPECT_TRUE(page.screenedLabel()->text().contains(QStringLiteral("有意になる被験者はいません")));
    QTest::keyClicks(page.newFileNameEdit(), QStringLiteral("kept"));
    page.makeFileButton()->click();
    EXPECT_FALSE(std::filesystem::exists(disk.path("mix/六色/kept.dat")));
    EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(StatisticsSubPageTest, SavesTheShownTableAsHtml) {
    page.tableChooser()->setCurrentIndex(
        page.tableChooser()->findText(QStringLiteral("ブラッドリー・テリーのモデル")));
    const QString file = QString::fromStdString(disk.path("bt.htm").string());
    prompter.fileNames.push_back(file);
    prompter.saveFilters.push_back(QStringLiteral("HTML文書 (*.htm)"));
    page.saveButton()->click();
    const std::string bytes = readBytes(disk.path("bt.htm"));
    EXPECT_NE(bytes.find(encodeCp932("<TITLE>ブラッドリー・テリーのモデル -")), std::string::npos);
    EXPECT_NE(bytes.find("\r\n</HTML>\r\n"), std::string::npos);
}

// With KESTRUNE_SCREENSHOT_DIR set: the students of the sample study disk, screened at 20 %, and
// their Bradley–Terry scale.
TEST(StatisticsSubPageScreenshots, SampleStudents) {
    const QString directory = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR") + QStringLiteral("/");
    if (directory == QStringLiteral("/"))
        GTEST_SKIP() << "screenshots only when KESTRUNE_SCREENSHOT_DIR is set";
    ScriptedPrompter prompter;
    AppContext context{prompter};
    StatisticsSubPage page{context};
    page.resize(960, 640);
    page.showFile(StudyDisk(KESTRUNE_EXAMPLES "/study-disk"), TSexGroup::Mix, "色彩の印象", "大学生2026");
    page.levelBox()->setValue(20.0);
    page.show();
    page.summaryBox()->setChecked(true);
    EXPECT_TRUE(page.grab().save(directory + QStringLiteral("statistics-screening.png")));
    page.summaryBox()->setChecked(false);
    page.tableChooser()->setCurrentIndex(
        page.tableChooser()->findText(QStringLiteral("ブラッドリー・テリーのモデル")));
    EXPECT_TRUE(page.grab().save(directory + QStringLiteral("statistics-bradley-terry.png")));
}

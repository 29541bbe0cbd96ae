// A result table and its path label are one: they change together, they are emptied together
// when the group or series changes or a file cannot be read, and an empty table is not offered
// for output. A file the page writes is announced, listed and selected; the list shows the
// disk as it is whenever the page is shown.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/TextLines.h"
#include "tests/analysis/AnalysisDisk.h"
#include "tests/ui/analysis/AnalysisPageFixture.h"
#include "ui/analysis/IndividualSubPage.h"
#include "ui/analysis/ScaleValueSubPage.h"
#include "ui/analysis/StatisticsSubPage.h"

namespace kestrune::testing {
namespace {

// The cells below the fixed row and right of the fixed columns, joined.
std::string numbersOf(const TextGrid& grid) {
    std::string joined;
    for (int r = grid.fixedRows; r < grid.rowCount(); ++r) {
        for (int c = grid.fixedColumns; c < grid.columnCount(); ++c)
            joined += grid.cell(c, r);
    }
    return joined;
}

class ResultsFollowTheFileTest : public AnalysisPageTest {
  protected:
    ScaleValueSubPage* scaleValues() { return page()->scaleValueSubPage(); }

    void expectScaleValueOutput(bool offered) {
        for (QPushButton* button :
             {scaleValues()->saveButton(), scaleValues()->copyButton(), scaleValues()->printButton(),
              scaleValues()->excelButton(), scaleValues()->wordButton(), scaleValues()->graphButton()})
            EXPECT_EQ(button->isEnabled(), offered) << button->text().toStdString();
    }
};

TEST_F(ResultsFollowTheFileTest, TheTablesAndTheirLabelsAreEmptiedTogether) {
    // A copy of 例題 with a letter among its answers.
    std::vector<std::string> damaged = readTextLines(dataFile(TSexGroup::Male, "例題"));
    ASSERT_GT(damaged.size(), 3u);
    damaged[2] = "a";
    disk.writeLines("male/印象/壊れ.dat", damaged);
    openAnalysisPage();
    chooseGroup(TSexGroup::Male);
    // A table never aggregated is not offered for output.
    expectScaleValueOutput(false);

    clickFile(QStringLiteral("例題"));
    QTest::mouseClick(page()->aggregateButton(), Qt::LeftButton);
    EXPECT_TRUE(scaleValues()->pathLabel()->text().endsWith(QStringLiteral("例題.dat")));
    EXPECT_FALSE(numbersOf(scaleValues()->grid()).empty());
    expectScaleValueOutput(true);

    // A file that cannot be read leaves no earlier numbers under its name.
    clickFile(QStringLiteral("壊れ"));
    QTest::mouseClick(page()->aggregateButton(), Qt::LeftButton);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(scaleValues()->pathLabel()->text().isEmpty())
        << scaleValues()->pathLabel()->text().toStdString();
    EXPECT_EQ(numbersOf(scaleValues()->grid()), "");
    expectScaleValueOutput(false);

    // Another group empties the table, the individual data and the statistics with their labels.
    clickFile(QStringLiteral("例題"));
    QTest::mouseClick(page()->aggregateButton(), Qt::LeftButton);
    QTest::mouseClick(page()->individualButton(), Qt::LeftButton);
    EXPECT_TRUE(page()->individualSubPage()->saveButton()->isEnabled());
    QTest::mouseClick(page()->statisticsButton(), Qt::LeftButton);
    StatisticsSubPage* statistics = page()->statisticsSubPage();
    EXPECT_FALSE(statistics->pathLabel()->text().isEmpty());
    EXPECT_GT(statistics->grid().rowCount(), 1);
    EXPECT_TRUE(statistics->saveButton()->isEnabled());
    chooseGroup(TSexGroup::Female);
    EXPECT_TRUE(scaleValues()->pathLabel()->text().isEmpty());
    EXPECT_EQ(numbersOf(scaleValues()->grid()), "");
    expectScaleValueOutput(false);
    EXPECT_FALSE(page()->individualSubPage()->saveButton()->isEnabled());
    EXPECT_TRUE(statistics->pathLabel()->text().isEmpty());
    EXPECT_LE(statistics->grid().rowCount(), 1);
    EXPECT_FALSE(statistics->saveButton()->isEnabled());
    EXPECT_EQ(prompter.messages.size(), 1u) << prompter.lastText().toStdString();
}

TEST_F(ResultsFollowTheFileTest, TheScreenedFileIsAnnouncedListedAndSelected) {
    disk.makeSeries("六色", 6, {"明るい", "暖かい"});
    // Subjects 1 and 3 order the panels strictly; subject 2 answers in circles.
    std::vector<int> answers;
    for (bool consistent : {true, false, true}) {
        for (int a = 1; a <= 6; ++a) {
            for (int b = a + 1; b <= 6; ++b) {
                const int difference = b - a;
                const bool aWins =
                    consistent || difference == 1 || difference == 2 || (difference == 3 && a <= 3);
                answers.push_back(aWins ? 0 : 1);
                answers.push_back(aWins ? 0 : 1);
            }
        }
    }
    disk.writeLines("mix/六色/調査.dat", dataLines(3, 15, 2, answers));
    openAnalysisPage();
    page()->seriesChooser()->setCurrentIndex(page()->seriesChooser()->findText(QStringLiteral("六色")));
    // The group chooser starts on the group that has the series' data.
    EXPECT_EQ(page()->sexGroupChooser()->group(), TSexGroup::Mix);
    clickFile(QStringLiteral("調査"));
    QTest::mouseClick(page()->statisticsButton(), Qt::LeftButton);
    StatisticsSubPage* statistics = page()->statisticsSubPage();
    statistics->newFileNameEdit()->setText(QStringLiteral("選別後"));
    QTest::mouseClick(statistics->makeFileButton(), Qt::LeftButton);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.lastText().contains(QStringLiteral("選別後.dat を作成しました。")))
        << prompter.lastText().toStdString();
    EXPECT_TRUE(prompter.lastText().contains(QStringLiteral("3 人のうち 2 人")));
    EXPECT_EQ(listedNames(), (QStringList{"調査", "選別後"}));
    std::vector<std::string> selected = fileList()->selectedNames();
    EXPECT_EQ(selected, std::vector<std::string>{"選別後"});
}

TEST_F(ResultsFollowTheFileTest, ThePageListsTheDiskAsItIsWhenShown) {
    openAnalysisPage();
    chooseGroup(TSexGroup::Male);
    clickFile(QStringLiteral("例題"));
    QTest::mouseClick(page()->aggregateButton(), Qt::LeftButton);
    window->pages()->setCurrentIndex(CatalogueReload::SeriesTab);
    disk.writeLines("male/印象/追加.dat", readTextLines(dataFile(TSexGroup::Male, "例題")));
    window->pages()->setCurrentIndex(CatalogueReload::AnalysisTab);
    EXPECT_TRUE(listedNames().contains(QStringLiteral("追加"))) << listedNames().join(",").toStdString();
    // The selection and the table stay.
    EXPECT_EQ(fileList()->selectedNames(), std::vector<std::string>{"例題"});
    EXPECT_TRUE(scaleValues()->pathLabel()->text().endsWith(QStringLiteral("例題.dat")));
}

}  // namespace
}  // namespace kestrune::testing

// The analysis page driven as a researcher does: choose, click, save, copy, print.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "analysis/IndividualView.h"
#include "analysis/ScaleValueAggregation.h"
#include "tests/support/ProgramRun.h"
#include "tests/ui/analysis/AnalysisPageFixture.h"
#include "ui/analysis/IndividualSubPage.h"
#include "ui/analysis/ScaleValueSubPage.h"

namespace kestrune::testing {
namespace {

// What the batch program prints (UTF-8, LF) or writes with -o for the same disk.
std::string runCli(const std::filesystem::path& root, const std::string& arguments) {
    return runProgram(std::string("'") + KESTRUNE_CLI + "' --root '" + root.string() + "' " + arguments).out;
}

QStringList clipboardLines() {
    return QApplication::clipboard()->text().split(QStringLiteral("\r\n"));
}

QStringList cliLines(const std::string& output) {
    QStringList lines = QString::fromStdString(output).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

TEST_F(AnalysisPageTest, AggregationShowsTheTableAndSavesWhatTheBatchProgramWrites) {
    openAnalysisPage();
    ScaleValueSubPage* sub = page()->scaleValueSubPage();
    EXPECT_EQ(page()->subPages()->currentIndex(), AnalysisPage::EmptySubPage);
    EXPECT_EQ(page()->aggregateButton()->toolTip(),
              QStringLiteral("データを集計し、平均や標準偏差を計算します。"));
    EXPECT_EQ(sub->graphButton()->toolTip(), QStringLiteral("数直線を表示します。"));
    // The two fixed columns are twice as wide as the others.
    EXPECT_EQ(sub->gridView()->columnWidth(0), 2 * sub->gridView()->columnWidth(2));
    EXPECT_EQ(sub->gridView()->columnWidth(1), 2 * sub->gridView()->columnWidth(2));

    // Without a selection the sub-page comes to the front and nothing else happens.
    QTest::mouseClick(page()->aggregateButton(), Qt::LeftButton);
    EXPECT_EQ(page()->subPages()->currentIndex(), AnalysisPage::ScaleValueSubPageIndex);
    EXPECT_TRUE(sub->pathLabel()->text().isEmpty());

    clickFile(QStringLiteral("例題"));
    QTest::mouseClick(page()->aggregateButton(), Qt::LeftButton);
    const StudyDisk studyDisk = disk.disk();
    const ScaleValueTable expected = aggregateScaleValues(studyDisk, TSexGroup::Male, "印象", "例題");
    EXPECT_EQ(sub->pathLabel()->text().toStdString(), expected.pathLabel);
    // A screen reader reads the whole table, fixed row and columns included.
    EXPECT_EQ(readAccessibleTable(sub->gridView()), cellsOf(expected.grid));
    EXPECT_EQ(readAccessibleTable(sub->gridView())[2][4], "35.355");

    TempDisk out;
    prompter.saveFilters = {QStringLiteral("テキストのみ (*.txt)"), QStringLiteral("HTML文書 (*.htm)")};
    prompter.fileNames = {QString::fromStdString(out.path("t.txt").string()),
                          QString::fromStdString(out.path("t.htm").string())};
    QTest::mouseClick(sub->saveButton(), Qt::LeftButton);
    QTest::mouseClick(sub->saveButton(), Qt::LeftButton);
    ASSERT_EQ(prompter.fileDialogs.size(), 2u);
    EXPECT_EQ(prompter.fileDialogs[0].filters,
              (QStringList{QStringLiteral("テキストのみ (*.txt)"), QStringLiteral("HTML文書 (*.htm)")}));
    EXPECT_EQ(prompter.fileDialogs[0].defaultSuffix, QStringLiteral("txt"));
    EXPECT_TRUE(prompter.fileDialogs[0].confirmOverwrite);
    expectGolden(out.path("t.txt"), "scale-value-text/expected.txt");
    runCli(disk.root(), "aggregate 印象 male 例題 --html -o '" + out.path("cli.htm").string() + "'");
    EXPECT_EQ(readBytes(out.path("t.htm")), readBytes(out.path("cli.htm")));

    QTest::mouseClick(sub->copyButton(), Qt::LeftButton);
    QStringList copied = clipboardLines();
    EXPECT_EQ(copied, cliLines(runCli(disk.root(), "aggregate 印象 male 例題")));

    prompter.printerChoices = {true};
    prompter.printFiles = {QString::fromStdString(out.path("table.pdf").string())};
    QTest::mouseClick(sub->printButton(), Qt::LeftButton);
    EXPECT_EQ(readBytes(out.path("table.pdf")).substr(0, 4), "%PDF");

    // "グラフ" opens the number line window on this table, captioned with the file's path.
    QString shownCaption;
    prompter.dialogHandlers = {[&](QDialog& dialog) {
        shownCaption = dialog.windowTitle();
        return int(QDialog::Rejected);
    }};
    QTest::mouseClick(sub->graphButton(), Qt::LeftButton);
    EXPECT_EQ(shownCaption, QStringLiteral("データ集計"));
    EXPECT_TRUE(prompter.dialogHandlers.empty());

    // A file that cannot be read empties the table with its path label: no earlier numbers
    // stand under its name, and nothing is offered for output.
    disk.writeLines("male/印象/壊れ.dat", {"x,3,1", "0"});
    chooseGroup(TSexGroup::Female);
    chooseGroup(TSexGroup::Male);
    clickFile(QStringLiteral("壊れ"));
    QTest::mouseClick(page()->aggregateButton(), Qt::LeftButton);
    EXPECT_TRUE(prompter.lastText().endsWith(QStringLiteral("壊れ.dat の 1 行目: 'x' は整数ではありません")))
        << prompter.lastText().toStdString();
    EXPECT_TRUE(sub->pathLabel()->text().isEmpty());
    EXPECT_NE(readAccessibleTable(sub->gridView()), cellsOf(expected.grid));
    EXPECT_FALSE(sub->saveButton()->isEnabled());
}

TEST_F(AnalysisPageTest, IndividualViewFollowsTheImageTabsAndCopiesWhatTheBatchProgramPrints) {
    openAnalysisPage();
    IndividualSubPage* sub = page()->individualSubPage();
    const StudyDisk studyDisk = disk.disk();
    const IndividualTable first = viewIndividual(studyDisk, TSexGroup::Male, "印象", "例題", 0);
    ASSERT_GE(first.imageWords.size(), 2u);
    ASSERT_EQ(sub->imageTabs()->count(), static_cast<int>(first.imageWords.size()));
    EXPECT_EQ(sub->imageTabs()->tabText(1).toStdString(), first.imageWords[1]);

    clickFile(QStringLiteral("例題"));
    QTest::mouseClick(page()->individualButton(), Qt::LeftButton);
    EXPECT_EQ(page()->subPages()->currentIndex(), AnalysisPage::IndividualSubPageIndex);
    EXPECT_EQ(readAccessibleTable(sub->gridView()), cellsOf(first.grid));

    QTabBar* tabs = sub->imageTabs();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(readAccessibleTable(sub->gridView()),
              cellsOf(viewIndividual(studyDisk, TSexGroup::Male, "印象", "例題", 1).grid));

    QTest::mouseClick(sub->allImagesChoice(), Qt::LeftButton);
    QTest::mouseClick(sub->copyButton(), Qt::LeftButton);
    EXPECT_EQ(clipboardLines(), cliLines(runCli(disk.root(), "individual 印象 male 例題 --all")));
    EXPECT_EQ(tabs->currentIndex(), 0);

    TempDisk out;
    prompter.fileNames = {QString::fromStdString(out.path("all.txt").string()),
                          QString::fromStdString(out.path("current.txt").string())};
    QTest::mouseClick(sub->saveButton(), Qt::LeftButton);
    expectGolden(out.path("all.txt"), "individual-all/expected.txt");
    QTest::mouseClick(sub->currentImageChoice(), Qt::LeftButton);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QTest::mouseClick(sub->saveButton(), Qt::LeftButton);
    expectGolden(out.path("current.txt"), "individual-current/expected.txt");
    // The second save proposes the name chosen the first time.
    ASSERT_EQ(prompter.fileDialogs.size(), 2u);
    EXPECT_EQ(prompter.fileDialogs[1].fileName, QString::fromStdString(out.path("all.txt").string()));
    EXPECT_EQ(prompter.fileDialogs[1].filters, QStringList{QStringLiteral("text (*.txt)")});

    prompter.printerChoices = {true};
    prompter.printFiles = {QString::fromStdString(out.path("individual.pdf").string())};
    QTest::mouseClick(sub->printButton(), Qt::LeftButton);
    EXPECT_EQ(readBytes(out.path("individual.pdf")).substr(0, 4), "%PDF");
}

}  // namespace
}  // namespace kestrune::testing

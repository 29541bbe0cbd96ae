// Every "Excel97" and "Word97" press makes a new workbook or document and hands it to the
// office suite; without a suite the file is offered for saving, so nothing made is lost.
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "tests/ui/analysis/AnalysisPageFixture.h"
#include "ui/analysis/IndividualSubPage.h"
#include "ui/analysis/ScaleValueSubPage.h"
#include "ui/analysis/StatisticsSubPage.h"
#include "ui/correlation/CorrelationDiagramPage.h"
#include "ui/correlation/CorrelationMatrixPage.h"
#include "ui/figures/NumberLineWindow.h"

namespace kestrune::testing {
namespace {

namespace fs = std::filesystem;

class OfficeButtonsTest : public AnalysisPageTest {
  protected:
    void SetUp() override {
        AnalysisPageTest::SetUp();
        context.officeLauncher = [this](const fs::path& file) {
            handedOver.push_back(file);
            return office::LaunchResult{true, "soffice", {}};
        };
    }
    // The ZIP signature and the part that tells a workbook from a document.
    static bool isOfficeFile(const fs::path& file, const std::string& part) {
        const std::string bytes = readBytes(file);
        return bytes.substr(0, 2) == "PK" && bytes.find(part) != std::string::npos;
    }
    std::vector<fs::path> handedOver;
};

TEST_F(OfficeButtonsTest, EachPressHandsANewFileOfItsKindToTheSuite) {
    openAnalysisPage();
    clickFile(QStringLiteral("例題"));
    QTest::mouseClick(page()->aggregateButton(), Qt::LeftButton);
    ScaleValueSubPage* values = page()->scaleValueSubPage();
    EXPECT_EQ(values->excelButton()->toolTip(), QStringLiteral("表をExcel97に転送します。"));
    QTest::mouseClick(values->excelButton(), Qt::LeftButton);
    QTest::mouseClick(values->excelButton(), Qt::LeftButton);
    QTest::mouseClick(values->wordButton(), Qt::LeftButton);
    ASSERT_EQ(handedOver.size(), 3u);
    EXPECT_NE(handedOver[0], handedOver[1]);  // two presses, two workbooks
    EXPECT_EQ(handedOver[0].extension(), ".xlsx");
    EXPECT_TRUE(isOfficeFile(handedOver[0], "xl/worksheets/sheet1.xml"));
    EXPECT_EQ(handedOver[2].extension(), ".docx");
    EXPECT_TRUE(isOfficeFile(handedOver[2], "word/document.xml"));

    QTest::mouseClick(page()->individualButton(), Qt::LeftButton);
    IndividualSubPage* individual = page()->individualSubPage();
    QTest::mouseClick(individual->allImagesChoice(), Qt::LeftButton);
    QTest::mouseClick(individual->excelButton(), Qt::LeftButton);
    ASSERT_EQ(handedOver.size(), 4u);
    EXPECT_EQ(handedOver[3].extension(), ".xlsx");
    EXPECT_EQ(individual->imageTabs()->currentIndex(), 0);  // the first tab is shown again

    // The number line window's "Word97" sends its picture.
    prompter.dialogHandlers = {[](QDialog& dialog) {
        auto* window = dynamic_cast<NumberLineWindow*>(&dialog);
        if (window != nullptr)
            QTest::mouseClick(window->wordButton(), Qt::LeftButton);
        return int(QDialog::Rejected);
    }};
    QTest::mouseClick(values->graphButton(), Qt::LeftButton);
    ASSERT_EQ(handedOver.size(), 5u);
    EXPECT_TRUE(isOfficeFile(handedOver[4], "word/media/"));

    // The correlation pages: the matrix to both, the diagram to the word processor.
    window->pages()->setCurrentIndex(CatalogueReload::MatrixTab);
    QTest::mouseClick(window->matrixPage()->excelButton(), Qt::LeftButton);
    QTest::mouseClick(window->matrixPage()->wordButton(), Qt::LeftButton);
    window->pages()->setCurrentIndex(CatalogueReload::DiagramTab);
    EXPECT_EQ(window->diagramPage()->wordButton()->toolTip(), QStringLiteral("Word97に転送します。"));
    QTest::mouseClick(window->diagramPage()->wordButton(), Qt::LeftButton);
    ASSERT_EQ(handedOver.size(), 8u);
    EXPECT_EQ(handedOver[5].extension(), ".xlsx");
    EXPECT_EQ(handedOver[6].extension(), ".docx");
    EXPECT_EQ(handedOver[7].extension(), ".docx");
}

TEST_F(OfficeButtonsTest, WithoutASuiteTheWorkbookIsOfferedForSaving) {
    context.officeLauncher = [](const fs::path&) {
        return office::LaunchResult{false, "soffice", "soffice も xdg-open も見つかりません。"};
    };
    openAnalysisPage();
    clickFile(QStringLiteral("例題"));
    QTest::mouseClick(page()->aggregateButton(), Qt::LeftButton);
    TempDisk out;
    prompter.answers = {PromptAnswer::Yes};
    prompter.fileNames = {QString::fromStdString(out.path("kept.xlsx").string())};
    QTest::mouseClick(page()->scaleValueSubPage()->excelButton(), Qt::LeftButton);
    ASSERT_FALSE(prompter.messages.empty());
    EXPECT_TRUE(
        prompter.messages.back().text.startsWith(QStringLiteral("soffice も xdg-open も見つかりません。")));
    EXPECT_TRUE(isOfficeFile(out.path("kept.xlsx"), "xl/worksheets/sheet1.xml"));
}

TEST_F(OfficeButtonsTest, TheStatisticsButtonShowsTheTablesOfTheChosenImage) {
    openAnalysisPage();
    EXPECT_EQ(page()->statisticsButton()->text(), QStringLiteral("詳細分析"));
    clickFile(QStringLiteral("例題"));
    QTest::mouseClick(page()->statisticsButton(), Qt::LeftButton);
    EXPECT_EQ(page()->subPages()->currentIndex(), AnalysisPage::StatisticsSubPageIndex);
    QTabBar* tabs = page()->statisticsImageTabs();
    ASSERT_EQ(tabs->count(), page()->individualSubPage()->imageTabs()->count());
    StatisticsSubPage* statistics = page()->statisticsSubPage();
    const auto first = readAccessibleTable(statistics->gridView());
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, cellsOf(statistics->grid()));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(readAccessibleTable(statistics->gridView()), cellsOf(statistics->grid()));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
}

}  // namespace
}  // namespace kestrune::testing

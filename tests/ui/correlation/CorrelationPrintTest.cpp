// Printing through the grid printer: the matrix with its page header and footer, and the
// editor's list. Kept apart from the page tests because it needs the grid printer itself.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <cstdio>

#include "tests/support/ProgramRun.h"
#include "tests/ui/correlation/CorrelationDisk.h"
#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/correlation/CorrelationMatrixPage.h"
#include "ui/correlation/CorrelationSideControls.h"
#include "ui/correlation/PhysicalQuantityEditor.h"

namespace kestrune::testing {
namespace {

std::string pdfText(const std::filesystem::path& pdf) {
    return runProgram("pdftotext -raw '" + pdf.string() + "' -").out;
}

class CorrelationPrintTest : public MainWindowTest {};

TEST_F(CorrelationPrintTest, TheMatrixPrintsWithItsHeaderAndPageNumber) {
    makeColourSeries(disk);
    openWindow();
    CorrelationMatrixPage& page = *window->matrixPage();
    page.columnSide().physicalButton()->click();
    prompter.printFiles = {QString::fromStdString((disk.root() / "matrix.pdf").string())};
    prompter.printerChoices.push_back(true);
    page.printButton()->click();
    const std::string text = pdfText(disk.root() / "matrix.pdf");
    EXPECT_NE(text.find("相関 - 色,行: 男性, 春, 列: 物理量"), std::string::npos) << text;
    EXPECT_NE(text.find("- 1 -"), std::string::npos) << text;
}

TEST_F(CorrelationPrintTest, TheEditorPrintsItsListWithoutHeaderOrFooter) {
    PhysicalQuantityEditor editor(prompter);
    editor.setPanelCount(3);
    editor.setCell(0, 1, QStringLiteral("明度"));
    editor.setCell(2, 1, QStringLiteral("12.5"));
    prompter.printFiles = {QString::fromStdString((disk.root() / "list.pdf").string())};
    prompter.printerChoices.push_back(true);
    editor.buttons().at(6)->click();
    const std::string text = pdfText(disk.root() / "list.pdf");
    EXPECT_NE(text.find("明度"), std::string::npos) << text;
    EXPECT_NE(text.find("12.5"), std::string::npos) << text;
    EXPECT_EQ(text.find("- 1 -"), std::string::npos) << text;
}

}  // namespace
}  // namespace kestrune::testing

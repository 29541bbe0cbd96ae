// The plain text printout of the individual table: one printed line per line, new pages as needed.
#include "output/printing/TextLinePrinter.h"

#include <gtest/gtest.h>

#include "core/Error.h"
#include "tests/output/FigureGuiApp.h"
#include "tests/output/printing/PdfTestPrinter.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

class TextPrint : public ::testing::Test {
  protected:
    void SetUp() override { ensureGuiApplication(); }

    // Prints that many lines of an individual table and returns the number of pages.
    int pagesFor(int lineCount) {
        std::vector<std::string> lines;
        for (int i = 0; i < lineCount; ++i)
            lines.push_back(i % 12 == 0 ? "[明るい]" : std::to_string(i) + "\t3\t1\t0\t2");
        const std::filesystem::path file = dir.path("lines" + std::to_string(lineCount) + ".pdf");
        PdfTestPrinter device(file);
        printTextLines(device, lines);
        return pdfPageCount(file);
    }
    int perPage() {
        PdfTestPrinter device(dir.path("probe.pdf"));
        return textLinesPerPage(device);
    }

    TempDisk dir;
};

TEST_F(TextPrint, ANewPageStartsExactlyWhenAPageIsFull) {
    const int lines = perPage();
    // A4 less 15 mm margins holds several dozen lines of a normal font.
    ASSERT_GT(lines, 30);
    ASSERT_LT(lines, 150);
    EXPECT_EQ(pagesFor(1), 1);
    EXPECT_EQ(pagesFor(lines), 1);
    EXPECT_EQ(pagesFor(lines + 1), 2);
    keepPrintSample(dir.path("lines" + std::to_string(lines + 1) + ".pdf"), "text-lines.pdf");
    EXPECT_EQ(pagesFor(3 * lines), 3);
}

TEST_F(TextPrint, NoLinesPrintNothing) {
    EXPECT_EQ(pagesFor(0), 0);
}

TEST_F(TextPrint, APrinterThatRefusesANewPageIsReported) {
    std::vector<std::string> lines(static_cast<std::size_t>(perPage()) * 2 + 1, "1\t2");
    PdfTestPrinter device(dir.path("refused.pdf"));
    device.pagesAccepted = 1;
    try {
        printTextLines(device, lines);
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), kCannotContinuePrinting);
    }
}

}  // namespace

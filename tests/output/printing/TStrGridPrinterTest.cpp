// The grid printer on a 600 dpi A4 PDF: cell geometry, page order, page state for the
// handlers, and what an error does to a printout.
#include "output/printing/TStrGridPrinter.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <map>
#include <stdexcept>

#include "core/Error.h"
#include "core/TextGrid.h"
#include "tests/output/FigureGuiApp.h"
#include "tests/output/printing/PdfTestPrinter.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

struct PageRecord {
    int columnPage;
    int rowPage;
    int pageNumber;
    int tableBottom;
    bool operator==(const PageRecord&) const = default;
};

struct CellRecord {
    int pageNumber;
    QRect cell;
    QRect frame;
};

// Everything the printer tells its owner during one printout.
struct Recorder {
    std::vector<PageRecord> begun;
    std::vector<PageRecord> ended;
    std::map<std::pair<int, int>, CellRecord> cells;  // (column, row)
    int cellsDrawnTwice = 0;

    void attach(TStrGridPrinter& printer) {
        printer.OnBeginPage = [this](TStrGridPrinter& p) { begun.push_back(page(p)); };
        printer.OnEndPage = [this](TStrGridPrinter& p) { ended.push_back(page(p)); };
        printer.OnDrawCell = [this, &printer](int column, int row, const QRect& cell, const QRect& frame) {
            if (!cells.emplace(std::pair{column, row}, CellRecord{printer.PageNumber, cell, frame}).second)
                ++cellsDrawnTwice;
        };
    }
    static PageRecord page(const TStrGridPrinter& p) {
        return {p.CurrentColumnPage, p.CurrentRowPage, p.PageNumber, p.TableBottom};
    }
    const CellRecord& at(int column, int row) const { return cells.at({column, row}); }
};

TextGrid numberedGrid(int columns, int rows) {
    TextGrid grid(columns, rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            std::string text = std::to_string(c);
            text += ',';
            text += std::to_string(r);
            grid.setCell(c, r, std::move(text));
        }
    }
    return grid;
}

class GridPrint : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureGuiApplication();
        printer.Font = QFont("DejaVu Sans", 9);
        printer.TopMargin = 20;  // as the main window's printers have it
        recorder.attach(printer);
    }
    void print(const TextGrid& grid) {
        printer.TargetGrid = &grid;
        PdfTestPrinter device(pdf);
        printer.Print(device);
    }

    TempDisk dir;
    std::filesystem::path pdf = dir.path("grid.pdf");
    TStrGridPrinter printer;
    Recorder recorder;
};

TEST_F(GridPrint, ScreenPixelsBecomePrinterDotsAndNeighboursShareFrameLines) {
    TextGrid grid = numberedGrid(3, 2);
    grid.setColumnWidth(0, 128);  // a fixed column twice as wide
    print(grid);

    EXPECT_DOUBLE_EQ(printer.RatioX, 6.25);
    for (int c = 1; c < 3; ++c) {
        EXPECT_EQ(recorder.at(c, 0).cell.width(), 400) << c;
        EXPECT_EQ(recorder.at(c, 0).frame.right() - recorder.at(c, 0).frame.left(), 400) << c;
    }
    EXPECT_EQ(recorder.at(0, 0).cell.width(), 800);
    EXPECT_EQ(recorder.at(0, 1).cell.height(), 150);
    // The table starts at the margins: 10 mm left and 20 mm top are 236 and 472 dots.
    EXPECT_EQ(recorder.at(0, 0).frame.topLeft(), QPoint(236, 472));
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            const CellRecord& cell = recorder.at(c, r);
            EXPECT_EQ(cell.cell.topLeft(), cell.frame.topLeft());
            if (c + 1 < 3) {
                EXPECT_EQ(cell.frame.right(), recorder.at(c + 1, r).frame.left());
            }
            if (r + 1 < 2) {
                EXPECT_EQ(cell.frame.bottom(), recorder.at(c, r + 1).frame.top());
            }
        }
    }
}

TEST_F(GridPrint, AGridThatFitsPrintsOnePageWithTheTableBottomUnderItsLastRow) {
    // A scale value table of three panels and two images, with the page's header and footer.
    TextGrid grid(6, 7);
    grid.fixedColumns = 2;
    grid.setColumnWidth(0, 128);
    grid.setColumnWidth(1, 128);
    const char* header[] = {"", "", "1", "2", "3", "平均"};
    const char* statistics[] = {"100点換算得点", "標準偏差", "標準偏差基準化得点"};
    const char* values[] = {"75.000", "50.000", "25.000", "35.355", "0.000",
                            "35.355", "1.061",  "0.000",  "-1.061"};
    for (int c = 0; c < 6; ++c)
        grid.setCell(c, 0, header[c]);
    for (int m = 0; m < 2; ++m) {
        grid.setCell(0, 3 * m + 1, m == 0 ? "明るい" : "暖かい");
        for (int s = 0; s < 3; ++s) {
            grid.setCell(1, 3 * m + 1 + s, statistics[s]);
            for (int k = 0; k < 3; ++k)
                grid.setCell(2 + k, 3 * m + 1 + s, values[3 * s + k]);
        }
        grid.setCell(5, 3 * m + 2, "23.570");
    }
    const auto recordBegin = printer.OnBeginPage;
    const auto recordEnd = printer.OnEndPage;
    printer.OnBeginPage = [&](TStrGridPrinter& p) {
        recordBegin(p);
        const QPoint corner(p.MillimetresToX(10), p.MillimetresToY(10));
        p.Canvas->drawText(corner + QPoint(0, p.Canvas->fontMetrics().ascent()), "A:\\male\\印象\\例題.dat");
    };
    printer.OnEndPage = [&](TStrGridPrinter& p) {
        recordEnd(p);
        const QString footer = QString("- %1 -").arg(p.PageNumber);
        p.Canvas->drawText(QPoint(p.MillimetresToX(80), p.TableBottom + p.Canvas->fontMetrics().ascent()),
                           footer);
    };
    print(grid);

    EXPECT_EQ(pdfPageCount(pdf), 1);
    ASSERT_EQ(recorder.ended.size(), 1u);
    EXPECT_EQ(recorder.begun, (std::vector<PageRecord>{{1, 1, 1, 0}}));
    const int lastRowFrameBottom = recorder.at(5, 6).frame.bottom();
    EXPECT_EQ(recorder.ended[0], (PageRecord{1, 1, 1, lastRowFrameBottom}));
    EXPECT_EQ(lastRowFrameBottom, 472 + 7 * 150);
    EXPECT_EQ(recorder.cells.size(), 42u);
    keepPrintSample(pdf, "scale-value-table.pdf");
}

TEST_F(GridPrint, ATallAndWideGridPrintsDownThenAcrossWithConsecutivePageNumbers) {
    TextGrid grid = numberedGrid(30, 110);
    grid.setRowHeight(7, 41);  // rows of other heights move the page breaks
    grid.setRowHeight(60, 200);
    grid.setColumnWidth(3, 300);
    print(grid);

    const int rowPages = static_cast<int>(printer.RowPageStarts.size());
    const int columnPages = static_cast<int>(printer.ColumnPageStarts.size());
    ASSERT_GE(rowPages, 2);
    ASSERT_GE(columnPages, 2);
    std::vector<PageRecord> expectedOrder;
    int number = 0;
    for (int columnPage = 1; columnPage <= columnPages; ++columnPage) {
        for (int rowPage = 1; rowPage <= rowPages; ++rowPage)
            expectedOrder.push_back({columnPage, rowPage, ++number, 0});
    }
    std::vector<PageRecord> begun = recorder.begun;
    for (PageRecord& page : begun)
        page.tableBottom = 0;  // the bottom is only known after the cells
    EXPECT_EQ(begun, expectedOrder);
    EXPECT_EQ(pdfPageCount(pdf), number);

    // Every cell once (the header row is not repeated), each page's cells inside its printable area.
    EXPECT_EQ(recorder.cells.size(), 30u * 110u);
    EXPECT_EQ(recorder.cellsDrawnTwice, 0);
    const int right = printer.LeftMarginDots + printer.PrintableWidth;
    const int bottom = printer.TopMarginDots + printer.PrintableHeight;
    std::map<int, int> lowestFrameOnPage;
    for (const auto& [position, cell] : recorder.cells) {
        EXPECT_LE(cell.frame.right(), right);
        EXPECT_LE(cell.frame.bottom(), bottom);
        int& lowest = lowestFrameOnPage[cell.pageNumber];
        lowest = std::max(lowest, cell.frame.bottom());
    }
    ASSERT_EQ(recorder.ended.size(), static_cast<std::size_t>(number));
    for (const PageRecord& page : recorder.ended)
        EXPECT_EQ(page.tableBottom, lowestFrameOnPage[page.pageNumber]) << page.pageNumber;

    // A page ends only where the next row or column would not fit.
    for (int rowPage = 2; rowPage <= rowPages; ++rowPage) {
        const CellRecord& next = recorder.at(0, printer.RowPageStarts[rowPage - 1]);
        const int bottomBefore = recorder.ended[rowPage - 2].tableBottom;
        EXPECT_GT(bottomBefore + next.frame.height() - 1, bottom) << rowPage;
        EXPECT_EQ(next.frame.top(), printer.TopMarginDots);
    }
    const CellRecord& nextColumn = recorder.at(printer.ColumnPageStarts[1], 0);
    const CellRecord& lastBefore = recorder.at(printer.ColumnPageStarts[1] - 1, 0);
    EXPECT_GT(lastBefore.frame.right() + nextColumn.frame.width() - 1, right);
    EXPECT_EQ(nextColumn.frame.left(), printer.LeftMarginDots);
}

TEST_F(GridPrint, AHeaderHandlerCannotChangeHowTheTableIsDrawn) {
    const TextGrid grid = numberedGrid(4, 3);
    print(grid);
    const auto plain = recorder.cells;

    recorder = Recorder{};
    recorder.attach(printer);
    printer.OnBeginPage = [](TStrGridPrinter& p) {
        p.Canvas->setPen(QPen(Qt::red, 40));
        p.Canvas->setBrush(Qt::blue);
        p.Canvas->setFont(QFont("DejaVu Serif", 30));
        p.Canvas->translate(500, 700);
        p.Canvas->scale(2, 2);
        p.Canvas->setClipRect(0, 0, 10, 10);
        p.Canvas->drawText(QPoint(0, 0), "見出し");
    };
    int checkedCells = 0;
    const auto recordCell = printer.OnDrawCell;
    printer.OnDrawCell = [&](int column, int row, const QRect& cell, const QRect& frame) {
        const QPainter& canvas = *printer.Canvas;
        EXPECT_EQ(canvas.pen().color(), QColor(Qt::black));
        EXPECT_EQ(canvas.pen().width(), 1);
        EXPECT_EQ(canvas.brush().style(), Qt::NoBrush);
        EXPECT_EQ(canvas.font().family(), "DejaVu Sans");
        EXPECT_EQ(canvas.font().pointSize(), 9);
        EXPECT_TRUE(canvas.transform().isIdentity());
        EXPECT_FALSE(canvas.hasClipping());
        ++checkedCells;
        recordCell(column, row, cell, frame);
    };
    PdfTestPrinter device(dir.path("handler.pdf"));
    printer.Print(device);

    EXPECT_EQ(checkedCells, 12);
    ASSERT_EQ(recorder.cells.size(), plain.size());
    for (const auto& [position, cell] : plain) {
        EXPECT_EQ(recorder.cells.at(position).cell, cell.cell);
        EXPECT_EQ(recorder.cells.at(position).frame, cell.frame);
    }
}

TEST_F(GridPrint, TheGridFontPrintsAtItsPointSize) {
    const TextGrid grid = numberedGrid(1, 1);
    std::vector<int> pixelSizes;
    printer.OnEndPage = [&](TStrGridPrinter& p) { pixelSizes.push_back(p.Canvas->fontInfo().pixelSize()); };

    // 9 points at 600 dpi are 75 dots, whether the screen font was given in points or in pixels.
    printer.Font = QFont("DejaVu Sans", 9);
    printer.TargetGrid = &grid;
    PdfTestPrinter points(dir.path("points.pdf"));
    printer.Print(points);
    printer.Font = QFont("DejaVu Sans");
    printer.Font.setPixelSize(12);  // 12 pixels at 96 dpi
    PdfTestPrinter pixels(dir.path("pixels.pdf"));
    printer.Print(pixels);

    EXPECT_EQ(pixelSizes, (std::vector<int>{75, 75}));
}

TEST(GridPrintLayout, MarginsAreRoundedHalfToEven) {
    TStrGridPrinter printer;
    printer.Layout(600, 300, 4958, 3508);
    // Default margins: 10, 10, 5, 10 mm.
    EXPECT_EQ(printer.LeftMarginDots, 236);   // 236.22
    EXPECT_EQ(printer.RightMarginDots, 118);  // 118.11
    EXPECT_EQ(printer.TopMarginDots, 118);    // 118.11 at 300 dpi
    EXPECT_EQ(printer.BottomMarginDots, 118);
    EXPECT_EQ(printer.PrintableWidth, 4958 - 236 - 118);
    EXPECT_EQ(printer.PrintableHeight, 3508 - 236);
    printer.TopMargin = 13;  // 153.54 at 300 dpi
    printer.Layout(600, 300, 4958, 3508);
    EXPECT_EQ(printer.TopMarginDots, 154);

    // Millimetres whose product with the inch factor and 600 dpi is exactly a half.
    EXPECT_EQ(printer.MillimetresToX(0.10583333333375666), 2);  // 2.5
    EXPECT_EQ(printer.MillimetresToX(0.14816666666725933), 4);  // 3.5
    EXPECT_EQ(printer.MillimetresToX(0.190500000000762), 4);    // 4.5
    EXPECT_EQ(printer.MillimetresToX(5.016500000020066), 118);  // 118.5
    EXPECT_EQ(printer.MillimetresToX(10.01183333337338), 236);  // 236.5
    EXPECT_EQ(printer.MillimetresToY(80), 945);                 // 944.88 at 300 dpi
}

TEST(GridPrintLayout, ARowThatJustFitsStaysAndAnOversizedRowTakesAPageOfItsOwn) {
    TStrGridPrinter printer;
    TextGrid grid(1, 10);  // rows of 24 pixels: 150 dots at 600 dpi
    printer.TargetGrid = &grid;
    // Printable height: 922 − 236 − 236 = 450 dots, exactly three rows.
    printer.Layout(600, 600, 1000, 922);
    EXPECT_EQ(printer.RowPageStarts, (std::vector<int>{0, 3, 6, 9}));
    printer.Layout(600, 600, 1000, 921);
    EXPECT_EQ(printer.RowPageStarts, (std::vector<int>{0, 2, 4, 6, 8}));

    // A first row taller than the page does not leave an empty page before it.
    grid.setRowHeight(0, 200);
    grid.setRowHeight(4, 200);
    printer.Layout(600, 600, 1000, 922);
    EXPECT_EQ(printer.RowPageStarts, (std::vector<int>{0, 1, 4, 5, 8}));
    EXPECT_EQ(printer.ColumnPageStarts, (std::vector<int>{0}));
}

TEST_F(GridPrint, AnErrorWhileDrawingAPageEndsOnlyThatPage) {
    const TextGrid grid = numberedGrid(2, 90);  // three row pages
    const auto recordBegin = printer.OnBeginPage;
    printer.OnBeginPage = [&](TStrGridPrinter& p) {
        recordBegin(p);
        if (p.PageNumber == 2)
            throw UserError("見出しを描けません");
    };
    printer.TargetGrid = &grid;
    PdfTestPrinter device(pdf);
    printer.Print(device);

    ASSERT_EQ(printer.RowPageStarts.size(), 3u);
    EXPECT_EQ(pdfPageCount(pdf), 3);
    EXPECT_EQ(recorder.begun.size(), 3u);
    ASSERT_EQ(recorder.ended.size(), 2u);
    EXPECT_EQ(recorder.ended[0].pageNumber, 1);
    EXPECT_EQ(recorder.ended[1].pageNumber, 3);
    for (const auto& [position, cell] : recorder.cells)
        EXPECT_NE(cell.pageNumber, 2);
    EXPECT_EQ(printer.PagesCutShort, 1);
    EXPECT_FALSE(printer.StoppedEarly);
}

TEST_F(GridPrint, ARefusedNewPageEndsThePrintoutQuietly) {
    const TextGrid grid = numberedGrid(2, 90);
    printer.TargetGrid = &grid;
    PdfTestPrinter device(pdf);
    device.pagesAccepted = 1;
    EXPECT_NO_THROW(printer.Print(device));

    EXPECT_EQ(recorder.ended.size(), 2u);
    EXPECT_TRUE(printer.StoppedEarly);
    EXPECT_EQ(printer.PagesCutShort, 0);
    EXPECT_EQ(pdfPageCount(pdf), 2);
    EXPECT_EQ(printer.Canvas, nullptr);
}

TEST_F(GridPrint, NothingIsPrintedWithoutATargetGrid) {
    PdfTestPrinter device(pdf);
    printer.Print(device);
    EXPECT_TRUE(recorder.begun.empty());
    EXPECT_EQ(pdfPageCount(pdf), 0);
}

TEST_F(GridPrint, ADeviceThatCannotBeOpenedIsAUserError) {
    const TextGrid grid = numberedGrid(2, 2);
    printer.TargetGrid = &grid;
    PdfTestPrinter device(dir.path("no such directory/grid.pdf"));
    EXPECT_THROW(printer.Print(device), UserError);
    EXPECT_EQ(printer.Canvas, nullptr);
}

}  // namespace

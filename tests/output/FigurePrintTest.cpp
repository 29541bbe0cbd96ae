#include <gtest/gtest.h>

#include <QPrinter>

#include "FigureGuiApp.h"
#include "core/Error.h"
#include "core/Picture.h"
#include "output/figure/PrintGeometry.h"
#include "tests/support/TempDisk.h"

using namespace kestrune;
using namespace kestrune::testing;

TEST(FigurePrint, A4At600DotsWithTwentyMillimetreMargins) {
    EXPECT_EQ(printSquare(FigureMargins{}, 600, 600, 4760, 6779), (PrintSquare{472, 472, 3816}));
}

TEST(FigurePrint, LandscapeTakesTheUsableHeightAndLeavesTheSpareWidthRight) {
    EXPECT_EQ(printSquare(FigureMargins{}, 600, 600, 6779, 4760), (PrintSquare{472, 472, 3816}));
    // Different margins per side: the square starts at the left and top margins.
    EXPECT_EQ(printSquare(FigureMargins{5, 10, 15, 25}, 600, 600, 6779, 4760),
              (PrintSquare{236, 118, 4760 - 118 - 354}));
}

TEST(FigurePrint, MarginsAreRoundedToTheNearestDotPerAxis) {
    // 13 mm at 600 dpi is 307.09 dots, at 300 dpi 153.54; 25 mm at 72 dpi is 70.87.
    EXPECT_EQ(printSquare(FigureMargins{13, 13, 0, 0}, 300, 600, 1000, 1000).left, 154);
    EXPECT_EQ(printSquare(FigureMargins{13, 13, 0, 0}, 300, 600, 1000, 1000).top, 307);
    EXPECT_EQ(printSquare(FigureMargins{0, 25, 0, 0}, 72, 72, 1000, 1000).left, 71);
    EXPECT_EQ(printSquare(kNumberLineMargins, 600, 600, 4760, 6779), (PrintSquare{236, 236, 4760 - 472}));
}

TEST(FigurePrint, MarginsLeavingNoSquareAreRefused) {
    try {
        printSquare(FigureMargins{100, 100, 100, 100}, 600, 600, 4000, 6779);
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), kNoPrintableSquare);
    }
    // Exactly no width left is no square either.
    EXPECT_THROW(printSquare(FigureMargins{0, 50, 0, 50}, 254, 254, 1000, 5000), UserError);
    EXPECT_EQ(printSquare(FigureMargins{0, 49, 0, 50}, 254, 254, 1000, 5000).side, 10);
    // The largest margins on A4 still leave a small square.
    EXPECT_EQ(printSquare(FigureMargins{100, 100, 100, 100}, 600, 600, 4760, 6779).side, 36);
}

TEST(FigurePrint, PrintsOnePageToAPdfPrinter) {
    ensureGuiApplication();
    TempDisk dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.path("out.pdf").string()));
    Picture picture;
    picture.setPen(Pen{kBlack, 10});
    picture.line({0, 0}, {1000, 1000});
    printFigure(picture, printer, FigureMargins{});
    const std::string pdf = readBytes(dir.path("out.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    std::size_t pages = 0;
    for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos;
         at = pdf.find("/Type /Page\n", at + 1)) {
        ++pages;
    }
    EXPECT_EQ(pages, 1u);
}

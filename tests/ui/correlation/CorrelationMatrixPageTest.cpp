// The correlation matrix page driven through its own controls in the main window: the matrix
// of images and quantities, the emphasis painted on screen, and the exports, each compared with
// what the batch program writes for the same choices.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <cmath>
#include <cstdio>

#include "core/Cp932.h"
#include "core/TextGrid.h"
#include "tests/ui/correlation/CorrelationDisk.h"
#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/common/TextGridModel.h"
#include "ui/common/TextGridView.h"
#include "ui/correlation/CorrelationMatrixPage.h"
#include "ui/correlation/CorrelationSideControls.h"

namespace kestrune::testing {
namespace {

class CorrelationMatrixPageTest : public MainWindowTest {
  protected:
    CorrelationMatrixPage& page() { return *window->matrixPage(); }
    const TextGrid& grid() { return page().grid(); }
    std::string cell(int column, int row) { return grid().cell(column, row); }

    void showPage() {
        window->resize(1000, 640);
        window->show();
        window->pages()->setCurrentWidget(window->matrixPage());
    }
};

TEST_F(CorrelationMatrixPageTest, ImagesOfOneFileGiveASymmetricMatrixWithOnesOnTheDiagonal) {
    makeColourSeries(disk);
    openWindow();
    ASSERT_EQ(page().columnSide().fileChooser()->currentText(), QStringLiteral("春"));
    ASSERT_EQ(grid().columnCount(), 5);
    ASSERT_EQ(grid().rowCount(), 5);
    EXPECT_EQ(cell(1, 0), "明るい");
    EXPECT_EQ(cell(0, 4), "重い");
    EXPECT_EQ(grid().columnWidth(0), 2 * grid().defaultColumnWidth);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(cell(r, r), "1.0000");
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(cell(c, r), cell(r, c)) << c << "," << r;
    }

    // Another file for the rows: the matrix is what the batch program writes, byte for byte.
    page().rowSide().fileChooser()->setCurrentIndex(1);
    ASSERT_EQ(page().rowSide().fileChooser()->currentText(), QStringLiteral("秋"));
    EXPECT_NE(cell(1, 1), "1.0000");
    const std::string expected =
        cliOutput(disk, "correlate 色 --columns images:male:春 --rows images:male:秋", "expected.txt");
    ASSERT_FALSE(expected.empty());
    const QString saved = QString::fromStdString((disk.root() / "matrix.txt").string());
    prompter.fileNames.push_back(saved);
    prompter.saveFilters.push_back(QStringLiteral("テキストのみ (*.txt)"));
    page().saveButton()->click();
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(prompter.fileDialogs[0].filters,
              (QStringList{QStringLiteral("書式付きテキスト(RTF) (*.rtf)"),
                           QStringLiteral("HTML文書 (*.htm)"), QStringLiteral("テキストのみ (*.txt)")}));
    EXPECT_EQ(prompter.fileDialogs[0].defaultSuffix, QStringLiteral("rtf"));
    EXPECT_TRUE(prompter.fileDialogs[0].confirmOverwrite);
    EXPECT_EQ(readBytes(saved.toStdString()), expected);

    // "テキストのみ" with a name typed as .rtf: the tab text goes to corr2.txt, and the rich text
    // saved earlier under corr2.rtf stays.
    const std::string earlier = "{\\rtf1 earlier}";
    {
        std::FILE* file = std::fopen((disk.root() / "corr2.rtf").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(earlier.data(), 1, earlier.size(), file);
        std::fclose(file);
    }
    prompter.fileNames.push_back(QString::fromStdString((disk.root() / "corr2.rtf").string()));
    prompter.saveFilters.push_back(QStringLiteral("テキストのみ (*.txt)"));
    page().saveButton()->click();
    EXPECT_EQ(readBytes((disk.root() / "corr2.txt").string()), expected);
    EXPECT_EQ(readBytes((disk.root() / "corr2.rtf").string()), earlier);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
}

TEST_F(CorrelationMatrixPageTest, QuantitiesAgainstImagesAndASideWithoutAQuantityFile) {
    makeColourSeries(disk);
    openWindow();
    CorrelationSideControls& rows = page().rowSide();
    EXPECT_FALSE(rows.settingButton()->isEnabled());

    // No physical quantity file: the rows shrink to one empty variable, nothing is computed.
    rows.physicalButton()->click();
    EXPECT_TRUE(rows.settingButton()->isEnabled());
    EXPECT_FALSE(rows.groupChooser()->isEnabled());
    EXPECT_FALSE(rows.fileChooser()->isEnabled());
    ASSERT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(cell(0, 1), "");
    for (int c = 1; c < grid().columnCount(); ++c)
        EXPECT_EQ(cell(c, 1), "");
    EXPECT_TRUE(prompter.messages.empty());

    disk.writeLines("physical/色/色.phy",
                    physicalLines({{"明度", "cd/m2", {"12.5", "20.1", "31", "45.2", "60.8"}},
                                   {"重さ", "", {"105", "98.5", "110", "99", "101"}}}));
    rows.imageButton()->click();
    rows.physicalButton()->click();
    ASSERT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(cell(0, 1), "明度");
    EXPECT_EQ(cell(0, 2), "重さ");

    // A group without data leaves the column side without a file: the values are cleared.
    page().columnSide().groupChooser()->setCurrentIndex(1);
    EXPECT_EQ(page().columnSide().fileChooser()->count(), 0);
    EXPECT_EQ(cell(1, 1), "");
    page().columnSide().groupChooser()->setCurrentIndex(0);

    const std::string expected =
        cliOutput(disk, "correlate 色 --columns images:male:春 --rows physical --html", "q.htm");
    ASSERT_FALSE(expected.empty());
    const QString saved = QString::fromStdString((disk.root() / "matrix.htm").string());
    prompter.fileNames.push_back(saved);
    prompter.saveFilters.push_back(QStringLiteral("HTML文書 (*.htm)"));
    page().saveButton()->click();
    EXPECT_EQ(readBytes(saved.toStdString()), expected);
}

// Four panels whose centred values are orthogonal give a second quantity whose correlation
// with the first is exactly the chosen r.
std::vector<std::string> valuesCorrelatedBy(double r) {
    const double u[] = {-1.5, -0.5, 0.5, 1.5};
    const double v[] = {1, -1, -1, 1};
    std::vector<std::string> values;
    for (int k = 0; k < 4; ++k) {
        char text[64];
        std::snprintf(text, sizeof text, "%.17g",
                      r * u[k] / std::sqrt(5.0) + std::sqrt(1 - r * r) * v[k] / 2);
        values.push_back(text);
    }
    return values;
}

struct CellInk {
    int dark = 0;
    int red = 0;
    int left = 1 << 20;
    int right = -1;
};

CellInk inkOf(const QImage& image, const QRect& rect) {
    CellInk ink;
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        for (int x = rect.left() + 1; x < rect.right(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            const bool red = colour.red() > 150 && colour.green() < 110 && colour.blue() < 110;
            const bool dark = qGray(colour.rgb()) < 120 && !red;
            if (!red && !dark)
                continue;
            (red ? ink.red : ink.dark)++;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
        }
    }
    return ink;
}

TEST_F(CorrelationMatrixPageTest, ValueCellsArePaintedByTheEmphasisRule) {
    disk.makeSeries("量", 4, {"明るい"});
    disk.writeLines("physical/量/量.phy", physicalLines({{"基準", "", {"1", "2", "3", "4"}},
                                                         {"a", "", valuesCorrelatedBy(0.80004)},
                                                         {"b", "", valuesCorrelatedBy(0.80006)},
                                                         {"c", "", valuesCorrelatedBy(-0.80004)},
                                                         {"d", "", valuesCorrelatedBy(-0.80006)}}));
    openWindow();
    showPage();
    page().columnSide().physicalButton()->click();
    page().rowSide().physicalButton()->click();
    ASSERT_EQ(cell(1, 2), "0.8000");
    ASSERT_EQ(cell(1, 3), "0.8001");
    ASSERT_EQ(cell(1, 4), "-0.8000");
    ASSERT_EQ(cell(1, 5), "-0.8001");

    TextGridView* view = page().gridView();
    view->clearSelection();
    view->setCurrentIndex({});
    const QImage image = view->viewport()->grab().toImage();
    const auto inkAt = [&](int column, int row) {
        return inkOf(image, view->visualRect(view->model()->index(row, column)));
    };
    const CellInk regular = inkAt(1, 2);
    const CellInk bold = inkAt(1, 3);
    const CellInk regularRed = inkAt(1, 4);
    const CellInk boldRed = inkAt(1, 5);
    EXPECT_EQ(regular.red, 0);
    EXPECT_EQ(bold.red, 0);
    EXPECT_GT(bold.dark, regular.dark * 23 / 20);
    EXPECT_GT(regularRed.red, regular.dark * 3 / 4);
    EXPECT_GT(boldRed.red, regularRed.red * 23 / 20);
    // Numbers stand at the right edge of their cells; the header texts at the left.
    const QRect valueCell = view->visualRect(view->model()->index(2, 1));
    EXPECT_GT(regular.right, valueCell.right() - 10);
    EXPECT_GT(regular.left, valueCell.left() + 10);
    const CellInk header = inkAt(0, 2);
    const QRect headerCell = view->visualRect(view->model()->index(2, 0));
    EXPECT_LT(header.left, headerCell.left() + 10);
}

TEST_F(CorrelationMatrixPageTest, CopyPutsTheRichTextAndThePlainLinesOnTheClipboard) {
    makeColourSeries(disk);
    openWindow();
    page().rowSide().fileChooser()->setCurrentIndex(1);
    page().copyButton()->click();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const std::string rtf =
        cliOutput(disk, "correlate 色 --columns images:male:春 --rows images:male:秋 --rtf", "m.rtf");
    ASSERT_FALSE(rtf.empty());
    EXPECT_EQ(data->data(QStringLiteral("text/rtf")).toStdString(), rtf);
    EXPECT_EQ(data->data(QStringLiteral("text/richtext")).toStdString(), rtf);
    const std::string lines =
        cliOutput(disk, "correlate 色 --columns images:male:春 --rows images:male:秋", "m.txt");
    std::string plain = data->text().toStdString();
    EXPECT_EQ(plain + "\r\n", decodeCp932(lines, "m.txt"));
}

}  // namespace
}  // namespace kestrune::testing

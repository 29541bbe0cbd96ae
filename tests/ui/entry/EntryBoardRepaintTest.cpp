#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <cmath>

#include "entry/UniformRandom.h"
#include "tests/ui/entry/EntryTestSupport.h"

namespace kestrune {
namespace {

using testing::EntryPageHost;

std::vector<std::string> twelveWords() {
    std::vector<std::string> words;
    for (int i = 1; i <= 12; ++i)
        words.push_back("語" + std::to_string(i));
    return words;
}

// A pixel of the navy ring or of its smoothed edge; text, dots and the frame are grey.
bool ringColoured(QColor colour) {
    return colour.blue() > colour.red() + 24 && colour.blue() > colour.green() + 24;
}

// Gives whatever level the test sets: 0 draws every ring at its smallest (a radius of 9
// pixels), 0.999 at its largest (12 pixels, touching the edges of the circle).
class LevelRandom : public UniformRandom {
  public:
    double next() override { return level; }
    double level = 0;
};

// The board as the window last put it on screen (the window's backing store), not painted
// afresh as QWidget::grab would: what earlier paints left behind stays visible here.
class EntryBoardRepaint : public ::testing::Test {
  protected:
    EntryBoardRepaint() { EXPECT_TRUE(QTest::qWaitForWindowExposed(host.window.get())); }

    LevelRandom& levelRandom() {
        auto random = std::make_unique<LevelRandom>();
        LevelRandom& level = *random;
        page.board()->setMarkRandom(std::move(random));
        return level;
    }

    // Distances from the circle's centre of the ring pixels in its square.
    std::vector<double> ringRadii(const QImage& image, const TScriptCircle& circle) {
        std::vector<double> radii;
        const double cx = circle.Left + circle.Width / 2 + 0.5;
        const double cy = circle.Top + circle.Height / 2 + 0.5;
        for (int y = circle.Top; y < circle.Top + circle.Height && y < image.height(); ++y) {
            for (int x = circle.Left; x < circle.Left + circle.Width; ++x) {
                if (y >= 0 && ringColoured(image.pixelColor(x, y)))
                    radii.push_back(std::hypot(x + 0.5 - cx, y + 0.5 - cy));
            }
        }
        return radii;
    }
    static bool anyWithin(const std::vector<double>& radii, double low, double high) {
        return std::any_of(radii.begin(), radii.end(), [&](double r) { return r >= low && r <= high; });
    }

    QImage shownBoard() {
        QApplication::processEvents();
        QApplication::processEvents();
        const QPoint at = page.board()->mapTo(host.window.get(), QPoint(0, 0));
        const QPixmap shot = host.window->screen()->grabWindow(host.window->winId(), at.x(), at.y(),
                                                               page.board()->width(), page.board()->height());
        return shot.toImage();
    }

    // Ring pixels that lie outside every marked circle, as "x,y" texts.
    QStringList strayPixels(const QImage& image) {
        const ResponseBoardModel& board = page.board()->model();
        QStringList stray;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!ringColoured(image.pixelColor(x, y)))
                    continue;
                bool inMarkedCircle = false;
                for (int number = 1; number <= ResponseBoardModel::kCircleCount; ++number) {
                    const TScriptCircle& circle = board.circle(number);
                    inMarkedCircle =
                        inMarkedCircle || (circle.Visible && circle.Status() && circle.contains(x, y));
                }
                if (!inMarkedCircle)
                    stray << QStringLiteral("%1,%2").arg(x).arg(y);
            }
        }
        return stray;
    }

    int ringPixels(const QImage& image, const TScriptCircle& circle) {
        int count = 0;
        for (int y = circle.Top; y < circle.Top + circle.Height; ++y) {
            for (int x = circle.Left; x < circle.Left + circle.Width; ++x)
                count += ringColoured(image.pixelColor(x, y)) ? 1 : 0;
        }
        return count;
    }

    EntryPageHost host{twelveWords()};
    EntryPage& page = *host.page;
};

TEST_F(EntryBoardRepaint, NoRingPixelsRemainOutsideTheMarkedCirclesAfterTheSheetChanges) {
    page.board()->setMarkRandom(std::make_unique<SeededUniformRandom>(11));
    host.clickButton(page.newInputButton());
    host.typeSheet("ABABABABABAB");
    // The whole board is painted again, as when the window is uncovered.
    page.board()->update();
    const QImage first = shownBoard();
    ASSERT_EQ(first.size(), page.board()->size());
    for (int row = 1; row <= 12; ++row) {
        const TScriptCircle& marked =
            row % 2 ? page.board()->model().circleA(row) : page.board()->model().circleB(row);
        EXPECT_GT(ringPixels(first, marked), 15) << "row " << row;
    }
    EXPECT_EQ(strayPixels(first).join(' ').toStdString(), "") << "on the first sheet";

    ASSERT_EQ(host.focused(), page.nextButton());
    QTest::keyClick(host.focused(), Qt::Key_Space);
    ASSERT_EQ(page.pairCounter()->text(), QStringLiteral("2"));
    EXPECT_EQ(strayPixels(shownBoard()).join(' ').toStdString(), "") << "on the empty second sheet";

    host.typeSheet("BABABABABABA");
    const QImage second = shownBoard();
    EXPECT_GT(ringPixels(second, page.board()->model().circleB(1)), 15);
    EXPECT_EQ(strayPixels(second).join(' ').toStdString(), "") << "on the marked second sheet";
}

TEST_F(EntryBoardRepaint, AMarkedNeighbourIsRepaintedWholeNotAlongTheSharedLine) {
    LevelRandom& random = levelRandom();
    host.clickButton(page.newInputButton());
    random.level = 0.999;
    host.type(QStringLiteral("4"));
    const TScriptCircle& first = page.board()->model().circleA(1);
    ASSERT_TRUE(anyWithin(ringRadii(shownBoard(), first), 11.5, 20)) << "a large ring in row 1";
    // Row 2's circles begin on the last pixel line of row 1's.
    random.level = 0;
    host.type(QStringLiteral("4"));
    const std::vector<double> radii = ringRadii(shownBoard(), first);
    EXPECT_TRUE(anyWithin(radii, 0, 9.0)) << "row 1 drawn again, small";
    EXPECT_FALSE(anyWithin(radii, 11.5, 20)) << "nothing of the large ring left";
}

TEST_F(EntryBoardRepaint, ScrollingPaintsTheRingsInViewWhole) {
    host.window->resize(900, 380);
    LevelRandom& random = levelRandom();
    host.clickButton(page.newInputButton());
    host.typeSheet("AAAAAA");
    QScrollBar* bar = page.boardScroller()->verticalScrollBar();
    bar->setValue(0);
    shownBoard();
    ASSERT_GT(bar->maximum(), 40);

    random.level = 0.999;
    bar->setValue(bar->value() + 30);
    const QImage image = shownBoard();
    const QRect inView(QPoint(0, bar->value()), page.boardScroller()->viewport()->size());
    int checked = 0;
    for (int row = 1; row <= 6; ++row) {
        const TScriptCircle& circle = page.board()->model().circleA(row);
        if (!inView.contains(QRect(circle.Left, circle.Top, circle.Width, circle.Height)))
            continue;
        ++checked;
        const std::vector<double> radii = ringRadii(image, circle);
        EXPECT_FALSE(anyWithin(radii, 0, 9.0)) << "row " << row << " keeps pixels of its earlier ring";
        EXPECT_TRUE(anyWithin(radii, 11.5, 20)) << "row " << row;
    }
    EXPECT_GE(checked, 3);
}

}  // namespace
}  // namespace kestrune

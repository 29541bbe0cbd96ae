#include <gtest/gtest.h>

#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "tests/ui/entry/EntryTestSupport.h"

namespace kestrune {
namespace {

using testing::EntryPageHost;

std::vector<std::string> twentyFiveWords() {
    std::vector<std::string> words;
    for (int i = 1; i <= 25; ++i)
        words.push_back("語" + std::to_string(i));
    return words;
}

// A board of 25 rows in a window too low to show them all.
class EntryBoardScroll : public ::testing::Test {
  protected:
    EntryBoardScroll() {
        host.window->resize(900, 380);
        QApplication::processEvents();
    }

    // Whether the whole band of a row lies inside the scroll area's viewport.
    bool rowInView(int row) const {
        const QRect area = page.board()->rowArea(row);
        QWidget* viewport = page.boardScroller()->viewport();
        const QRect shown(page.board()->mapTo(viewport, area.topLeft()), area.size());
        return viewport->rect().contains(shown);
    }
    int scrollValue() const { return page.boardScroller()->verticalScrollBar()->value(); }
    // "新規入力", and the layout settles (the tab rows fill) before the operator types.
    void startEntry() {
        host.clickButton(page.newInputButton());
        QApplication::processEvents();
    }
    void typeAndSettle(const QString& character) {
        host.type(character);
        QApplication::processEvents();
    }

    EntryPageHost host{twentyFiveWords()};
    EntryPage& page = *host.page;
};

TEST_F(EntryBoardScroll, TypingFollowsTheOpenRowDownTheBoard) {
    startEntry();
    ASSERT_LT(page.boardScroller()->viewport()->height(), page.board()->height() / 2)
        << "the window must be too low for the board";
    EXPECT_TRUE(rowInView(1));
    for (int row = 1; row <= 24; ++row) {
        typeAndSettle(row % 2 ? QStringLiteral("4") : QStringLiteral("x"));
        EXPECT_TRUE(rowInView(row)) << "marked row " << row << " at scroll " << scrollValue();
        EXPECT_TRUE(rowInView(row + 1)) << "open row " << row + 1 << " at scroll " << scrollValue();
    }
    typeAndSettle(QStringLiteral("4"));
    EXPECT_TRUE(rowInView(25));
    EXPECT_EQ(host.focused(), page.nextButton());

    // The next sheet is empty: its first row is the open one, at the top.
    QTest::keyClick(host.focused(), Qt::Key_Space);
    QApplication::processEvents();
    ASSERT_EQ(host.boardMarks()[0], "-");
    EXPECT_TRUE(rowInView(1));
    EXPECT_EQ(scrollValue(), 0);
}

TEST_F(EntryBoardScroll, BackgroundClicksFollowTheOpenRowToo) {
    startEntry();
    for (int row = 1; row <= 15; ++row) {
        // A click beside the word of whatever row is shown at the top of the viewport.
        QTest::mouseClick(page.board(), Qt::RightButton, {}, QPoint(8, scrollValue() + 8));
        QApplication::processEvents();
        EXPECT_EQ(host.boardMarks()[row - 1], "B");
        EXPECT_TRUE(rowInView(row + 1)) << "open row " << row + 1 << " at scroll " << scrollValue();
    }
    EXPECT_GT(scrollValue(), 0);
}

TEST_F(EntryBoardScroll, GoingBackToASheetWithAGapShowsTheGap) {
    startEntry();
    // Row 20 stays open; the rows after it are marked by clicks at the bottom of the board.
    host.typeSheet(std::string(19, 'A'));
    QScrollBar* bar = page.boardScroller()->verticalScrollBar();
    bar->setValue(bar->maximum());
    for (int row = 21; row <= 25; ++row)
        QTest::mouseClick(page.board(), Qt::LeftButton, {}, page.board()->circleCentre(2 * row - 1));
    host.clickButton(page.nextButton());
    QApplication::processEvents();
    EXPECT_EQ(scrollValue(), 0);
    host.clickButton(page.previousButton());
    QApplication::processEvents();
    ASSERT_EQ(host.boardMarks()[19], "-");
    EXPECT_TRUE(rowInView(20)) << "at scroll " << scrollValue();
}

// A low window far down a sheet of 25 words, as the screen shows it (not painted afresh):
// saved when KESTRUNE_SCREENSHOT_DIR names a directory.
TEST_F(EntryBoardScroll, PictureOfALowWindowHalfwayDownTheSheet) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.window.get()));
    startEntry();
    host.typeSheet("ABBAABABBAABAB");
    QApplication::processEvents();
    EXPECT_TRUE(rowInView(15));
    if (const QString directory = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR"); !directory.isEmpty()) {
        QApplication::processEvents();
        host.window->screen()->grabWindow(host.window->winId()).save(directory + "/entry-board-scrolled.png");
    }
}

}  // namespace
}  // namespace kestrune

#include "entry/ResponseBoardModel.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

std::vector<std::string> words(int count) {
    std::vector<std::string> result;
    for (int i = 1; i <= count; ++i)
        result.push_back("語" + std::to_string(i));
    return result;
}

// Marks of the rows 1 … I as "A", "B", "-" (neither) or "AB".
std::vector<std::string> marks(const ResponseBoardModel& board) {
    std::vector<std::string> result;
    for (int row = 1; row <= board.rowCount(); ++row) {
        std::string mark;
        if (board.circleA(row).Status())
            mark += "A";
        if (board.circleB(row).Status())
            mark += "B";
        result.push_back(mark.empty() ? "-" : mark);
    }
    return result;
}

TEST(ResponseBoardModel, RowsHaveTheFixedGeometryAndPartnerTags) {
    ResponseBoardModel board;
    for (int row = 1; row <= 25; ++row) {
        const TScriptCircle& a = board.circle(2 * row - 1);
        const TScriptCircle& b = board.circle(2 * row);
        EXPECT_EQ(a.Left, 144);
        EXPECT_EQ(b.Left, 200);
        EXPECT_EQ(a.Top, 56 + 24 * (row - 1));
        EXPECT_EQ(b.Top, a.Top);
        EXPECT_EQ(a.Width, 25);
        EXPECT_EQ(a.Height, 25);
        EXPECT_EQ(a.Tag, 2 * row);
        EXPECT_EQ(b.Tag, 2 * row - 1);
    }
}

TEST(ResponseBoardModel, LayOutShowsOneRowPerWordAndSetsTheScrollRange) {
    ResponseBoardModel board;
    EXPECT_EQ(board.LayOutBoard(words(4)), 166);
    EXPECT_EQ(board.rowCount(), 4);
    for (int number = 1; number <= 8; ++number)
        EXPECT_TRUE(board.circle(number).Visible) << number;
    for (int number = 9; number <= 50; ++number)
        EXPECT_FALSE(board.circle(number).Visible) << number;
    EXPECT_EQ(board.word(4), "語4");
    EXPECT_EQ(board.LayOutBoard(words(25)), 24 * 25 + 70);
    EXPECT_TRUE(board.circle(50).Visible);
}

TEST(ResponseBoardModel, ClickingBWhenAIsMarkedLeavesOnlyB) {
    ResponseBoardModel board;
    board.LayOutBoard(words(3));
    board.circleA(3).Click();
    EXPECT_EQ(marks(board), (std::vector<std::string>{"-", "-", "A"}));
    board.circleB(3).Click();
    EXPECT_EQ(marks(board), (std::vector<std::string>{"-", "-", "B"}));
    // A marked circle clicked again stays marked: no click clears a row.
    board.circleB(3).Click();
    EXPECT_EQ(marks(board), (std::vector<std::string>{"-", "-", "B"}));
}

TEST(ResponseBoardModel, CircleAtFindsVisibleCirclesOnly) {
    ResponseBoardModel board;
    board.LayOutBoard(words(2));
    EXPECT_EQ(board.circleAt(144, 56), 1);
    EXPECT_EQ(board.circleAt(224, 103), 4);
    EXPECT_EQ(board.circleAt(143, 56), 0);
    EXPECT_EQ(board.circleAt(150, 56 + 48 + 5), 0);  // row 3 is hidden
}

TEST(ResponseBoardModel, FirstOpenRowPassesRowsWithExactlyOneMark) {
    ResponseBoardModel board;
    board.LayOutBoard(words(4));
    board.circleA(1).SetStatus(true);
    board.circleB(2).SetStatus(true);
    EXPECT_EQ(board.firstOpenRow(), 3);
    // Both circles marked (only possible from outside the board's own rules) is open too.
    board.circleA(3).SetStatus(true);
    board.circleB(3).SetStatus(true);
    EXPECT_EQ(board.firstOpenRow(), 3);
    board.circleA(3).SetStatus(false);
    board.circleA(4).SetStatus(true);
    EXPECT_FALSE(board.firstOpenRow().has_value());
}

TEST(ResponseBoardModel, BackgroundLeftMarksARightMarksBMiddleNothing) {
    ResponseBoardModel board;
    board.LayOutBoard(words(3));
    board.circleA(1).SetStatus(true);
    board.circleA(2).SetStatus(true);
    EXPECT_TRUE(board.backgroundMouseDown(MouseButton::Right));
    EXPECT_EQ(marks(board), (std::vector<std::string>{"A", "A", "B"}));
    EXPECT_FALSE(board.backgroundMouseDown(MouseButton::Left));
    ResponseBoardModel other;
    other.LayOutBoard(words(2));
    EXPECT_FALSE(other.backgroundMouseDown(MouseButton::Middle));
    EXPECT_TRUE(other.backgroundMouseDown(MouseButton::Left));
    EXPECT_EQ(marks(other), (std::vector<std::string>{"A", "-"}));
}

TEST(ResponseBoardModel, KeysMarkTheFirstOpenRow) {
    ResponseBoardModel board;
    board.LayOutBoard(words(3));
    EXPECT_EQ(board.keyPress("z"), KeyOutcome::Marked);
    EXPECT_EQ(board.keyPress("6"), KeyOutcome::Marked);
    EXPECT_EQ(board.keyPress("Z"), KeyOutcome::Ignored);
    EXPECT_EQ(board.keyPress("X"), KeyOutcome::Ignored);
    EXPECT_EQ(board.keyPress("5"), KeyOutcome::Ignored);
    EXPECT_EQ(marks(board), (std::vector<std::string>{"A", "B", "-"}));
    EXPECT_EQ(board.keyPress("x"), KeyOutcome::MarkedLastRow);
    EXPECT_EQ(board.keyPress("4"), KeyOutcome::NoOpenRow);
    EXPECT_EQ(board.keyPress("q"), KeyOutcome::NoOpenRow);
    EXPECT_EQ(marks(board), (std::vector<std::string>{"A", "B", "B"}));
}

class BoardSheets : public ::testing::Test {
  protected:
    // 2 subjects, 3 pairs, 3 images.
    void SetUp() override {
        board.LayOutBoard(words(3));
        buffer.resizeAnswers(2 * 3 * 3);
    }
    std::vector<std::int32_t> answers() const {
        std::vector<std::int32_t> result;
        for (std::size_t n = 0; n < buffer.answerCount(); ++n)
            result.push_back(buffer.answer(n));
        return result;
    }
    ResponseBoardModel board;
    ResponseBuffer buffer;
};

TEST_F(BoardSheets, StoreSheetWritesOnlyItsOwnSheet) {
    board.circleA(2).SetStatus(true);
    board.StoreSheet(buffer, 2, 1, 3);
    std::vector<std::int32_t> expected(18, -1);
    expected[(1 * 3 + 0) * 3 + 1] = 0;
    EXPECT_EQ(answers(), expected);
}

TEST_F(BoardSheets, StoreSheetGivesBWhenBothAreMarked) {
    board.circleA(1).SetStatus(true);
    board.circleB(1).SetStatus(true);
    board.circleB(3).SetStatus(true);
    board.StoreSheet(buffer, 1, 3, 3);
    EXPECT_EQ(buffer.answer(6), 1);
    EXPECT_EQ(buffer.answer(7), -1);
    EXPECT_EQ(buffer.answer(8), 1);
}

TEST_F(BoardSheets, LoadSheetShowsAnswersAndFocusesTheKeyboardButtonForAGap) {
    buffer.setAnswer(0, 1);
    buffer.setAnswer(1, -1);
    buffer.setAnswer(2, 0);
    board.circleA(2).SetStatus(true);  // left over from another sheet
    const SheetView view = board.LoadSheet(buffer, 1, 1, 3, 3);
    EXPECT_EQ(marks(board), (std::vector<std::string>{"B", "-", "A"}));
    EXPECT_FALSE(view.previousEnabled);
    EXPECT_TRUE(view.nextEnabled);
    EXPECT_EQ(view.focus, FocusTarget::KeyboardButton);
}

TEST_F(BoardSheets, LoadSheetNavigationFollowsThePair) {
    for (std::size_t n = 0; n < buffer.answerCount(); ++n)
        buffer.setAnswer(n, 0);
    SheetView first = board.LoadSheet(buffer, 1, 1, 3, 3);
    EXPECT_EQ(first.focus, FocusTarget::Unchanged);
    SheetView middle = board.LoadSheet(buffer, 1, 2, 3, 3);
    EXPECT_TRUE(middle.previousEnabled);
    EXPECT_TRUE(middle.nextEnabled);
    EXPECT_EQ(middle.focus, FocusTarget::NextButton);
    SheetView last = board.LoadSheet(buffer, 2, 3, 3, 3);
    EXPECT_TRUE(last.previousEnabled);
    EXPECT_FALSE(last.nextEnabled);
    EXPECT_EQ(last.focus, FocusTarget::AddSubjectButton);
}

TEST_F(BoardSheets, LoadSheetClearsARowWithAForeignValue) {
    buffer.setAnswer(9, 0);
    buffer.setAnswer(10, 7);
    buffer.setAnswer(11, 1);
    board.circleA(2).SetStatus(true);
    const SheetView view = board.LoadSheet(buffer, 2, 1, 3, 3);
    EXPECT_EQ(marks(board), (std::vector<std::string>{"A", "-", "B"}));
    EXPECT_EQ(view.focus, FocusTarget::KeyboardButton);
}

TEST_F(BoardSheets, StoreThenLoadRoundTripsEverySheet) {
    for (int s = 1; s <= 2; ++s) {
        for (int p = 1; p <= 3; ++p) {
            for (int row = 1; row <= 3; ++row) {
                const bool chooseB = (s + p + row) % 2 == 0;
                board.circleA(row).SetStatus(!chooseB);
                board.circleB(row).SetStatus(chooseB);
            }
            board.StoreSheet(buffer, s, p, 3);
        }
    }
    for (int s = 1; s <= 2; ++s) {
        for (int p = 1; p <= 3; ++p) {
            board.LoadSheet(buffer, s, p, 3, 3);
            for (int row = 1; row <= 3; ++row) {
                EXPECT_EQ(board.circleB(row).Status(), (s + p + row) % 2 == 0) << s << p << row;
                EXPECT_NE(board.circleA(row).Status(), board.circleB(row).Status());
            }
        }
    }
}

}  // namespace
}  // namespace kestrune

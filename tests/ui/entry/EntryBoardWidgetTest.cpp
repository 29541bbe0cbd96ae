#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>

#include "entry/UniformRandom.h"
#include "tests/ui/entry/EntryTestSupport.h"

namespace kestrune {
namespace {

using testing::EntryPageHost;

class EntryBoard : public ::testing::Test {
  protected:
    void clickCircle(int number, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(page.board(), button, {}, page.board()->circleCentre(number));
    }
    // A point of the board's background beside row 1's word.
    void clickBackground(Qt::MouseButton button) {
        QTest::mouseClick(page.board(), button, {}, QPoint(20, 20));
    }

    EntryPageHost host;
    EntryPage& page = *host.page;
};

TEST_F(EntryBoard, LayOutShowsOneRowPerWord) {
    ResponseBoard& board = *page.board();
    EXPECT_EQ(board.scrollRange(), 166);
    EXPECT_EQ(board.height(), 166);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_FALSE(board.wordLabel(row)->isHidden()) << row;
        EXPECT_EQ(board.wordLabel(row)->text().toStdString(), EntryPageHost::words()[row - 1]);
        EXPECT_EQ(board.wordLabel(row)->x(), 32);
    }
    for (int row = 5; row <= 25; ++row)
        EXPECT_TRUE(board.wordLabel(row)->isHidden()) << row;
    for (int number = 9; number <= 50; ++number)
        EXPECT_FALSE(board.model().circle(number).Visible);
    EXPECT_EQ(board.headingA()->text(), "A");
    EXPECT_EQ(board.headingA()->toolTip(), "Z or 4");
    EXPECT_EQ(board.headingB()->text(), "B");
    EXPECT_EQ(board.headingB()->toolTip(), "X or 6");
    EXPECT_EQ(page.keyboardButton()->toolTip(), QStringLiteral("キーボード入力を初期化します。"));
    // No entry yet: the picture covers a disabled board.
    EXPECT_FALSE(board.isEnabled());
    EXPECT_TRUE(page.picturePanel()->isVisible());
    EXPECT_FALSE(page.previousButton()->isEnabled());
}

TEST_F(EntryBoard, ClickingACircleMarksItAndClearsItsPartner) {
    host.clickButton(page.newInputButton());
    clickCircle(5);  // A of row 3
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "A", "-"}));
    clickCircle(6);
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "B", "-"}));
    clickCircle(6);
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "B", "-"}));
    // A right click on a circle is no click.
    clickCircle(5, Qt::RightButton);
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "B", "-"}));
}

TEST_F(EntryBoard, BackgroundClicksFillTheFirstOpenRow) {
    host.clickButton(page.newInputButton());
    host.typeSheet("AB");
    QWidget* focusBefore = host.focused();
    clickBackground(Qt::RightButton);
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"A", "B", "B", "-"}));
    clickBackground(Qt::MiddleButton);
    clickBackground(Qt::LeftButton);
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"A", "B", "B", "A"}));
    EXPECT_EQ(host.focused(), focusBefore);
    clickBackground(Qt::LeftButton);
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"A", "B", "B", "A"}));
}

TEST_F(EntryBoard, AClickOnAWordIsAClickOnTheBoard) {
    host.clickButton(page.newInputButton());
    QLabel* word = page.board()->wordLabel(3);
    QTest::mouseClick(word, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseClick(page.board()->headingA(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"B", "A", "-", "-"}));
}

TEST_F(EntryBoard, KeysMarkRowsAndUpperCaseDoesNothing) {
    host.clickButton(page.newInputButton());
    host.type("ZX");
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "-", "-"}));
    host.type("z6");
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"A", "B", "-", "-"}));
    host.type("6");
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"A", "B", "B", "-"}));
    EXPECT_EQ(host.focused(), page.keyboardButton());
    host.type("4");
    EXPECT_EQ(host.focused(), page.nextButton());
}

TEST_F(EntryBoard, KeysAreLeftToTheFileNameBox) {
    host.clickButton(page.newInputButton());
    page.fileNameBox()->clear();
    page.fileNameBox()->setFocus();
    host.type("4x");
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "-", "-"}));
    EXPECT_EQ(page.fileNameBox()->text(), "4x");
}

TEST_F(EntryBoard, KeysDoNothingWithoutAnEntry) {
    page.sexChooser()->setFocus();
    host.type("4");
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "-", "-"}));
}

TEST_F(EntryBoard, AnyKeyOnACompleteSheetMovesTheFocusOn) {
    host.clickButton(page.newInputButton());
    host.clickButton(page.nextButton());
    host.typeSheet("ABAB");
    page.keyboardButton()->setFocus();
    host.type("q");
    EXPECT_EQ(host.focused(), page.nextButton());
    page.pairTabs()->setCurrentIndex(9);
    host.typeSheet("BBBB");
    page.keyboardButton()->setFocus();
    host.type("q");
    EXPECT_EQ(host.focused(), page.addSubjectButton());
    // The middle sheet was stored when the tab changed.
    page.pairTabs()->setCurrentIndex(1);
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"A", "B", "A", "B"}));
    EXPECT_EQ(host.focused(), page.nextButton());
}

TEST_F(EntryBoard, EnterOnTheFocusedNextButtonMovesOn) {
    host.clickButton(page.newInputButton());
    host.typeSheet("ABAB");
    ASSERT_EQ(host.focused(), page.nextButton());
    QTest::keyClick(host.focused(), Qt::Key_Return);
    EXPECT_EQ(page.pairCounter()->text(), "2");
    EXPECT_EQ(host.focused(), page.keyboardButton());
}

TEST_F(EntryBoard, ASheetWithAForeignValueShowsThatRowCleared) {
    std::vector<std::string> lines{"1,10,4", "1", "7", "0", "0"};
    lines.resize(41, "0");
    host.disk.writeLines("male/飲料/外部.dat", lines);
    page.setUpPage();
    ASSERT_TRUE(host.selectDataFile(QStringLiteral("外部")));
    host.clickButton(page.openButton());
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"B", "-", "A", "A"}));
    EXPECT_EQ(host.focused(), page.keyboardButton());
}

TEST_F(EntryBoard, SexGroupChooserListsItsFilesAndLabelsTheBoard) {
    host.disk.writeLines("female/飲料/女性調査.dat", {"2,10,4"});
    EXPECT_EQ(page.sexLabel()->text(), QStringLiteral("男性"));
    page.sexChooser()->setCurrentIndex(1);
    EXPECT_EQ(page.sexLabel()->text(), QStringLiteral("女性"));
    EXPECT_EQ(host.listedFiles(), QStringList{QStringLiteral("女性調査")});
    EXPECT_EQ(page.dataFileList()->topLevelItem(0)->text(1), "2");
    page.sexChooser()->setCurrentIndex(2);
    EXPECT_TRUE(host.listedFiles().isEmpty());
}

// Navy pixels of the hand-drawn ring inside a circle's square.
int ringPixels(const QImage& image, const TScriptCircle& circle) {
    int count = 0;
    for (int y = circle.Top; y < circle.Top + circle.Height; ++y) {
        for (int x = circle.Left; x < circle.Left + circle.Width; ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.blue() > 90 && colour.red() < 110 && colour.green() < 110 &&
                colour.blue() > colour.red() + 40) {
                ++count;
            }
        }
    }
    return count;
}

TEST_F(EntryBoard, MarkedCirclesAreRingedAndUnmarkedOnesAreDots) {
    page.board()->setMarkRandom(std::make_unique<SeededUniformRandom>(2026));
    host.clickButton(page.newInputButton());
    host.typeSheet("AB");
    const QImage image = page.board()->grab().toImage();
    const ResponseBoardModel& board = page.board()->model();
    EXPECT_GT(ringPixels(image, board.circleA(1)), 15);
    EXPECT_GT(ringPixels(image, board.circleB(2)), 15);
    EXPECT_EQ(ringPixels(image, board.circleB(1)), 0);
    EXPECT_EQ(ringPixels(image, board.circleA(3)), 0);
    // The dot in the middle of an unmarked circle is black.
    const QPoint centre = page.board()->circleCentre(5);
    EXPECT_LT(image.pixelColor(centre).lightness(), 100);
}

// The board of a longer vocabulary with half of its rows marked, as an operator sees it
// halfway through a sheet; saved when KESTRUNE_SCREENSHOT_DIR names a directory.
TEST(EntryBoardPicture, HalfMarkedSheetOfTwelveWords) {
    EntryPageHost host({"明るい", "暖かい", "重い", "柔らかい", "派手な", "落ち着いた", "新しい",
                        "親しみやすい", "高級な", "自然な", "力強い", "上品な"});
    host.window->resize(1000, 640);
    host.page->board()->setMarkRandom(std::make_unique<SeededUniformRandom>(7));
    host.page->fileNameBox()->setText(QStringLiteral("試飲会"));
    host.clickButton(host.page->newInputButton());
    host.typeSheet("ABBAAB");
    QApplication::processEvents();
    const QImage image = host.page->board()->grab().toImage();
    for (int row = 1; row <= 12; ++row) {
        const ResponseBoardModel& board = host.page->board()->model();
        EXPECT_EQ(ringPixels(image, board.circleA(row)) > 15, row <= 6 && row != 2 && row != 3 && row != 6)
            << row << " " << ringPixels(image, board.circleA(row)) << " " << host.boardMarks()[row - 1];
        EXPECT_EQ(ringPixels(image, board.circleB(row)) > 15, row == 2 || row == 3 || row == 6) << row;
    }
    if (const QByteArray directory = qgetenv("KESTRUNE_SCREENSHOT_DIR"); !directory.isEmpty()) {
        host.window->grab().save(QString::fromUtf8(directory) + "/entry-board-half-marked.png");
        host.page->board()->grab().save(QString::fromUtf8(directory) + "/entry-board-half-marked-board.png");
    }
}

}  // namespace
}  // namespace kestrune

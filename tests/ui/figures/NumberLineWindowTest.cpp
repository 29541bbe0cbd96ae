#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QtTest/QTest>

#include "NumberLineWindowFixture.h"
#include "output/figure/FigureFiles.h"
#include "ui/figures/FigureView.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

TextGrid tableWithScores(const std::vector<std::string>& scores) {
    // One image, the panels' three rows; only the standardised scores matter here.
    TextGrid grid(static_cast<int>(scores.size()) + 3, 4);
    grid.setCell(0, 1, "明るい");
    for (int p = 0; p < static_cast<int>(scores.size()); ++p)
        grid.setCell(p + 2, 3, scores[p]);
    return grid;
}

}  // namespace

TEST_F(NumberLineWindowTest, ShowsTheGraphOfTheTableInItsOwnWindow) {
    const ScaleValueTable table = sampleTable();
    ASSERT_TRUE(openWindow(table, [&](NumberLineWindow& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("データ集計"));
        EXPECT_EQ(window.size(), QSize(560, 579));
        EXPECT_TRUE(window.isModal());
        // The graph the window shows is the table's, caption included.
        EXPECT_EQ(figureBytes(window.picture(), FigureFormat::EnhancedMetafile),
                  figureBytes(expectedPicture(table), FigureFormat::EnhancedMetafile));
        EXPECT_EQ(window.picture().width(), 1000);
        EXPECT_EQ(window.picture().height(), 1000);
        // The picture takes all the room the tool bar leaves.
        FigureView* view = window.figureView();
        EXPECT_EQ(view->width(), window.width());
        EXPECT_EQ(view->geometry().top(), window.toolBar()->geometry().bottom() + 1);
        EXPECT_EQ(view->geometry().bottom(), window.height() - 1);
        EXPECT_EQ(&view->picture(), &window.picture());
        // Painted stretched on white: the first of the eight axes (y = 900 div 8) crosses the view.
        const QImage shown = view->grab().toImage();
        const double scaleX = view->width() / 1000.0;
        const double scaleY = view->height() / 1000.0;
        EXPECT_LT(qGray(shown.pixel(qRound(300 * scaleX), qRound(112 * scaleY))), 128);
        EXPECT_EQ(shown.pixel(qRound(300 * scaleX), qRound(30 * scaleY)), qRgb(255, 255, 255));
    }));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
}

TEST_F(NumberLineWindowTest, ToolBarButtonsCarryTheirHintsAndNames) {
    openWindow(sampleTable(), [](NumberLineWindow& window) {
        struct Expected {
            QPushButton* button;
            const char* caption;
            const char* hint;
        };
        const Expected buttons[] = {
            {window.saveButton(), "保存", "数直線をEMF/BMP形式で保存します。"},
            {window.printButton(), "印刷", "数直線を印刷します。"},
            {window.copyButton(), "コピー", "数直線をクリップボードにコピーします。"},
            {window.closeButton(), "終了", "ウィンドウを閉じます。"},
        };
        int left = -1;
        for (const Expected& expected : buttons) {
            const QString caption = QString::fromUtf8(expected.caption);
            EXPECT_EQ(expected.button->text(), caption);
            EXPECT_EQ(expected.button->toolTip(), QString::fromUtf8(expected.hint));
            EXPECT_EQ(expected.button->statusTip(), QString::fromUtf8(expected.hint));
            EXPECT_EQ(expected.button->parentWidget(), window.toolBar());
            EXPECT_TRUE(expected.button->isVisible());
            // In the tool bar from left to right in this order.
            EXPECT_GT(expected.button->x(), left) << expected.caption;
            left = expected.button->x();
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(expected.button);
            ASSERT_NE(accessible, nullptr);
            EXPECT_EQ(accessible->role(), QAccessible::Button);
            EXPECT_EQ(accessible->text(QAccessible::Name), caption);
        }
        EXPECT_TRUE(window.closeButton()->isDefault());
        EXPECT_FALSE(window.saveButton()->isDefault());
    });
}

TEST_F(NumberLineWindowTest, TheGraphIsAnImageForScreenReaders) {
    const ScaleValueTable table = sampleTable();
    openWindow(table, [&](NumberLineWindow& window) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(window.figureView());
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::Graphic);
        EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("数直線"));
        EXPECT_EQ(accessible->text(QAccessible::Description), QString::fromStdString(table.pathLabel));
    });
}

TEST_F(NumberLineWindowTest, CloseButtonEndsTheModalWindowAndReleasesIt) {
    bool closedByButton = false;
    prompter.dialogHandlers.push_back([&](QDialog& dialog) {
        auto& window = dynamic_cast<NumberLineWindow&>(dialog);
        lastWindow = &window;
        QTimer::singleShot(0, &window, [&window] { window.closeButton()->click(); });
        // A window that would not close is rejected after a while, so the test ends either way.
        QTimer::singleShot(5000, &window, &QDialog::reject);
        const int result = window.exec();
        closedByButton = result == QDialog::Accepted;
        return result;
    });
    const ScaleValueTable table = sampleTable();
    NumberLineWindow::showNumberLine(context, table.grid, QString::fromStdString(table.pathLabel), nullptr);
    EXPECT_TRUE(closedByButton);
    EXPECT_TRUE(lastWindow.isNull());  // the window and its picture are gone with it
}

TEST_F(NumberLineWindowTest, EnterClosesTheWindowStraightAway) {
    QWidget* focused = nullptr;
    QPushButton* closeButton = nullptr;
    bool closedByEnter = false;
    prompter.dialogHandlers.push_back([&](QDialog& dialog) {
        closeButton = dynamic_cast<NumberLineWindow&>(dialog).closeButton();
        QTimer::singleShot(0, &dialog, [&] {
            dialog.activateWindow();
            QApplication::setActiveWindow(&dialog);
            focused = QApplication::focusWidget();
            QTest::keyClick(focused != nullptr ? focused : &dialog, Qt::Key_Return);
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject);
        closedByEnter = dialog.exec() == QDialog::Accepted;
        return dialog.result();
    });
    const ScaleValueTable table = sampleTable();
    NumberLineWindow::showNumberLine(context, table.grid, QString::fromStdString(table.pathLabel), nullptr);
    EXPECT_EQ(focused, closeButton);
    EXPECT_TRUE(closedByEnter);
    EXPECT_TRUE(prompter.fileDialogs.empty());  // Enter did not save
}

TEST_F(NumberLineWindowTest, NothingHappensBeforeAnAggregation) {
    ScaleValueTable empty{tableWithScores({"", "", ""}), "C:\\x.dat"};
    EXPECT_FALSE(openWindow(empty, [](NumberLineWindow&) {}));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(NumberLineWindowTest, AGraphWithoutWidthIsRefusedWithAMessage) {
    ScaleValueTable flat{tableWithScores({"12.0000", "12.0000", "12.0000"}), "C:\\x.dat"};
    EXPECT_FALSE(openWindow(flat, [](NumberLineWindow&) {}));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, QString::fromUtf8(kNumberLineNoWidth));
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::Ok);
}

TEST_F(NumberLineWindowTest, Screenshot) {
    const QString directory = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR");
    if (directory.isEmpty())
        GTEST_SKIP() << "KESTRUNE_SCREENSHOT_DIR is not set";
    openWindow(sampleTable(), [&directory](NumberLineWindow& window) {
        EXPECT_TRUE(window.grab().save(directory + QStringLiteral("/numberline-window.png")));
    });
}

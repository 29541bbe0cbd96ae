// The physical quantity editor: the main window's fill, show and write from a page's "設定",
// and every button of the editor's panel pressed on a real editor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "tests/ui/correlation/CorrelationDisk.h"
#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/correlation/CorrelationMatrixPage.h"
#include "ui/correlation/CorrelationSideControls.h"
#include "ui/correlation/PhysicalQuantityEditor.h"

namespace kestrune::testing {
namespace {

enum EditorButtonIndex { kSave, kAdd, kDelete, kImport, kCopy, kPaste, kPrint, kDiscard };

QPushButton* button(const PhysicalQuantityEditor& editor, EditorButtonIndex index) {
    return editor.buttons().at(index);
}

TEST(PhysicalQuantityEditorLook, PanelCaptionsHintsAndGrid) {
    ScriptedPrompter prompter;
    PhysicalQuantityEditor editor(prompter);
    editor.setPanelCount(5);
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("物理量の設定"));
    QStringList captions;
    QStringList hints;
    for (QPushButton* b : editor.buttons()) {
        captions << b->text();
        hints << b->toolTip();
    }
    EXPECT_EQ(captions, (QStringList{"保存して終了", "追加", "削除", "ファイル読込", "コピー", "貼り付け",
                                     "印刷", "破棄して終了"}));
    EXPECT_EQ(hints.at(3), QStringLiteral("DOS版または他のシリーズのデータを読み込みます。"));
    EXPECT_EQ(hints.at(6), QStringLiteral("一覧印刷します。"));
    EXPECT_EQ(editor.cell(0, 0), QStringLiteral("物理量"));
    EXPECT_EQ(editor.cell(1, 0), QStringLiteral("単位"));
    EXPECT_EQ(editor.cell(6, 0), QStringLiteral("5"));
    EXPECT_EQ(editor.grid()->columnWidth(0), 121);
    EXPECT_EQ(editor.grid()->columnWidth(1), 78);
    EXPECT_EQ(editor.grid()->columnWidth(2), 64);
}

class PhysicalQuantityEditorTest : public MainWindowTest {
  protected:
    void SetUp() override { makeColourSeries(disk); }

    // Opens the editor from the matrix page's row "設定" and lets `drive` work on it.
    void editFromMatrixPage(std::function<int(PhysicalQuantityEditor&)> drive) {
        CorrelationMatrixPage& page = *window->matrixPage();
        page.rowSide().physicalButton()->click();
        prompter.dialogHandlers.push_back(
            [drive](QDialog& dialog) { return drive(dynamic_cast<PhysicalQuantityEditor&>(dialog)); });
        page.rowSide().settingButton()->click();
    }

    static void fill(PhysicalQuantityEditor& editor, int row, const QStringList& cells) {
        for (int column = 0; column < cells.size(); ++column)
            editor.grid()->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
};

TEST_F(PhysicalQuantityEditorTest, SaveRefusesAMalformedValueThenWritesTheFileAndTheMatrixFollows) {
    openWindow();
    int shownRows = 0;
    editFromMatrixPage([&](PhysicalQuantityEditor& editor) {
        shownRows = editor.rowCount();
        fill(editor, 1, {"明度", "cd/m2", "12.5", "20.1", "3e1", "45.2", "60.8"});
        button(editor, kAdd)->click();
        fill(editor, 2, {"", "", "105", "98.5", "1O0", "99", "101"});
        button(editor, kSave)->click();
        EXPECT_EQ(prompter.lastText(), QStringLiteral("数値形式が正しくありません。"));
        EXPECT_EQ(prompter.messages.back().caption, QStringLiteral("エラー"));
        EXPECT_EQ(editor.grid()->currentRow(), 2);
        EXPECT_EQ(editor.grid()->currentColumn(), 4);
        EXPECT_NE(editor.result(), QDialog::Accepted);
        fill(editor, 2, {"", "", "105", "98.5", "100", "99", "101"});
        button(editor, kSave)->click();
        return editor.result();
    });
    EXPECT_EQ(shownRows, 2);
    EXPECT_EQ(readBytes(disk.root() / "physical/色/色.phy"),
              "2,5\r\n\"\x96\xbe\x93x\",\"cd/m2\"\r\n12.5\r\n20.1\r\n3e1\r\n45.2\r\n60.8\r\n"
              "\"\",\"\"\r\n105\r\n98.5\r\n100\r\n99\r\n101\r\n");
    EXPECT_EQ(window->matrixPage()->grid().rowCount(), 3);
    EXPECT_EQ(window->matrixPage()->grid().cell(0, 1), "明度");

    // The next opening reads the file back; discarding writes nothing.
    disk.writeLines("physical/色/色.phy", physicalLines({{"重さ", "", {"1", "2", "3", "4", "5"}}}));
    editFromMatrixPage([&](PhysicalQuantityEditor& editor) {
        EXPECT_EQ(editor.rowCount(), 2);
        EXPECT_EQ(editor.cell(0, 1), QStringLiteral("重さ"));
        EXPECT_EQ(editor.cell(6, 1), QStringLiteral("5"));
        button(editor, kDiscard)->click();
        return editor.result();
    });
    EXPECT_EQ(window->matrixPage()->grid().cell(0, 1), "明度");
}

TEST_F(PhysicalQuantityEditorTest, AMissingPhysicalDirectoryIsMadeRatherThanLosingTheGrid) {
    std::filesystem::remove_all(disk.root() / "physical");
    openWindow();
    editFromMatrixPage([&](PhysicalQuantityEditor& editor) {
        fill(editor, 1, {"明度", "", "1", "2", "3", "4", "5"});
        button(editor, kSave)->click();
        return editor.result();
    });
    EXPECT_TRUE(std::filesystem::is_regular_file(disk.root() / "physical/色/色.phy"));
    EXPECT_TRUE(prompter.messages.empty());
}

class EditorOperationsTest : public ::testing::Test {
  protected:
    EditorOperationsTest() { editor.setPanelCount(5); }

    void setQuantities(int count) {
        editor.setRowCount(count + 1);
        for (int q = 1; q <= count; ++q)
            editor.setCell(0, q, QStringLiteral("q%1").arg(q));
    }

    ScriptedPrompter prompter;
    PhysicalQuantityEditor editor{prompter};
};

TEST_F(EditorOperationsTest, AddStopsAtTwentyQuantities) {
    setQuantities(19);
    button(editor, kAdd)->click();
    EXPECT_EQ(editor.rowCount(), 21);
    EXPECT_EQ(editor.cell(0, 20), QString());
    button(editor, kAdd)->click();
    EXPECT_EQ(editor.rowCount(), 21);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(EditorOperationsTest, DeleteTakesTheTopRowOfTheSelectionAndEmptiesTheLastQuantity) {
    setQuantities(6);
    editor.grid()->setRangeSelected(QTableWidgetSelectionRange(3, 0, 5, 3), true);
    button(editor, kDelete)->click();
    EXPECT_EQ(editor.rowCount(), 6);
    EXPECT_EQ(editor.cell(0, 2), QStringLiteral("q2"));
    EXPECT_EQ(editor.cell(0, 3), QStringLiteral("q4"));
    EXPECT_EQ(editor.cell(0, 5), QStringLiteral("q6"));

    setQuantities(1);
    editor.setCell(3, 1, QStringLiteral("7"));
    button(editor, kDelete)->click();
    EXPECT_EQ(editor.rowCount(), 2);
    EXPECT_EQ(editor.cell(0, 1), QString());
    EXPECT_EQ(editor.cell(3, 1), QString());
}

TEST_F(EditorOperationsTest, PasteAppendsUpToTwentyQuantitiesSplittingByPosition) {
    setQuantities(15);
    QString text = QStringLiteral("x\r\ny\tcm\r\n");
    for (int line = 3; line <= 30; ++line)
        text += QStringLiteral("p%1\tu\t1\t2\t3\t4\t5\r\n").arg(line);
    QGuiApplication::clipboard()->setText(text);
    button(editor, kPaste)->click();
    ASSERT_EQ(editor.rowCount(), 21);
    // "x": no TAB at all, so everything lands in the last column.
    EXPECT_EQ(editor.cell(0, 16), QString());
    EXPECT_EQ(editor.cell(6, 16), QStringLiteral("x"));
    EXPECT_EQ(editor.cell(0, 17), QStringLiteral("y"));
    EXPECT_EQ(editor.cell(1, 17), QString());
    EXPECT_EQ(editor.cell(6, 17), QStringLiteral("cm"));
    EXPECT_EQ(editor.cell(0, 20), QStringLiteral("p5"));
    EXPECT_EQ(editor.cell(4, 20), QStringLiteral("3"));
    EXPECT_EQ(editor.cell(6, 20), QStringLiteral("5"));
}

TEST_F(EditorOperationsTest, CopyGivesTabLinesWithTheHeaderAndPastingThemBackAddsIt) {
    setQuantities(1);
    editor.setCell(2, 1, QStringLiteral("1.5"));
    button(editor, kCopy)->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("物理量\t単位\t1\t2\t3\t4\t5\r\nq1\t\t1.5\t\t\t\t\r\n"));
    button(editor, kPaste)->click();
    ASSERT_EQ(editor.rowCount(), 4);
    EXPECT_EQ(editor.cell(0, 2), QStringLiteral("物理量"));
    EXPECT_EQ(editor.cell(6, 2), QStringLiteral("5"));
    EXPECT_EQ(editor.cell(2, 3), QStringLiteral("1.5"));
}

TEST_F(EditorOperationsTest, ImportOfAFourPanelFileIntoFivePanelsLeavesTheFifthEmpty) {
    TempDisk files;
    files.writeLines("other.phy", physicalLines({{"糖度", "Brix", {"12.0", "8.5", "6.0", "3.2"}},
                                                 {"苦味価", "", {"5", "14", "22", "35"}}}));
    setQuantities(1);
    editor.setImportDirectory(QStringLiteral("/start"));
    prompter.fileNames.push_back(QString::fromStdString((files.root() / "other.phy").string()));
    button(editor, kImport)->click();
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(prompter.fileDialogs[0].filters, QStringList{QStringLiteral("物理量の設定ファイル (*.phy)")});
    EXPECT_EQ(prompter.fileDialogs[0].directory, QStringLiteral("/start"));
    EXPECT_TRUE(prompter.fileDialogs[0].mustExist);
    ASSERT_EQ(editor.rowCount(), 4);
    EXPECT_EQ(editor.cell(0, 2), QStringLiteral("糖度"));
    EXPECT_EQ(editor.cell(1, 2), QStringLiteral("Brix"));
    EXPECT_EQ(editor.cell(5, 2), QStringLiteral("3.2"));
    EXPECT_EQ(editor.cell(6, 2), QString());
    EXPECT_EQ(editor.cell(0, 3), QStringLiteral("苦味価"));
    EXPECT_EQ(editor.cell(5, 3), QStringLiteral("35"));
    EXPECT_EQ(editor.cell(6, 3), QString());

    // Beyond 20 quantities the rest of the file is left out.
    setQuantities(20);
    prompter.fileNames.push_back(QString::fromStdString((files.root() / "other.phy").string()));
    button(editor, kImport)->click();
    EXPECT_EQ(editor.rowCount(), 21);
}

}  // namespace
}  // namespace kestrune::testing

namespace kestrune::testing {
namespace {

// Escape and the close box ask before dropping edits; the offending cell of a malformed
// number takes the keys typed next.
class PhysicalQuantityEditorKeysTest : public PhysicalQuantityEditorTest {
  protected:
    static void showActive(PhysicalQuantityEditor& editor) {
        editor.show();
        editor.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    }
    std::string savedFile() const { return readBytes(disk.root() / "physical/色/色.phy"); }
};

TEST_F(PhysicalQuantityEditorKeysTest, EscapeAndTheCloseBoxAskBeforeDroppingEdits) {
    disk.writeLines("physical/色/色.phy", physicalLines({{"重さ", "", {"1", "2", "3", "4", "5"}}}));
    const std::string before = savedFile();
    openWindow();
    editFromMatrixPage([&](PhysicalQuantityEditor& editor) {
        showActive(editor);
        // Nothing changed: Escape closes without a question.
        QTest::keyClick(editor.grid(), Qt::Key_Escape);
        EXPECT_FALSE(editor.isVisible());
        EXPECT_TRUE(prompter.messages.empty());
        return editor.result();
    });
    editFromMatrixPage([&](PhysicalQuantityEditor& editor) {
        showActive(editor);
        editor.grid()->item(1, 2)->setText(QStringLiteral("7"));
        prompter.answers = {PromptAnswer::Cancel, PromptAnswer::No};
        QTest::keyClick(editor.grid(), Qt::Key_Escape);
        EXPECT_EQ(prompter.lastText(), QStringLiteral("変更を保存しますか?"));
        EXPECT_EQ(prompter.messages.back().buttons, PromptButtons::SaveDiscardCancel);
        EXPECT_TRUE(editor.isVisible()) << "キャンセル keeps the editor and its edits";
        EXPECT_EQ(editor.cell(2, 1), QStringLiteral("7"));
        QTest::keyClick(editor.grid(), Qt::Key_Escape);
        EXPECT_FALSE(editor.isVisible()) << "破棄 closes";
        EXPECT_EQ(prompter.messages.size(), 2u);
        return editor.result();
    });
    EXPECT_EQ(savedFile(), before);
    editFromMatrixPage([&](PhysicalQuantityEditor& editor) {
        showActive(editor);
        editor.grid()->item(1, 2)->setText(QStringLiteral("7"));
        prompter.answers = {PromptAnswer::Yes};
        editor.close();
        EXPECT_FALSE(editor.isVisible()) << "保存 saves and closes";
        return editor.result();
    });
    EXPECT_EQ(prompter.messages.size(), 3u);
    EXPECT_NE(savedFile(), before);
    EXPECT_NE(savedFile().find("\"\"\r\n7\r\n2\r\n"), std::string::npos) << savedFile();
}

TEST_F(PhysicalQuantityEditorKeysTest, AMalformedNumberLeavesTheFocusOnItsCellReadyForTyping) {
    openWindow();
    editFromMatrixPage([&](PhysicalQuantityEditor& editor) {
        showActive(editor);
        fill(editor, 1, {"明度", "", "1", "2", "x", "4", "5"});
        QTest::mouseClick(button(editor, kSave), Qt::LeftButton);
        EXPECT_EQ(prompter.lastText(), QStringLiteral("数値形式が正しくありません。"));
        EXPECT_EQ(QApplication::focusWidget(), editor.grid());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();  // the editor hands its text over queued
        EXPECT_EQ(editor.cell(4, 1), QStringLiteral("3"));
        button(editor, kSave)->click();
        return editor.result();
    });
    EXPECT_EQ(prompter.messages.size(), 1u);
}

}  // namespace
}  // namespace kestrune::testing

namespace kestrune::testing {
namespace {

// The grid is no keyboard trap: Tab on its last cell and Shift+Tab on its first go on to the
// panel's buttons, as Ctrl+Tab and Ctrl+Shift+Tab do from any cell, editing or not.
class PhysicalQuantityEditorTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        editor.setPanelCount(5);
        editor.setRowCount(3);
        editor.show();
        editor.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    }

    bool inGrid(const QWidget* widget) const {
        return widget == editor.grid() || editor.grid()->isAncestorOf(widget);
    }
    // Puts the focus on a cell, optionally typing into it so that its editor is open.
    void focusCell(int row, int column, const QString& typed = QString()) {
        editor.grid()->setFocus(Qt::TabFocusReason);
        editor.grid()->setCurrentCell(row, column);
        // The first key opens the cell's editor, which takes the keys after it.
        for (const QChar key : typed)
            QTest::keyClicks(QApplication::focusWidget(), QString(key));
        QCoreApplication::processEvents();
        ASSERT_TRUE(inGrid(QApplication::focusWidget()));
    }
    QWidget* press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QCoreApplication::processEvents();
        return QApplication::focusWidget();
    }

    ScriptedPrompter prompter;
    PhysicalQuantityEditor editor{prompter};
};

TEST_F(PhysicalQuantityEditorTabTest, TabLeavesTheGridAtItsEndsAndCtrlTabFromAnyCell) {
    QPushButton* first = editor.buttons().front();
    QPushButton* last = editor.buttons().back();
    focusCell(1, 2);
    press(Qt::Key_Tab);
    EXPECT_EQ(editor.grid()->currentColumn(), 3) << "Tab still moves between cells";
    EXPECT_TRUE(inGrid(QApplication::focusWidget()));

    focusCell(2, 6);
    EXPECT_EQ(press(Qt::Key_Tab), first);
    focusCell(0, 0);
    EXPECT_EQ(press(Qt::Key_Backtab, Qt::ShiftModifier), last);
    focusCell(1, 3);
    EXPECT_EQ(press(Qt::Key_Tab, Qt::ControlModifier), first);
    focusCell(1, 3);
    EXPECT_EQ(press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier), last);

    // The same with the cell's editor open; what was typed is kept.
    focusCell(2, 6, QStringLiteral("42"));
    EXPECT_EQ(press(Qt::Key_Tab), first);
    EXPECT_EQ(editor.cell(6, 2), QStringLiteral("42"));
    focusCell(1, 3, QStringLiteral("7"));
    EXPECT_EQ(press(Qt::Key_Tab, Qt::ControlModifier), first);
    EXPECT_EQ(editor.cell(3, 1), QStringLiteral("7"));
    focusCell(1, 4, QStringLiteral("8"));
    EXPECT_EQ(press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier), last);
    EXPECT_EQ(editor.cell(4, 1), QStringLiteral("8"));

    // From the buttons, Tab and Shift+Tab come back into the grid: it is in the round.
    EXPECT_TRUE(inGrid(press(Qt::Key_Tab)));
}

}  // namespace
}  // namespace kestrune::testing

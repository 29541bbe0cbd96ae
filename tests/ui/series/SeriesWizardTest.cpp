#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "core/TextLines.h"
#include "tests/support/TempDisk.h"
#include "tests/support/widgets/ScriptedPrompter.h"
#include "ui/common/AppContext.h"
#include "ui/series/PanelCountBox.h"
#include "ui/series/SeriesWizard.h"
#include "ui/series/WizardButtons.h"
#include "ui/series/WizardImagePage.h"
#include "ui/series/WizardNamePage.h"
#include "ui/series/WizardOrderPage.h"
#include "ui/series/WizardSummaryPage.h"

namespace kestrune::testing {
namespace {

class SeriesWizardTest : public ::testing::Test {
  protected:
    SeriesWizardTest() { context.disk.setRoot(disk.root()); }

    QLineEdit* nameBox() { return wizard.namePage()->nameBox(); }
    QListWidget* imageList() { return wizard.imagePage()->imageList(); }
    QTableWidget* grid() { return wizard.orderPage()->pairGrid(); }
    QString cell(int row, int column) { return grid()->item(row, column)->text(); }

    void addWords(const QStringList& words) {
        for (const QString& word : words) {
            wizard.imagePage()->wordBox()->setText(word);
            wizard.imagePage()->addButton()->click();
        }
    }
    // Name typed, words added: the wizard stands on page 3.
    void goToOrderPage(const QString& name, const QStringList& words) {
        nameBox()->setText(name);
        wizard.namePage()->buttons()->forward()->click();
        addWords(words);
        wizard.imagePage()->buttons()->forward()->click();
        ASSERT_EQ(wizard.currentPage(), SeriesWizard::OrderPage);
    }
    void setRows(const std::vector<std::pair<QString, QString>>& rows) {
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            wizard.orderPage()->setCell(row, 0, rows[row].first);
            wizard.orderPage()->setCell(row, 1, rows[row].second);
        }
    }
    void expectMessage(const QString& text, const QString& caption) {
        ASSERT_FALSE(prompter.messages.empty());
        EXPECT_EQ(prompter.messages.back().text, text);
        EXPECT_EQ(prompter.messages.back().caption, caption);
        EXPECT_EQ(prompter.messages.back().buttons, PromptButtons::Ok);
    }

    TempDisk disk;
    ScriptedPrompter prompter;
    AppContext context{prompter};
    SeriesWizard wizard{context, QStringLiteral("/media/disk [STUDY]")};
};

TEST_F(SeriesWizardTest, StartsOnTheFirstPageWithFivePanelsAndTenPairs) {
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("シリーズ作成ウィザード"));
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::NamePage);
    EXPECT_EQ(wizard.panelCount(), 5);
    EXPECT_EQ(wizard.namePage()->pairCountLabel()->text(), QStringLiteral("10"));
    EXPECT_EQ(wizard.summaryPage()->panelCountLabel()->text(), QStringLiteral("5"));
    EXPECT_EQ(wizard.summaryPage()->imageCountLabel()->text(), QStringLiteral("0"));
    EXPECT_FALSE(wizard.namePage()->buttons()->back()->isEnabled());
    EXPECT_TRUE(wizard.namePage()->buttons()->forward()->isDefault());
    EXPECT_EQ(wizard.namePage()->buttons()->back()->text(), QStringLiteral("<<　戻る"));
    ASSERT_EQ(grid()->rowCount(), 10);
    EXPECT_EQ(grid()->horizontalHeaderItem(0)->text(), QStringLiteral("A"));
    EXPECT_EQ(grid()->horizontalHeaderItem(1)->text(), QStringLiteral("B"));
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(grid()->verticalHeaderItem(row)->text(), QString::number(row + 1));
        EXPECT_EQ(cell(row, 0), QStringLiteral("1"));
        EXPECT_EQ(cell(row, 1), QStringLiteral("1"));
    }
    EXPECT_EQ(wizard.summaryPage()->summaryTree()->topLevelItem(0)->text(0),
              QStringLiteral("/media/disk [STUDY]"));
}

TEST_F(SeriesWizardTest, AnEmptyNameStaysOnTheFirstPage) {
    wizard.namePage()->buttons()->forward()->click();
    expectMessage(QStringLiteral("シリーズ名が入力されていません。"), QStringLiteral("エラー"));
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::NamePage);
}

TEST_F(SeriesWizardTest, AnEmptyImageListStaysOnTheSecondPage) {
    nameBox()->setText(QStringLiteral("s"));
    wizard.namePage()->buttons()->forward()->click();
    ASSERT_EQ(wizard.currentPage(), SeriesWizard::ImagePage);
    EXPECT_TRUE(wizard.imagePage()->addButton()->isDefault());
    wizard.imagePage()->buttons()->forward()->click();
    expectMessage(QStringLiteral("イメージが一つもありません。"), QStringLiteral("エラー"));
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::ImagePage);
}

TEST_F(SeriesWizardTest, TheDefaultOrderFailsTheChecksumTwentyAgainstSixty) {
    goToOrderPage(QStringLiteral("s"), {QStringLiteral("w")});
    EXPECT_EQ(wizard.summaryPage()->imageCountLabel()->text(), QStringLiteral("1"));
    wizard.orderPage()->buttons()->forward()->click();
    expectMessage(QStringLiteral("重複する組み合わせがあります。"), QStringLiteral("エラー"));
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::OrderPage);
}

TEST_F(SeriesWizardTest, ChangingThePanelCountResetsEveryRow) {
    wizard.orderPage()->setCell(0, 0, QStringLiteral("3"));
    wizard.namePage()->panelCountBox()->setValue(4);
    EXPECT_EQ(wizard.namePage()->pairCountLabel()->text(), QStringLiteral("6"));
    EXPECT_EQ(wizard.summaryPage()->panelCountLabel()->text(), QStringLiteral("4"));
    ASSERT_EQ(grid()->rowCount(), 6);
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(cell(row, 0), QStringLiteral("1"));
        EXPECT_EQ(cell(row, 1), QStringLiteral("1"));
    }
}

TEST_F(SeriesWizardTest, ATypedCountOutsideTheRangeCountsUntilTheBoxLosesTheFocus) {
    PanelCountBox* box = wizard.namePage()->panelCountBox();
    box->findChild<QLineEdit*>()->setText(QStringLiteral("12"));
    EXPECT_EQ(wizard.namePage()->pairCountLabel()->text(), QStringLiteral("66"));
    EXPECT_EQ(grid()->rowCount(), 66);
    emit box->editingFinished();
    EXPECT_EQ(box->value(), 10);
    EXPECT_EQ(wizard.namePage()->pairCountLabel()->text(), QStringLiteral("45"));
    box->findChild<QLineEdit*>()->setText(QString());
    EXPECT_EQ(box->value(), 3);
    EXPECT_EQ(wizard.namePage()->pairCountLabel()->text(), QStringLiteral("3"));
    box->stepBy(-1);
    EXPECT_EQ(box->value(), 3);
    box->stepBy(20);
    EXPECT_EQ(box->value(), 10);
    QString text = QStringLiteral("1x");
    int position = 0;
    EXPECT_EQ(box->validate(text, position), QValidator::Invalid);
}

TEST_F(SeriesWizardTest, ToTheTopMovesTheThirdWordFirstAndSelectsIt) {
    addWords({"w1", "w2", "w3", "w4", "w5"});
    imageList()->setCurrentRow(2);
    wizard.imagePage()->moveToTop();
    EXPECT_EQ(wizard.imagePage()->words(), (QStringList{"w3", "w1", "w2", "w4", "w5"}));
    EXPECT_EQ(wizard.imagePage()->selectedRow(), 0);
}

TEST_F(SeriesWizardTest, TheListButtonsMoveAndRemoveTheSelectedWord) {
    addWords({"w1", "w2", "w3"});
    imageList()->setCurrentRow(2);
    wizard.imagePage()->removeSelected();
    EXPECT_EQ(wizard.imagePage()->words(), (QStringList{"w1", "w2"}));
    EXPECT_EQ(wizard.imagePage()->selectedRow(), 1);

    addWords({"w3"});
    imageList()->setCurrentRow(0);
    wizard.imagePage()->moveDown();
    EXPECT_EQ(wizard.imagePage()->words(), (QStringList{"w2", "w1", "w3"}));
    EXPECT_EQ(wizard.imagePage()->selectedRow(), 1);
    wizard.imagePage()->moveToBottom();
    EXPECT_EQ(wizard.imagePage()->words(), (QStringList{"w2", "w3", "w1"}));
    EXPECT_EQ(wizard.imagePage()->selectedRow(), 2);
    wizard.imagePage()->moveDown();
    EXPECT_EQ(wizard.imagePage()->words(), (QStringList{"w2", "w3", "w1"}));
    wizard.imagePage()->moveUp();
    EXPECT_EQ(wizard.imagePage()->words(), (QStringList{"w2", "w1", "w3"}));
    EXPECT_EQ(wizard.imagePage()->selectedRow(), 1);

    imageList()->clearSelection();
    wizard.imagePage()->removeSelected();
    wizard.imagePage()->moveToTop();
    EXPECT_EQ(wizard.imagePage()->words(), (QStringList{"w2", "w1", "w3"}));
    wizard.imagePage()->removeAll();
    EXPECT_EQ(imageList()->count(), 0);
}

TEST_F(SeriesWizardTest, AddTakesTheWordBoxAsTypedAndIgnoresAnEmptyOne) {
    addWords({"a b", "a b", ""});
    EXPECT_EQ(wizard.imagePage()->words(), (QStringList{"a b", "a b"}));
    EXPECT_TRUE(wizard.imagePage()->wordBox()->text().isEmpty());
}

TEST_F(SeriesWizardTest, MoreThanTwentyFiveWordsAreRefused) {
    QStringList words;
    for (int i = 1; i <= 26; ++i)
        words << QStringLiteral("w%1").arg(i);
    addWords(words);
    EXPECT_EQ(imageList()->count(), 25);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, QStringLiteral("エラー"));
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("25")))
        << prompter.lastText().toStdString();
}

TEST_F(SeriesWizardTest, ThreePanelsPassInEitherOrientation) {
    wizard.namePage()->panelCountBox()->setValue(3);
    goToOrderPage(QStringLiteral("s"), {QStringLiteral("w")});
    setRows({{"1", "2"}, {"1", "3"}, {"2", "3"}});
    wizard.orderPage()->buttons()->forward()->click();
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::SummaryPage);
    EXPECT_TRUE(prompter.messages.empty());
    wizard.summaryPage()->buttons()->back()->click();
    setRows({{"2", "1"}, {"3", "1"}, {"3", "2"}});
    wizard.orderPage()->buttons()->forward()->click();
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::SummaryPage);
    EXPECT_TRUE(wizard.summaryPage()->summaryTree()->topLevelItem(0)->isExpanded());
}

TEST_F(SeriesWizardTest, OrdersWithABalancedSumButFaultyPairsAreRefused) {
    wizard.namePage()->panelCountBox()->setValue(3);
    goToOrderPage(QStringLiteral("s"), {QStringLiteral("w")});
    const std::vector<std::vector<std::pair<QString, QString>>> faulty = {
        {{"2", "2"}, {"1", "3"}, {"1", "3"}},  // a panel with itself, a pair twice
        {{"1", "2"}, {"1", "2"}, {"3", "3"}},  // a repeated pair balanced by another
        {{"0", "3"}, {"1", "4"}, {"2", "2"}},  // numbers outside 1 to 3
        {{"1", "2"}, {"2", "1"}, {"3", "3"}},  // one pair in both orientations
    };
    for (const auto& rows : faulty) {
        prompter.messages.clear();
        setRows(rows);
        wizard.orderPage()->buttons()->forward()->click();
        expectMessage(QStringLiteral("重複する組み合わせがあります。"), QStringLiteral("エラー"));
        EXPECT_EQ(wizard.currentPage(), SeriesWizard::OrderPage);
    }
}

TEST_F(SeriesWizardTest, ACellThatIsNoIntegerStopsOnTheOrderPage) {
    goToOrderPage(QStringLiteral("s"), {QStringLiteral("w")});
    wizard.orderPage()->setCell(3, 1, QStringLiteral("x"));
    wizard.orderPage()->buttons()->forward()->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("'x' は整数ではありません"));
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Error);
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::OrderPage);
}

TEST_F(SeriesWizardTest, TheSummaryTreeFollowsTheNameBox) {
    QTreeWidgetItem* root = wizard.summaryPage()->summaryTree()->topLevelItem(0);
    QStringList folders;
    for (int i = 0; i < root->childCount(); ++i)
        folders << root->child(i)->text(0);
    EXPECT_EQ(folders, (QStringList{"male", "female", "mix", "order", "paper", "physical"}));
    nameBox()->setText(QStringLiteral("s"));
    QStringList leaves;
    for (int i = 0; i < root->childCount(); ++i)
        leaves << root->child(i)->child(0)->text(0);
    EXPECT_EQ(leaves, (QStringList{"s", "s", "s", "s.ord", "s.pap", "s"}));
}

TEST_F(SeriesWizardTest, BackKeepsWhatWasEntered) {
    goToOrderPage(QStringLiteral("s"), {QStringLiteral("w")});
    wizard.orderPage()->setCell(0, 0, QStringLiteral("2"));
    wizard.orderPage()->buttons()->back()->click();
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::ImagePage);
    wizard.imagePage()->buttons()->back()->click();
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::NamePage);
    EXPECT_EQ(nameBox()->text(), QStringLiteral("s"));
    EXPECT_EQ(imageList()->count(), 1);
    EXPECT_EQ(cell(0, 0), QStringLiteral("2"));
}

TEST_F(SeriesWizardTest, FinishWritesTheOrderAndVocabularyFilesAndMakesTheDirectories) {
    wizard.namePage()->panelCountBox()->setValue(4);
    goToOrderPage(QStringLiteral("s"), {QStringLiteral("w1"), QStringLiteral("w2")});
    setRows({{"1", "2"}, {"3", "4"}, {"1", "3"}, {"2", "4"}, {"1", "4"}, {"2", "3"}});
    wizard.orderPage()->buttons()->forward()->click();
    ASSERT_EQ(wizard.currentPage(), SeriesWizard::SummaryPage);
    wizard.summaryPage()->buttons()->forward()->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.messages.empty());

    const std::filesystem::path golden = std::filesystem::path(KESTRUNE_TEST_DATA) / "wizard" / "four-panels";
    EXPECT_EQ(readBytes(disk.path("order/s.ord")), readBytes(golden / "s.ord"));
    EXPECT_EQ(readBytes(disk.path("paper/s.pap")), readBytes(golden / "s.pap"));
    for (const char* directory : {"male/s", "female/s", "mix/s", "physical/s"}) {
        EXPECT_TRUE(std::filesystem::is_directory(disk.path(directory))) << directory;
    }
}

TEST_F(SeriesWizardTest, AnExistingSeriesIsReplacedOnlyAfterTheQuestion) {
    disk.makeSeries("s", 3, {"old"});
    disk.writeBytes("male/s/run.dat", "1,3,1\r\n");
    const std::string before = readBytes(disk.path("paper/s.pap"));
    wizard.namePage()->panelCountBox()->setValue(3);
    goToOrderPage(QStringLiteral("s"), {QStringLiteral("new")});
    setRows({{"1", "2"}, {"1", "3"}, {"2", "3"}});
    wizard.orderPage()->buttons()->forward()->click();

    prompter.answers.push_back(PromptAnswer::No);
    wizard.summaryPage()->buttons()->forward()->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("同名のファイルが存在しますが、上書きしますか?"));
    EXPECT_EQ(prompter.messages[0].caption, QStringLiteral("ファイルの上書きの確認"));
    EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(readBytes(disk.path("paper/s.pap")), before);
    EXPECT_NE(wizard.result(), QDialog::Accepted);

    prompter.answers.push_back(PromptAnswer::Yes);
    wizard.summaryPage()->buttons()->forward()->click();
    EXPECT_EQ(readTextLines(disk.path("paper/s.pap")), (std::vector<std::string>{"1", "\"new\""}));
    EXPECT_TRUE(std::filesystem::exists(disk.path("male/s/run.dat")));
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
}

TEST_F(SeriesWizardTest, ANameWithAPathSeparatorMakesNothing) {
    wizard.namePage()->panelCountBox()->setValue(3);
    goToOrderPage(QStringLiteral("../s"), {QStringLiteral("w")});
    setRows({{"1", "2"}, {"1", "3"}, {"2", "3"}});
    wizard.orderPage()->buttons()->forward()->click();
    wizard.summaryPage()->buttons()->forward()->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.lastText().endsWith(QStringLiteral("を作成できません")))
        << prompter.lastText().toStdString();
    EXPECT_FALSE(std::filesystem::exists(disk.path("s.ord")));
    EXPECT_FALSE(std::filesystem::exists(disk.path("order")));
    EXPECT_NE(wizard.result(), QDialog::Accepted);
}

TEST_F(SeriesWizardTest, CancelAsksAndClosesOnlyOnYes) {
    prompter.answers.push_back(PromptAnswer::No);
    wizard.namePage()->buttons()->cancel()->click();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("現在の設定を破棄しますか?"));
    EXPECT_EQ(prompter.messages[0].caption, QStringLiteral("シリーズ作成の中止"));
    EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::YesNo);
    wizard.show();
    prompter.answers.push_back(PromptAnswer::No);
    wizard.reject();
    EXPECT_TRUE(wizard.isVisible());
    prompter.answers.push_back(PromptAnswer::Yes);
    wizard.namePage()->buttons()->cancel()->click();
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
    EXPECT_TRUE(std::filesystem::is_empty(disk.root()));
}

TEST_F(SeriesWizardTest, ImportsTheWordsOfAnotherSeries) {
    disk.makeSeries("other", 3, {"明るい", "暗い"});
    nameBox()->setText(QStringLiteral("s"));
    wizard.namePage()->buttons()->forward()->click();
    addWords({"kept?"});
    prompter.fileNames.push_back(QString::fromStdString(disk.path("paper/other.pap").string()));
    wizard.imagePage()->findChild<QPushButton*>(QStringLiteral("importWordsButton"))->click();
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(prompter.fileDialogs[0].directory, QString::fromStdString(disk.path("paper").string()));
    EXPECT_EQ(prompter.fileDialogs[0].filters, (QStringList{"イメージの語彙のファイル (*.pap)"}));
    EXPECT_EQ(prompter.fileDialogs[0].defaultSuffix, QStringLiteral("pap"));
    EXPECT_EQ(wizard.imagePage()->words(), (QStringList{"明るい", "暗い"}));
}

TEST_F(SeriesWizardTest, ImportsTheOrderOfAnotherSeriesWithTheSamePanelCount) {
    disk.makeSeries("four", 4, {"w"});
    disk.makeSeries("five", 5, {"w"});
    goToOrderPage(QStringLiteral("s"), {QStringLiteral("w")});
    QPushButton* importButton = wizard.orderPage()->importButton();
    EXPECT_EQ(importButton->text(), QStringLiteral("他シリーズからの読み込み"));
    prompter.fileNames.push_back(QString::fromStdString(disk.path("order/four.ord").string()));
    importButton->click();
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    expectMessage(QStringLiteral("パネルの枚数が違います"), QStringLiteral("エラー"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("1"));
    EXPECT_EQ(prompter.fileDialogs[0].directory, QString::fromStdString(disk.path("order").string()));
    EXPECT_EQ(prompter.fileDialogs[0].filters, (QStringList{"順番のデータ (*.ord)"}));
    EXPECT_EQ(prompter.fileDialogs[0].defaultSuffix, QStringLiteral("ord"));

    prompter.fileNames.push_back(QString::fromStdString(disk.path("order/five.ord").string()));
    importButton->click();
    EXPECT_EQ(cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("2"));
    EXPECT_EQ(cell(9, 0), QStringLiteral("4"));
    EXPECT_EQ(cell(9, 1), QStringLiteral("5"));
    // The imported order passes the page's own test.
    wizard.orderPage()->buttons()->forward()->click();
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::SummaryPage);
}

TEST_F(SeriesWizardTest, TheOrderImportFollowsThePanelCountChosenOnTheFirstPage) {
    disk.makeSeries("four", 4, {"w"});
    disk.makeSeries("five", 5, {"w"});
    wizard.namePage()->panelCountBox()->setValue(4);
    goToOrderPage(QStringLiteral("s"), {QStringLiteral("w")});
    prompter.fileNames.push_back(QString::fromStdString(disk.path("order/five.ord").string()));
    wizard.orderPage()->importButton()->click();
    expectMessage(QStringLiteral("パネルの枚数が違います"), QStringLiteral("エラー"));
    prompter.messages.clear();
    prompter.fileNames.push_back(QString::fromStdString(disk.path("order/four.ord").string()));
    wizard.orderPage()->importButton()->click();
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    ASSERT_EQ(grid()->rowCount(), 6);
    EXPECT_EQ(cell(5, 0), QStringLiteral("3"));
    EXPECT_EQ(cell(5, 1), QStringLiteral("4"));
}

}  // namespace
}  // namespace kestrune::testing

namespace kestrune::testing {
namespace {

// Enter in the order grid (not editing) goes on to the summary, and Enter there presses "完了".
TEST_F(SeriesWizardTest, EnterGoesOnFromTheOrderGridAndFinishesOnTheLastPage) {
    wizard.show();
    wizard.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
    wizard.namePage()->panelCountBox()->setValue(4);
    goToOrderPage(QStringLiteral("s"), {QStringLiteral("w1"), QStringLiteral("w2")});
    setRows({{"1", "2"}, {"3", "4"}, {"1", "3"}, {"2", "4"}, {"1", "4"}, {"2", "3"}});
    grid()->setFocus();
    grid()->setCurrentCell(5, 1);
    QCoreApplication::processEvents();
    // The cell editor opened by the move takes the first Enter: it ends the editing.
    if (QApplication::focusWidget() != grid()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(wizard.currentPage(), SeriesWizard::OrderPage);
    }
    ASSERT_EQ(QApplication::focusWidget(), grid());
    QTest::keyClick(grid(), Qt::Key_Return);
    ASSERT_EQ(wizard.currentPage(), SeriesWizard::SummaryPage) << prompter.lastText().toStdString();
    QTest::keyClick(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &wizard,
                    Qt::Key_Return);
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_TRUE(std::filesystem::is_regular_file(disk.path("order/s.ord")));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
}

}  // namespace
}  // namespace kestrune::testing

namespace kestrune::testing {
namespace {

// The order grid is no keyboard trap: Tab from its last cell goes on to the page's buttons and
// reaches "次へ >>", Shift+Tab from its first cell leaves it backwards, and Ctrl+Tab /
// Ctrl+Shift+Tab leave it from any cell (the grid opens an editor on every cell it moves to).
class OrderGridTabTest : public SeriesWizardTest {
  protected:
    void SetUp() override {
        wizard.show();
        wizard.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
        wizard.namePage()->panelCountBox()->setValue(4);
        goToOrderPage(QStringLiteral("s"), {QStringLiteral("w1"), QStringLiteral("w2")});
    }
    bool inGrid(const QWidget* widget) { return widget == grid() || grid()->isAncestorOf(widget); }
    void focusCell(int row, int column) {
        grid()->setFocus(Qt::TabFocusReason);
        grid()->setCurrentCell(row, column);
        QCoreApplication::processEvents();
        ASSERT_TRUE(inGrid(QApplication::focusWidget()));
    }
    QWidget* press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QCoreApplication::processEvents();
        return QApplication::focusWidget();
    }
    // Tab on, outside the grid, until `target` has the focus; false when the grid comes first.
    bool tabReaches(QWidget* target, bool forward) {
        for (int step = 0; step < 10; ++step) {
            if (QApplication::focusWidget() == target)
                return true;
            if (inGrid(press(forward ? Qt::Key_Tab : Qt::Key_Backtab,
                             forward ? Qt::NoModifier : Qt::ShiftModifier)))
                return false;
        }
        return false;
    }
};

TEST_F(OrderGridTabTest, TabLeavesTheOrderGridAtItsEndsAndReachesTheButtons) {
    QPushButton* next = wizard.orderPage()->buttons()->forward();
    focusCell(0, 0);
    press(Qt::Key_Tab);
    EXPECT_EQ(grid()->currentColumn(), 1) << "Tab still moves between cells";
    EXPECT_TRUE(inGrid(QApplication::focusWidget()));

    focusCell(5, 1);
    EXPECT_FALSE(inGrid(press(Qt::Key_Tab)));
    EXPECT_TRUE(tabReaches(next, true));
    focusCell(0, 0);
    EXPECT_FALSE(inGrid(press(Qt::Key_Backtab, Qt::ShiftModifier)));
    EXPECT_TRUE(tabReaches(next, false));
    focusCell(2, 1);
    EXPECT_FALSE(inGrid(press(Qt::Key_Tab, Qt::ControlModifier)));
    EXPECT_TRUE(tabReaches(next, true));
    focusCell(2, 1);
    EXPECT_FALSE(inGrid(press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier)));
    EXPECT_TRUE(tabReaches(next, false));

    // A number typed into the last cell is kept as Tab leaves it.
    focusCell(5, 1);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("4"));
    EXPECT_FALSE(inGrid(press(Qt::Key_Tab)));
    EXPECT_EQ(cell(5, 1), QStringLiteral("4"));
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::OrderPage);
}

// Tab from the grid's last cell takes the buttons as they are read: the two beside the grid,
// then the row below it.
TEST_F(OrderGridTabTest, TabTakesTheButtonsBesideTheGridBeforeTheRowBelow) {
    WizardButtons* row = wizard.orderPage()->buttons();
    const QList<QWidget*> expected{
        wizard.orderPage()->findChild<QPushButton*>(QStringLiteral("importOrderButton")),
        wizard.orderPage()->findChild<QPushButton*>(QStringLiteral("balancedOrderButton")), row->back(),
        row->forward(), row->cancel()};
    focusCell(5, 1);
    QList<QWidget*> reached{press(Qt::Key_Tab)};
    while (reached.size() < expected.size())
        reached << press(Qt::Key_Tab);
    EXPECT_EQ(reached, expected);
}

}  // namespace
}  // namespace kestrune::testing

// The order page's button that fills the pair grid with a balanced order, pressed as a user
// presses it; the grid stays an ordinary editable grid under the page's own tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>

#include "core/Series.h"
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

class BalancedOrderButtonTest : public ::testing::Test {
  protected:
    BalancedOrderButtonTest() { context.disk.setRoot(disk.root()); }

    QTableWidget* grid() { return wizard.orderPage()->pairGrid(); }
    QPushButton* balancedButton() {
        return wizard.orderPage()->findChild<QPushButton*>(QStringLiteral("balancedOrderButton"));
    }
    void goToOrderPage(int panels) {
        wizard.namePage()->panelCountBox()->setValue(panels);
        wizard.namePage()->nameBox()->setText(QStringLiteral("s"));
        wizard.namePage()->buttons()->forward()->click();
        wizard.imagePage()->wordBox()->setText(QStringLiteral("明るい"));
        wizard.imagePage()->addButton()->click();
        wizard.imagePage()->buttons()->forward()->click();
        ASSERT_EQ(wizard.currentPage(), SeriesWizard::OrderPage);
    }
    std::vector<TPanelPair> gridPairs() {
        std::vector<TPanelPair> pairs;
        for (int row = 0; row < grid()->rowCount(); ++row)
            pairs.push_back({grid()->item(row, 0)->text().toInt(), grid()->item(row, 1)->text().toInt()});
        return pairs;
    }

    TempDisk disk;
    ScriptedPrompter prompter;
    AppContext context{prompter};
    SeriesWizard wizard{context, QStringLiteral("/media/disk [STUDY]")};
};

TEST_F(BalancedOrderButtonTest, StandsBesideTheImportButtonWithAJapaneseCaptionAndHint) {
    goToOrderPage(5);
    ASSERT_NE(balancedButton(), nullptr);
    EXPECT_EQ(balancedButton()->text(), QStringLiteral("偏りのない順序の作成"));
    EXPECT_FALSE(balancedButton()->toolTip().isEmpty());
    EXPECT_FALSE(balancedButton()->autoDefault());  // Enter still means "次へ >>"
    EXPECT_TRUE(balancedButton()->isVisibleTo(wizard.orderPage()));
}

TEST_F(BalancedOrderButtonTest, FillsTheGridWithAnOrderThatPassesTheChecksumAndIsWrittenOnFinish) {
    goToOrderPage(6);
    balancedButton()->click();
    const std::vector<TPanelPair> pairs = gridPairs();
    ASSERT_EQ(pairs.size(), 15u);
    EXPECT_TRUE(isCompletePairSet(6, pairs));
    for (std::size_t i = 1; i < pairs.size(); ++i) {
        const TPanelPair& x = pairs[i - 1];
        const TPanelPair& y = pairs[i];
        EXPECT_FALSE(x.a == y.a || x.a == y.b || x.b == y.a || x.b == y.b) << "rows " << i << ", " << i + 1;
    }
    wizard.orderPage()->buttons()->forward()->click();
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    ASSERT_EQ(wizard.currentPage(), SeriesWizard::SummaryPage);
    wizard.summaryPage()->buttons()->forward()->click();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(ReadOrderFile(disk.path("order/s.ord")).pairs, pairs);
}

TEST_F(BalancedOrderButtonTest, TheFilledGridStaysEditableAndUnderTheCompleteSetTest) {
    goToOrderPage(4);
    balancedButton()->click();
    QTableWidgetItem* first = grid()->item(0, 0);
    ASSERT_TRUE(first->flags() & Qt::ItemIsEditable);
    // Swapping A and B of a row by hand keeps a complete set.
    const QString a = first->text();
    first->setText(grid()->item(0, 1)->text());
    grid()->item(0, 1)->setText(a);
    wizard.orderPage()->buttons()->forward()->click();
    ASSERT_EQ(wizard.currentPage(), SeriesWizard::SummaryPage);

    // A row copied over another is caught as before.
    wizard.summaryPage()->buttons()->back()->click();
    grid()->item(1, 0)->setText(grid()->item(2, 0)->text());
    grid()->item(1, 1)->setText(grid()->item(2, 1)->text());
    wizard.orderPage()->buttons()->forward()->click();
    EXPECT_EQ(wizard.currentPage(), SeriesWizard::OrderPage);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("重複する組み合わせがあります。"));
}

TEST_F(BalancedOrderButtonTest, FollowsAPanelCountChangedAfterAnEarlierPress) {
    goToOrderPage(10);
    balancedButton()->click();
    EXPECT_TRUE(isCompletePairSet(10, gridPairs()));
    wizard.orderPage()->buttons()->back()->click();
    wizard.imagePage()->buttons()->back()->click();
    wizard.namePage()->panelCountBox()->setValue(3);
    wizard.namePage()->buttons()->forward()->click();
    wizard.imagePage()->buttons()->forward()->click();
    balancedButton()->click();
    ASSERT_EQ(grid()->rowCount(), 3);
    EXPECT_TRUE(isCompletePairSet(3, gridPairs()));
}

// With KESTRUNE_SCREENSHOT_DIR naming a directory, the filled order page is saved there.
TEST_F(BalancedOrderButtonTest, Screenshot) {
    const QString directory = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR");
    if (directory.isEmpty())
        GTEST_SKIP() << "KESTRUNE_SCREENSHOT_DIR not set";
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    goToOrderPage(5);
    balancedButton()->click();
    wizard.show();
    EXPECT_TRUE(wizard.grab().save(directory + QStringLiteral("/wizard-3-balanced-order.png")));
}

}  // namespace
}  // namespace kestrune::testing

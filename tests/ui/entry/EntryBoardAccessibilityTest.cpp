#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QPushButton>

#include "tests/ui/entry/EntryTestSupport.h"

namespace kestrune {
namespace {

using testing::EntryPageHost;

class EntryBoardAccessibility : public ::testing::Test {
  protected:
    QAccessibleInterface* board() { return QAccessible::queryAccessibleInterface(page.board()); }
    // The board's child of that name, as a screen reader finds it.
    QAccessibleInterface* named(const QString& name) {
        QAccessibleInterface* parent = board();
        for (int index = 0; index < parent->childCount(); ++index) {
            QAccessibleInterface* child = parent->child(index);
            if (child != nullptr && child->text(QAccessible::Name) == name)
                return child;
        }
        ADD_FAILURE() << "no child named " << name.toStdString();
        return nullptr;
    }
    static bool checked(QAccessibleInterface* circle) { return circle->state().checked; }

    EntryPageHost host;
    EntryPage& page = *host.page;
};

TEST_F(EntryBoardAccessibility, EachShownCircleIsACheckBoxNamedBySideAndWord) {
    QAccessibleInterface* parent = board();
    ASSERT_NE(parent, nullptr);
    QStringList shown;
    for (int index = 0; index < parent->childCount(); ++index) {
        QAccessibleInterface* child = parent->child(index);
        if (child->role() == QAccessible::CheckBox && !child->state().invisible)
            shown << child->text(QAccessible::Name);
        EXPECT_EQ(parent->indexOfChild(child), index);
        EXPECT_EQ(child->parent(), parent);
    }
    EXPECT_EQ(shown, (QStringList{"A 明るい", "B 明るい", "A 暖かい", "B 暖かい", "A 重い", "B 重い",
                                  "A 柔らかい", "B 柔らかい"}));
    QAccessibleInterface* circle = named(QStringLiteral("B 重い"));
    EXPECT_TRUE(circle->state().checkable);
    EXPECT_FALSE(checked(circle));
    // No entry runs: the board is disabled and nothing can be marked.
    EXPECT_TRUE(circle->state().disabled);
    EXPECT_TRUE(circle->actionInterface()->actionNames().isEmpty());
}

TEST_F(EntryBoardAccessibility, CheckedFollowsTheMarksOfKeysMouseAndSheets) {
    host.clickButton(page.newInputButton());
    QAccessibleInterface* a1 = named(QStringLiteral("A 明るい"));
    QAccessibleInterface* b1 = named(QStringLiteral("B 明るい"));
    EXPECT_FALSE(a1->state().disabled);
    host.type(QStringLiteral("4"));
    EXPECT_TRUE(checked(a1));
    EXPECT_FALSE(checked(b1));

    const QPoint b1Centre = page.board()->circleCentre(2);
    QTest::mouseClick(page.board(), Qt::LeftButton, {}, b1Centre);
    EXPECT_FALSE(checked(a1));
    EXPECT_TRUE(checked(b1));
    // Where the circle is on screen, and what a pointer over it finds.
    EXPECT_TRUE(b1->rect().contains(page.board()->mapToGlobal(b1Centre)));
    const QPoint onScreen = page.board()->mapToGlobal(page.board()->circleCentre(3));
    EXPECT_EQ(board()->childAt(onScreen.x(), onScreen.y()), named(QStringLiteral("A 暖かい")));

    host.typeSheet("-ABA");
    QTest::keyClick(host.focused(), Qt::Key_Space);
    ASSERT_EQ(page.pairCounter()->text(), QStringLiteral("2"));
    EXPECT_FALSE(checked(b1));
    host.clickButton(page.previousButton());
    EXPECT_TRUE(checked(b1));
    EXPECT_TRUE(checked(named(QStringLiteral("B 重い"))));
}

TEST_F(EntryBoardAccessibility, AScreenReaderTogglesACircleAsAClickDoes) {
    host.clickButton(page.newInputButton());
    QAccessibleActionInterface* b3 = named(QStringLiteral("B 重い"))->actionInterface();
    ASSERT_NE(b3, nullptr);
    EXPECT_EQ(b3->actionNames(), QStringList{QAccessibleActionInterface::toggleAction()});
    b3->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "B", "-"}));
    QAccessibleActionInterface* a3 = named(QStringLiteral("A 重い"))->actionInterface();
    a3->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "A", "-"}));
    // As with the mouse, toggling a marked circle keeps it marked: no click clears a row.
    a3->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "A", "-"}));
}

}  // namespace
}  // namespace kestrune

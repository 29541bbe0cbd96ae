#include <QAction>
#include <QMenu>

#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/shell/AddinMenu.h"

namespace kestrune::testing {
namespace {

class AddinMenuTest : public MainWindowTest {
  protected:
    // An add-in file with `count` as "Number" and sections Addins1..Addins<sections>.
    std::filesystem::path writeAddins(const std::string& count, int sections) {
        std::vector<std::string> lines{"[Addins]", "Number=" + count};
        for (int i = 1; i <= sections; ++i) {
            lines.push_back("[Addins" + std::to_string(i) + "]");
            lines.push_back("Caption=ツール" + std::to_string(i));
            lines.push_back("Command=/opt/tool" + std::to_string(i));
        }
        tools.writeLines("kestrun2.ini", lines);
        return tools.path("kestrun2.ini");
    }

    QList<QAction*> addinItems() const {
        QList<QAction*> found;
        for (QAction* action : window->toolsMenu()->actions()) {
            if (action->objectName().startsWith(QStringLiteral("Addins")))
                found << action;
        }
        return found;
    }

    TempDisk tools;  // stands for the program's own directory
};

TEST(AddinCount, ReadsDecimalAndHexadecimal) {
    EXPECT_EQ(parseAddinCount("3"), 3);
    EXPECT_EQ(parseAddinCount("0x2"), 2);
    EXPECT_EQ(parseAddinCount("0X1f"), 31);
    EXPECT_EQ(parseAddinCount(""), 0);
    EXPECT_EQ(parseAddinCount("three"), 0);
    EXPECT_EQ(parseAddinCount("3x"), 0);
    EXPECT_EQ(parseAddinCount("0x"), 0);
    EXPECT_EQ(parseAddinCount("-1"), -1);
}

TEST_F(AddinMenuTest, ThreeItemsStandInFileOrderOnTopOfTheToolsMenu) {
    openWindow(writeAddins("3", 3));
    const QList<QAction*> actions = window->toolsMenu()->actions();
    ASSERT_EQ(actions.size(), 5);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(actions[i]->text(), QString::fromStdString("ツール" + std::to_string(i + 1)));
        EXPECT_EQ(actions[i]->objectName(), QStringLiteral("Addins%1").arg(i));
        EXPECT_EQ(actions[i]->data().toInt(), i);
    }
    EXPECT_TRUE(actions[3]->isSeparator());
    EXPECT_EQ(actions[4]->text(), QStringLiteral("バージョン情報(&V)"));

    actions[1]->trigger();
    EXPECT_EQ(opened, (QStringList{"/opt/tool2"}));
}

TEST_F(AddinMenuTest, AHexadecimalNumberCounts) {
    openWindow(writeAddins("0x2", 3));
    EXPECT_EQ(addinItems().size(), 2);
}

TEST_F(AddinMenuTest, AtMostFortyOneItemsAppear) {
    openWindow(writeAddins("45", 45));
    const QList<QAction*> items = addinItems();
    ASSERT_EQ(items.size(), 41);
    EXPECT_EQ(items.last()->objectName(), QStringLiteral("Addins40"));
    EXPECT_EQ(items.last()->text(), QStringLiteral("ツール41"));
    EXPECT_EQ(window->addinMenu()->commands()[40], QStringLiteral("/opt/tool41"));
}

TEST_F(AddinMenuTest, ASectionWithoutCaptionStillGivesAnItemThatOpensItsCommand) {
    tools.writeLines("kestrun2.ini", {"[Addins]", "Number=2", "[Addins1]", "Command=first", "[Addins2]",
                                      "Caption=Second", "Command=second"});
    openWindow(tools.path("kestrun2.ini"));
    const QList<QAction*> items = addinItems();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QString());
    items[0]->trigger();
    EXPECT_EQ(opened, (QStringList{"first"}));
}

TEST_F(AddinMenuTest, AMissingFileOrANumberBelowOneAddsNothing) {
    openWindow(tools.path("kestrun2.ini"));
    EXPECT_TRUE(addinItems().isEmpty());
    window.reset();
    openWindow(writeAddins("0", 2));
    EXPECT_TRUE(addinItems().isEmpty());
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace kestrune::testing

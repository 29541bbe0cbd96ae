// The entry run inside the real main window: the lock of the other tabs and the drive box,
// the keys seen before the focused control, and the close refused while the end is cancelled.
// Built once the main window and its test fixture are part of the tree.
#if __has_include("tests/ui/shell/MainWindowFixture.h")
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "core/Response.h"
#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/entry/EndEntryDialog.h"
#include "ui/entry/EntryPage.h"
#include "ui/entry/ResponseBoard.h"
#include "ui/shell/DriveBox.h"

namespace kestrune::testing {
namespace {

void answerEnd(ScriptedPrompter& prompter, bool ok) {
    prompter.dialogHandlers.push_back([ok](QDialog& shown) {
        auto& dialog = dynamic_cast<EndEntryDialog&>(shown);
        QTest::mouseClick(ok ? dialog.okButton() : dialog.cancelButton(), Qt::LeftButton);
        return dialog.result();
    });
}

void typeInto(QWidget& window, const QString& keys) {
    for (QChar key : keys)
        QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, key.toLatin1());
}

TEST_F(MainWindowTest, AnEntryLocksTheWindowAndIsTypedIntoItsFile) {
    disk.makeSeries("味", 3, {"甘い", "苦い"});
    openWindow();
    window->show();
    EntryPage& page = *window->entryPage();
    window->pages()->setCurrentWidget(&page);
    page.fileNameBox()->setText(QStringLiteral("本調査"));
    QTest::mouseClick(page.newInputButton(), Qt::LeftButton);
    ASSERT_TRUE(page.entryInProgress());
    for (int tab = 0; tab < window->pages()->count(); ++tab) {
        EXPECT_EQ(window->pages()->isTabVisible(tab), window->pages()->widget(tab) == &page) << tab;
    }
    EXPECT_FALSE(window->driveBox()->isEnabled());
    EXPECT_EQ(window->pages()->currentWidget(), &page);

    // Three sheets of two words, moved through with the space bar on "次へ".
    typeInto(*window, QStringLiteral("4x"));
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    typeInto(*window, QStringLiteral("z6"));
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    typeInto(*window, QStringLiteral("66"));
    EXPECT_EQ(window->focusWidget(), page.addSubjectButton());

    answerEnd(prompter, false);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(page.entryInProgress());
    EXPECT_FALSE(window->driveBox()->isEnabled());

    answerEnd(prompter, true);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(page.entryInProgress());
    EXPECT_TRUE(window->driveBox()->isEnabled());
    for (int tab = 0; tab < window->pages()->count(); ++tab)
        EXPECT_TRUE(window->pages()->isTabVisible(tab));
    const TResponseMatrix written = ReadResponseFile(context.disk.dataPath(TSexGroup::Male, "味", "本調査"));
    EXPECT_EQ(written.answers, (std::vector<std::int32_t>{0, 1, 0, 1, 1, 1}));
}

// A file another program wrote while another page was shown is listed when the entry page's
// tab is chosen again.
TEST_F(MainWindowTest, TheEntryPageListsTheDiskAsItIsWhenItsTabIsChosen) {
    disk.makeSeries("味", 3, {"甘い", "苦い"});
    std::vector<std::string> lines{"1,10,3"};
    lines.resize(31, "0");
    disk.writeLines("male/味/一回目.dat", lines);
    openWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EntryPage& page = *window->entryPage();
    QTabBar* tabs = window->pages()->tabBar();
    const int entryTab = window->pages()->indexOf(&page);
    const auto clickTab = [&](int tab) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        QCoreApplication::processEvents();
        ASSERT_EQ(window->pages()->currentIndex(), tab);
    };
    const auto listed = [&] {
        QStringList names;
        for (int row = 0; row < page.dataFileList()->topLevelItemCount(); ++row)
            names << page.dataFileList()->topLevelItem(row)->text(0);
        return names;
    };
    clickTab(entryTab);
    ASSERT_EQ(listed(), QStringList{QStringLiteral("一回目")});
    page.dataFileList()->setCurrentItem(page.dataFileList()->topLevelItem(0));

    clickTab(entryTab == 0 ? 1 : 0);
    disk.writeLines("male/味/二回目.dat", lines);
    clickTab(entryTab);
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("一回目"), QStringLiteral("二回目")}));
    ASSERT_NE(page.dataFileList()->currentItem(), nullptr);
    EXPECT_EQ(page.dataFileList()->currentItem()->text(0), QStringLiteral("一回目"))
        << "the file chosen stays chosen";

    clickTab(entryTab == 0 ? 1 : 0);
    std::filesystem::remove(disk.path("male/味/一回目.dat"));
    clickTab(entryTab);
    EXPECT_EQ(listed(), QStringList{QStringLiteral("二回目")});
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
}

}  // namespace
}  // namespace kestrune::testing

#endif

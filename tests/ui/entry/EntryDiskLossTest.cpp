// A study disk that disappears while an entry runs: the answers stay in memory, the save
// reports that the file cannot be created, and after the drive box points at another disk the
// same entry is saved there. Built once the main window and its test fixture are in the tree.
#if __has_include("tests/ui/shell/MainWindowFixture.h")
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "core/Response.h"
#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/entry/EndEntryDialog.h"
#include "ui/entry/EntryPage.h"
#include "ui/shell/DriveBox.h"

namespace kestrune::testing {
namespace {

void answerEnd(ScriptedPrompter& prompter) {
    prompter.dialogHandlers.push_back([](QDialog& shown) {
        auto& dialog = dynamic_cast<EndEntryDialog&>(shown);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        return dialog.result();
    });
}

void typeInto(QWidget& window, const QString& keys) {
    for (QChar key : keys)
        QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, key.toLatin1());
}

TEST_F(MainWindowTest, AnEntryWhoseDiskDisappearsIsSavedOnTheDiskChosenNext) {
    disk.makeSeries("味", 3, {"甘い", "苦い"});
    openWindow();
    window->show();
    EntryPage& page = *window->entryPage();
    window->pages()->setCurrentWidget(&page);
    page.fileNameBox()->setText(QStringLiteral("本調査"));
    QTest::mouseClick(page.newInputButton(), Qt::LeftButton);
    ASSERT_TRUE(page.entryInProgress());
    typeInto(*window, QStringLiteral("4x"));
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    typeInto(*window, QStringLiteral("z6"));
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    typeInto(*window, QStringLiteral("66"));

    // The stick is pulled: the whole disk is gone.
    std::filesystem::remove_all(disk.root());
    answerEnd(prompter);
    QTest::mouseClick(page.endButton(), Qt::LeftButton);
    EXPECT_TRUE(page.entryInProgress());
    EXPECT_TRUE(prompter.lastText().contains(QStringLiteral("を作成できません")))
        << prompter.lastText().toStdString();
    EXPECT_TRUE(window->driveBox()->isEnabled());
    QTest::mouseClick(page.saveButton(), Qt::LeftButton);
    EXPECT_TRUE(prompter.lastText().contains(QStringLiteral("を作成できません")));
    EXPECT_TRUE(page.entryInProgress());

    // Another disk with the same series, chosen through the drive box's "...".
    TempDisk other;
    other.makeSeries("味", 3, {"甘い", "苦い"});
    prompter.directories.push_back(QString::fromStdString(other.root().string()));
    DriveBox* box = window->driveBox();
    const int pick = box->findText(QStringLiteral("..."));
    box->setCurrentIndex(pick);
    emit box->activated(pick);
    EXPECT_EQ(context.disk.root(), other.root());
    EXPECT_TRUE(page.entryInProgress());
    EXPECT_FALSE(box->isEnabled());
    for (int tab = 0; tab < window->pages()->count(); ++tab)
        EXPECT_EQ(window->pages()->isTabVisible(tab), window->pages()->widget(tab) == &page) << tab;

    answerEnd(prompter);
    QTest::mouseClick(page.endButton(), Qt::LeftButton);
    EXPECT_FALSE(page.entryInProgress());
    EXPECT_TRUE(box->isEnabled());
    const TResponseMatrix written = ReadResponseFile(other.disk().dataPath(TSexGroup::Male, "味", "本調査"));
    EXPECT_EQ(written.answers, (std::vector<std::int32_t>{0, 1, 0, 1, 1, 1}));
    for (int tab = 0; tab < window->pages()->count(); ++tab)
        EXPECT_TRUE(window->pages()->isTabVisible(tab)) << tab;
}

TEST_F(MainWindowTest, AnEntryFileNameThatLeavesTheSeriesDirectoryIsRefused) {
    disk.makeSeries("味", 3, {"甘い"});
    openWindow();
    window->show();
    EntryPage& page = *window->entryPage();
    window->pages()->setCurrentWidget(&page);
    page.fileNameBox()->setText(QStringLiteral("../../外"));
    QTest::mouseClick(page.newInputButton(), Qt::LeftButton);
    typeInto(*window, QStringLiteral("4"));
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    typeInto(*window, QStringLiteral("4"));
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    typeInto(*window, QStringLiteral("4"));
    QTest::mouseClick(page.saveButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.lastText(),
              QStringLiteral("'../../外' はファイル名に使えません。\"/\" と \"\\\" は使えません。"));
    EXPECT_FALSE(std::filesystem::exists(disk.path("外.dat")));
    EXPECT_TRUE(page.entryInProgress());
    page.fileNameBox()->setText(QStringLiteral("内"));
    QTest::mouseClick(page.saveButton(), Qt::LeftButton);
    EXPECT_TRUE(std::filesystem::exists(disk.disk().dataPath(TSexGroup::Male, "味", "内")));
}

}  // namespace
}  // namespace kestrune::testing

#endif

// The file list's sorting, context menu, rename, delete and move, and the join sub-page's
// merge, driven through the page's own controls.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "core/TextLines.h"
#include "tests/ui/analysis/AnalysisPageFixture.h"
#include "ui/analysis/DataFileOperations.h"
#include "ui/analysis/JoinSubPage.h"
#include "ui/entry/EntryPage.h"

namespace kestrune::testing {
namespace {

namespace fs = std::filesystem;

// Typed text as the input method commits it (the key simulation knows only ASCII).
void typeText(QWidget* editor, const QString& text) {
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, text, Qt::NoModifier);
}

TEST_F(AnalysisPageTest, EachHeaderSortsByItsOwnDirectionAsText) {
    disk.writeLines("male/印象/a.dat", {"9,3,1"});
    disk.writeLines("male/印象/b.dat", {"10,3,1"});
    disk.writeLines("male/印象/c.dat", {"3,3,1"});
    openAnalysisPage();
    EXPECT_EQ(fileList()->headerItem()->text(1), QStringLiteral("人数"));
    clickHeader(1);  // the first click sorts descending, the counts as texts
    EXPECT_EQ(listedNames(), (QStringList{"a", "c", "例題", "b"}));  // 9, 3, 2, 10
    clickHeader(1);
    EXPECT_EQ(listedNames(), (QStringList{"b", "例題", "c", "a"}));
    clickHeader(0);  // another column keeps its own direction
    EXPECT_EQ(listedNames(), (QStringList{"例題", "c", "b", "a"}));
    EXPECT_EQ(window->dataFileSortDirections(), (std::array<int, 3>{-1, 1, 1}));

    fileList()->setFocus();
    QTest::keyClick(fileList(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(fileList()->selectedItems().size(), 4);
}

TEST_F(AnalysisPageTest, TheMenuFollowsTheSelectionAndRenameMoveDeleteAreAllOrNothing) {
    disk.writeLines("male/印象/other.dat", {"1,3,1"});
    disk.writeLines("female/印象/other.dat", {"1,3,1", "first"});
    openAnalysisPage();
    QMenu* menu = fileList()->contextMenu();
    QStringList items;
    for (QAction* action : menu->actions())
        items << action->text();
    EXPECT_EQ(items, (QStringList{"名前の変更", "削除", "移動", "", "結合リストに加える", "個人データの閲覧",
                                  "データ集計", "", "CSV形式で書き出し…", "CSV形式から読み込み…", "",
                                  "すべて選択"}));
    menu->popup(fileList()->mapToGlobal(QPoint(10, 10)));
    EXPECT_FALSE(fileList()->renameAction()->isEnabled());
    EXPECT_FALSE(fileList()->aggregateAction()->isEnabled());
    EXPECT_TRUE(fileList()->selectAllAction()->isEnabled());
    menu->close();
    clickFile(QStringLiteral("例題"));
    menu->popup(fileList()->mapToGlobal(QPoint(10, 10)));
    EXPECT_TRUE(fileList()->renameAction()->isEnabled());
    EXPECT_FALSE(fileList()->moveAction(TSexGroup::Male)->isEnabled());
    EXPECT_TRUE(fileList()->moveAction(TSexGroup::Female)->isEnabled());
    menu->close();

    // Rename in place: F2, type, Enter. The entry page lists the new name too.
    fileList()->setFocus();
    QTest::keyClick(fileList(), Qt::Key_F2);
    auto* editor = fileList()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    typeText(editor, QStringLiteral("改名"));
    QTest::keyClick(editor, Qt::Key_Return);
    for (int round = 0; round < 3; ++round)
        QCoreApplication::processEvents();
    EXPECT_TRUE(fs::exists(dataFile(TSexGroup::Male, "改名")));
    EXPECT_FALSE(fs::exists(dataFile(TSexGroup::Male, "例題")));
    EXPECT_TRUE(listedNames().contains(QStringLiteral("改名")));
    EXPECT_FALSE(window->entryPage()->dataFileList()->findItems("改名", Qt::MatchExactly, 0).isEmpty());

    // A name that exists is refused, as is one that would leave the directory.
    const std::string before = readBytes(dataFile(TSexGroup::Male, "other"));
    for (const QString& taken : {QStringLiteral("other"), QStringLiteral("../other")}) {
        clickFile(QStringLiteral("改名"));
        // The closed editor took the window's focus with it.
        QApplication::setActiveWindow(window.get());
        fileList()->setFocus();
        QTest::keyClick(fileList(), Qt::Key_F2);
        editor = fileList()->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        typeText(editor, taken);
        QTest::keyClick(editor, Qt::Key_Return);
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
        ASSERT_FALSE(prompter.messages.empty());
        EXPECT_EQ(prompter.messages.back().text, QStringLiteral("ファイル名が変更できませんでした。"));
        EXPECT_EQ(prompter.messages.back().caption, QStringLiteral("エラー"));
        EXPECT_EQ(prompter.messages.back().icon, PromptIcon::Error);
    }
    EXPECT_TRUE(fs::exists(dataFile(TSexGroup::Male, "改名")));
    EXPECT_EQ(readBytes(dataFile(TSexGroup::Male, "other")), before);

    // Moving two files where one would replace a file there moves neither.
    clickFile(QStringLiteral("改名"));
    clickFile(QStringLiteral("other"), Qt::ControlModifier);
    fileList()->moveAction(TSexGroup::Female)->trigger();
    EXPECT_EQ(prompter.messages.back().text, QStringLiteral("移動できませんでした。"));
    EXPECT_EQ(prompter.messages.back().caption, QStringLiteral("Error"));
    EXPECT_TRUE(fs::exists(dataFile(TSexGroup::Male, "改名")));
    EXPECT_TRUE(fs::exists(dataFile(TSexGroup::Male, "other")));
    EXPECT_FALSE(fs::exists(dataFile(TSexGroup::Female, "改名")));
    EXPECT_EQ(readTextLines(dataFile(TSexGroup::Female, "other")).back(), "first");

    fs::remove(dataFile(TSexGroup::Female, "other"));
    clickFile(QStringLiteral("改名"));
    clickFile(QStringLiteral("other"), Qt::ControlModifier);
    fileList()->moveAction(TSexGroup::Female)->trigger();
    EXPECT_TRUE(fs::exists(dataFile(TSexGroup::Female, "改名")));
    EXPECT_TRUE(fs::exists(dataFile(TSexGroup::Female, "other")));
    EXPECT_FALSE(listedNames().contains(QStringLiteral("改名")));

    // Delete asks once; No leaves everything, Yes trashes all the selected files.
    chooseGroup(TSexGroup::Female);
    clickFile(QStringLiteral("改名"));
    clickFile(QStringLiteral("other"), Qt::ControlModifier);
    prompter.answers = {PromptAnswer::No};
    fileList()->deleteAction()->trigger();
    EXPECT_EQ(prompter.messages.back().text, QStringLiteral("削除できませんでした。"));
    EXPECT_TRUE(fs::exists(dataFile(TSexGroup::Female, "改名")));
    clickFile(QStringLiteral("改名"));
    clickFile(QStringLiteral("other"), Qt::ControlModifier);
    prompter.answers = {PromptAnswer::Yes};
    fileList()->deleteAction()->trigger();
    EXPECT_FALSE(fs::exists(dataFile(TSexGroup::Female, "改名")));
    EXPECT_FALSE(fs::exists(dataFile(TSexGroup::Female, "other")));
    EXPECT_EQ(listedNames(), QStringList{QStringLiteral("一人")});
}

TEST_F(AnalysisPageTest, TrashingPutsBackWhatWasTrashedWhenOneFileFails) {
    disk.writeLines("male/印象/a.dat", {"1,3,1"});
    disk.writeLines("male/印象/b.dat", {"1,3,1"});
    const StudyDisk studyDisk = disk.disk();
    const fs::path trash = disk.path("trash");
    fs::create_directories(trash);
    int calls = 0;
    auto failSecond = [&](const fs::path& place) -> std::optional<fs::path> {
        if (++calls == 2)
            return std::nullopt;
        const fs::path inTrash = trash / place.filename();
        fs::rename(place, inTrash);
        return inTrash;
    };
    EXPECT_FALSE(trashDataFiles(studyDisk, TSexGroup::Male, "印象", {"a", "b"}, failSecond));
    EXPECT_TRUE(fs::exists(dataFile(TSexGroup::Male, "a")));
    EXPECT_TRUE(fs::exists(dataFile(TSexGroup::Male, "b")));
}

TEST_F(AnalysisPageTest, FilesOfTwoGroupsMergeIntoMixAndTheTargetIsReplacedOnlyWhenAllowed) {
    disk.makeSeries("別", 3, {"w"});
    openAnalysisPage();
    JoinSubPage* join = page()->joinSubPage();
    EXPECT_EQ(join->resultNameBox()->text(), QStringLiteral("ALL"));
    page()->seriesChooser()->setCurrentIndex(page()->seriesChooser()->findText(QStringLiteral("印象")));
    clickFile(QStringLiteral("例題"));
    QTest::mouseClick(page()->joinButton(), Qt::LeftButton);
    EXPECT_EQ(page()->subPages()->currentIndex(), AnalysisPage::JoinSubPageIndex);
    EXPECT_EQ(join->resultGroupLabel()->text(), QStringLiteral("男性"));
    chooseGroup(TSexGroup::Female);
    clickFile(QStringLiteral("一人"));
    fileList()->joinAction()->trigger();
    EXPECT_EQ(join->resultGroupLabel()->text(), QStringLiteral("混合"));
    QListWidget* list = join->listWidget();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text().toStdString(), StudyDisk::pathLabel(dataFile(TSexGroup::Male, "例題")));

    // Reordering acts on the selected entry.
    list->setCurrentRow(1);
    QTest::mouseClick(join->topButton(), Qt::LeftButton);
    EXPECT_TRUE(list->item(0)->text().endsWith(QStringLiteral("一人.dat")));
    EXPECT_EQ(list->currentRow(), 0);
    QTest::mouseClick(join->downButton(), Qt::LeftButton);
    EXPECT_TRUE(list->item(1)->text().endsWith(QStringLiteral("一人.dat")));
    EXPECT_EQ(list->currentRow(), 1);
    QTest::mouseClick(join->upButton(), Qt::LeftButton);
    QTest::mouseClick(join->bottomButton(), Qt::LeftButton);
    EXPECT_TRUE(list->item(1)->text().endsWith(QStringLiteral("一人.dat")));
    QTest::mouseClick(join->removeButton(), Qt::LeftButton);
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(join->resultGroupLabel()->text(), QStringLiteral("男性"));
    QTest::mouseClick(join->clearButton(), Qt::LeftButton);
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(join->resultGroupLabel()->text().isEmpty());

    fileList()->joinAction()->trigger();  // 一人 is still selected
    chooseGroup(TSexGroup::Male);
    clickFile(QStringLiteral("例題"));
    fileList()->joinAction()->trigger();
    QTest::mouseClick(join->mergeButton(), Qt::LeftButton);
    const fs::path merged = dataFile(TSexGroup::Mix, "ALL");
    ASSERT_TRUE(fs::exists(merged));
    // Written into 混合 while the list shows 男性: the user is told where it went.
    EXPECT_EQ(prompter.lastText(), QStringLiteral("結合したファイルを %1 に保存しました。")
                                       .arg(QString::fromStdString(StudyDisk::pathLabel(merged))));
    EXPECT_EQ(prompter.messages.back().caption, QStringLiteral("データの結合"));
    const std::vector<std::string> one = readTextLines(dataFile(TSexGroup::Female, "一人"));
    const std::vector<std::string> two = readTextLines(dataFile(TSexGroup::Male, "例題"));
    std::vector<std::string> expected{"3," + splitAtFirstComma(two[0]).after};
    expected.insert(expected.end(), one.begin() + 1, one.end());
    expected.insert(expected.end(), two.begin() + 1, two.end());
    EXPECT_EQ(readTextLines(merged), expected);

    // The second merge asks first; No keeps the file.
    disk.writeLines("mix/印象/ALL.dat", {"kept"});
    prompter.answers = {PromptAnswer::No};
    QTest::mouseClick(join->mergeButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.messages.back().text, QStringLiteral("同名のファイルが存在しますが、上書きしますか?"));
    EXPECT_EQ(prompter.messages.back().caption, QStringLiteral("ファイルの上書きの確認"));
    EXPECT_EQ(readTextLines(merged), std::vector<std::string>{"kept"});

    // Names that are empty or would leave the series' directory write nothing.
    join->resultNameBox()->setText(QString());
    QTest::mouseClick(join->mergeButton(), Qt::LeftButton);
    EXPECT_EQ(prompter.messages.back().text, QStringLiteral("ファイル名を入力してください!!"));
    join->resultNameBox()->setText(QStringLiteral("../../escaped"));
    QTest::mouseClick(join->mergeButton(), Qt::LeftButton);
    EXPECT_FALSE(fs::exists(disk.path("escaped.dat")));
    EXPECT_EQ(prompter.messages.back().icon, PromptIcon::Error);

    // Another series empties the join list.
    page()->seriesChooser()->setCurrentIndex(page()->seriesChooser()->findText(QStringLiteral("別")));
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(join->resultGroupLabel()->text().isEmpty());
}

}  // namespace
}  // namespace kestrune::testing

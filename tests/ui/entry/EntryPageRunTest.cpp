#include <gtest/gtest.h>

#include <algorithm>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>

#include "core/AtomicFile.h"
#include "core/Response.h"
#include "tests/ui/entry/EntryTestSupport.h"

namespace kestrune {
namespace {

using testing::EntryPageHost;
using testing::readBytes;

// The choices of sheet (s, p) in the surveys these tests type: one letter per image.
std::string sheetChoices(int s, int p) {
    std::string choices;
    for (int i = 1; i <= 4; ++i)
        choices += (s * 7 + p * 3 + i) % 3 == 0 ? 'B' : 'A';
    return choices;
}

// Types one whole subject sheet by sheet, moving on with the space bar on "次へ".
void typeSubject(EntryPageHost& host, int s) {
    for (int p = 1; p <= 10; ++p) {
        host.typeSheet(sheetChoices(s, p));
        if (p < 10) {
            EXPECT_EQ(host.focused(), host.page->nextButton()) << "sheet " << p;
            QTest::keyClick(host.focused(), Qt::Key_Space);
        }
    }
    EXPECT_EQ(host.focused(), host.page->addSubjectButton());
}

// The answers typeSubject gives subject s.
std::vector<std::int32_t> subjectAnswers(int s) {
    std::vector<std::int32_t> answers;
    for (int p = 1; p <= 10; ++p) {
        for (char choice : sheetChoices(s, p))
            answers.push_back(choice == 'B' ? 1 : 0);
    }
    return answers;
}

std::string answersFile(const std::string& header, const std::vector<std::int32_t>& answers) {
    std::string bytes = header + "\r\n";
    for (std::int32_t answer : answers)
        bytes += std::to_string(answer) + "\r\n";
    return bytes;
}

class EntryRun : public ::testing::Test {
  protected:
    EntryPageHost host;
    EntryPage& page = *host.page;
};

TEST_F(EntryRun, NewInputStartsOneSubjectOfUnansweredSheets) {
    host.clickButton(page.newInputButton());
    EXPECT_TRUE(page.entryInProgress());
    EXPECT_EQ(host.bufferAnswers(), std::vector<std::int32_t>(40, -1));
    EXPECT_EQ(page.subjectCounter()->text(), "1");
    EXPECT_EQ(page.subjectCountCounter()->text(), "1");
    EXPECT_EQ(page.pairCounter()->text(), "1");
    EXPECT_EQ(page.pairCountCounter()->text(), "10");
    EXPECT_EQ(page.subjectTabs()->count(), 1);
    EXPECT_EQ(page.pairTabs()->count(), 10);
    EXPECT_FALSE(page.previousButton()->isEnabled());
    EXPECT_TRUE(page.nextButton()->isEnabled());
    EXPECT_EQ(page.fileNameBox()->text(), QStringLiteral("入力開始2026年03月05日09時07分"));
    EXPECT_EQ(host.focused(), page.keyboardButton());
    // The locked state: the board is reachable, the series is fixed, the main window told once.
    EXPECT_FALSE(page.picturePanel()->isVisible());
    EXPECT_TRUE(page.board()->isEnabled());
    EXPECT_FALSE(page.seriesChooser()->isEnabled());
    EXPECT_TRUE(page.sexChooser()->isEnabled());
    EXPECT_EQ(host.lockSignals, std::vector<bool>{true});
}

TEST_F(EntryRun, WholeSurveyTypedByKeyboardIsWrittenExactly) {
    page.fileNameBox()->setText(QStringLiteral("試飲会"));
    host.clickButton(page.newInputButton());
    typeSubject(host, 1);
    QTest::keyClick(host.focused(), Qt::Key_Space);  // "被験者の追加"
    EXPECT_EQ(page.subjectCountCounter()->text(), "2");
    EXPECT_EQ(host.focused(), page.keyboardButton());
    typeSubject(host, 2);
    QTest::keyClick(host.focused(), Qt::Key_Space);
    typeSubject(host, 3);
    host.answerEndDialog(true);
    host.clickButton(page.endButton());

    ASSERT_EQ(host.dialogSnapshots.size(), 1u);
    EXPECT_TRUE(host.dialogSnapshots[0].saveAllEnabled);
    EXPECT_FALSE(host.dialogSnapshots[0].dropLastEnabled);
    EXPECT_EQ(host.dialogSnapshots[0].selected, EndChoice::SaveAll);
    EXPECT_FALSE(page.entryInProgress());
    EXPECT_EQ(readBytes(host.dataFile("試飲会")),
              readBytes(std::filesystem::path(KESTRUNE_TEST_DATA) / "entry/keyboard-survey/expected.dat"));
    EXPECT_FALSE(std::filesystem::exists(host.backupFile()));
    EXPECT_TRUE(host.prompter.messages.empty());
    EXPECT_EQ(host.lockSignals, (std::vector<bool>{true, false}));
    EXPECT_TRUE(page.picturePanel()->isVisible());
    EXPECT_TRUE(page.seriesChooser()->isEnabled());
    EXPECT_TRUE(host.listedFiles().contains(QStringLiteral("試飲会")));
}

TEST_F(EntryRun, SaveRightAfterNewInputReportsTheFirstGapAndWritesNothing) {
    page.fileNameBox()->setText(QStringLiteral("run"));
    host.clickButton(page.newInputButton());
    host.typeSheet("AB");
    host.clickButton(page.nextButton());
    host.clickButton(page.saveButton());
    ASSERT_EQ(host.prompter.messages.size(), 1u);
    EXPECT_EQ(host.prompter.messages[0].text, QStringLiteral("すべての項目に入力する必要があります。"));
    EXPECT_EQ(host.prompter.messages[0].caption, QStringLiteral("記入漏れ"));
    EXPECT_EQ(host.prompter.messages[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(page.pairCounter()->text(), "1");
    EXPECT_EQ(page.pairTabs()->currentIndex(), 0);
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"A", "B", "-", "-"}));
    EXPECT_FALSE(std::filesystem::exists(host.dataFile("run")));
    EXPECT_TRUE(page.entryInProgress());
}

TEST_F(EntryRun, SaveWithAnEmptyFileNameAsksForOne) {
    host.clickButton(page.newInputButton());
    page.fileNameBox()->clear();
    host.clickButton(page.saveButton());
    ASSERT_EQ(host.prompter.messages.size(), 1u);
    EXPECT_EQ(host.prompter.messages[0].text, QStringLiteral("ファイル名を入力してください!!"));
    EXPECT_EQ(host.prompter.messages[0].caption, QStringLiteral("Error"));
}

TEST_F(EntryRun, SaveFindsAGapOnALaterSheetAndWritesWhenComplete) {
    page.fileNameBox()->setText(QStringLiteral("run"));
    host.clickButton(page.newInputButton());
    for (int p = 1; p <= 10; ++p) {
        host.typeSheet(p == 3 ? "AA" : sheetChoices(1, p));
        if (p < 10)
            host.clickButton(page.nextButton());
    }
    host.clickButton(page.saveButton());
    EXPECT_EQ(host.prompter.lastText(), QStringLiteral("すべての項目に入力する必要があります。"));
    EXPECT_EQ(page.pairCounter()->text(), "3");
    EXPECT_EQ(page.pairTabs()->currentIndex(), 2);
    EXPECT_EQ(host.focused(), page.keyboardButton());
    host.typeSheet("--BB");
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"A", "A", "B", "B"}));
    host.clickButton(page.saveButton());
    ASSERT_TRUE(std::filesystem::exists(host.dataFile("run")));
    EXPECT_EQ(ReadResponseFile(host.dataFile("run")).at(1, 3, 4), 1);
    // The entry stays at the same sheet after the save.
    EXPECT_TRUE(page.entryInProgress());
    EXPECT_EQ(page.pairTabs()->currentIndex(), 2);
    EXPECT_TRUE(host.listedFiles().contains(QStringLiteral("run")));
}

TEST_F(EntryRun, AddSubjectWithAGapIsRefused) {
    host.clickButton(page.newInputButton());
    for (int p = 1; p <= 9; ++p) {
        host.typeSheet(sheetChoices(1, p));
        host.clickButton(page.nextButton());
    }
    host.typeSheet("AB");
    host.clickButton(page.previousButton());
    host.clickButton(page.addSubjectButton());
    EXPECT_EQ(host.prompter.lastText(),
              QStringLiteral("すべての項目に入力しなければ、被験者の追加はできません。"));
    EXPECT_EQ(host.prompter.messages.back().caption, QStringLiteral("記入漏れ"));
    EXPECT_EQ(page.pairCounter()->text(), "10");
    EXPECT_EQ(host.focused(), page.keyboardButton());
    EXPECT_FALSE(std::filesystem::exists(host.backupFile()));
    EXPECT_EQ(page.subjectTabs()->count(), 1);
}

TEST_F(EntryRun, AddSubjectWritesTheBackupAndGrowsTheBuffer) {
    host.clickButton(page.newInputButton());
    typeSubject(host, 1);
    host.clickButton(page.addSubjectButton());
    EXPECT_EQ(readBytes(host.backupFile()), answersFile("1,10,4", subjectAnswers(1)));
    EXPECT_TRUE(host.listedFiles().contains(QStringLiteral("temp")));
    EXPECT_EQ(host.bufferAnswers().size(), 80u);
    EXPECT_EQ(page.subjectTabs()->count(), 2);
    EXPECT_EQ(page.subjectTabs()->currentIndex(), 1);
    EXPECT_EQ(page.subjectTabs()->tabText(1), "2");
    EXPECT_EQ(page.subjectCounter()->text(), "2");
    EXPECT_EQ(page.pairCounter()->text(), "1");
    EXPECT_FALSE(page.sexChooser()->isEnabled());
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"-", "-", "-", "-"}));
}

TEST_F(EntryRun, DeletingTheMiddleSubjectKeepsTheOthersInOrder) {
    host.clickButton(page.newInputButton());
    for (int s = 1; s <= 3; ++s) {
        typeSubject(host, s);
        if (s < 3)
            host.clickButton(page.addSubjectButton());
    }
    std::vector<std::int32_t> all;
    for (int s = 1; s <= 3; ++s) {
        const std::vector<std::int32_t> subject = subjectAnswers(s);
        all.insert(all.end(), subject.begin(), subject.end());
    }
    page.subjectTabs()->setCurrentIndex(1);  // as a click on the tab
    EXPECT_EQ(page.subjectCounter()->text(), "2");
    host.prompter.answers.push_back(PromptAnswer::No);
    host.clickButton(page.deleteSubjectButton());
    EXPECT_EQ(host.bufferAnswers(), all);
    host.clickButton(page.deleteSubjectButton());
    EXPECT_EQ(host.prompter.messages.back().text,
              QStringLiteral("現在入力中の被験者のデータを削除します。\r\nよろしいですか?"));
    EXPECT_EQ(host.prompter.messages.back().caption, QStringLiteral("被験者のデータの削除"));
    EXPECT_EQ(host.prompter.messages.back().icon, PromptIcon::Question);
    std::vector<std::int32_t> expected(all.begin(), all.begin() + 40);
    expected.insert(expected.end(), all.begin() + 80, all.end());
    EXPECT_EQ(host.bufferAnswers(), expected);
    EXPECT_EQ(page.subjectTabs()->count(), 2);
    EXPECT_EQ(page.subjectTabs()->currentIndex(), 1);
    EXPECT_EQ(page.subjectCounter()->text(), "2");
    EXPECT_EQ(page.pairCounter()->text(), "1");
    EXPECT_FALSE(page.sexChooser()->isEnabled());
    const std::string firstSheetOfThird = sheetChoices(3, 1);
    EXPECT_EQ(host.boardMarks()[0], std::string(1, firstSheetOfThird[0]));
    host.clickButton(page.deleteSubjectButton());
    EXPECT_TRUE(page.sexChooser()->isEnabled());
    EXPECT_EQ(host.bufferAnswers(), std::vector<std::int32_t>(all.begin(), all.begin() + 40));
    host.clickButton(page.deleteSubjectButton());
    EXPECT_EQ(host.prompter.lastText(),
              QStringLiteral("被験者のないデータファイルを作ることはできません。\r\n"
                             "ファイルの削除は「データ集計/出力」ページで行ってください。"));
    EXPECT_EQ(host.prompter.messages.back().caption, QStringLiteral("エラー"));
    EXPECT_EQ(host.bufferAnswers().size(), 40u);
}

TEST_F(EntryRun, EndWithAGapInTheLastSubjectDropsItOnly) {
    page.fileNameBox()->setText(QStringLiteral("run"));
    host.clickButton(page.newInputButton());
    typeSubject(host, 1);
    host.clickButton(page.addSubjectButton());
    ASSERT_TRUE(std::filesystem::exists(host.backupFile()));
    host.typeSheet("AB");
    host.answerEndDialog(true);
    host.clickButton(page.endButton());
    ASSERT_EQ(host.dialogSnapshots.size(), 1u);
    EXPECT_FALSE(host.dialogSnapshots[0].saveAllEnabled);
    EXPECT_TRUE(host.dialogSnapshots[0].dropLastEnabled);
    EXPECT_TRUE(host.dialogSnapshots[0].nothingEnabled);
    EXPECT_EQ(host.dialogSnapshots[0].selected, EndChoice::DropLast);
    EXPECT_EQ(readBytes(host.dataFile("run")), answersFile("1,10,4", subjectAnswers(1)));
    EXPECT_FALSE(std::filesystem::exists(host.backupFile()));
    EXPECT_FALSE(page.entryInProgress());
}

TEST_F(EntryRun, DropLastWithOneSubjectWritesNothingAndRemovesTheBackup) {
    host.disk.writeLines("male/飲料/temp.dat", {"1,10,4"});
    page.fileNameBox()->setText(QStringLiteral("run"));
    host.clickButton(page.newInputButton());
    host.typeSheet("A");
    host.answerEndDialog(true);
    host.clickButton(page.endButton());
    EXPECT_EQ(host.dialogSnapshots.at(0).selected, EndChoice::DropLast);
    EXPECT_FALSE(std::filesystem::exists(host.dataFile("run")));
    EXPECT_FALSE(std::filesystem::exists(host.backupFile()));
    EXPECT_FALSE(page.entryInProgress());
}

TEST_F(EntryRun, CancelOrNoKeepsTheEntryAndTheCloseRefused) {
    page.fileNameBox()->setText(QStringLiteral("run"));
    host.disk.writeLines("male/飲料/run.dat", {"old"});
    host.clickButton(page.newInputButton());
    for (int p = 1; p <= 10; ++p) {
        host.typeSheet(sheetChoices(1, p));
        if (p < 10)
            host.clickButton(page.nextButton());
    }
    host.answerEndDialog(false);
    EXPECT_FALSE(page.canClose());
    EXPECT_TRUE(page.entryInProgress());
    host.answerEndDialog(true);
    host.prompter.answers.push_back(PromptAnswer::No);
    EXPECT_FALSE(page.canClose());
    EXPECT_EQ(host.prompter.lastText(), QStringLiteral("同名のファイルが存在しますが、上書きしますか?"));
    EXPECT_EQ(host.prompter.messages.back().caption, QStringLiteral("ファイルの上書きの確認"));
    EXPECT_EQ(host.prompter.messages.back().buttons, PromptButtons::YesNo);
    EXPECT_EQ(readBytes(host.dataFile("run")), "old\r\n");
    EXPECT_TRUE(page.entryInProgress());
    EXPECT_FALSE(page.picturePanel()->isVisible());
    // Answers survive: the board still shows the last sheet typed.
    const std::vector<std::int32_t> kept = host.bufferAnswers();
    EXPECT_EQ(kept.size(), 40u);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), -1), 0);
    host.answerEndDialog(true);
    EXPECT_TRUE(page.canClose());
    EXPECT_EQ(ReadResponseFile(host.dataFile("run")).subjects, 1);
}

TEST_F(EntryRun, OpeningAThreeSubjectFileShowsItsFirstSheet) {
    std::vector<std::string> lines{"3,10,4"};
    for (int n = 0; n < 120; ++n)
        lines.push_back(n % 5 == 0 ? "1" : "0");
    host.disk.writeLines("male/飲料/三人.dat", lines);
    page.setUpPage();
    ASSERT_TRUE(host.selectDataFile(QStringLiteral("三人")));
    host.clickButton(page.openButton());
    EXPECT_TRUE(page.entryInProgress());
    EXPECT_EQ(page.fileNameBox()->text(), QStringLiteral("三人"));
    EXPECT_EQ(page.subjectCounter()->text(), "1");
    EXPECT_EQ(page.subjectCountCounter()->text(), "3");
    EXPECT_EQ(page.subjectTabs()->count(), 3);
    EXPECT_EQ(page.subjectTabs()->tabText(2), "3");
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"B", "A", "A", "A"}));
    EXPECT_EQ(host.bufferAnswers().size(), 120u);
    // Complete first sheet: the focus stays where it was, "次へ" leads on.
    EXPECT_TRUE(page.nextButton()->isEnabled());
    page.subjectTabs()->setCurrentIndex(2);
    EXPECT_EQ(page.subjectCounter()->text(), "3");
    // Subject 3, pair 1 starts at answer 80, which is a multiple of 5.
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"B", "A", "A", "A"}));
    page.pairTabs()->setCurrentIndex(1);
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"A", "B", "A", "A"}));
}

TEST_F(EntryRun, OpeningAFileWithOtherCountsIsRefusedAndChangesNothing) {
    std::vector<std::string> fiveWords{"1,10,5"};
    fiveWords.resize(51, "0");
    host.disk.writeLines("male/飲料/五語.dat", fiveWords);
    std::vector<std::string> sixPairs{"1,6,4"};
    sixPairs.resize(25, "0");
    host.disk.writeLines("male/飲料/六組.dat", sixPairs);
    page.setUpPage();
    page.fileNameBox()->setText(QStringLiteral("keep"));
    ASSERT_TRUE(host.selectDataFile(QStringLiteral("五語")));
    host.clickButton(page.openButton());
    EXPECT_EQ(host.prompter.lastText(), QStringLiteral("イメージの言葉の数が合っていません。"));
    EXPECT_EQ(host.prompter.messages.back().caption, QStringLiteral("エラー"));
    ASSERT_TRUE(host.selectDataFile(QStringLiteral("六組")));
    host.clickButton(page.openButton());
    EXPECT_EQ(host.prompter.lastText(), QStringLiteral("比較回数が合っていません。"));
    EXPECT_FALSE(page.entryInProgress());
    EXPECT_TRUE(page.picturePanel()->isVisible());
    EXPECT_TRUE(host.lockSignals.empty());
    EXPECT_EQ(page.fileNameBox()->text(), QStringLiteral("keep"));
}

TEST_F(EntryRun, OpeningWithoutASelectedRowDoesNothing) {
    host.clickButton(page.openButton());
    EXPECT_FALSE(page.entryInProgress());
    EXPECT_TRUE(host.prompter.messages.empty());
}

TEST_F(EntryRun, ASecondNewInputKeepsTheFileNameSoTheNextSaveAsks) {
    host.clickButton(page.newInputButton());
    const QString name = page.fileNameBox()->text();
    typeSubject(host, 1);
    host.clickButton(page.saveButton());
    ASSERT_TRUE(std::filesystem::exists(host.dataFile(name.toStdString())));
    host.prompter.answers.push_back(PromptAnswer::No);
    host.clickButton(page.newInputButton());
    EXPECT_EQ(host.prompter.lastText(), QStringLiteral("入力中のデータはなくなります。よろしいですか?"));
    EXPECT_EQ(host.prompter.messages.back().caption, QStringLiteral("新規入力"));
    EXPECT_EQ(host.prompter.messages.back().icon, PromptIcon::Warning);
    const std::vector<std::int32_t> kept = host.bufferAnswers();
    EXPECT_EQ(std::count(kept.begin(), kept.end(), -1), 0);
    host.clickButton(page.newInputButton());  // Yes
    EXPECT_EQ(host.bufferAnswers(), std::vector<std::int32_t>(40, -1));
    EXPECT_EQ(page.fileNameBox()->text(), name);
    typeSubject(host, 2);
    host.prompter.answers.push_back(PromptAnswer::No);
    host.clickButton(page.saveButton());
    EXPECT_EQ(host.prompter.lastText(), QStringLiteral("同名のファイルが存在しますが、上書きしますか?"));
    EXPECT_EQ(host.lockSignals, std::vector<bool>{true});
}

TEST_F(EntryRun, AFailedWriteKeepsTheFileAndTheEntry) {
    page.fileNameBox()->setText(QStringLiteral("run"));
    host.disk.writeLines("male/飲料/run.dat", {"old"});
    host.clickButton(page.newInputButton());
    typeSubject(host, 1);
    const std::vector<std::int32_t> answers = subjectAnswers(1);
    setWriteFaultHook([](std::string_view step) { return step == "fsync" ? 28 : 0; });

    host.prompter.answers.push_back(PromptAnswer::Yes);
    host.clickButton(page.saveButton());
    EXPECT_TRUE(host.prompter.lastText().startsWith(QStringLiteral("ディスクの空きが足りません。ﾌｧｲﾙ")))
        << host.prompter.lastText().toStdString();
    EXPECT_EQ(readBytes(host.dataFile("run")), "old\r\n");

    host.clickButton(page.addSubjectButton());
    EXPECT_TRUE(host.prompter.lastText().contains(QStringLiteral("を作成できません")));
    EXPECT_FALSE(std::filesystem::exists(host.backupFile()));
    EXPECT_EQ(page.subjectTabs()->count(), 1);

    host.answerEndDialog(true);
    host.prompter.answers.push_back(PromptAnswer::Yes);
    EXPECT_FALSE(page.canClose());
    EXPECT_TRUE(page.entryInProgress());
    EXPECT_EQ(readBytes(host.dataFile("run")), "old\r\n");
    EXPECT_EQ(host.bufferAnswers(), answers);

    setWriteFaultHook({});
    host.answerEndDialog(true);
    host.prompter.answers.push_back(PromptAnswer::Yes);
    EXPECT_TRUE(page.canClose());
    EXPECT_EQ(ReadResponseFile(host.dataFile("run")).answers, answers);
}

TEST_F(EntryRun, AnEmptyFileNameAtTheEndAsksForOne) {
    host.clickButton(page.newInputButton());
    typeSubject(host, 1);
    page.fileNameBox()->clear();
    host.answerEndDialog(true);
    host.clickButton(page.endButton());
    EXPECT_EQ(host.prompter.lastText(), QStringLiteral("ファイル名を入力してください!!"));
    EXPECT_TRUE(page.entryInProgress());
    EXPECT_FALSE(std::filesystem::exists(host.dataFile("")));
    host.answerEndDialog(true, EndChoice::Nothing);
    host.clickButton(page.endButton());
    EXPECT_FALSE(page.entryInProgress());
}

TEST_F(EntryRun, OpeningDuringAnEntryAsksFirst) {
    std::vector<std::string> lines{"1,10,4"};
    lines.resize(41, "1");
    host.disk.writeLines("male/飲料/全B.dat", lines);
    page.setUpPage();
    host.clickButton(page.newInputButton());
    host.typeSheet("AA");
    ASSERT_TRUE(host.selectDataFile(QStringLiteral("全B")));
    host.prompter.answers.push_back(PromptAnswer::No);
    host.clickButton(page.openButton());
    EXPECT_EQ(host.prompter.lastText(), QStringLiteral("入力中のデータはなくなります。よろしいですか?"));
    EXPECT_EQ(host.prompter.messages.back().caption, QStringLiteral("ファイルの読み込み"));
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"A", "A", "-", "-"}));
    host.clickButton(page.openButton());
    EXPECT_EQ(host.boardMarks(), (std::vector<std::string>{"B", "B", "B", "B"}));
    EXPECT_EQ(host.lockSignals, std::vector<bool>{true});
}

TEST_F(EntryRun, TheFilesFollowTheSexGroupChosenDuringTheFirstSubject) {
    page.fileNameBox()->setText(QStringLiteral("run"));
    host.clickButton(page.newInputButton());
    page.sexChooser()->setCurrentIndex(1);
    typeSubject(host, 1);
    host.clickButton(page.saveButton());
    EXPECT_TRUE(std::filesystem::exists(host.dataFile("run", TSexGroup::Female)));
    EXPECT_FALSE(std::filesystem::exists(host.dataFile("run", TSexGroup::Male)));
    host.clickButton(page.addSubjectButton());
    EXPECT_TRUE(std::filesystem::exists(host.backupFile(TSexGroup::Female)));
}

TEST_F(EntryRun, ASeriesThatCannotBeReadOffersNoEntry) {
    host.disk.makeSeries("欠落", 3, {"赤い"});
    std::filesystem::remove(host.context.disk.vocabularyPath("欠落"));
    page.seriesChooser()->addItem(QStringLiteral("欠落"));
    page.seriesChooser()->setCurrentIndex(1);
    page.setUpPage();
    EXPECT_TRUE(host.prompter.lastText().startsWith(QStringLiteral("ﾌｧｲﾙ")))
        << host.prompter.lastText().toStdString();
    EXPECT_EQ(page.pairTabs()->count(), 0);
    host.clickButton(page.newInputButton());
    EXPECT_FALSE(page.entryInProgress());
}

TEST_F(EntryRun, ClosingWithoutAnEntryIsAllowed) {
    EXPECT_TRUE(page.canClose());
    EXPECT_TRUE(host.prompter.messages.empty());
}

}  // namespace
}  // namespace kestrune

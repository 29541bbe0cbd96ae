// A series made outside the program beyond what the board and the analyses hold is refused
// where it is chosen, with one message, and no entry can start on it.
#if __has_include("tests/ui/shell/MainWindowFixture.h")
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/entry/EntryPage.h"

namespace kestrune::testing {
namespace {

TEST_F(MainWindowTest, ASeriesOfTwentySixImagesIsRefusedWhenChosenForEntry) {
    std::vector<std::string> words;
    for (int i = 1; i <= 26; ++i)
        words.push_back("語" + std::to_string(i));
    disk.makeSeries("多語", 3, words);
    openWindow();
    window->show();
    ASSERT_FALSE(prompter.messages.empty());
    const QString refusal =
        QStringLiteral("シリーズ 多語 は扱えません。イメージの数 26 は 1 から 25 まででなければなりません。");
    int shown = 0;
    for (const PromptRequest& request : prompter.messages)
        shown += request.text == refusal ? 1 : 0;
    EXPECT_GE(shown, 1) << prompter.lastText().toStdString();
    for (const PromptRequest& request : prompter.messages)
        EXPECT_FALSE(request.text.contains(QStringLiteral("ﾘｽﾄのｲﾝﾃﾞｯｸｽ"))) << request.text.toStdString();

    EntryPage& page = *window->entryPage();
    window->pages()->setCurrentWidget(&page);
    page.fileNameBox()->setText(QStringLiteral("本調査"));
    QTest::mouseClick(page.newInputButton(), Qt::LeftButton);
    EXPECT_FALSE(page.entryInProgress());
    EXPECT_FALSE(std::filesystem::exists(disk.disk().backupPath(TSexGroup::Male, "多語")));
}

}  // namespace
}  // namespace kestrune::testing

#endif

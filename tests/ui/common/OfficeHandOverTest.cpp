// The hand-over of a made workbook or document to the office suite, and what happens when no
// suite is there to take it.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "tests/support/TempDisk.h"
#include "tests/support/widgets/ScriptedPrompter.h"
#include "ui/common/OfficeHandOver.h"

using namespace kestrune;
using kestrune::testing::readBytes;
using kestrune::testing::ScriptedPrompter;

namespace {

const office::OfficeFile kWorkbook{"PK-workbook-bytes", "xlsx", {}};

office::LaunchResult missingSuite(const std::filesystem::path&) {
    return {false, {}, "オフィスソフトが見つかりません。"};
}

TEST(OfficeHandOver, EachPressOpensItsOwnNewFileWithoutAQuestion) {
    ScriptedPrompter prompter;
    std::vector<std::filesystem::path> opened;
    OfficeHandOver handOver(prompter, [&opened](const std::filesystem::path& path) {
        opened.push_back(path);
        return office::LaunchResult{true, "soffice", {}};
    });
    handOver.handOver(kWorkbook);
    handOver.handOver(kWorkbook);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_NE(opened[0], opened[1]);
    for (const std::filesystem::path& path : opened) {
        EXPECT_EQ(path.extension(), ".xlsx");
        EXPECT_EQ(readBytes(path), kWorkbook.bytes);
        std::filesystem::remove(path);
    }
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(OfficeHandOver, WithoutASuiteTheMessageNamesItAndTheFileCanBeSaved) {
    ScriptedPrompter prompter;
    // An explicit template: the application name, once set up, holds a slash.
    QTemporaryDir directory(QDir::tempPath() + QStringLiteral("/kestrune-XXXXXX"));
    const QString target = directory.filePath(QStringLiteral("結果.docx"));
    prompter.answers = {PromptAnswer::Yes};
    prompter.fileNames = {target};
    OfficeHandOver handOver(prompter, missingSuite);
    handOver.handOver({"PK-document-bytes", "docx", {}});

    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text,
              QStringLiteral("オフィスソフトが見つかりません。\n\n作成した文書をファイルに保存しますか?"));
    EXPECT_EQ(prompter.messages[0].buttons, PromptButtons::YesNo);
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(prompter.fileDialogs[0].filters, QStringList{QStringLiteral("Word 文書 (*.docx)")});
    EXPECT_EQ(prompter.fileDialogs[0].defaultSuffix, QStringLiteral("docx"));
    EXPECT_TRUE(prompter.fileDialogs[0].confirmOverwrite);
    EXPECT_EQ(readBytes(target.toStdString()), "PK-document-bytes");
}

TEST(OfficeHandOver, DecliningToSaveShowsNoDialog) {
    ScriptedPrompter prompter;
    prompter.answers = {PromptAnswer::No};
    OfficeHandOver handOver(prompter, missingSuite);
    handOver.handOver(kWorkbook);
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(
        prompter.messages[0].text.endsWith(QStringLiteral("作成したブックをファイルに保存しますか?")));
    EXPECT_TRUE(prompter.fileDialogs.empty());
}

TEST(OfficeHandOver, AFailedStepIsShownAndWhatWasMadeStillOpens) {
    ScriptedPrompter prompter;
    int opened = 0;
    OfficeHandOver handOver(prompter, [&opened](const std::filesystem::path& path) {
        ++opened;
        std::filesystem::remove(path);
        return office::LaunchResult{true, "soffice", {}};
    });
    handOver.handOver({"PK-half", "xlsx", "名前が正しくありません。"});
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("名前が正しくありません。"));
    EXPECT_EQ(prompter.messages[0].icon, PromptIcon::Error);
    EXPECT_EQ(opened, 1);
}

}  // namespace

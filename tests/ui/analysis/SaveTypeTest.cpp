// The analysis page's save buttons write the file type chosen under its own extension, and an
// earlier export of another type is never overwritten by a name the dialog completed.
#include <QPushButton>

#include "tests/ui/analysis/AnalysisPageFixture.h"
#include "ui/analysis/IndividualSubPage.h"
#include "ui/analysis/ScaleValueSubPage.h"

namespace kestrune::testing {
namespace {

TEST_F(AnalysisPageTest, SaveWritesTheChosenTypeUnderItsExtension) {
    openAnalysisPage();
    clickFile(QStringLiteral("例題"));
    QTest::mouseClick(page()->aggregateButton(), Qt::LeftButton);
    ScaleValueSubPage* sub = page()->scaleValueSubPage();

    TempDisk out;
    out.writeBytes("scale.txt", "earlier text export");
    // "HTML文書" and "scale"; then "テキストのみ" and "table.htm" typed.
    prompter.saveFilters = {QStringLiteral("HTML文書 (*.htm)"), QStringLiteral("テキストのみ (*.txt)")};
    prompter.fileNames = {QString::fromStdString(out.path("scale").string()),
                          QString::fromStdString(out.path("table.htm").string())};
    QTest::mouseClick(sub->saveButton(), Qt::LeftButton);
    QTest::mouseClick(sub->saveButton(), Qt::LeftButton);
    EXPECT_EQ(readBytes(out.path("scale.txt")), "earlier text export");
    EXPECT_EQ(readBytes(out.path("scale.htm")).substr(0, 1), "<");
    EXPECT_FALSE(std::filesystem::exists(out.path("scale")));
    expectGolden(out.path("table.txt"), "scale-value-text/expected.txt");
    EXPECT_FALSE(std::filesystem::exists(out.path("table.htm")));
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();

    // The individual view has one type: a name without it gets .txt; over an existing file the
    // question is asked, and "No" returns to the dialog (cancelled here).
    QTest::mouseClick(page()->individualButton(), Qt::LeftButton);
    IndividualSubPage* individual = page()->individualSubPage();
    prompter.fileNames = {QString::fromStdString(out.path("each").string())};
    QTest::mouseClick(individual->saveButton(), Qt::LeftButton);
    const std::string each = readBytes(out.path("each.txt"));
    EXPECT_FALSE(each.empty());
    EXPECT_TRUE(prompter.messages.empty());

    out.writeBytes("each.txt", "kept");
    prompter.fileNames = {QString::fromStdString(out.path("each").string())};
    prompter.answers = {PromptAnswer::No};
    const std::size_t dialogsBefore = prompter.fileDialogs.size();
    QTest::mouseClick(individual->saveButton(), Qt::LeftButton);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, QStringLiteral("同名のファイルが存在しますが、上書きしますか?"));
    EXPECT_EQ(prompter.messages[0].caption, QStringLiteral("ファイルの上書きの確認"));
    ASSERT_EQ(prompter.fileDialogs.size(), dialogsBefore + 2);
    EXPECT_EQ(prompter.fileDialogs.back().fileName, QStringLiteral("each.txt"));
    EXPECT_EQ(readBytes(out.path("each.txt")), "kept");
}

}  // namespace
}  // namespace kestrune::testing

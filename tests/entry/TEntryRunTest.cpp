#include "entry/TEntryRun.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

std::vector<std::int32_t> answersOf(const ResponseBuffer& buffer) {
    std::vector<std::int32_t> result;
    for (std::size_t n = 0; n < buffer.answerCount(); ++n)
        result.push_back(buffer.answer(n));
    return result;
}

TEntryRun tenPairsFourImages() {
    TEntryRun run;
    run.pairTabs = 10;
    run.images = 4;
    return run;
}

TEST(TEntryRun, StartNewFillsOneSubjectOfUnansweredAnswers) {
    TEntryRun run = tenPairsFourImages();
    ResponseBuffer buffer;
    buffer.resizeAnswers(7, 0);
    run.subject = 3;
    run.startNew(buffer);
    EXPECT_EQ(buffer.answerCount(), 40u);
    EXPECT_EQ(answersOf(buffer), std::vector<std::int32_t>(40, -1));
    EXPECT_EQ(run.subjects, 1);
    EXPECT_EQ(run.pairs, 10);
    EXPECT_EQ(run.subject, 1);
    EXPECT_EQ(run.pair, 1);
}

TEST(TEntryRun, FirstGapNamesTheSheetOneBased) {
    TEntryRun run;
    run.pairTabs = 3;
    run.images = 2;
    ResponseBuffer buffer;
    run.startNew(buffer);
    run.appendSubject(buffer);
    for (std::size_t n = 0; n < 12; ++n)
        buffer.setAnswer(n, 0);
    EXPECT_FALSE(run.firstGap(buffer).has_value());
    buffer.setAnswer(8, -1);
    const std::optional<SheetPosition> gap = run.firstGap(buffer);
    ASSERT_TRUE(gap.has_value());
    EXPECT_EQ(gap->subject, 2);
    EXPECT_EQ(gap->pair, 2);
}

TEST(TEntryRun, AppendAndRemoveKeepTheOtherSubjectsInOrder) {
    TEntryRun run;
    run.pairTabs = 2;
    run.images = 1;
    ResponseBuffer buffer;
    run.startNew(buffer);
    buffer.setAnswer(0, 0);
    buffer.setAnswer(1, 0);
    run.appendSubject(buffer);
    EXPECT_EQ(run.subjects, 2);
    EXPECT_EQ(run.subject, 2);
    buffer.setAnswer(2, 1);
    buffer.setAnswer(3, 1);
    run.appendSubject(buffer);
    buffer.setAnswer(4, 0);
    buffer.setAnswer(5, 1);
    EXPECT_EQ(answersOf(buffer), (std::vector<std::int32_t>{0, 0, 1, 1, 0, 1}));
    run.subject = 2;
    run.pair = 2;
    run.removeCurrentSubject(buffer);
    EXPECT_EQ(answersOf(buffer), (std::vector<std::int32_t>{0, 0, 0, 1}));
    EXPECT_EQ(run.subjects, 2);
    EXPECT_EQ(run.subject, 2);
    EXPECT_EQ(run.pair, 1);
}

TEST(TEntryRun, EndChoicesFollowTheLastSubjectsGaps) {
    TEntryRun run;
    run.pairTabs = 2;
    run.images = 2;
    ResponseBuffer buffer;
    run.startNew(buffer);
    for (std::size_t n = 0; n < 4; ++n)
        buffer.setAnswer(n, 1);
    EndChoices complete = run.endChoices(buffer);
    EXPECT_TRUE(complete.saveAllEnabled);
    EXPECT_FALSE(complete.dropLastEnabled);
    EXPECT_TRUE(complete.nothingEnabled);
    EXPECT_EQ(complete.selected, EndChoice::SaveAll);
    run.appendSubject(buffer);
    buffer.setAnswer(0, -1);  // a gap in an earlier subject does not matter
    for (std::size_t n = 4; n < 7; ++n)
        buffer.setAnswer(n, 0);
    EndChoices gapInLast = run.endChoices(buffer);
    EXPECT_FALSE(gapInLast.saveAllEnabled);
    EXPECT_TRUE(gapInLast.dropLastEnabled);
    EXPECT_EQ(gapInLast.selected, EndChoice::DropLast);
    buffer.setAnswer(7, 0);
    EXPECT_EQ(run.endChoices(buffer).selected, EndChoice::SaveAll);
    EXPECT_EQ(run.subjectsToWrite(EndChoice::SaveAll), 2);
    EXPECT_EQ(run.subjectsToWrite(EndChoice::DropLast), 1);
    EXPECT_EQ(run.subjectsToWrite(EndChoice::Nothing), 0);
}

TEST(TEntryRun, StartFromTakesTheFilesCounts) {
    TResponseMatrix opened{3, 10, 4, std::vector<std::int32_t>(120, 0)};
    opened.answers[119] = 1;
    TEntryRun run = tenPairsFourImages();
    ResponseBuffer buffer;
    run.startFrom(buffer, opened);
    EXPECT_EQ(run.subjects, 3);
    EXPECT_EQ(run.pairs, 10);
    EXPECT_EQ(buffer.answerCount(), 120u);
    EXPECT_EQ(run.matrix(buffer).answers, opened.answers);
}

TEST(TEntryRun, OpenedFilesAreRefusedForImagePairOrSubjectCounts) {
    EXPECT_FALSE(refuseOpenedFile({3, 10, 4, {}}, 4, 10).has_value());
    const auto images = refuseOpenedFile({3, 10, 5, {}}, 4, 10);
    ASSERT_TRUE(images.has_value());
    EXPECT_EQ(images->text, "イメージの言葉の数が合っていません。");
    EXPECT_EQ(images->caption, "エラー");
    const auto pairs = refuseOpenedFile({3, 6, 4, {}}, 4, 10);
    ASSERT_TRUE(pairs.has_value());
    EXPECT_EQ(pairs->text, "比較回数が合っていません。");
    EXPECT_TRUE(refuseOpenedFile({0, 10, 4, {}}, 4, 10).has_value());
}

TEST(TEntryRun, DefaultFileNamePadsEveryField) {
    EXPECT_EQ(defaultEntryFileName(2026, 3, 5, 9, 7), "入力開始2026年03月05日09時07分");
    EXPECT_EQ(defaultEntryFileName(2026, 12, 31, 23, 59), "入力開始2026年12月31日23時59分");
}

}  // namespace
}  // namespace kestrune

// The join list: adding, reordering, removing and its result group label.
#include <gtest/gtest.h>

#include "analysis/JoinList.h"

using namespace kestrune;

namespace {

JoinEntry entry(TSexGroup group, const std::string& file, const std::string& series = "印象") {
    return {group, series, file};
}

std::vector<std::string> files(const JoinList& list) {
    std::vector<std::string> names;
    for (const JoinEntry& e : list.entries())
        names.push_back(e.file);
    return names;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(JoinList, ResultGroupLabelFollowsTheGroupsOfAllEntries) {
    JoinList list;
    EXPECT_EQ(list.resultGroupLabel(), "");
    list.add({entry(TSexGroup::Male, "a"), entry(TSexGroup::Male, "b")});
    EXPECT_EQ(list.resultGroupLabel(), "男性");
    list.add({entry(TSexGroup::Female, "c")});
    EXPECT_EQ(list.resultGroupLabel(), "混合");
    JoinList women;
    women.add({entry(TSexGroup::Female, "c"), entry(TSexGroup::Female, "d")});
    EXPECT_EQ(women.resultGroupLabel(), "女性");
    JoinList mixed;
    mixed.add({entry(TSexGroup::Mix, "e"), entry(TSexGroup::Mix, "f")});
    EXPECT_EQ(mixed.resultGroupLabel(), "混合");
    EXPECT_EQ(resultGroupOfLabel("男性"), TSexGroup::Male);
    EXPECT_EQ(resultGroupOfLabel("女性"), TSexGroup::Female);
    EXPECT_EQ(resultGroupOfLabel("混合"), TSexGroup::Mix);
    EXPECT_EQ(resultGroupOfLabel(""), TSexGroup::Mix);
}

TEST(JoinList, FilesOfAnotherSeriesAreSkippedOnceTheListHoldsEntries) {
    JoinList list;
    list.add({entry(TSexGroup::Male, "a"), entry(TSexGroup::Male, "a")});
    list.add({entry(TSexGroup::Male, "x", "味")});
    list.add({entry(TSexGroup::Mix, "b")});
    EXPECT_EQ(files(list), (Names{"a", "a", "b"}));
}

TEST(JoinList, ReorderingMovesTheSelectedEntry) {
    JoinList list;
    list.add({entry(TSexGroup::Male, "a"), entry(TSexGroup::Male, "b"), entry(TSexGroup::Male, "c"),
              entry(TSexGroup::Male, "d")});
    list.moveTop();  // nothing selected: nothing happens
    EXPECT_EQ(files(list), (Names{"a", "b", "c", "d"}));
    list.select(2);
    list.moveTop();
    EXPECT_EQ(files(list), (Names{"c", "a", "b", "d"}));
    EXPECT_EQ(list.selected(), 0u);
    list.moveUp();
    EXPECT_EQ(files(list), (Names{"c", "a", "b", "d"}));
    list.moveDown();
    EXPECT_EQ(files(list), (Names{"a", "c", "b", "d"}));
    EXPECT_EQ(list.selected(), 1u);
    list.moveBottom();
    EXPECT_EQ(files(list), (Names{"a", "b", "d", "c"}));
    EXPECT_EQ(list.selected(), 3u);
    list.moveDown();
    EXPECT_EQ(files(list), (Names{"a", "b", "d", "c"}));
    list.moveUp();
    EXPECT_EQ(files(list), (Names{"a", "b", "c", "d"}));
    EXPECT_EQ(list.selected(), 2u);
}

TEST(JoinList, RemovingSelectsTheEntryNowInItsPlace) {
    JoinList list;
    list.add({entry(TSexGroup::Male, "a"), entry(TSexGroup::Female, "b"), entry(TSexGroup::Male, "c")});
    list.select(1);
    list.removeSelected();
    EXPECT_EQ(files(list), (Names{"a", "c"}));
    EXPECT_EQ(list.selected(), 1u);
    EXPECT_EQ(list.resultGroupLabel(), "男性");
    list.removeSelected();
    EXPECT_EQ(list.selected(), 0u);
    list.removeSelected();
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.selected());
    EXPECT_EQ(list.resultGroupLabel(), "");
    list.add({entry(TSexGroup::Male, "a")});
    list.select(5);
    EXPECT_FALSE(list.selected());
    list.clear();
    EXPECT_TRUE(list.empty());
}

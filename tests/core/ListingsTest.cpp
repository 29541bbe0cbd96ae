// The registry reader and the three listings of a study disk.
#include <gtest/gtest.h>

#include "core/IniProfile.h"
#include "core/Listings.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using kestrune::testing::textEndsWith;
using namespace kestrune;
using kestrune::testing::TempDisk;

TEST(Registry, ReadingRules) {
    TempDisk disk;
    disk.writeLines("kestrune.ini", {"; comment line", "[Groups]", "  a  =  first series  ",
                                     "A=second wins not", "q=\"quoted\"", "s='single'", ";b=commented",
                                     "[files]", "mix\\a\\run1=白い布", "[other]", "b=elsewhere"});
    const auto ini = disk.path("kestrune.ini");
    EXPECT_EQ(readProfileString(ini, "groups", "a"), "first series");
    EXPECT_EQ(readProfileString(ini, "GROUPS", "A"), "first series");
    EXPECT_EQ(readProfileString(ini, "groups", "q"), "quoted");
    EXPECT_EQ(readProfileString(ini, "groups", "s"), "single");
    EXPECT_EQ(readProfileString(ini, "groups", "b"), "");
    EXPECT_EQ(readProfileString(ini, "files", "mix\\a\\run1"), "白い布");
    EXPECT_EQ(readProfileString(ini, "nosection", "a"), "");
    EXPECT_EQ(readProfileString(disk.path("missing.ini"), "groups", "a"), "");
}

TEST(Registry, ValuesAreCutAt1023Bytes) {
    TempDisk disk;
    disk.writeLines("kestrune.ini", {"[groups]", "a=" + std::string(2000, 'x'), "b=" + [] {
                                         std::string s;
                                         for (int i = 0; i < 600; ++i)
                                             s += "語";
                                         return s;
                                     }()});
    EXPECT_EQ(readProfileString(disk.path("kestrune.ini"), "groups", "a").size(), 1023u);
    // Full-width characters take two bytes each: 511 of them fit, never half of one.
    EXPECT_EQ(readProfileString(disk.path("kestrune.ini"), "groups", "b").size(), 511u * 3);
}

TEST(Registry, ReadAfreshOnEveryLookup) {
    TempDisk disk;
    disk.writeLines("kestrune.ini", {"[groups]", "a=old"});
    EXPECT_EQ(disk.disk().ReadSeriesComment("a"), "old");
    disk.writeLines("kestrune.ini", {"[groups]", "a=new"});
    EXPECT_EQ(disk.disk().ReadSeriesComment("a"), "new");
}

TEST(Catalogue, TwoSeriesWithTheirCountsAndComments) {
    TempDisk disk;
    disk.makeSeries("b", 3, {"x", "y"});
    disk.makeSeries("a", 4, {"明るい", "暗い", "重い"});
    disk.writeLines("kestrune.ini", {"[groups]", "A=first series"});
    const Listing<SeriesRow> listing = listSeriesCatalogue(disk.disk());
    ASSERT_FALSE(listing.failure);
    ASSERT_EQ(listing.rows.size(), 2u);
    EXPECT_EQ(listing.rows[0].name, "a");
    EXPECT_EQ(listing.rows[0].panelCountText, "4");
    EXPECT_EQ(listing.rows[0].imageCountText, "3");
    EXPECT_EQ(listing.rows[0].comment, "first series");
    EXPECT_EQ(listing.rows[1].name, "b");
    EXPECT_EQ(listing.rows[1].comment, "");
}

TEST(Catalogue, AnEmptyDiskListsNothing) {
    TempDisk disk;
    EXPECT_TRUE(listSeriesCatalogue(disk.disk()).rows.empty());
    disk.makeDirectory("order");
    EXPECT_TRUE(listSeriesCatalogue(disk.disk()).rows.empty());
}

TEST(Catalogue, OnlyRegularOrderFilesCount) {
    TempDisk disk;
    disk.makeSeries("a", 3, {"x"});
    disk.makeDirectory("order/dir.ord");
    disk.writeBytes("order/notes.txt", "x");
    disk.writeBytes("order/.ord", "3,3\r\n");
    const Listing<SeriesRow> listing = listSeriesCatalogue(disk.disk());
    ASSERT_EQ(listing.rows.size(), 1u);
    EXPECT_EQ(listing.rows[0].name, "a");
}

TEST(Catalogue, AMissingVocabularyStopsTheListingAtThatSeries) {
    TempDisk disk;
    disk.makeSeries("a", 3, {"x"});
    disk.makeSeries("b", 3, {"x"});
    disk.makeSeries("c", 3, {"x"});
    std::filesystem::remove(disk.path("paper/b.pap"));
    const Listing<SeriesRow> listing = listSeriesCatalogue(disk.disk());
    ASSERT_TRUE(listing.failure);
    EXPECT_EQ(std::string(listing.failure->what()),
              "ﾌｧｲﾙ " + disk.path("paper/b.pap").string() + " は開けません");
    ASSERT_EQ(listing.rows.size(), 2u);  // a, and b itself, which was added before its files were read
    EXPECT_EQ(listing.rows[1].name, "b");
}

TEST(Catalogue, AnEmptyOrderFileGivesTheListIndexMessage) {
    TempDisk disk;
    disk.makeSeries("a", 3, {"x"});
    disk.writeBytes("order/a.ord", "");
    const Listing<SeriesRow> listing = listSeriesCatalogue(disk.disk());
    ASSERT_TRUE(listing.failure);
    EXPECT_PRED2(textEndsWith, listing.failure->what(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
}

TEST(Catalogue, AFirstLineWithoutCommaShowsEmptyPanelCount) {
    TempDisk disk;
    disk.makeSeries("a", 3, {"x"});
    disk.writeLines("order/a.ord", {"3"});
    const Listing<SeriesRow> listing = listSeriesCatalogue(disk.disk());
    ASSERT_FALSE(listing.failure);
    EXPECT_EQ(listing.rows[0].panelCountText, "");
}

TEST(DataFiles, NamesCountsAndCommentsUnderTheGroupKey) {
    TempDisk disk;
    disk.makeSeries("a", 3, {"x"});
    disk.writeLines("mix/a/run1.dat", {"2,3,1", "0", "1", "0", "1", "0", "1"});
    disk.writeLines("mix/a/temp.dat", {"1,3,1", "0", "1", "0"});
    disk.writeLines("mix/a/noheader.dat", {"12"});
    disk.writeLines("kestrune.ini", {"[files]", "mix\\a\\run1=first run", "male\\a\\temp=wrong group"});
    const Listing<DataFileRow> listing = listDataFiles(disk.disk(), TSexGroup::Mix, "a");
    ASSERT_FALSE(listing.failure);
    ASSERT_EQ(listing.rows.size(), 3u);
    EXPECT_EQ(listing.rows[0].name, "noheader");
    EXPECT_EQ(listing.rows[0].subjectCountText, "");
    EXPECT_EQ(listing.rows[1].name, "run1");
    EXPECT_EQ(listing.rows[1].subjectCountText, "2");
    EXPECT_EQ(listing.rows[1].comment, "first run");
    EXPECT_EQ(listing.rows[2].name, "temp");
    EXPECT_EQ(listing.rows[2].comment, "");
}

TEST(DataFiles, AMissingDirectoryListsNothingAndAnEmptyFileStops) {
    TempDisk disk;
    EXPECT_TRUE(listDataFiles(disk.disk(), TSexGroup::Female, "none").rows.empty());
    EXPECT_FALSE(listDataFiles(disk.disk(), TSexGroup::Female, "none").failure);
    disk.writeLines("male/a/a.dat", {"1,3,1", "0", "0", "0"});
    disk.writeBytes("male/a/b.dat", "");
    disk.writeLines("male/a/c.dat", {"1,3,1", "0", "0", "0"});
    const Listing<DataFileRow> listing = listDataFiles(disk.disk(), TSexGroup::Male, "a");
    ASSERT_TRUE(listing.failure);
    EXPECT_EQ(listing.rows.size(), 2u);
}

TEST(SeriesFiles, PlainFilesSortedWithoutHiddenOnesOrDirectories) {
    TempDisk disk;
    disk.writeBytes("female/a/z.dat", "x");
    disk.writeBytes("female/a/b.txt", "x");
    disk.writeBytes("female/a/.hidden", "x");
    disk.makeDirectory("female/a/sub");
    EXPECT_EQ(listSeriesFiles(disk.disk(), TSexGroup::Female, "a"),
              (std::vector<std::string>{"b.txt", "z.dat"}));
    EXPECT_TRUE(listSeriesFiles(disk.disk(), TSexGroup::Female, "missing").empty());
}

TEST(StudyDiskPaths, TheLayoutBelowTheRoot) {
    const StudyDisk disk("/media/stick");
    EXPECT_EQ(disk.orderPath("味").string(), "/media/stick/order/味.ord");
    EXPECT_EQ(disk.vocabularyPath("味").string(), "/media/stick/paper/味.pap");
    EXPECT_EQ(disk.physicalPath("味").string(), "/media/stick/physical/味/味.phy");
    EXPECT_EQ(disk.dataPath(TSexGroup::Female, "味", "run1").string(), "/media/stick/female/味/run1.dat");
    EXPECT_EQ(disk.backupPath(TSexGroup::Mix, "味").string(), "/media/stick/mix/味/temp.dat");
    EXPECT_EQ(disk.registryPath().string(), "/media/stick/kestrune.ini");
}

TEST(SexGroups, IndicesDirectoriesAndLabels) {
    EXPECT_EQ(sexGroupDirectory(TSexGroup::Female), "female");
    EXPECT_EQ(sexGroupChooserLabel(TSexGroup::Mix), "混合");
    EXPECT_EQ(sexGroupRadioLabel(TSexGroup::Male), "男");
    EXPECT_EQ(parseSexGroup("女性"), TSexGroup::Female);
    EXPECT_EQ(parseSexGroup("mix"), TSexGroup::Mix);
    EXPECT_FALSE(parseSexGroup("other"));
    EXPECT_EQ(sexGroupFromIndex(1), TSexGroup::Female);
}

TEST(Registry, ARegistryThatCannotBeReadReadsAsEmptyInEveryListing) {
    TempDisk disk;
    disk.makeSeries("a", 3, {"x"});
    disk.writeLines("male/a/run.dat", {"1,3,1", "0", "0", "0"});
    disk.makeDirectory("kestrune.ini");  // a directory where the registry should be
    Listing<SeriesRow> catalogue = listSeriesCatalogue(disk.disk());
    ASSERT_FALSE(catalogue.failure) << catalogue.failure->what();
    ASSERT_EQ(catalogue.rows.size(), 1u);
    EXPECT_EQ(catalogue.rows[0].comment, "");
    Listing<DataFileRow> files = listDataFiles(disk.disk(), TSexGroup::Male, "a");
    ASSERT_FALSE(files.failure) << files.failure->what();
    EXPECT_EQ(files.rows.at(0).comment, "");
    EXPECT_EQ(disk.disk().ReadSeriesComment("a"), "");

    std::filesystem::remove(disk.path("kestrune.ini"));
    disk.writeBytes("kestrune.ini", "[groups]\r\na=\x82\r\n");  // a cut-off CP932 character
    EXPECT_EQ(listSeriesCatalogue(disk.disk()).rows.at(0).comment, "");
}

TEST(Registry, EachListingReadsTheRegistryAfresh) {
    TempDisk disk;
    disk.makeSeries("a", 3, {"x"});
    disk.writeLines("male/a/run.dat", {"1,3,1", "0", "0", "0"});
    disk.writeLines("kestrune.ini", {"[groups]", "a=old", "[files]", "male\\a\\run=first"});
    EXPECT_EQ(listSeriesCatalogue(disk.disk()).rows.at(0).comment, "old");
    EXPECT_EQ(listDataFiles(disk.disk(), TSexGroup::Male, "a").rows.at(0).comment, "first");
    disk.writeLines("kestrune.ini", {"[GROUPS]", "A=new", "[files]", "MALE\\a\\run=second"});
    EXPECT_EQ(listSeriesCatalogue(disk.disk()).rows.at(0).comment, "new");
    EXPECT_EQ(listDataFiles(disk.disk(), TSexGroup::Male, "a").rows.at(0).comment, "second");
}

TEST(Registry, ASectionOpenedTwiceKeepsItsFirstKey) {
    const IniProfile profile = IniProfile::parse("[groups]\na=one\n[files]\nx=y\n[Groups]\na=two\nb=three\n");
    EXPECT_EQ(profile.value("groups", "a"), "one");
    EXPECT_EQ(profile.value("groups", "b"), "three");
    EXPECT_EQ(profile.value("files", "x"), "y");
    EXPECT_EQ(IniProfile::parse("a=before any section\n").value("", "a"), "");
}

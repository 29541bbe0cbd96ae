// The correlation pages' file choosers and the printed matrix's page header.
#include <gtest/gtest.h>

#include "analysis/CorrelationPrintHeader.h"
#include "analysis/DataFileChoices.h"
#include "tests/analysis/AnalysisDisk.h"

using namespace kestrune;
using kestrune::testing::TempDisk;

TEST(CorrelationPage, FileChoicesAreTheDataFilesWithoutTheirExtension) {
    TempDisk disk;
    disk.makeSeries("色", 3, {"明るい"});
    disk.writeLines("male/色/b.dat", {"1,3,1", "0", "0", "0"});
    disk.writeLines("male/色/a.dat", {"1,3,1", "0", "0", "0"});
    disk.writeLines("male/色/memo.txt", {"x"});
    disk.makeDirectory("male/色/dir.dat");
    EXPECT_EQ(dataFileChoices(disk.disk(), TSexGroup::Male, "色"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(dataFileChoices(disk.disk(), TSexGroup::Female, "色").empty());
    EXPECT_TRUE(dataFileChoices(disk.disk(), TSexGroup::Male, "ない").empty());
}

TEST(CorrelationPage, PrintHeaderNamesRowsThenColumns) {
    const CorrelationSide physical{CorrelationKind::Physical, TSexGroup::Male, {}};
    const CorrelationSide women{CorrelationKind::Images, TSexGroup::Female, "予備"};
    const CorrelationSide mixed{CorrelationKind::Images, TSexGroup::Mix, "ALL"};
    EXPECT_EQ(correlationPrintHeader("色", mixed, women), "相関 - 色,行: 女性, 予備, 列: 混合, ALL");
    EXPECT_EQ(correlationPrintHeader("色", physical, women), "相関 - 色,行: 女性, 予備, 列: 物理量");
    EXPECT_EQ(correlationPrintHeader("色", mixed, physical), "相関 - 色,行: 物理量, 列: 混合, ALL");
}

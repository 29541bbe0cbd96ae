// The exported tables, byte for byte as the application's saves write them (CP932, CR LF).
#include <gtest/gtest.h>

#include "analysis/CorrelationMatrix.h"
#include "analysis/IndividualView.h"
#include "analysis/ScaleValueAggregation.h"
#include "core/AtomicFile.h"
#include "core/TextLines.h"
#include "output/tables/CorrelationExport.h"
#include "output/tables/CorrelationRtf.h"
#include "output/tables/IndividualText.h"
#include "output/tables/ScaleValueExport.h"
#include "output/tables/TabLines.h"
#include "tests/output/TableGolden.h"

using namespace kestrune;
using kestrune::testing::expectGolden;
using kestrune::testing::tableData;
using kestrune::testing::TempDisk;

namespace {

const StudyDisk kDisk(tableData("study-disk"));
// The path label the batch program shows when run with --root study-disk from tests/data/tables.
const std::string kLabel = "study-disk/male/印象/例題.dat";

TextGrid imagesAgainstQuantities() {
    return correlationMatrix(kDisk, "印象", {CorrelationKind::Images, TSexGroup::Male, "例題"},
                             {CorrelationKind::Physical, TSexGroup::Male, {}});
}

// A matrix holding the threshold values and the texts that are not numbers.
TextGrid thresholdMatrix() {
    TextGrid grid(4, 3);
    const char* cells[3][4] = {{"", "明るい", "暖かい", "ｶﾅ"},
                               {"明度", "0.8000", "0.8001", "#DIV/0!"},
                               {"重さ", "-0.8000", "-0.8001", "0.0000"}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c)
            grid.setCell(c, r, cells[r][c]);
    }
    return grid;
}

}  // namespace

TEST(TableExport, ScaleValueText) {
    TempDisk out;
    const ScaleValueTable table = aggregateScaleValues(kDisk, TSexGroup::Male, "印象", "例題");
    writeTextLines(out.path("t.txt"), scaleValueTextLines(table.grid));
    expectGolden(out.path("t.txt"), "scale-value-text/expected.txt");
    const ScaleValueTable one = aggregateScaleValues(kDisk, TSexGroup::Female, "印象", "一人");
    writeTextLines(out.path("one.txt"), scaleValueTextLines(one.grid));
    expectGolden(out.path("one.txt"), "scale-value-one-subject/expected.txt");
}

TEST(TableExport, ScaleValueHtml) {
    TempDisk out;
    const ScaleValueTable table = aggregateScaleValues(kDisk, TSexGroup::Male, "印象", "例題");
    writeTextLines(out.path("t.htm"), scaleValueHtmlLines(table.grid, kLabel));
    expectGolden(out.path("t.htm"), "scale-value-html/expected.htm");
}

TEST(TableExport, ScaleValueHtmlBeforeAnyAggregationHasEmptyCellsAndABareTitle) {
    const TextGrid grid = makeScaleValueGrid(readAnalysisPageLabels(kDisk, "印象"));
    const std::vector<std::string> lines = scaleValueHtmlLines(grid, "");
    ASSERT_EQ(lines.size(), 9u + 1 + 6 + 3);
    EXPECT_EQ(lines[3], "<TITLE>集計データ -</TITLE>");
    EXPECT_EQ(lines[10],
              "<TR><TD ROWSPAN=3>明るい</TD><TD>100点換算得点</TD><TD></TD><TD></TD><TD></TD><TD></TD></TR>");
}

TEST(TableExport, IndividualTextOfTheCurrentImageAndOfAllImages) {
    TempDisk out;
    IndividualTable table = viewIndividual(kDisk, TSexGroup::Male, "印象", "例題", 1);
    int tab = 1;
    writeTextLines(out.path("c.txt"), individualTextLines(table.grid, table.store, table.imageWords,
                                                          IndividualScope::CurrentImage, tab));
    expectGolden(out.path("c.txt"), "individual-current/expected.txt");
    EXPECT_EQ(tab, 1);
    writeTextLines(out.path("a.txt"), individualTextLines(table.grid, table.store, table.imageWords,
                                                          IndividualScope::AllImages, tab));
    expectGolden(out.path("a.txt"), "individual-all/expected.txt");
    EXPECT_EQ(tab, 0);  // the first image tab is selected and shown again
    EXPECT_EQ(tabLine(table.grid, 1), "1\t2\t1\t0");
}

TEST(TableExport, CorrelationTabLinesHtmlAndRichText) {
    TempDisk out;
    const TextGrid grid = imagesAgainstQuantities();
    writeTextLines(out.path("c.txt"), correlationTabLines(grid));
    expectGolden(out.path("c.txt"), "correlation-text/expected.txt");
    writeTextLines(out.path("c.htm"), correlationHtmlLines(grid, "印象"));
    expectGolden(out.path("c.htm"), "correlation-html/expected.htm");
    writeFileAtomically(out.path("c.rtf"), correlationRtf(grid));
    expectGolden(out.path("c.rtf"), "correlation-rtf/expected.rtf");
}

TEST(TableExport, ThresholdsInHtmlAndRichText) {
    TempDisk out;
    const TextGrid grid = thresholdMatrix();
    writeTextLines(out.path("t.htm"), correlationHtmlLines(grid, "閾値"));
    expectGolden(out.path("t.htm"), "correlation-thresholds-html/expected.htm");
    writeFileAtomically(out.path("t.rtf"), correlationRtf(grid));
    expectGolden(out.path("t.rtf"), "correlation-thresholds-rtf/expected.rtf");
}

TEST(TableExport, EveryTabLineOfAGridHasColumnCountMinusOneTabs) {
    TextGrid grid(5, 3);
    grid.setCell(2, 1, "x");
    for (const std::string& line : tabLines(grid))
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 4);
    EXPECT_EQ(clipboardText({"a\tb", "c\td"}), "a\tb\r\nc\td");
}

TEST(TableExport, RichTextEscapesRtfSpecialCharactersInCells) {
    TextGrid grid(2, 2);
    grid.setCell(0, 1, "a{b}\\c");
    grid.setCell(1, 1, "0.9000");
    const std::string rtf = correlationRtf(grid);
    EXPECT_NE(rtf.find("a\\{b\\}\\\\c\\tab {\\b 0.9000}\\par"), std::string::npos) << rtf;
}

// The analyses of a fuzzed response data file against a fixed series: scale values, the
// individual view, the correlation matrix, the diagram's standardised scores and drawing, the
// number line and the merge. Only our own refusals may stop them, and no result may show a
// number that is not one.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "analysis/CorrelationDiagram.h"
#include "analysis/CorrelationMatrix.h"
#include "analysis/DiagramLoaders.h"
#include "analysis/IndividualView.h"
#include "analysis/JoinList.h"
#include "analysis/Merge.h"
#include "analysis/NumberLine.h"
#include "analysis/ScaleValueAggregation.h"
#include "core/Error.h"
#include "core/Picture.h"
#include "fuzz/ScratchDisk.h"

using namespace kestrune;

namespace {

// Four panels in a complete pair order, two images, and two physical quantities.
void makeSeries(const fuzz::ScratchDisk& scratch) {
    scratch.write("order/s.ord", "4,6\r\n1,2\r\n3,4\r\n1,3\r\n2,4\r\n1,4\r\n2,3\r\n");
    scratch.write("paper/s.pap", "2\r\n\"明るい\"\r\n\"重い\"\r\n");
    scratch.write(
        "physical/s/s.phy",
        "2,4\r\n\"明度\",\"cd\"\r\n1\r\n2.5\r\n3e2\r\n-4\r\n\"重さ\",\"\"\r\n0.1\r\n0.2\r\n0.3\r\n1e-3\r\n");
}

void requireFinite(const TextGrid& grid) {
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c)
            fuzz::requireNoNonFiniteText(grid.cell(c, r));
    }
}

template <typename Step>
void refusalsAllowed(Step step) {
    try {
        step();
    } catch (const UserError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScratchDisk& scratch = fuzz::scratchDisk();
    static const bool series = (makeSeries(scratch), true);
    (void)series;
    scratch.write("male/s/f.dat", std::string_view(reinterpret_cast<const char*>(data), size));
    const StudyDisk disk = scratch.disk();

    refusalsAllowed([&] {
        const ScaleValueTable table = aggregateScaleValues(disk, TSexGroup::Male, "s", "f");
        requireFinite(table.grid);
        Picture picture;
        drawNumberLine(table.grid, table.pathLabel, picture);
    });
    refusalsAllowed([&] { requireFinite(viewIndividual(disk, TSexGroup::Male, "s", "f", 1).grid); });
    refusalsAllowed([&] {
        const CorrelationSide images{CorrelationKind::Images, TSexGroup::Male, "f"};
        const CorrelationSide physical{CorrelationKind::Physical, TSexGroup::Male, {}};
        requireFinite(correlationMatrix(disk, "s", images, images));
        requireFinite(correlationMatrix(disk, "s", images, physical));
    });
    refusalsAllowed([&] {
        const auto scores = loadStandardisedScores(disk, TSexGroup::Male, "s", "f", 1);
        if (!scores)
            return;
        DiagramInput input;
        input.seriesName = "s";
        input.vertical = {DiagramAxisKind::Image, *scores, false, "明るい"};
        input.horizontal = {DiagramAxisKind::Physical, loadQuantityValues(disk, "s", 1), true, "明度(cd)"};
        Picture picture;
        drawCorrelationDiagram(input, picture);
    });
    refusalsAllowed([&] {
        JoinList list;
        list.add({{TSexGroup::Male, "s", "f"}, {TSexGroup::Male, "s", "f"}});
        if (const auto target = planMerge(disk, list, "merged"))
            mergeDataFiles(disk, list, *target);
    });
    return 0;
}

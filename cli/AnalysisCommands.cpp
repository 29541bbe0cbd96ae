// aggregate and individual: the scale value table and the individual text of one data file.
#include <string>
#include <vector>

#include "analysis/IndividualView.h"
#include "analysis/ScaleValueAggregation.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "output/tables/IndividualText.h"
#include "output/tables/ScaleValueExport.h"

namespace kestrune::cli {
namespace {

int aggregate(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool html = takeFlag(args, "--html");
    const std::optional<std::string> output = takeOption(args, "-o");
    const std::vector<std::string> names = positionals(args, 3);
    const ScaleValueTable table = aggregateScaleValues(
        invocation.disk, sexGroupArgument(names[1]), diskNameArgument(names[0]), diskNameArgument(names[2]));
    emitLines(invocation,
              html ? scaleValueHtmlLines(table.grid, table.pathLabel) : scaleValueTextLines(table.grid),
              output);
    return 0;
}

int individual(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool all = takeFlag(args, "--all");
    const std::optional<std::string> image = takeOption(args, "--image");
    const std::optional<std::string> output = takeOption(args, "-o");
    if (all && image)
        throw UsageError("--image and --all exclude each other");
    const int imageNumber = image ? positiveNumberArgument("--image", *image) : 1;
    const std::vector<std::string> names = positionals(args, 3);
    IndividualTable table =
        viewIndividual(invocation.disk, sexGroupArgument(names[1]), diskNameArgument(names[0]),
                       diskNameArgument(names[2]), imageNumber - 1);
    if (imageNumber > static_cast<int>(table.imageWords.size())) {
        throw UsageError("--image " + *image + " beyond the series' " +
                         std::to_string(table.imageWords.size()) + " images");
    }
    int selectedTab = imageNumber - 1;
    emitLines(
        invocation,
        individualTextLines(table.grid, table.store, table.imageWords,
                            all ? IndividualScope::AllImages : IndividualScope::CurrentImage, selectedTab),
        output);
    return 0;
}

const CommandRegistration aggregateCommand("aggregate", "SERIES GROUP FILE [--html] [-o OUT]", aggregate);
const CommandRegistration individualCommand("individual", "SERIES GROUP FILE [--image N | --all] [-o OUT]",
                                            individual);

}  // namespace
}  // namespace kestrune::cli

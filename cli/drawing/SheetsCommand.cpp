// sheets, the work of kestrune-cli-draw: the printable answer sheets of a series as a PDF document.
#include <string>
#include <vector>

#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "cli/drawing/DrawingStart.h"
#include "core/Series.h"
#include "output/figure/FigureApplication.h"
#include "output/sheets/AnswerSheetPrinter.h"

namespace kestrune::cli {
namespace {

int sheetsCommand(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const std::optional<std::string> subjectsText = takeOption(args, "--subjects");
    const std::optional<std::string> codes = takeOption(args, "--codes");
    const std::optional<std::string> output = takeOption(args, "-o");
    const std::vector<std::string> names = positionals(args, 1);
    if (!output)
        throw UsageError("-o OUT.pdf is required");
    std::optional<int> subjects;
    if (subjectsText)
        subjects = positiveNumberArgument("--subjects", *subjectsText);

    const TSeries series = readSeries(invocation.disk, diskNameArgument(names[0]));
    startDrawing();
    const AnswerSheetRequest request =
        answerSheetRequest(series, parseSampleCodes(codes.value_or(std::string())), subjects);
    writeAnswerSheetsPdf(request, pathFromUtf8(*output));
    return 0;
}

const DrawingWork sheetsWork("sheets", sheetsCommand);

}  // namespace
}  // namespace kestrune::cli

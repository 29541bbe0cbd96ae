// correlate: the correlation matrix of two sides as tab lines, HTML or rich text.
#include <string>
#include <vector>

#include "analysis/CorrelationMatrix.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "output/tables/CorrelationExport.h"
#include "output/tables/CorrelationRtf.h"

namespace kestrune::cli {
namespace {

std::string withLineFeeds(const std::string& crlf) {
    std::string out;
    for (std::size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n')
            continue;
        out += crlf[i];
    }
    return out;
}

int correlate(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool html = takeFlag(args, "--html");
    const bool rtf = takeFlag(args, "--rtf");
    const std::optional<std::string> columns = takeOption(args, "--columns");
    const std::optional<std::string> rows = takeOption(args, "--rows");
    const std::optional<std::string> output = takeOption(args, "-o");
    if (html && rtf)
        throw UsageError("--html and --rtf exclude each other");
    if (!columns || !rows)
        throw UsageError("--columns and --rows are needed");
    const std::string series = diskNameArgument(positionals(args, 1)[0]);
    const TextGrid grid = correlationMatrix(invocation.disk, series, correlationSideArgument(*columns),
                                            correlationSideArgument(*rows));
    if (rtf) {
        const std::string document = correlationRtf(grid);
        emitBytes(invocation, output ? document : withLineFeeds(document), output);
    } else {
        emitLines(invocation, html ? correlationHtmlLines(grid, series) : correlationTabLines(grid), output);
    }
    return 0;
}

const CommandRegistration correlateCommand("correlate",
                                           "SERIES --columns SIDE --rows SIDE [--html | --rtf] [-o OUT]"
                                           "  (SIDE: images:GROUP:FILE or physical)",
                                           correlate);

}  // namespace
}  // namespace kestrune::cli

// correlate: the correlation matrix of two sides as tab lines, HTML or rich text.
#include <string>
#include <vector>

#include "analysis/CorrelationMatrix.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "cli/CommonArguments.h"
#include "cli/OfficeOutput.h"
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
    const OfficeForm office = takeOfficeForm(args, true);
    const std::optional<std::string> columns = takeOption(args, "--columns");
    const std::optional<std::string> rows = takeOption(args, "--rows");
    const std::optional<std::string> output = takeOption(args, "-o");
    if (int(html) + int(rtf) + int(office != OfficeForm::None) > 1)
        throw UsageError("--html、--rtf、--xlsx、--docx のうち一つだけを指定してください。");
    if (!columns || !rows)
        throw UsageError("--columns と --rows を指定してください。");
    checkOutputName(output, tableForm(office, html, rtf));
    const std::string series = diskNameArgument(positionals(args, 1)[0]);
    const TextGrid grid = correlationMatrix(invocation.disk, series, correlationSideArgument(*columns),
                                            correlationSideArgument(*rows));
    if (office != OfficeForm::None) {
        const OfficeWriters& writers = requireOfficeWriters();
        return writers.deliver(invocation,
                               office == OfficeForm::Workbook
                                   ? writers.correlationWorkbook(grid, series, scratchDirectory(output))
                                   : writers.correlationDocument(grid),
                               output);
    }
    if (rtf) {
        const std::string document = correlationRtf(grid);
        emitBytes(invocation, output ? document : withLineFeeds(document), output);
    } else {
        emitLines(invocation, html ? correlationHtmlLines(grid, series) : correlationTabLines(grid), output);
    }
    return 0;
}

const CommandRegistration correlateCommand(
    "correlate",
    {.usage = "SERIES --columns SIDE --rows SIDE [--html | --rtf | --xlsx | --docx] [-o OUT]",
     .summary = "相関マトリックス(イメージどうし、イメージと物理量)",
     .description =
         "列と行に指定した変数どうしの相関係数(ピアソンの積率相関係数)の表を書きます。"
         "画面の「相関マトリックス」と同じです。イメージの変数は、そのイメージ語で各パネルが選ばれた"
         "回数の全被験者の合計、物理量の変数は physical/SERIES/SERIES.phy の値です。"
         "変数が一定で計算できない係数は #DIV/0!、数にならない係数は #NUM! と書きます。",
     .arguments = {common_arguments::kSeries,
                   {"--columns SIDE",
                    "列に指定する項目。images:GROUP:FILE(そのデータファイルのイメージ語)か "
                    "physical(シリーズの物理量)。"},
                   {"--rows SIDE", "行に指定する項目。書き方は --columns と同じです。"},
                   common_arguments::kHtml,
                   {"--rtf",
                    "書式付きテキスト(RTF)で書きます。0.8 を超える係数は太字、負の係数は赤、-0.8 "
                    "を下回る係数は太字の赤です。"},
                   common_arguments::kXlsx,
                   common_arguments::kDocx,
                   common_arguments::kTableOutput},
     .examples =
         {"kestrune-cli correlate 色彩の印象 --columns images:mix:大学生2026 --rows physical",
          "kestrune-cli correlate 色彩の印象 --columns images:mix:大学生2026 --rows images:mix:大学生2026 "
          "--rtf -o 相関.rtf"}},
    correlate);

}  // namespace
}  // namespace kestrune::cli

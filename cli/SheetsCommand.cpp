// sheets: the printable answer sheets of a series as a PDF document.
#include <string>
#include <vector>

#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "cli/CommonArguments.h"
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
    ensureFigureApplication();
    const AnswerSheetRequest request =
        answerSheetRequest(series, parseSampleCodes(codes.value_or(std::string())), subjects);
    writeAnswerSheetsPdf(request, pathFromUtf8(*output));
    return 0;
}

const CommandRegistration sheetsRegistration(
    "sheets",
    {.usage = "SERIES [--subjects N] [--codes \"a,b,c\"] -o OUT.pdf",
     .summary = "調査用紙(PDF)",
     .description =
         "シリーズの提示順序どおりに、対ごとに 1 枚の調査用紙を PDF に書きます。用紙にはシリーズ名、"
         "「k / m」、パネル A と B の表示、イメージ語ごとの A と B の丸、被験者番号・性別・日付の欄が"
         "入ります。--subjects N で被験者番号入りの用紙を N 人分作ります。",
     .arguments = {common_arguments::kSeries,
                   {"--subjects N", "被験者番号を印刷した用紙を N 人分(1 から 100)作ります。"},
                   {"--codes \"a,b,c\"",
                    "パネル番号の代わりに印刷する試料の記号。パネルの数だけ、コンマで区切ります。"},
                   {"-o OUT.pdf", "書く PDF ファイル。"}},
     .examples = {"kestrune-cli sheets 色彩の印象 -o 調査用紙.pdf",
                  "kestrune-cli sheets 飲料の味 --subjects 12 --codes \"P,Q,R,S\" -o 試飲会の用紙.pdf"}},
    sheetsCommand);

}  // namespace
}  // namespace kestrune::cli

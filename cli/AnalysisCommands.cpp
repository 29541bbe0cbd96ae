// aggregate and individual: the scale value table and the individual text of one data file.
#include <string>
#include <vector>

#include "analysis/IndividualView.h"
#include "analysis/ScaleValueAggregation.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "cli/CommonArguments.h"
#include "cli/OfficeOutput.h"
#include "output/tables/IndividualText.h"
#include "output/tables/ScaleValueExport.h"

namespace kestrune::cli {
namespace {

int aggregate(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool html = takeFlag(args, "--html");
    const OfficeForm office = takeOfficeForm(args, true);
    const std::optional<std::string> output = takeOption(args, "-o");
    if (html && office != OfficeForm::None)
        throw UsageError("--html、--xlsx、--docx のうち一つだけを指定してください。");
    checkOutputName(output, tableForm(office, html));
    const std::vector<std::string> names = positionals(args, 3);
    const ScaleValueTable table = aggregateScaleValues(
        invocation.disk, sexGroupArgument(names[1]), diskNameArgument(names[0]), diskNameArgument(names[2]));
    if (office != OfficeForm::None) {
        const OfficeWriters& writers = requireOfficeWriters();
        return writers.deliver(
            invocation,
            office == OfficeForm::Workbook
                ? writers.scaleValueWorkbook(table.grid, names[0], scratchDirectory(output))
                : writers.scaleValueDocument(table.grid),
            output);
    }
    emitLines(invocation,
              html ? scaleValueHtmlLines(table.grid, table.pathLabel) : scaleValueTextLines(table.grid),
              output);
    return 0;
}

int individual(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool all = takeFlag(args, "--all");
    const bool workbook = takeOfficeForm(args, false) == OfficeForm::Workbook;
    const std::optional<std::string> image = takeOption(args, "--image");
    const std::optional<std::string> output = takeOption(args, "-o");
    if (all && image)
        throw UsageError("--image と --all は一緒に指定できません。");
    checkOutputName(output, workbook ? TableForm::Workbook : TableForm::Text);
    const int imageNumber = image ? positiveNumberArgument("--image", *image) : 1;
    const std::vector<std::string> names = positionals(args, 3);
    IndividualTable table =
        viewIndividual(invocation.disk, sexGroupArgument(names[1]), diskNameArgument(names[0]),
                       diskNameArgument(names[2]), imageNumber - 1);
    if (imageNumber > static_cast<int>(table.imageWords.size())) {
        throw UsageError("--image " + *image + ": シリーズのイメージ語は " +
                         std::to_string(table.imageWords.size()) + " 個です。");
    }
    int selectedTab = imageNumber - 1;
    if (workbook) {
        const OfficeWriters& writers = requireOfficeWriters();
        office::StoredIndividualTabs tabs(table.grid, table.store, table.imageWords, selectedTab);
        return writers.deliver(
            invocation,
            writers.individualWorkbook(tabs, all ? IndividualScope::AllImages : IndividualScope::CurrentImage,
                                       scratchDirectory(output)),
            output);
    }
    emitLines(
        invocation,
        individualTextLines(table.grid, table.store, table.imageWords,
                            all ? IndividualScope::AllImages : IndividualScope::CurrentImage, selectedTab),
        output);
    return 0;
}

using namespace common_arguments;

const CommandRegistration aggregateCommand(
    "aggregate",
    {.usage = "SERIES GROUP FILE [--html | --xlsx | --docx] [-o OUT]",
     .summary = "尺度値の表(100点換算得点、標準偏差、標準偏差基準化得点)",
     .description =
         "データファイル FILE の回答を集計し、イメージ語ごとに各パネルの 100点換算得点、その標準偏差、"
         "標準偏差基準化得点を表にします。画面の「データ集計」で出る表と同じで、"
         "タブ区切りのテキスト、または --html で HTML 文書として書きます。",
     .arguments = {kSeries, kGroup, kFile, kHtml, kXlsx, kDocx, kTableOutput},
     .examples = {"kestrune-cli aggregate 色彩の印象 mix 大学生2026",
                  "kestrune-cli aggregate 色彩の印象 mix 大学生2026 --html -o 尺度値.html"}},
    aggregate);
const CommandRegistration individualCommand(
    "individual",
    {.usage = "SERIES GROUP FILE [--image N | --all] [--xlsx] [-o OUT]",
     .summary = "個人のデータ(被験者ごとの各パネルの勝ち数)",
     .description = "データファイル FILE の被験者ごとに、各パネルが選ばれた対の数(勝ち数)を書きます。"
                    "画面の「個人のデータ」の表と同じで、行が被験者番号、列がパネル番号です。"
                    "既定では 1 番目のイメージ語だけを、--image N で N 番目を、--all ですべてのイメージ語を"
                    "順に書きます。",
     .arguments =
         {kSeries,
          kGroup,
          kFile,
          {"--image N", "N 番目のイメージ語の表を書きます(1 から数えます)。"},
          {"--all",
           "すべてのイメージ語の表を順に書きます(画面の「全イメージ」)。--image とは一緒に使えません。"},
          {"--xlsx",
           "表を Excel ブック(.xlsx)にします(画面の「Excel97」)。--all ではイメージ語ごとにシートを分けます。"
           "-o がなければオフィスソフトで新しいブックとして開きます。"},
          {"-o OUT",
           "標準出力の代わりにファイル OUT に書きます。テキストはシフトJIS、改行 CR LF(画面の「保存」と同じ"
           "内容)。--xlsx では .xlsx "
           "で終わる名前にします。名前の拡張子が形式と合わないときは何も書きません。"}},
     .examples = {"kestrune-cli individual 色彩の印象 mix 大学生2026 --image 2",
                  "kestrune-cli individual 色彩の印象 mix 大学生2026 --all -o 個人のデータ.txt"}},
    individual);

}  // namespace
}  // namespace kestrune::cli

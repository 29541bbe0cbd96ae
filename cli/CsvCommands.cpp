// export and import: a data file as CSV for R, Python and spreadsheets, and answers from CSV back
// into a data file.
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/CsvExport.h"
#include "analysis/CsvImport.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "cli/CommonArguments.h"
#include "core/AtomicFile.h"

namespace kestrune::cli {
namespace {

int exportCommand(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool paircomp = takeFlag(args, "--paircomp");
    const bool excel = takeFlag(args, "--excel");
    const std::optional<std::string> output = takeOption(args, "-o");
    const std::vector<std::string> names = positionals(args, 3);
    // Written as made: the CSV of a 100-subject file is some megabytes.
    const auto produce = [&](const ByteSink& sink) {
        exportCsv(invocation.disk, sexGroupArgument(names[1]), diskNameArgument(names[0]),
                  diskNameArgument(names[2]), paircomp ? CsvLayout::Paircomp : CsvLayout::Long,
                  excel ? CsvFlavour::Excel : CsvFlavour::Plain, sink);
    };
    if (output)
        writeFileAtomically(pathFromUtf8(*output), produce);
    else
        produce([&invocation](std::string_view piece) { invocation.out << piece; });
    return 0;
}

int importCommand(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool yes = takeFlag(args, "--yes");
    const std::vector<std::string> names = positionals(args, 4);
    const TSexGroup group = sexGroupArgument(names[1]);
    const std::string& series = diskNameArgument(names[0]);
    const std::filesystem::path target = importTarget(invocation.disk, group, series, names[2]);
    // As merge does: the name itself is looked at, a link being a file of that name.
    std::error_code error;
    const bool exists = std::filesystem::exists(std::filesystem::symlink_status(target, error));
    if (exists && !yes && !overwriteConfirmed(invocation))
        return 1;
    importLongCsv(invocation.disk, group, series, names[2], pathFromUtf8(names[3]));
    return 0;
}

const CommandRegistration exportRegistration(
    "export",
    {.usage = "SERIES GROUP FILE [--paircomp] [--excel] [-o OUT.csv]",
     .summary = "データファイルを CSV 形式で書き出し",
     .description =
         "データファイルの回答を R や Python、表計算ソフトで扱える CSV(RFC 4180、UTF-8、改行 LF)"
         "で書き出します(画面のデータファイル一覧の「CSV形式で書き出し…」)。既定は 1 回答 1 行の縦長形式で、"
         "見出しは series,group,file,subject,trial,panel_a,panel_b,image,word,answer,chosen です。"
         "subject は 1 から数えた被験者の番号、trial は順序ファイルでの対の位置、answer は 0(A を選択)か "
         "1(B を選択)、chosen は選ばれたパネルの番号で、未回答はどちらも空です。行は被験者、対、"
         "イメージの順です。--paircomp では R の psychotools パッケージの paircomp と同じ、被験者と"
         "イメージごとに 1 行、パネルの対ごとに 1 列(1:2, 1:3, 2:3, 1:4, …)の形式にします。",
     .arguments =
         {common_arguments::kSeries,
          common_arguments::kGroup,
          common_arguments::kFile,
          {"--paircomp",
           "一対比較形式で書きます。見出しは subject,image,word と対の列で、番号の小さいパネルが選ばれたら "
           "1、大きいパネルなら -1、未回答は空です。同じ対が 2 回出てくるシリーズでは使えません。"},
          {"--excel",
           "バイトオーダーマーク付きの UTF-8、改行 CR LF "
           "で書きます。表計算ソフトが文字コードを尋ねずに開けます。"},
          {"-o OUT.csv", "標準出力の代わりにファイル OUT.csv に書きます。"}},
     .examples = {"kestrune-cli export 色彩の印象 mix 大学生2026 -o 大学生2026.csv",
                  "kestrune-cli export 色彩の印象 mix 大学生2026 --paircomp --excel -o 一対比較.csv"}},
    exportCommand);

const CommandRegistration importRegistration(
    "import",
    {.usage = "SERIES GROUP NAME IN.csv [--yes]",
     .summary = "CSV 形式の回答をデータファイルに読み込み",
     .description =
         "縦長形式の CSV(UTF-8)から回答を読み、シリーズ SERIES の群 GROUP に新しいデータファイル "
         "NAME.dat を作ります(画面の「CSV形式から読み込み…」)。列は見出しの名前で探し、順序は問わず、"
         "ほかの列は無視します。subject、trial、image と、answer か chosen の列が必要です(両方あるときは"
         "一致していること)。panel_a、panel_b、word があればシリーズと一致していなければなりません。"
         "行の順序は自由で、subject は任意の文字列です(最初に現れた順に被験者の番号になります)。"
         "どの被験者にもシリーズのすべての対とイメージの回答が 1 行ずつ必要です。誤りがあれば CSV の"
         "行番号(見出しが 1 行目)と内容を示し、何も書きません。同名のファイルがあるときは上書きしてよいか"
         "尋ね、端末でないときや答えが y でないときは何も書きません。export で書いた CSV を読み込むと、"
         "元のデータファイルとバイト単位で同じファイルができます。",
     .arguments = {common_arguments::kSeries,
                   common_arguments::kGroup,
                   {"NAME", "作るデータファイルの名前(拡張子 .dat は付けません)。"},
                   {"IN.csv", "読み込む CSV ファイル。"},
                   {"--yes", "同名のファイルがあっても尋ねずに上書きします。"}},
     .examples = {"kestrune-cli import 色彩の印象 mix ウェブ回答 回答フォーム.csv"}},
    importCommand);

}  // namespace
}  // namespace kestrune::cli

// The drawing commands as kestrune-cli knows them: their manual, and no work. The work is
// registered only in kestrune-cli-draw (cli/drawing/), the program that loads Qt's painting
// libraries; kestrune-cli runs it in its own place when one of these commands is asked for.
#include "cli/Command.h"
#include "cli/CommonArguments.h"

namespace kestrune::cli {
namespace {

using namespace common_arguments;

const CommandRegistration numberlineCommand(
    "numberline",
    {.usage = "SERIES GROUP FILE -o OUT.{emf,bmp,png,svg,pdf,docx}",
     .summary = "数直線の図",
     .description = "データファイル FILE を集計し、イメージ語ごとに各パネルの標準偏差基準化得点を数直線の上に"
                    "描いた図を書きます。画面の「グラフ」で開く数直線と同じ図です。",
     .arguments = {kSeries, kGroup, kFile, kFigureOutput},
     .examples = {"kestrune-cli numberline 色彩の印象 mix 大学生2026 -o 数直線.png"}},
    kWorkInDrawingProgram);
const CommandRegistration diagramCommand(
    "diagram",
    {.usage = "SERIES --x AXIS --y AXIS [--xlog] [--ylog] [--shape 0-4] [--color #RRGGBB] "
              "-o OUT.{emf,bmp,png,svg,pdf,docx}",
     .summary = "相関図(2 つの変数の散布図)",
     .description = "横軸と縦軸に選んだ 2 つの変数について、パネルごとに点を打った相関図を書きます。"
                    "画面の「相関図」と同じ図です。軸の変数が選べないときは #NAME?、相関係数が計算できない"
                    "ときは #DIV/0! を標準エラー出力に書き、終了ステータス 1 で終わります。",
     .arguments = {kSeries,
                   {"--x AXIS",
                    "横軸の変数。images:GROUP:FILE:N(そのデータファイルの N 番目のイメージ語の"
                    "標準偏差基準化得点)か physical:N(N 番目の物理量)。"},
                   {"--y AXIS", "縦軸の変数。書き方は --x と同じです。"},
                   {"--xlog, --ylog", "その軸を対数目盛にします(画面の「対数」)。"},
                   {"--shape 0-4", "点の形。0 ●、1 ■、2 ◆、3 ▲、4 ▼。"},
                   {"--color #RRGGBB", "点の色。16 進数の赤、緑、青で書きます。"},
                   kFigureOutput},
     .examples =
         {"kestrune-cli diagram 色彩の印象 --x physical:1 --y images:mix:大学生2026:1 -o 相関図.svg",
          "kestrune-cli diagram 色彩の印象 --x physical:3 --xlog --y images:mix:大学生2026:5 --shape 1 "
          "--color '#0000FF' -o 相関図.pdf"}},
    kWorkInDrawingProgram);

const CommandRegistration sheetsCommand(
    "sheets",
    {.usage = "SERIES [--subjects N] [--codes \"a,b,c\"] -o OUT.pdf",
     .summary = "調査用紙(PDF)",
     .description =
         "シリーズの提示順序どおりに、対ごとに 1 枚の調査用紙を PDF に書きます。用紙にはシリーズ名、"
         "「k / m」、パネル A と B の表示、イメージ語ごとの A と B の丸、被験者番号・性別・日付の欄が"
         "入ります。--subjects N で被験者番号入りの用紙を N 人分作ります。",
     .arguments = {kSeries,
                   {"--subjects N", "被験者番号を印刷した用紙を N 人分(1 から 100)作ります。"},
                   {"--codes \"a,b,c\"",
                    "パネル番号の代わりに印刷する試料の記号。パネルの数だけ、コンマで区切ります。"},
                   {"-o OUT.pdf", "書く PDF ファイル。"}},
     .examples = {"kestrune-cli sheets 色彩の印象 -o 調査用紙.pdf",
                  "kestrune-cli sheets 飲料の味 --subjects 12 --codes \"P,Q,R,S\" -o 試飲会の用紙.pdf"}},
    kWorkInDrawingProgram);

}  // namespace
}  // namespace kestrune::cli

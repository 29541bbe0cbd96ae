#pragma once

#include "cli/Command.h"

// The texts of the manual that belong to the program rather than to one command.
namespace kestrune::cli::program_help {

inline constexpr const char* kName = "kestrune-cli";
inline constexpr const char* kSummary = "一対比較調査の調査ディスクを読み、表と図を書き出すバッチプログラム";
inline constexpr const char* kDescription =
    "kestrune-cli は調査ディスク(シリーズの定義と回答データを収めたディレクトリ)を読み、シリーズと"
    "データファイルの一覧、尺度値の表、個人のデータ、相関マトリックス、相関図と数直線を書き出し、"
    "データファイルを結合します。画面の Kestrune と同じ計算で同じ結果を出すので、多くのファイルを"
    "スクリプトで処理するときに使います。";
inline constexpr const char* kOutput =
    "結果は UTF-8、改行 LF で標準出力に書きます。-o OUT を付けると、画面の「保存」と同じバイト列"
    "(シフトJIS、改行 CR LF)をファイル OUT に書きます。ファイルは全部を書き終えてから置き換えるので、"
    "途中で失敗しても元のファイルは残ります。";
inline const ArgumentHelp kRootOption{"--root DIR",
                                      "調査ディスクのディレクトリ。省略すると現在のディレクトリです。"};
inline const ArgumentHelp kHelpOption{"--help", "プログラム全体、またはコマンドの説明を表示します。"};
inline constexpr const char* kExitStatus[][2] = {
    {"0", "成功しました。"},
    {"1",
     "ファイルが読めない、データが扱える範囲を超えているなど、処理ができませんでした。"
     "理由は標準エラー出力に日本語で表示します。"},
    {"2", "呼び出し方の誤りです(コマンドや引数の不足、知らないオプション)。使い方を表示します。"},
};
inline constexpr const char* kExamplesNote =
    "例は、見本の調査ディスク /usr/share/kestrune/study-disk を書き込める場所に複製し、"
    "そのディレクトリで実行したものです。";
inline constexpr const char* kStudyDisk[][2] = {
    {"order/SERIES.ord", "パネル数、対の数と提示順序"},
    {"paper/SERIES.pap", "イメージ語"},
    {"male/SERIES/*.dat, female/SERIES/*.dat, mix/SERIES/*.dat", "被験者の群ごとの回答データファイル"},
    {"physical/SERIES/SERIES.phy", "パネルの物理量"},
    {"kestrune.ini", "シリーズとデータファイルのコメント(読むだけです)"},
};
inline constexpr const char* kStudyDiskNote =
    "調査ディスクのファイルはすべてシフトJIS(CP932)、改行 CR LF のテキストです。";
inline constexpr const char* kSeeAlso =
    "画面のプログラム kestrune [STUDY_DISK] は同じ調査ディスクを扱います。日本語の利用の手引きは "
    "/usr/share/doc/kestrune/ja/ にあります。";
inline constexpr const char* kMoreHelp = "各コマンドの説明と例は kestrune-cli COMMAND --help で表示します。";

}  // namespace kestrune::cli::program_help

#pragma once

#include "cli/Command.h"

// Arguments several commands share, explained once so the manual says the same thing everywhere.
namespace kestrune::cli::common_arguments {

inline const ArgumentHelp kSeries{"SERIES", "シリーズ名(調査ディスクの order/SERIES.ord の SERIES)。"};
inline const ArgumentHelp kGroup{
    "GROUP", "被験者の群。male、female、mix のいずれかで、男性、女性、混合 とも書けます。"};
inline const ArgumentHelp kFile{"FILE", "データファイルの名前。拡張子 .dat は付けません。"};
inline const ArgumentHelp kHtml{"--html",
                                "表を HTML 文書として書きます(画面の「保存」で HTML を選んだときと同じ)。"};
inline const ArgumentHelp kTextOutput{
    "-o OUT", "標準出力の代わりにファイル OUT に書きます(シフトJIS、改行 CR LF。画面の「保存」と同じ内容)。"};
inline const ArgumentHelp kFigureOutput{
    "-o OUT",
    "図を書くファイル。拡張子で形式が決まります: "
    ".emf(拡張メタファイル)、.bmp、.png、.svg、.pdf、.docx(図を貼った Word 文書)。"};

}  // namespace kestrune::cli::common_arguments

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
inline const ArgumentHelp kXlsx{"--xlsx",
                                "表を Excel ブック(.xlsx)にします(画面の「Excel97」)。-o "
                                "がなければオフィスソフトで新しいブックとして開きます。"};
inline const ArgumentHelp kDocx{"--docx",
                                "表を Word 文書(.docx)にします(画面の「Word97」)。-o "
                                "がなければオフィスソフトで新しい文書として開きます。"};
// For the table commands that also make office files.
inline const ArgumentHelp kTableOutput{
    "-o OUT",
    "標準出力の代わりにファイル OUT に書きます。テキストと HTML はシフトJIS、改行 CR LF(画面の「保存」と"
    "同じ内容)。--xlsx では .xlsx、--docx では .docx で終わる名前にします。名前の拡張子が形式と合わない"
    "ときは何も書きません。"};
inline const ArgumentHelp kFigureOutput{
    "-o OUT",
    "図を書くファイル。拡張子で形式が決まります: "
    ".emf(拡張メタファイル)、.bmp、.png、.svg、.pdf、.docx(図を貼った Word 文書)。"};

}  // namespace kestrune::cli::common_arguments

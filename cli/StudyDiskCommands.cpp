// The listings: the series catalogue and the data files of a series.

#include "cli/Command.h"
#include "cli/CommonArguments.h"
#include "core/DiskNames.h"
#include "core/Listings.h"

namespace kestrune::cli {
namespace {

// The subject count column of a data file whose first line cannot be read.
constexpr const char* kUnreadableMark = "(読めません)";

template <typename Row>
int finish(Invocation& invocation, const Listing<Row>& listing) {
    if (!listing.failure)
        return 0;
    invocation.err << listing.failure->what() << '\n';
    return 1;
}

int seriesCommand(Invocation& invocation) {
    positionals(invocation.args, 0);
    const Listing<SeriesRow> listing = listSeriesCatalogue(invocation.disk);
    for (const SeriesRow& row : listing.rows) {
        invocation.out << row.name << '\t' << row.panelCountText << '\t' << row.imageCountText << '\t'
                       << row.comment << '\n';
    }
    return finish(invocation, listing);
}

int filesCommand(Invocation& invocation) {
    const std::vector<std::string> args = positionals(invocation.args, 2);
    const std::optional<TSexGroup> group = parseSexGroup(args[1]);
    if (!group)
        throw UsageError("GROUP is male, female or mix (男性, 女性, 混合)");
    requirePlainDiskName(args[0]);
    // Every file is listed: one whose first line cannot be read is shown as such, with the reason
    // on standard error, and the files after it still appear.
    const Listing<DataFileRow> listing =
        listDataFiles(invocation.disk, *group, args[0], ListingReach::EveryFile);
    bool anyUnreadable = false;
    for (const DataFileRow& row : listing.rows) {
        if (row.unreadable) {
            invocation.out << row.name << '\t' << kUnreadableMark << '\t' << row.comment << '\n';
            invocation.err << *row.unreadable << '\n';
            anyUnreadable = true;
            continue;
        }
        invocation.out << row.name << '\t' << row.subjectCountText << '\t' << row.comment << '\n';
    }
    if (listing.failure && !anyUnreadable)
        return finish(invocation, listing);
    return anyUnreadable ? 1 : 0;
}

using namespace common_arguments;

const CommandRegistration series(
    "series",
    {.summary = "シリーズの一覧",
     .description =
         "調査ディスクにあるシリーズを名前の順に、1 行に 1 つずつ、名前、パネル数、イメージ語の数、"
         "kestrune.ini のコメントをタブで区切って書きます。画面の「シリーズ設定」の一覧と同じです。",
     .examples = {"kestrune-cli series"}},
    seriesCommand);
const CommandRegistration files(
    "files",
    {.usage = "SERIES GROUP",
     .summary = "シリーズの 1 つの群のデータファイルの一覧",
     .description = "シリーズ SERIES の群 GROUP にあるデータファイルを、名前(拡張子なし)、被験者数、"
                    "kestrune.ini のコメントをタブで区切って 1 行ずつ書きます。1 行目を読めないファイルは"
                    "被験者数の欄に (読めません) と書き、理由を標準エラーに書きます (終了状態 1)。",
     .arguments = {kSeries, kGroup},
     .examples = {"kestrune-cli files 色彩の印象 mix"}},
    filesCommand);

}  // namespace
}  // namespace kestrune::cli

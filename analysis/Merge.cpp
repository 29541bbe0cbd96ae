#include "analysis/Merge.h"

#include <vector>

#include "analysis/AnalysisInput.h"
#include "analysis/AnalysisMessages.h"
#include "core/CheckedCount.h"
#include "core/DiskNames.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "core/TextLines.h"

namespace kestrune {

namespace am = analysis_messages;

std::optional<MergeTarget> planMerge(const StudyDisk& disk, const JoinList& list,
                                     std::string_view resultName) {
    if (resultName.empty()) {
        throw UserError(std::string(am::kEnterFileName), std::string(am::kErrorCaption));
    }
    if (list.empty())
        return std::nullopt;
    // The typed name becomes a file name in the series' directory and nothing else.
    requirePlainDiskName(resultName);
    MergeTarget target;
    target.group = resultGroupOfLabel(list.resultGroupLabel());
    target.series = list.entries().front().series;
    target.file = std::string(resultName);
    target.path = disk.dataPath(target.group, target.series, target.file);
    return target;
}

namespace {

struct DataHeader {
    std::int32_t subjects = 0;
    std::int32_t pairs = 0;
    std::int32_t images = 0;
};

// The header as the response data reader splits it: S before the first comma, P before the
// next, I the rest.
DataHeader parseHeader(TextFile& file) {
    const CommaFields first = splitAtFirstComma(file.line(1));
    const CommaFields second = splitAtFirstComma(first.after);
    return {file.integerAt(1, first.before), file.integerAt(1, second.before),
            file.integerAt(1, second.after)};
}

}  // namespace

long long mergeDataFiles(const StudyDisk& disk, const JoinList& list, const MergeTarget& target) {
    std::vector<std::string> output{std::string()};
    std::int64_t total = 0;
    std::optional<DataHeader> firstHeader;
    for (const JoinEntry& entry : list.entries()) {
        const std::filesystem::path path = JoinList::pathOf(disk, entry);
        TextFile lines(path);
        const DataHeader header = parseHeader(lines);
        if (header.subjects < 0 || header.pairs < 0 || header.images < 0) {
            throw UserError(am::headerOutOfRange(shownPath(path), lines.line(1)));
        }
        if (!firstHeader) {
            firstHeader = header;
        } else if (header.pairs != firstHeader->pairs || header.images != firstHeader->images) {
            throw UserError(am::mergeCountsDisagree(shownPath(path), header.pairs, header.images,
                                                    firstHeader->pairs, firstHeader->images));
        }
        const std::optional<std::int64_t> count =
            checkedProduct({header.subjects, header.pairs, header.images});
        lines.requireHeaderLines(count ? checkedSum({*count, 1}) : std::nullopt);
        // The result must stay a file the reader takes: its subject count and answer count
        // within what a header holds. Refused before anything is written.
        const std::optional<std::int64_t> newTotal = checkedSum({total, header.subjects});
        const std::optional<std::int64_t> answers =
            newTotal ? checkedProduct({*newTotal, header.pairs, header.images}) : std::nullopt;
        if (!newTotal || *newTotal > kMaxHeaderCount || !answers || *answers > kMaxHeaderCount) {
            throw UserError(am::mergeTooLarge(shownPath(target.path), newTotal.value_or(-1),
                                              answers.value_or(-1), kMaxHeaderCount));
        }
        for (std::int64_t n = 1; n <= *count; ++n) {
            const std::size_t number = static_cast<std::size_t>(n) + 1;
            const std::string& value = lines.line(number);
            // The reader's conversion: a value that is not an integer stops here.
            lines.integerAt(number, value);
            output.push_back(value);
        }
        total = *newTotal;
    }
    if (!firstHeader)
        return 0;
    output.front() =
        integerText(total) + "," + integerText(firstHeader->pairs) + "," + integerText(firstHeader->images);
    writeTextLines(target.path, output);
    return total;
}

}  // namespace kestrune

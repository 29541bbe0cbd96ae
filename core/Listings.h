#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/Error.h"
#include "core/StudyDisk.h"

namespace kestrune {

// A listing stops at the first file it cannot read: the rows before it stay, and the error
// (which names that file) is returned beside them.
template <typename Row>
struct Listing {
    std::vector<Row> rows;
    std::optional<UserError> failure;
};

// One series of the catalogue.
struct SeriesRow {
    std::string name;
    std::string panelCountText;  // order file line 1 before its first comma
    std::string imageCountText;  // vocabulary file line 1, whole
    std::string comment;         // "groups" value
};

// One data file of a series and group.
struct DataFileRow {
    std::string name;                       // file name less ".dat"
    std::string subjectCountText;           // line 1 before its first comma
    std::string comment;                    // "files" value
    std::optional<std::string> unreadable;  // why line 1 could not be read, in a listing of every file
};

// Whether a listing of data files stops at the first file it cannot read (the pages) or goes on,
// marking that file's row unreadable (the batch program's list, which hides no file).
enum class ListingReach { UpToFirstFailure, EveryFile };

// Regular files in a directory whose names end with `suffix` (".ord", ".dat"), sorted by
// name. A missing directory gives an empty list.
std::vector<std::filesystem::path> enumerateFiles(const std::filesystem::path& directory,
                                                  std::string_view suffix);

// The series of a study disk (root/order/*.ord), in sorted order, each with the first lines
// of its order and vocabulary files and its comment.
Listing<SeriesRow> listSeriesCatalogue(const StudyDisk& disk);

// The data files of a series and group, in sorted order.
// With EveryFile, `failure` is the first failure and every file has its row.
Listing<DataFileRow> listDataFiles(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                   ListingReach reach = ListingReach::UpToFirstFailure);

// The plain files (with extension) of a series' data directory, sorted; hidden files and
// directories left out. A missing or unreadable directory gives an empty list, never an error.
std::vector<std::string> listSeriesFiles(const StudyDisk& disk, TSexGroup group, std::string_view series);

}  // namespace kestrune

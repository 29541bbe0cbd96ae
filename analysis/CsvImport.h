#pragma once

#include <filesystem>
#include <string_view>

#include "core/Response.h"
#include "core/Series.h"
#include "core/StudyDisk.h"

namespace kestrune {

// Reads answers in the long layout back (the export's header names; column order free, other
// columns ignored). Required are subject, trial, image and one of answer and chosen (both must
// agree where both are given); panel_a, panel_b and word, when present, must be the series'
// own; series, group and file are not looked at. Rows come in any order; subjects are numbered
// in the order they first appear, and each must have every trial with every image exactly once.
// Every fault is a UserError naming the CSV line (the header is line 1); `shownName` names the
// file in them.
TResponseMatrix readLongCsv(const std::filesystem::path& csv, std::string_view shownName,
                            const TSeries& series);

// Where an import of a series' data file named `name` writes (the name checked as every typed
// name is). The caller asks before replacing an existing file.
std::filesystem::path importTarget(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                   std::string_view name);

// Reads the CSV against the series and only then writes the data file atomically: on any
// error nothing is written. Returns the number of subjects.
int importLongCsv(const StudyDisk& disk, TSexGroup group, std::string_view series, std::string_view name,
                  const std::filesystem::path& csv);

}  // namespace kestrune

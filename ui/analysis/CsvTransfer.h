#pragma once

#include <string>

#include "core/StudyDisk.h"

namespace kestrune {

class Prompter;

// The data file list's CSV items. Failures are shown through the prompter.

// Asks where to write and in which layout (the file type chosen in the save dialog), then
// writes the data file as CSV.
void exportDataFileAsCsv(Prompter& prompter, const StudyDisk& disk, TSexGroup group,
                         const std::string& series, const std::string& file);

// Asks for a CSV file in the long layout and reads it into a new data file of the series and
// group, named as the CSV file is without its extension; a file of that name is replaced only
// when the user says so. True when a data file was written.
bool importDataFileFromCsv(Prompter& prompter, const StudyDisk& disk, TSexGroup group,
                           const std::string& series);

// The save dialog's file types, in the order shown.
inline constexpr const char* kLongCsvFilter = "縦長形式 CSV (*.csv)";
inline constexpr const char* kLongExcelCsvFilter = "縦長形式 CSV Excel用 (*.csv)";
inline constexpr const char* kPaircompCsvFilter = "一対比較形式 CSV (*.csv)";
inline constexpr const char* kPaircompExcelCsvFilter = "一対比較形式 CSV Excel用 (*.csv)";

}  // namespace kestrune

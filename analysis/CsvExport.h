#pragma once

#include <string>
#include <string_view>

#include "core/AtomicFile.h"
#include "core/Series.h"
#include "core/StudyDisk.h"

namespace kestrune {

// The layouts a data file leaves the program in for R, Python or a spreadsheet.
enum class CsvLayout {
    Long,      // one row per answer
    Paircomp,  // one row per subject and image, one column per unordered pair (R's psychotools)
};

// How the text is laid down: UTF-8 with LF, or with a byte order mark and CR LF, which the
// office suites open without asking for the encoding.
enum class CsvFlavour { Plain, Excel };

// The header of the long layout, the one the import reads back.
inline constexpr std::string_view kLongCsvHeader =
    "series,group,file,subject,trial,panel_a,panel_b,image,word,answer,chosen";

// The CSV text of one data file of a series, handed to `sink` in pieces of some kilobytes. The file's pair
// and image counts must be the series' (else UserError naming the file), every answer -1, 0 or 1; the
// paircomp layout is refused when a pair of panels is presented more than once or a pair shows one panel
// twice.
void exportCsv(const StudyDisk& disk, TSexGroup group, std::string_view series, std::string_view file,
               CsvLayout layout, CsvFlavour flavour, const ByteSink& sink);
// The same as one text.
std::string exportCsv(const StudyDisk& disk, TSexGroup group, std::string_view series, std::string_view file,
                      CsvLayout layout, CsvFlavour flavour);

}  // namespace kestrune

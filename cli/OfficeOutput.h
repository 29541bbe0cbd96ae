#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "core/TextGrid.h"
#include "output/office/IndividualTabs.h"
#include "output/office/OfficeFiles.h"

namespace kestrune::cli {

// The office form a command was asked for: --xlsx, --docx, or none.
enum class OfficeForm { None, Workbook, Document };
OfficeForm takeOfficeForm(std::vector<std::string>& args, bool documentAllowed);
// The forms a table command writes. With -o, OUT must agree with the form: an office file ends
// in its own extension (.xlsx, .docx), and no form is written under the extension of another
// (.txt, .htm/.html, .rtf, .xlsx, .docx); else UsageError with a Japanese message.
enum class TableForm { Text, Html, RichText, Workbook, Document };
TableForm tableForm(OfficeForm office, bool html, bool richText = false);
void checkOutputName(const std::optional<std::string>& output, TableForm form);
// Whether a command line asks for an office file.
bool wantsOfficeFile(const std::vector<std::string>& args);

// The office writers of the table commands. Only kestrune-cli-draw links them (they bring
// libxlsxwriter, libzip and libcrypto, whose loading alone costs more than a whole text command),
// and registers them here; kestrune-cli hands --xlsx and --docx to that program.
struct OfficeWriters {
    // A workbook is built beside the file it is for: pass scratchDirectory(-o).
    office::OfficeFile (*scaleValueWorkbook)(const TextGrid& grid, const std::string& seriesName,
                                             const std::filesystem::path& directory) = nullptr;
    office::OfficeFile (*scaleValueDocument)(const TextGrid& grid) = nullptr;
    office::OfficeFile (*correlationWorkbook)(const TextGrid& grid, const std::string& seriesName,
                                              const std::filesystem::path& directory) = nullptr;
    office::OfficeFile (*correlationDocument)(const TextGrid& grid) = nullptr;
    office::OfficeFile (*individualWorkbook)(office::IndividualImageTabs& tabs, IndividualScope scope,
                                             const std::filesystem::path& directory) = nullptr;
    // With -o OUT written there whole; otherwise handed to the office suite as a new untitled
    // document (the file's path is printed). A step that failed is reported after the file is
    // delivered, with status 1.
    int (*deliver)(Invocation& invocation, const office::OfficeFile& file,
                   const std::optional<std::string>& outputFile) = nullptr;
};
OfficeWriters& officeWriters();
// The folder an office file is built in: that of -o OUT, else (empty) the hand-over folder.
std::filesystem::path scratchDirectory(const std::optional<std::string>& outputFile);
// The writers, in the program that has them.
const OfficeWriters& requireOfficeWriters();

}  // namespace kestrune::cli

#pragma once

#include <optional>
#include <string>

#include "cli/Command.h"
#include "output/office/OfficeFiles.h"

namespace kestrune::cli {

// The office file of an export: with -o OUT written there whole; otherwise handed to the
// office suite as a new untitled document (the file's path is printed). A step that failed
// is reported after the file is delivered, with status 1.
int deliverOfficeFile(Invocation& invocation, const office::OfficeFile& file,
                      const std::optional<std::string>& outputFile);

// The office form a command was asked for: --xlsx, --docx, or none.
enum class OfficeForm { None, Workbook, Document };
OfficeForm takeOfficeForm(std::vector<std::string>& args, bool documentAllowed);

}  // namespace kestrune::cli

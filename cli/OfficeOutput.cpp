#include "cli/OfficeOutput.h"

#include <algorithm>

#include "core/Error.h"

namespace kestrune::cli {

OfficeForm takeOfficeForm(std::vector<std::string>& args, bool documentAllowed) {
    const bool workbook = takeFlag(args, "--xlsx");
    const bool document = documentAllowed && takeFlag(args, "--docx");
    if (workbook && document)
        throw UsageError("--xlsx and --docx exclude each other");
    return workbook ? OfficeForm::Workbook : document ? OfficeForm::Document : OfficeForm::None;
}

bool wantsOfficeFile(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& arg) { return arg == "--xlsx" || arg == "--docx"; });
}

OfficeWriters& officeWriters() {
    static OfficeWriters writers;
    return writers;
}

const OfficeWriters& requireOfficeWriters() {
    const OfficeWriters& writers = officeWriters();
    // kestrune-cli runs kestrune-cli-draw for office files before any command starts.
    if (!writers.deliver)
        throw UserError("kestrune-cli: Excel/Word 形式のファイルは kestrune-cli-draw が作ります。");
    return writers;
}

}  // namespace kestrune::cli

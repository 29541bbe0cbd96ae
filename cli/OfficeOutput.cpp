#include "cli/OfficeOutput.h"

#include <ostream>

#include "core/AtomicFile.h"
#include "output/office/OfficeLauncher.h"

namespace kestrune::cli {

int deliverOfficeFile(Invocation& invocation, const office::OfficeFile& file,
                      const std::optional<std::string>& outputFile) {
    if (outputFile) {
        writeFileAtomically(pathFromUtf8(*outputFile), file.bytes);
    } else {
        const std::filesystem::path path = office::writeHandOverFile(file.bytes, file.suffix);
        invocation.out << pathToUtf8(path) << '\n';
        const office::LaunchResult launch = office::openInOfficeSuite(path);
        if (!launch.started) {
            invocation.err << launch.failure << '\n';
            return 1;
        }
    }
    if (!file.failure.empty()) {
        invocation.err << file.failure << '\n';
        return 1;
    }
    return 0;
}

OfficeForm takeOfficeForm(std::vector<std::string>& args, bool documentAllowed) {
    const bool workbook = takeFlag(args, "--xlsx");
    const bool document = documentAllowed && takeFlag(args, "--docx");
    if (workbook && document)
        throw UsageError("--xlsx and --docx exclude each other");
    return workbook ? OfficeForm::Workbook : document ? OfficeForm::Document : OfficeForm::None;
}

}  // namespace kestrune::cli

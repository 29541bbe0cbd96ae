// The office writers of the table commands, registered in kestrune-cli-draw, the program that
// links them.

#include "cli/OfficeOutput.h"
#include "core/AtomicFile.h"
#include "output/office/OfficeLauncher.h"

namespace kestrune::cli {
namespace {

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

const bool registered = [] {
    OfficeWriters& writers = officeWriters();
    writers.scaleValueWorkbook = office::scaleValueWorkbook;
    writers.scaleValueDocument = office::scaleValueDocument;
    writers.correlationWorkbook = office::correlationWorkbook;
    writers.correlationDocument = office::correlationDocument;
    writers.individualWorkbook = office::individualWorkbook;
    writers.deliver = deliverOfficeFile;
    return true;
}();

}  // namespace
}  // namespace kestrune::cli

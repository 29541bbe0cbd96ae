#include "cli/DrawingProgram.h"

#include <unistd.h>

#include <system_error>

#include "core/StudyDisk.h"

namespace kestrune::cli {

static constexpr const char* kDrawingProgram = "kestrune-cli-draw";

std::filesystem::path drawingProgramPath() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path directory = error ? std::filesystem::path("/usr/bin") : self.parent_path();
    const std::filesystem::path installed = directory.parent_path() / "lib" / "kestrune" / kDrawingProgram;
    for (const std::filesystem::path& candidate : {directory / kDrawingProgram, installed}) {
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return installed;
}

int runDrawingProgram(char* argv[], Output& err) {
    const std::filesystem::path program = drawingProgramPath();
    execv(program.c_str(), argv);
    err << "kestrune-cli: 図を描くプログラム " << pathToUtf8(program) << " を起動できません。\n";
    return 1;
}

}  // namespace kestrune::cli

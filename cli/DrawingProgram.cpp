#include "cli/DrawingProgram.h"

#include <unistd.h>

#include <system_error>

#include "core/StudyDisk.h"

namespace kestrune::cli {

static constexpr const char* kDrawingProgram = "kestrune-cli-draw";
static constexpr const char* kCollectProgram = "kestrune-cli-collect";

static std::filesystem::path helperProgramPath(const char* name) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path directory = error ? std::filesystem::path("/usr/bin") : self.parent_path();
    const std::filesystem::path installed = directory.parent_path() / "lib" / "kestrune" / name;
    for (const std::filesystem::path& candidate : {directory / name, installed}) {
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return installed;
}

std::filesystem::path drawingProgramPath() {
    return helperProgramPath(kDrawingProgram);
}

std::filesystem::path collectProgramPath() {
    return helperProgramPath(kCollectProgram);
}

int runCollectProgram(char* argv[], Output& err) {
    const std::filesystem::path program = collectProgramPath();
    execv(program.c_str(), argv);
    err << "kestrune-cli: 回答を受け付けるプログラム " << pathToUtf8(program) << " を起動できません。\n";
    return 1;
}

int runDrawingProgram(char* argv[], Output& err) {
    const std::filesystem::path program = drawingProgramPath();
    execv(program.c_str(), argv);
    err << "kestrune-cli: 図を描くプログラム " << pathToUtf8(program) << " を起動できません。\n";
    return 1;
}

}  // namespace kestrune::cli

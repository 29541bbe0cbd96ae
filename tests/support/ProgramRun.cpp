#include "tests/support/ProgramRun.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "tests/support/TempDisk.h"

namespace kestrune::testing {

ProgramRun runProgram(const std::string& commandLine, bool mergeErrors) {
    TempDisk scratch;
    const std::filesystem::path errFile = scratch.path("stderr.txt");
    const std::string redirection = mergeErrors ? " 2>&1" : " 2>'" + errFile.string() + "'";
    const std::string command = "( " + commandLine + " )" + redirection + " </dev/null";
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> buffer{};
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (!mergeErrors && std::filesystem::exists(errFile))
        run.err = readBytes(errFile);
    return run;
}

}  // namespace kestrune::testing

#pragma once

#include <string>

namespace kestrune::testing {

// A finished program: its exit status (-1 when it did not exit normally) and what it wrote.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;  // empty when standard error was merged into `out`
};

// Runs a shell command line with standard input from /dev/null, so the program never sees a
// terminal, and captures standard output and standard error apart, or together in `out`.
ProgramRun runProgram(const std::string& commandLine, bool mergeErrors = false);

}  // namespace kestrune::testing

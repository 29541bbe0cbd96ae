#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/Output.h"
#include "core/StudyDisk.h"

namespace kestrune::cli {

// A wrong call: the usage line is printed and the program exits with status 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Invocation {
    StudyDisk disk;
    std::vector<std::string> args;  // the command's own arguments
    Output& out;
    Output& err;
    bool interactive = false;  // standard input is a terminal
};

using CommandFunction = int (*)(Invocation&);

// One argument or option as the manual explains it.
struct ArgumentHelp {
    std::string name;  // "SERIES", "--html", "-o OUT"
    std::string text;  // Japanese, one or two sentences
};

// What a command tells its user. `kestrune-cli --help`, `kestrune-cli COMMAND --help` and the man
// page are all made from these texts, so a new command documents itself where it registers.
struct CommandHelp {
    std::string usage{};        // arguments after the name; option names in English
    std::string summary{};      // one line for the list of commands
    std::string description{};  // one paragraph; the manual fills and wraps it
    std::vector<ArgumentHelp> arguments{};
    // Whole command lines starting with "kestrune-cli", run inside a copy of the sample study disk;
    // a test runs every one of them and expects exit status 0.
    std::vector<std::string> examples{};
};

// Each command file registers its commands with a static instance of this.
struct CommandRegistration {
    CommandRegistration(const char* name, CommandHelp help, CommandFunction function);
    // A command without its manual yet: listed with its usage only (the manual's test asks for the
    // rest).
    CommandRegistration(const char* name, const char* usage, CommandFunction function);
};

// The function of a drawing command as kestrune-cli registers it: the command is known there by
// its manual, and its work is done by kestrune-cli-draw, which registers it with DrawingWork.
inline constexpr CommandFunction kWorkInDrawingProgram = nullptr;
struct DrawingWork {
    DrawingWork(const char* name, CommandFunction function);
};

struct Command {
    std::string name;
    CommandHelp help;
    CommandFunction function;  // kWorkInDrawingProgram for a drawing command
};
const std::vector<Command>& commands();
const Command* findCommand(const std::string& name);
// What carries out the command in this program; null when it is a drawing command and this
// program is not the one that draws.
CommandFunction workOf(const Command& command);

// Argument helpers: a flag present (removed from args), an option's value (removed), and the
// remaining positional arguments (exactly `count` of them, else UsageError).
bool takeFlag(std::vector<std::string>& args, const std::string& flag);
std::optional<std::string> takeOption(std::vector<std::string>& args, const std::string& option);
std::vector<std::string> positionals(const std::vector<std::string>& args, std::size_t count);

// The question "同名のファイルが存在しますが、上書きしますか?": on a terminal the user answers it;
// otherwise the answer is no.
bool overwriteConfirmed(Invocation& invocation);

// Sends lines to their destination: with an output file, exactly the bytes the application's
// own save writes (CP932, CR LF, atomically); otherwise standard output in UTF-8 with LF.
void emitLines(Invocation& invocation, const std::vector<std::string>& lines,
               const std::optional<std::string>& outputFile);
// The same for a document that is already bytes (RTF, HTML bodies already encoded).
void emitBytes(Invocation& invocation, const std::string& bytes,
               const std::optional<std::string>& outputFile);

}  // namespace kestrune::cli

#pragma once

#include <string>

#include "cli/Command.h"

namespace kestrune::cli {

// The batch program's manual, made from the registered commands' own texts.

// `kestrune-cli --help`: what the program does, its common option and the list of commands.
std::string overviewHelp();

// `kestrune-cli COMMAND --help`: usage, description, arguments and options, examples.
std::string commandHelp(const Command& command);

// The usage line printed after a wrong call.
std::string usageLine(const Command& command);

// The whole manual as a man page (groff, UTF-8); `kestrune-cli --man` prints it and the build
// installs it as kestrune-cli(1).
std::string manPage();

}  // namespace kestrune::cli

#pragma once

#include <filesystem>

#include "cli/Output.h"

namespace kestrune::cli {

// kestrune-cli-draw: the program that carries out the drawing commands. It is installed in the
// package's own library directory (/usr/lib/kestrune) and lies beside kestrune-cli in a build tree;
// returns the first of those that exists, or the installed path when neither does.
std::filesystem::path drawingProgramPath();

// Replaces this process by kestrune-cli-draw with the same arguments, so that the drawing command
// has the same terminal, standard streams and exit status as if this program ran it. Returns only
// when the program cannot be started, after saying so on standard error, with status 1.
int runDrawingProgram(char* argv[], Output& err);

// The same for kestrune-cli-collect, the program that carries out `collect` (it links the HTTP
// server and the QR code encoder, which kestrune-cli keeps out of its own start-up).
std::filesystem::path collectProgramPath();
int runCollectProgram(char* argv[], Output& err);

}  // namespace kestrune::cli

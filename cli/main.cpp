// kestrune-cli: the study disk's listings, analyses and figures from the command line.
#include <unistd.h>

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "core/Error.h"

using namespace kestrune;

static void printUsage(std::ostream& out) {
    out << "usage: kestrune-cli [--root DIR] COMMAND ...\n";
    for (const cli::Command& command : cli::commands()) {
        out << "  " << command.name << (command.usage.empty() ? "" : " ") << command.usage << '\n';
    }
}

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string root = ".";
    if (args.size() >= 2 && args[0] == "--root") {
        root = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        printUsage(args.empty() ? std::cerr : std::cout);
        return args.empty() ? 2 : 0;
    }
    const std::string name = args[0];
    args.erase(args.begin());
    for (const cli::Command& command : cli::commands()) {
        if (command.name != name)
            continue;
        cli::Invocation invocation{StudyDisk(pathFromUtf8(root)), args, std::cout, std::cerr,
                                   isatty(STDIN_FILENO) != 0};
        try {
            return command.function(invocation);
        } catch (const cli::UsageError& error) {
            std::cerr << "kestrune-cli: " << error.what() << '\n'
                      << "usage: kestrune-cli [--root DIR] " << command.name << ' ' << command.usage << '\n';
            return 2;
        } catch (const UserError& error) {
            std::cerr << error.what() << '\n';
            return 1;
        } catch (const std::exception& error) {
            // A library's own (English) text never reaches the user.
            std::cerr << userMessageOf(error) << '\n';
            return 1;
        }
    }
    std::cerr << "kestrune-cli: unknown command " << name << '\n';
    printUsage(std::cerr);
    return 2;
}

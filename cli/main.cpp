// kestrune-cli: the study disk's listings, analyses and figures from the command line. The same
// source makes kestrune-cli-draw, which also has the work of the drawing commands.
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DrawingProgram.h"
#include "cli/Manual.h"
#include "cli/OfficeOutput.h"
#include "core/Error.h"

using namespace kestrune;

static bool asksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& a) { return a == "--help" || a == "-h"; });
}

static int run(int argc, char* argv[], cli::Output& out, cli::Output& err) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string root = ".";
    if (args.size() >= 2 && args[0] == "--root") {
        root = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) {
        err << cli::overviewHelp();
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        out << cli::overviewHelp();
        return 0;
    }
    if (args[0] == "--man") {
        out << cli::manPage();
        return 0;
    }
    const std::string name = args[0];
    args.erase(args.begin());
    const cli::Command* command = cli::findCommand(name);
    if (!command) {
        err << "kestrune-cli: " << name << " というコマンドはありません。\n\n" << cli::overviewHelp();
        return 2;
    }
    if (asksForHelp(args)) {
        out << cli::commandHelp(*command);
        return 0;
    }
    const cli::CommandFunction work = cli::workOf(*command);
    // The drawing commands, and office files, are made by the program that links their writers.
    if (!work && command->name == "collect")
        return cli::runCollectProgram(argv, err);
    if (!work || (cli::wantsOfficeFile(args) && !cli::officeWriters().deliver))
        return cli::runDrawingProgram(argv, err);
    if (!cli::studyDiskExists(pathFromUtf8(root), err))
        return 1;
    cli::Invocation invocation{StudyDisk(pathFromUtf8(root)), args, out, err, isatty(STDIN_FILENO) != 0};
    try {
        return work(invocation);
    } catch (const cli::UsageError& error) {
        err << "kestrune-cli: " << error.what() << '\n'
            << cli::usageLine(*command) << '\n'
            << "詳しくは kestrune-cli " << command->name << " --help で表示します。\n";
        return 2;
    } catch (const UserError& error) {
        err << error.what() << '\n';
        return 1;
    } catch (const std::exception& error) {
        // A library's own (English) text never reaches the user.
        err << userMessageOf(error) << '\n';
        return 1;
    }
}

int main(int argc, char* argv[]) {
    // Messages on standard error, and listings shown on a terminal, show control characters
    // visibly; output redirected to a file or a pipe keeps its exact bytes.
    cli::Output out(STDOUT_FILENO, cli::Output::Buffering::Blocks, isatty(STDOUT_FILENO) != 0);
    cli::Output err(STDERR_FILENO, cli::Output::Buffering::None, true);
    int status = run(argc, argv, out, err);
    out.flush();
    if (out.failed()) {
        err << cli::outputLostMessage(out.failure()) << '\n';
        status = status == 0 ? 1 : status;
    }
    if (err.failed() && status == 0)
        status = 1;
    return status;
}

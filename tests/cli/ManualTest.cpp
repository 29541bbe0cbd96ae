// The batch program's manual as its user reads it: every command listed by --help has a
// description and examples, and every example runs as printed on a copy of the sample disk.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempDisk.h"

using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;

namespace {

struct ShellRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line in `directory`; standard input is empty.
ShellRun runShell(const std::string& commandLine, const std::filesystem::path& directory) {
    TempDisk scratch;
    const std::filesystem::path errFile = scratch.path("stderr.txt");
    const std::string command =
        "cd '" + directory.string() + "' && (" + commandLine + ") 2>'" + errFile.string() + "' </dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ShellRun run;
    std::array<char, 4096> buffer{};
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = std::filesystem::exists(errFile) ? readBytes(errFile) : "";
    return run;
}

std::string cli() {
    return std::string("'") + KESTRUNE_CLI + "'";
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    return all;
}

// The indented lines of a section of the help ("コマンド:", "例:"), up to the next empty line.
std::vector<std::string> section(const std::string& help, const std::string& heading) {
    std::vector<std::string> items;
    bool inside = false;
    for (const std::string& line : lines(help)) {
        if (line == heading) {
            inside = true;
        } else if (inside && line.empty()) {
            break;
        } else if (inside && line.rfind("  ", 0) == 0) {
            items.push_back(line.substr(2));
        }
    }
    return items;
}

std::vector<std::string> listedCommands() {
    const ShellRun help = runShell(cli() + " --help", ".");
    EXPECT_EQ(help.status, 0);
    std::vector<std::string> names;
    for (const std::string& item : section(help.out, "コマンド:")) {
        if (item[0] != ' ')
            names.push_back(item.substr(0, item.find(' ')));
    }
    return names;
}

// A copy of the sample study disk the examples may write into.
void copySampleDisk(const TempDisk& disk) {
    std::filesystem::copy(std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk", disk.root(),
                          std::filesystem::copy_options::recursive);
}

std::set<std::filesystem::path> filesOf(const TempDisk& disk) {
    std::set<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(disk.root())) {
        if (entry.is_regular_file())
            files.insert(entry.path());
    }
    return files;
}

std::vector<std::filesystem::path> newFiles(const TempDisk& disk,
                                            const std::set<std::filesystem::path>& before) {
    std::vector<std::filesystem::path> added;
    for (const std::filesystem::path& file : filesOf(disk)) {
        if (!before.count(file))
            added.push_back(file);
    }
    return added;
}

}  // namespace

TEST(CliManual, EveryExampleRunsAsPrintedOnTheSampleDisk) {
    const std::vector<std::string> commands = listedCommands();
    ASSERT_GE(commands.size(), 8u);
    for (const std::string& name : commands) {
        SCOPED_TRACE(name);
        const ShellRun help = runShell(cli() + " " + name + " --help", ".");
        ASSERT_EQ(help.status, 0);
        ASSERT_EQ(help.out.rfind("usage: kestrune-cli [--root DIR] " + name, 0), 0u) << help.out;
        // Usage, summary and description are three paragraphs before the arguments and examples.
        EXPECT_GE(lines(help.out).size(), 6u) << "the registration of " << name << " lacks its texts";
        const std::vector<std::string> examples = section(help.out, "例:");
        EXPECT_FALSE(examples.empty()) << "the registration of " << name << " lacks an example";
        for (const std::string& example : examples) {
            SCOPED_TRACE(example);
            ASSERT_EQ(
                example.rfind("kestrune-cli " + name + " ", 0) == 0 || example == "kestrune-cli " + name,
                true);
            TempDisk disk;
            copySampleDisk(disk);
            const std::set<std::filesystem::path> before = filesOf(disk);
            // A collection session runs until it is stopped: SIGTERM ends it as Ctrl+C would.
            const std::string stop = name == "collect" ? "timeout --preserve-status -s TERM 3 " : "";
            const ShellRun run =
                runShell(stop + cli() + example.substr(std::string("kestrune-cli").size()), disk.root());
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.err, "");
            // An example either prints its result or writes new files onto the disk.
            const std::vector<std::filesystem::path> written = newFiles(disk, before);
            EXPECT_TRUE(!run.out.empty() || !written.empty());
            for (const std::filesystem::path& file : written)
                EXPECT_GT(std::filesystem::file_size(file), 0u) << file;
        }
    }
}

TEST(CliManual, HelpAnywhereOnTheLineShowsTheManualAndRunsNothing) {
    TempDisk disk;
    copySampleDisk(disk);
    const ShellRun run =
        runShell(cli() + " merge 色彩の印象 --into 新しい mix:大学生2026 --help", disk.root());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("usage: kestrune-cli [--root DIR] merge SERIES --into NAME", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(disk.path("mix/色彩の印象/新しい.dat")));
}

TEST(CliManual, WrongCallsPointToTheManual) {
    const ShellRun missing = runShell(cli() + " aggregate 色彩の印象", ".");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("usage: kestrune-cli [--root DIR] aggregate SERIES GROUP FILE"),
              std::string::npos);
    EXPECT_NE(missing.err.find("kestrune-cli aggregate --help"), std::string::npos);
    const ShellRun unknown = runShell(cli() + " aggregat", ".");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("aggregat というコマンドはありません。"), std::string::npos);
    EXPECT_NE(unknown.err.find("コマンド:"), std::string::npos);
    const ShellRun none = runShell(cli(), ".");
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("usage: kestrune-cli"), std::string::npos);
}

TEST(CliManual, ManPageHasEveryCommandAndFormatsWithoutWarnings) {
    const ShellRun man = runShell(cli() + " --man", ".");
    ASSERT_EQ(man.status, 0);
    for (const std::string& name : listedCommands()) {
        std::string escaped;
        for (char c : name)
            escaped += c == '-' ? std::string("\\-") : std::string(1, c);
        EXPECT_NE(man.out.find("\n.SS " + escaped + "\n"), std::string::npos) << name;
    }
    if (runShell("command -v groff && command -v preconv", ".").status != 0)
        GTEST_SKIP() << "groff is not installed";
    const ShellRun formatted = runShell(cli() + " --man | preconv | groff -man -Tutf8 -ww -z", ".");
    EXPECT_EQ(formatted.status, 0);
    EXPECT_EQ(formatted.err, "");
}

// The Japanese user guide (docs/ja) as a reader follows it: every picture it shows exists, and every
// batch command it prints runs as printed on a copy of the sample disk.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempDisk.h"

using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;

namespace {

const std::filesystem::path kDocs = std::filesystem::path(KESTRUNE_EXAMPLES).parent_path() / "docs";

std::vector<std::filesystem::path> guidePages() {
    std::vector<std::filesystem::path> pages;
    for (const auto& entry : std::filesystem::directory_iterator(kDocs / "ja")) {
        if (entry.path().extension() == ".md")
            pages.push_back(entry.path());
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    return all;
}

// The commands the program knows, read from its own list of commands.
std::vector<std::string> knownCommands() {
    const std::string listFile =
        (std::filesystem::temp_directory_path() / "kestrune-guide-help.txt").string();
    EXPECT_EQ(std::system((std::string("'") + KESTRUNE_CLI + "' --help >'" + listFile + "'").c_str()), 0);
    std::vector<std::string> names;
    bool inside = false;
    for (const std::string& line : lines(readBytes(listFile))) {
        if (line == "コマンド:")
            inside = true;
        else if (inside && line.empty())
            break;
        else if (inside && line.rfind("  ", 0) == 0 && line[2] != ' ')
            names.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    std::filesystem::remove(listFile);
    return names;
}

}  // namespace

TEST(Guide, EveryPictureItShowsExists) {
    const std::regex picture(R"(!\[[^\]]*\]\(([^)]+)\))");
    int pictures = 0;
    for (const std::filesystem::path& page : guidePages()) {
        const std::string text = readBytes(page);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), picture); it != std::sregex_iterator();
             ++it) {
            ++pictures;
            EXPECT_TRUE(std::filesystem::is_regular_file(page.parent_path() / (*it)[1].str()))
                << page.filename() << " shows " << (*it)[1].str();
        }
    }
    EXPECT_GE(pictures, 10);
}

TEST(Guide, EveryBatchCommandRunsAsPrinted) {
    const std::vector<std::string> known = knownCommands();
    ASSERT_FALSE(known.empty());
    int run = 0;
    for (const std::filesystem::path& page : guidePages()) {
        for (std::string line : lines(readBytes(page))) {
            // Code lines are indented by four spaces; a line with a shell variable belongs to a loop.
            if (line.rfind("    kestrune-cli ", 0) != 0 || line.find('$') != std::string::npos)
                continue;
            line = line.substr(4);
            std::istringstream words(line);
            std::string program, word, command;
            words >> program;
            while (words >> word) {
                if (word == "--root") {
                    words >> word;
                    continue;
                }
                if (word.rfind("--", 0) == 0)
                    break;  // "--help" and the like: no command
                command = word;
                break;
            }
            if (command.empty() || std::find(known.begin(), known.end(), command) == known.end()) {
                // A section written ahead of its command; it runs here once the command is merged.
                std::cout << "not run (no such command yet): " << line << '\n';
                continue;
            }
            SCOPED_TRACE(page.filename().string() + ": " + line);
            TempDisk disk;
            std::filesystem::copy(std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk", disk.root(),
                                  std::filesystem::copy_options::recursive);
            std::string arguments = line.substr(program.size());
            const std::string home = "--root ~/見本の調査ディスク";
            if (const std::size_t at = arguments.find(home); at != std::string::npos)
                arguments.replace(at, home.size(), "--root '" + disk.root().string() + "'");
            // A collection session runs until it is stopped: SIGTERM ends it as Ctrl+C would.
            const std::string stop = command == "collect" ? "timeout --preserve-status -s TERM 3 " : "";
            const std::string shell = "cd '" + disk.root().string() + "' && " + stop + "'" + KESTRUNE_CLI + "'" +
                                      arguments + " >/dev/null 2>'" + disk.path("stderr.txt").string() +
                                      "' </dev/null";
            const int status = std::system(shell.c_str());
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << readBytes(disk.path("stderr.txt"));
            ++run;
        }
    }
    EXPECT_GE(run, 4);
}

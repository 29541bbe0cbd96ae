#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace kestrune::office {

// Hands a file to the office suite as a new, untitled document, without waiting for it:
// LibreOffice's `soffice -n FILE` when soffice is on the search path, else the desktop's
// opener `xdg-open FILE`.
struct LaunchResult {
    bool started = false;
    std::string program;  // the program started, or tried
    std::string failure;  // what is missing or failed, in the user's words; empty when started
};
LaunchResult openInOfficeSuite(const std::filesystem::path& file);
using Launcher = std::function<LaunchResult(const std::filesystem::path&)>;

// A new file for a workbook or document on its way to the suite, in a directory of the
// user's temporary space that outlives the export (the suite reads the file after we return).
// Writes the bytes whole; throws UserError when that fails.
std::filesystem::path writeHandOverFile(const std::string& bytes, const std::string& suffix);

// That directory ($TMPDIR or /tmp, then kestrune-office), made when missing; throws UserError
// when it cannot be.
std::filesystem::path handOverDirectory();

// Removes the hand-over files of ours (and scratch files a crash left there) last changed more
// than `age` ago: only names this program gives them, and only files of this user. Returns how
// many were removed; never fails.
int sweepOldHandOverFiles(std::chrono::seconds age = std::chrono::hours(24));

}  // namespace kestrune::office

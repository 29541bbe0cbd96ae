#include "output/office/OfficeLauncher.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/StudyDisk.h"

extern char** environ;

// Plain POSIX rather than QProcess: the batch program hands files over without loading Qt.
namespace kestrune::office {
namespace {

// The first executable file of that name on the search path; empty when there is none.
std::string findExecutable(std::string_view name) {
    const char* searchPath = std::getenv("PATH");
    std::string_view rest = searchPath ? searchPath : "";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view directory = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (directory.empty())
            continue;
        std::string candidate = std::string(directory) + '/' + std::string(name);
        std::error_code error;
        if (access(candidate.c_str(), X_OK) == 0 && std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}

// Starts the program and does not wait for it: a short-lived child starts it in a session of its
// own and ends at once, so the program is never left a zombie of ours. True when it was started.
bool startDetached(const std::string& program, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        setsid();
        pid_t started = 0;
        _exit(posix_spawn(&started, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0 ? 0 : 1);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The user's temporary space: $TMPDIR when set, else /tmp.
std::filesystem::path temporaryDirectory() {
    const char* configured = std::getenv("TMPDIR");
    std::string directory = configured && *configured ? configured : "/tmp";
    while (directory.size() > 1 && directory.back() == '/')
        directory.pop_back();
    return pathFromUtf8(directory);
}

}  // namespace

LaunchResult openInOfficeSuite(const std::filesystem::path& file) {
    const std::string path = pathToUtf8(file);
    LaunchResult result;
    const std::string soffice = findExecutable("soffice");
    if (!soffice.empty()) {
        result.program = "soffice";
        // -n: a new document made from the file, so the suite shows it untitled and unsaved.
        result.started = startDetached(soffice, {"-n", path});
        if (!result.started)
            result.failure = "LibreOffice (soffice) を起動できません。";
        return result;
    }
    const std::string opener = findExecutable("xdg-open");
    if (!opener.empty()) {
        result.program = "xdg-open";
        result.started = startDetached(opener, {path});
        if (!result.started)
            result.failure = "ファイルを開くプログラム (xdg-open) を起動できません。";
        return result;
    }
    result.failure =
        "オフィスソフトが見つかりません。LibreOffice (soffice) も、ファイルを開くプログラム "
        "(xdg-open) もインストールされていません。";
    return result;
}

std::filesystem::path handOverDirectory() {
    const std::filesystem::path directory = temporaryDirectory() / "kestrune-office";
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error || !std::filesystem::is_directory(directory, error))
        throw UserError(messages::cannotCreate(pathToUtf8(directory)));
    return directory;
}

namespace {

// "kestrune-XXXXXX.xlsx" or ".docx" as writeHandOverFile names them, or a scratch file.
bool isHandOverName(const std::string& name) {
    const bool handedOver = name.size() == 20 && name.rfind("kestrune-", 0) == 0 &&
                            (name.ends_with(".xlsx") || name.ends_with(".docx"));
    return handedOver || isTemporaryWriteName(name);
}

}  // namespace

int sweepOldHandOverFiles(std::chrono::seconds age) {
    const std::filesystem::path directory = temporaryDirectory() / "kestrune-office";
    const auto now = std::filesystem::file_time_type::clock::now();
    std::error_code error;
    int removed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        struct stat status {};
        if (!isHandOverName(pathToUtf8(entry.path().filename())) ||
            lstat(entry.path().c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
            status.st_uid != getuid())
            continue;
        std::error_code ignored;
        const auto changed = std::filesystem::last_write_time(entry.path(), ignored);
        if (!ignored && now - changed > age && std::filesystem::remove(entry.path(), ignored))
            ++removed;
    }
    return removed;
}

std::filesystem::path writeHandOverFile(const std::string& bytes, const std::string& suffix) {
    const std::filesystem::path directory = handOverDirectory();
    // mkstemps reserves a fresh name (mode 0600) that the atomic write then replaces whole.
    std::string reserved = pathToUtf8(directory / ("kestrune-XXXXXX." + suffix));
    const int descriptor = mkstemps(reserved.data(), static_cast<int>(suffix.size()) + 1);
    if (descriptor < 0)
        throw UserError(messages::cannotCreate(pathToUtf8(directory)));
    close(descriptor);
    const std::filesystem::path path = pathFromUtf8(reserved);
    writeFileAtomically(path, bytes);
    return path;
}

}  // namespace kestrune::office

#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <optional>
#include <random>
#include <string>

#include "core/Error.h"
#include "core/RealPaths.h"
#include "core/StudyDisk.h"

namespace kestrune {
namespace {

constexpr std::string_view kTemporaryMarker = ".kestrune-tmp-";

std::mutex hookMutex;
WriteFaultHook faultHook;

int injectedFault(std::string_view step) {
    std::lock_guard lock(hookMutex);
    return faultHook ? faultHook(step) : 0;
}

std::string randomSuffix() {
    static std::atomic<unsigned> counter{0};
    std::random_device device;
    return std::to_string(::getpid()) + "-" + std::to_string(device() % 1000000) + "-" +
           std::to_string(counter.fetch_add(1));
}

// A step of the write: the injected fault if any, else the real call's result.
template <typename Call>
bool step(std::string_view name, Call call) {
    if (const int fault = injectedFault(name); fault != 0) {
        errno = fault;
        return false;
    }
    return call();
}

}  // namespace

void setWriteFaultHook(WriteFaultHook hook) {
    std::lock_guard lock(hookMutex);
    faultHook = std::move(hook);
}

bool isTemporaryWriteName(std::string_view fileName) {
    return fileName.find(kTemporaryMarker) != std::string_view::npos;
}

std::string writeFailureReason(int error, const std::filesystem::path& directory) {
    std::string reason;
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            reason = "ディスクの空きが足りません。";
            break;
        case EROFS:
            reason = "ディスクが読み出し専用です。";
            break;
        case EACCES:
        case EPERM:
            // A full FAT stick answers EPERM as well.
            reason = formatMessage(
                "フォルダ %s に書き込めません (読み出し専用か、書き込む権限がないか、"
                "ディスクがいっぱいです)。",
                pathToUtf8(directory));
            break;
        case ENOENT:
        case ENOTDIR:
            reason = formatMessage("フォルダ %s がありません。", pathToUtf8(directory));
            break;
        case EISDIR:
            reason = "同じ名前のフォルダがあります。";
            break;
        case ENAMETOOLONG:
            reason = "名前が長すぎます。";
            break;
        case EIO:
            reason = "ディスクの読み書きに失敗しました。";
            break;
        default:
            reason = "書き込みに失敗しました (エラー番号 " + std::to_string(error) + ")。";
            break;
    }
    return reason;
}

namespace {

// Why a step failed, in the user's words, before the runtime's text that names the file.
std::string failureText(const std::string& label, int error, const std::filesystem::path& directory) {
    return writeFailureReason(error, directory) + messages::cannotCreate(label);
}

[[noreturn]] void refuse(const std::string& label, int error, const std::filesystem::path& directory) {
    throw UserError(failureText(label, error, directory));
}

// Starts the disk writing a large file's earlier megabytes while its later ones are still being
// made, so that the flush at the end waits for the last stretch only, not for all of it.
class WriteBehind {
  public:
    void wrote(int fd, std::size_t bytes) {
        written_ += bytes;
#ifdef SYNC_FILE_RANGE_WRITE
        if (written_ - started_ < kStretchBytes)
            return;
        // Only a hint: where it fails, the fsync still does all the work.
        ::sync_file_range(fd, static_cast<off_t>(started_), static_cast<off_t>(written_ - started_),
                          SYNC_FILE_RANGE_WRITE);
        started_ = written_;
#else
        (void)fd;
#endif
    }

  private:
    static constexpr std::size_t kStretchBytes = 1u << 20;
    std::size_t written_ = 0;
    std::size_t started_ = 0;
};

// A device, a FIFO or a socket (/dev/null, /dev/stdout, a named pipe) is written as it is: it
// cannot be replaced by a renamed file, and replacing it would break it.
bool isSpecialFile(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}

void writeSpecialFile(const std::filesystem::path& target,
                      const std::function<void(const ByteSink&)>& produce) {
    const std::string label = pathToUtf8(target);
    const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : ".";
    int fd = -1;
    do {
        fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        refuse(label, errno, directory);
    struct WriteFailed {
        int error;
    };
    const ByteSink sink = [&](std::string_view bytes) {
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                throw WriteFailed{n < 0 ? errno : EIO};
            written += static_cast<std::size_t>(n);
        }
    };
    try {
        produce(sink);
    } catch (const WriteFailed& failed) {
        ::close(fd);
        refuse(label, failed.error, directory);
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0 && errno != EINTR)
        refuse(label, errno, directory);
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    writeFileAtomically(target, [bytes](const ByteSink& sink) { sink(bytes); });
}

void writeFileAtomically(const std::filesystem::path& requested,
                         const std::function<void(const ByteSink&)>& produce) {
    if (isSpecialFile(requested)) {
        writeSpecialFile(requested, produce);
        return;
    }
    // Through a symbolic link the file it leads to is replaced, and the link stays a link. A
    // link loop leads nowhere: the link itself is replaced.
    std::filesystem::path target = requested;
    std::error_code linkError;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(requested, linkError))) {
        if (const std::optional<std::filesystem::path> real = followLinks(requested))
            target = *real;
    }
    const std::string label = pathToUtf8(requested);
    const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : ".";
    if (std::filesystem::is_directory(target, linkError))
        refuse(label, EISDIR, directory);
    // The temporary name does not grow with the target's: every name the name check lets through
    // (up to the system's 255 bytes) can be written.
    std::string temporaryName = ".";
    temporaryName.append(kTemporaryMarker.substr(1));
    temporaryName.append(randomSuffix());
    const std::filesystem::path temporary = directory / pathFromUtf8(temporaryName);

    int fd = -1;
    const bool opened = step("open", [&] {
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        return fd >= 0;
    });
    if (!opened)
        refuse(label, errno, directory);

    auto fail = [&]() {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.c_str());
        refuse(label, error, directory);
    };

    struct WriteFailed {};
    WriteBehind writeBehind;
    const ByteSink sink = [&](std::string_view bytes) {
        std::size_t written = 0;
        while (written < bytes.size()) {
            ssize_t n = -1;
            const bool ok = step("write", [&] {
                n = ::write(fd, bytes.data() + written, bytes.size() - written);
                if (n == 0)
                    errno = ENOSPC;
                return n > 0 || (n < 0 && errno == EINTR);
            });
            if (!ok)
                throw WriteFailed{};
            if (n > 0)
                written += static_cast<std::size_t>(n);
        }
        writeBehind.wrote(fd, bytes.size());
    };
    try {
        produce(sink);
    } catch (const WriteFailed&) {
        fail();
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    if (!step("fsync", [&] { return ::fsync(fd) == 0; }))
        fail();
    const int closing = fd;
    fd = -1;
    if (!step("close", [&] { return ::close(closing) == 0; }))
        fail();
    // Keep the permissions of a file being replaced.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0)
        ::chmod(temporary.c_str(), existing.st_mode & 07777);
    if (!step("rename", [&] { return ::rename(temporary.c_str(), target.c_str()) == 0; }))
        fail();
    // Make the rename itself durable; a failure here no longer affects the content.
    const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

int sweepTemporaryWrites(const std::filesystem::path& directory) {
    std::error_code error;
    int removed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        if (isTemporaryWriteName(pathToUtf8(entry.path().filename())) && entry.is_regular_file(error)) {
            if (std::filesystem::remove(entry.path(), error))
                ++removed;
        }
    }
    return removed;
}

}  // namespace kestrune

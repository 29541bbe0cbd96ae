#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <random>

#include "core/Error.h"
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

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    writeFileAtomically(target, [bytes](const ByteSink& sink) { sink(bytes); });
}

void writeFileAtomically(const std::filesystem::path& target,
                         const std::function<void(const ByteSink&)>& produce) {
    const std::string label = pathToUtf8(target);
    const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : ".";
    std::string temporaryName = ".";
    temporaryName.append(pathToUtf8(target.filename()));
    temporaryName.append(kTemporaryMarker);
    temporaryName.append(randomSuffix());
    const std::filesystem::path temporary = directory / pathFromUtf8(temporaryName);

    int fd = -1;
    const bool opened = step("open", [&] {
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        return fd >= 0;
    });
    if (!opened)
        throw UserError(messages::cannotCreate(label));

    auto fail = [&]() {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.c_str());
        throw UserError(messages::cannotCreate(label));
    };

    struct WriteFailed {};
    const ByteSink sink = [&](std::string_view bytes) {
        std::size_t written = 0;
        while (written < bytes.size()) {
            ssize_t n = -1;
            const bool ok = step("write", [&] {
                n = ::write(fd, bytes.data() + written, bytes.size() - written);
                return n > 0 || (n < 0 && errno == EINTR);
            });
            if (!ok)
                throw WriteFailed{};
            if (n > 0)
                written += static_cast<std::size_t>(n);
        }
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

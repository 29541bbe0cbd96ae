#include "collect/Journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include "core/Error.h"
#include "core/StudyDisk.h"

namespace kestrune::collect {
namespace {

[[noreturn]] void cannotWrite(const std::filesystem::path& path) {
    throw UserError(messages::cannotCreate(StudyDisk::pathLabel(path)));
}

void syncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

Journal::Journal(std::filesystem::path path) : path_(std::move(path)) {
    const bool existed = std::filesystem::exists(path_);
    descriptor_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (descriptor_ < 0)
        cannotWrite(path_);
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor_);
        descriptor_ = -1;
        cannotWrite(path_);
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(descriptor_);
            descriptor_ = -1;
            throw UserError(messages::cannotOpen(StudyDisk::pathLabel(path_)));
        }
        if (got == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines_.push_back(text.substr(start, end - start));
    // A torn last line goes, so the next line does not join it.
    if (start != text.size()) {
        if (::ftruncate(descriptor_, static_cast<off_t>(start)) != 0 || ::fsync(descriptor_) != 0)
            cannotWrite(path_);
    }
    size_ = syncedSize_ = static_cast<off_t>(start);
    if (!existed) {
        ::fsync(descriptor_);
        syncDirectory(path_.parent_path());
    }
}

Journal::~Journal() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

namespace {
int dataSync(int descriptor) {
    return ::fdatasync(descriptor);
}
std::atomic<Journal::SyncFunction> syncFunction{&dataSync};
}  // namespace

void Journal::setSyncFunction(SyncFunction sync) {
    syncFunction = sync ? sync : &dataSync;
}

std::uint64_t Journal::write(std::string_view line) {
    std::lock_guard lock(flushMutex_);
    if (descriptor_ < 0 || failed_)
        cannotWrite(path_);
    std::string bytes(line);
    bytes += '\n';
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote =
            ::pwrite(descriptor_, bytes.data() + done, bytes.size() - done, size_ + static_cast<off_t>(done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            // Whatever part reached the file is taken back, so the next line starts clean.
            if (::ftruncate(descriptor_, size_) != 0)
                failed_ = true;
            cannotWrite(path_);
        }
        done += static_cast<std::size_t>(wrote);
    }
    size_ += static_cast<off_t>(bytes.size());
    return ++written_;
}

Journal::LineState Journal::state(std::uint64_t line) const {
    std::lock_guard lock(flushMutex_);
    for (const auto& [first, last] : lost_) {
        if (line >= first && line <= last)
            return LineState::Lost;
    }
    return line <= synced_ ? LineState::OnDisk : LineState::Pending;
}

void Journal::flush(std::uint64_t line) {
    std::unique_lock lock(flushMutex_);
    for (;;) {
        for (const auto& [first, last] : lost_) {
            if (line >= first && line <= last)
                cannotWrite(path_);
        }
        if (synced_ >= line)
            return;
        if (flushing_) {
            flushed_.wait(lock);
            continue;
        }
        flushing_ = true;
        const std::uint64_t target = written_;
        const off_t targetSize = size_;
        lock.unlock();
        const bool ok = syncFunction.load()(descriptor_) == 0;
        lock.lock();
        flushing_ = false;
        if (ok) {
            synced_ = target;
            syncedSize_ = targetSize;
        } else {
            // Nothing written since the last good flush is known to be on the disk: it all goes,
            // so that a restart does not find answers nobody was told were kept.
            if (written_ > synced_)
                lost_.emplace_back(synced_ + 1, written_);
            synced_ = written_;
            if (::ftruncate(descriptor_, syncedSize_) == 0)
                size_ = syncedSize_;
            else
                failed_ = true;
        }
        flushed_.notify_all();
    }
}

void Journal::remove() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    std::error_code error;
    std::filesystem::remove(path_, error);
    syncDirectory(path_.parent_path());
}

}  // namespace kestrune::collect

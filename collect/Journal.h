#pragma once

#include <sys/types.h>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrune::collect {

// The session's journal beside its data file: one text line per event, each appended with a
// single write and flushed to the disk before the event is acknowledged, so that a program
// killed at any moment has every acknowledged answer on the disk. A last line cut short by the
// kill (no line end) was never acknowledged; it is dropped when the journal is opened again.
class Journal {
  public:
    // Opens the journal at `path`, creating it when absent; lines() are its complete lines then.
    explicit Journal(std::filesystem::path path);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    const std::vector<std::string>& lines() const { return lines_; }
    const std::filesystem::path& path() const { return path_; }

    // Appends one line (without its line end) and flushes it to the disk; throws UserError
    // "ﾌｧｲﾙ %s を作成できません" when it cannot.
    void append(std::string_view line) { flush(write(line)); }

    // The two halves of append, so that answers arriving together share one flush: write()
    // adds the line to the file (callers call it one at a time, in the order of the events) and
    // gives its number; flush() returns once that line is on the disk, waiting for a flush that
    // is already running or running one for every line written so far. A failed flush takes
    // every line not yet on the disk out of the file again and throws for each of them, so the
    // file holds exactly the acknowledged lines; later lines are tried afresh.
    std::uint64_t write(std::string_view line);
    void flush(std::uint64_t line);

    enum class LineState { Pending, OnDisk, Lost };
    LineState state(std::uint64_t line) const;

    // Test seam: replaces fdatasync, so a test can make the disk refuse a flush.
    using SyncFunction = int (*)(int descriptor);
    static void setSyncFunction(SyncFunction sync);

    // Closes and removes the journal once its answers are in the data file.
    void remove();

  private:
    std::filesystem::path path_;
    int descriptor_ = -1;
    std::vector<std::string> lines_;
    mutable std::mutex flushMutex_;
    std::condition_variable flushed_;
    std::uint64_t written_ = 0;
    std::uint64_t synced_ = 0;
    off_t size_ = 0;        // the file's length with every written line
    off_t syncedSize_ = 0;  // its length with the lines on the disk
    // Lines a failed flush took back, as ranges [first, last].
    std::vector<std::pair<std::uint64_t, std::uint64_t>> lost_;
    bool flushing_ = false;
    bool failed_ = false;  // the file could not be put back: nothing more is written
};

}  // namespace kestrune::collect

#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/Response.h"
#include "core/Series.h"
#include "core/SexGroup.h"
#include "core/StudyDisk.h"

namespace kestrune::collect {

class Journal;

// What the researcher chose for one collection session.
struct SessionSettings {
    StudyDisk disk;
    std::string series;
    TSexGroup group = TSexGroup::Mix;
    std::string file;                      // data file name without ".dat"
    std::optional<int> expectedSubjects;   // the session is complete when this many finished
    std::vector<std::string> sampleCodes;  // one per panel, shown instead of panel numbers
    bool shuffle = false;                  // each subject sees the pairs in an order of their own
};

// One subject as the progress table and the log show them; no address or device is known.
struct SubjectProgress {
    int number = 0;  // 1-based, in the order subjects joined
    bool finished = false;
    int finishPosition = 0;  // 1-based among the finished, 0 while unfinished
    int answeredPairs = 0;
    std::int64_t joinedAt = 0;  // seconds since the epoch
    std::int64_t lastAt = 0;
};

enum class AnswerOutcome { Accepted, UnknownSubject, Finished, Malformed };

enum class JoinOutcome { Joined, SessionFull };

// The session: the series, the subjects and their answers, and the journal that keeps them.
// Thread-safe; the HTTP server calls it from its worker threads.
class Session {
  public:
    // Reads the series (refused as the entry page refuses it) and checks the sample codes.
    // When a journal of this series, group and file exists, the session resumes from it with
    // its codes and subjects; otherwise a new one is started with new codes.
    explicit Session(SessionSettings settings);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    static std::filesystem::path journalPathOf(const StudyDisk& disk, TSexGroup group,
                                               std::string_view series, std::string_view file);

    const SessionSettings& settings() const { return settings_; }
    const TSeries& series() const { return series_; }
    bool resumed() const { return resumed_; }
    const std::string& joinCode() const { return joinCode_; }
    const std::string& shortCode() const { return shortCode_; }
    std::filesystem::path dataPath() const;
    std::filesystem::path journalPath() const;
    // The port the session listened on before (0 when new), so restarted pages find it again.
    int previousPort() const { return previousPort_; }
    void recordPort(int port);

    // The label of a panel (1-based) on the page: its sample code or its number.
    std::string panelLabel(int panel) const;
    // The text of the page's first screen.
    std::string instructions() const;

    JoinOutcome join(std::string& token);
    // `pair` is the 0-based index in the series' order; `values` one '0' or '1' per image.
    AnswerOutcome answer(const std::string& token, int pair, const std::string& values);
    // The page's view of one subject as JSON, or none for an unknown token.
    std::optional<std::string> stateJson(const std::string& token) const;

    bool isFinished(const std::string& token) const;
    std::vector<SubjectProgress> progress() const;
    int finishedCount() const;
    bool complete() const;  // the expected number of subjects finished

    // The data file's answers: the finished subjects in the order they finished, then, when kept,
    // the unfinished ones that answered something, their missing answers unanswered (-1).
    TResponseMatrix responses(bool keepUnfinished) const;
    int unfinishedWithAnswers() const;
    // Writes the data file atomically (nothing when it would have no subject) and then removes
    // the journal; returns the number of subjects written.
    int writeDataFile(bool keepUnfinished);

    // Called after every change, with the subject it concerns; the window and the log follow
    // the session through it. Called with the session locked: it must not call back.
    using Listener = std::function<void(const SubjectProgress&, std::string_view event)>;
    void setListener(Listener listener);

  private:
    struct Subject {
        std::string token;
        std::vector<int> order;             // pair indices in the order the subject sees them
        std::vector<std::int32_t> answers;  // pair by pair in the series' order, image by image
        std::vector<bool> pairAnswered;
        int answeredPairs = 0;
        int finishPosition = 0;
        std::int64_t joinedAt = 0;
        std::int64_t lastAt = 0;
    };

    // An event written to the journal and not yet known to be on the disk. It changes the
    // session only once it is, in the journal's order; a failed flush drops it.
    struct Pending {
        std::uint64_t line = 0;
        bool join = false;
        Subject subject;    // a joining subject
        std::string token;  // an answer's subject, pair and values
        int pair = 0;
        std::string values;
        std::int64_t at = 0;
    };

    void replay(const std::vector<std::string>& lines);
    // Waits for `line` to reach the disk, then applies every event that did; throws when the
    // flush failed, after dropping the events it lost.
    void commit(std::unique_lock<std::mutex>& lock, std::uint64_t line);
    void applyOnDisk();
    bool finishesWithPending(const Subject& subject) const;
    Subject* find(const std::string& token);
    const Subject* find(const std::string& token) const;
    SubjectProgress progressOf(const Subject& subject) const;
    void applyAnswer(Subject& subject, int pair, const std::string& values, std::int64_t at);
    std::vector<int> newOrder() const;
    void notify(const Subject& subject, std::string_view event);

    SessionSettings settings_;
    TSeries series_;
    mutable std::mutex mutex_;
    std::unique_ptr<Journal> journal_;
    bool resumed_ = false;
    std::string joinCode_;
    std::string shortCode_;
    int previousPort_ = 0;
    std::vector<Subject> subjects_;
    std::vector<Pending> pending_;
    int finished_ = 0;
    Listener listener_;
};

// The most subjects one session takes, so that a flood of joins cannot fill the disk.
inline constexpr int kMaxSubjects = 300;

std::int64_t secondsNow();

}  // namespace kestrune::collect

#include "collect/Session.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <sstream>

#include "collect/Codes.h"
#include "collect/Journal.h"
#include "collect/Json.h"
#include "core/DiskNames.h"
#include "core/Error.h"

namespace kestrune::collect {
namespace {

// The first line of a journal: its format, the codes, and the counts the answers were given for.
constexpr std::string_view kJournalMagic = "kestrune-collect-journal 1";

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> parts;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        parts.push_back(word);
    return parts;
}

bool toInt(const std::string& text, long long& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end;
}

bool isAnswerText(const std::string& values, int images) {
    return static_cast<int>(values.size()) == images &&
           std::all_of(values.begin(), values.end(), [](char c) { return c == '0' || c == '1'; });
}

}  // namespace

std::int64_t secondsNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::filesystem::path Session::journalPathOf(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                             std::string_view file) {
    return disk.dataDirectory(group, series) / pathFromUtf8(std::string(file) + ".journal");
}

Session::Session(SessionSettings settings) : settings_(std::move(settings)) {
    requirePlainDiskName(settings_.file);
    series_ = readSupportedSeries(settings_.disk, settings_.series);
    if (!settings_.sampleCodes.empty()) {
        if (static_cast<int>(settings_.sampleCodes.size()) != series_.panelCount)
            throw UserError("試料の記号は、パネルの数(" + std::to_string(series_.panelCount) +
                            " 個)だけ指定してください。");
        for (const std::string& code : settings_.sampleCodes) {
            if (code.empty() || code.size() > 40 ||
                diskNameProblem(code) == DiskNameProblem::ControlCharacter ||
                diskNameProblem(code) == DiskNameProblem::NotText)
                throw UserError("試料の記号「" + code + "」は使えません。");
        }
    }
    if (settings_.expectedSubjects && (*settings_.expectedSubjects < 1 || *settings_.expectedSubjects > 100))
        throw UserError("被験者の人数は 1 から 100 までです。");
    const std::filesystem::path path = journalPath();
    std::error_code error;
    resumed_ = std::filesystem::exists(std::filesystem::symlink_status(path, error));
    journal_ = std::make_unique<Journal>(path);
    if (!journal_->lines().empty()) {
        replay(journal_->lines());
        resumed_ = true;
    } else {
        resumed_ = false;
        joinCode_ = newCode(kJoinCodeLength);
        shortCode_ = newCode(kShortCodeLength);
        journal_->append(std::string(kJournalMagic) + " " + joinCode_ + " " + shortCode_ + " " +
                         std::to_string(series_.pairs.size()) + " " + std::to_string(series_.images.size()));
    }
}

Session::~Session() = default;

std::filesystem::path Session::dataPath() const {
    return settings_.disk.dataPath(settings_.group, settings_.series, settings_.file);
}

std::filesystem::path Session::journalPath() const {
    return journalPathOf(settings_.disk, settings_.group, settings_.series, settings_.file);
}

void Session::replay(const std::vector<std::string>& lines) {
    const std::string label = StudyDisk::pathLabel(journalPath());
    auto broken = [&](std::size_t lineNumber) {
        return UserError("ファイル " + label + " の " + std::to_string(lineNumber) +
                         " 行目が読めません。回答の記録が壊れています。");
    };
    const std::vector<std::string> header = words(lines.front());
    if (header.size() != 6 || header[0] + " " + header[1] != kJournalMagic ||
        !isCodeText(header[2], kJoinCodeLength) || !isCodeText(header[3], kShortCodeLength))
        throw broken(1);
    if (header[4] != std::to_string(series_.pairs.size()) ||
        header[5] != std::to_string(series_.images.size()))
        throw UserError("ファイル " + label + " の回答は、いまのシリーズ「" + settings_.series +
                        "」と対やイメージ語の数が合いません。");
    joinCode_ = header[2];
    shortCode_ = header[3];
    const int pairs = static_cast<int>(series_.pairs.size());
    const int images = static_cast<int>(series_.images.size());
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const std::vector<std::string> w = words(lines[n]);
        long long a = 0, b = 0;
        if (w.size() == 2 && w[0] == "port" && toInt(w[1], a) && a > 0 && a < 65536) {
            previousPort_ = static_cast<int>(a);
        } else if (w.size() == 4 && w[0] == "subject" && isTokenText(w[1]) && toInt(w[2], a) && !find(w[1])) {
            Subject subject;
            subject.token = w[1];
            subject.joinedAt = subject.lastAt = a;
            std::string item;
            std::istringstream order(w[3]);
            while (std::getline(order, item, ',')) {
                if (!toInt(item, b) || b < 0 || b >= pairs)
                    throw broken(n + 1);
                subject.order.push_back(static_cast<int>(b));
            }
            std::vector<int> sorted = subject.order;
            std::sort(sorted.begin(), sorted.end());
            std::vector<int> all(static_cast<std::size_t>(pairs));
            std::iota(all.begin(), all.end(), 0);
            if (sorted != all)
                throw broken(n + 1);
            subject.answers.assign(static_cast<std::size_t>(pairs) * images, kUnanswered);
            subject.pairAnswered.assign(static_cast<std::size_t>(pairs), false);
            subjects_.push_back(std::move(subject));
        } else if (w.size() == 5 && w[0] == "answer" && find(w[1]) && toInt(w[2], a) && toInt(w[3], b) &&
                   b >= 0 && b < pairs && isAnswerText(w[4], images) && find(w[1])->finishPosition == 0) {
            applyAnswer(*find(w[1]), static_cast<int>(b), w[4], a);
        } else {
            throw broken(n + 1);
        }
    }
}

void Session::recordPort(int port) {
    std::lock_guard lock(mutex_);
    if (port != previousPort_)
        journal_->append("port " + std::to_string(port));
    previousPort_ = port;
}

std::string Session::panelLabel(int panel) const {
    if (!settings_.sampleCodes.empty() && panel >= 1 &&
        panel <= static_cast<int>(settings_.sampleCodes.size()))
        return settings_.sampleCodes[static_cast<std::size_t>(panel - 1)];
    return std::to_string(panel);
}

std::string Session::instructions() const {
    std::string text = "これから " + std::to_string(series_.pairs.size()) +
                       " 組の試料を、A と B の 2 つずつ比べていただきます。"
                       "それぞれの言葉について、より当てはまると感じる方を A か B で選んでください。"
                       "すべての言葉に答えると、次の組へ進めます。";
    if (!series_.comment.empty())
        text += "\n" + series_.comment;
    return text;
}

Session::Subject* Session::find(const std::string& token) {
    for (Subject& subject : subjects_) {
        if (subject.token == token)
            return &subject;
    }
    return nullptr;
}

const Session::Subject* Session::find(const std::string& token) const {
    return const_cast<Session*>(this)->find(token);
}

std::vector<int> Session::newOrder() const {
    std::vector<int> order(series_.pairs.size());
    std::iota(order.begin(), order.end(), 0);
    if (settings_.shuffle) {
        for (std::size_t i = order.size(); i > 1; --i)
            std::swap(order[i - 1], order[randomBelow(i)]);
    }
    return order;
}

JoinOutcome Session::join(std::string& token) {
    std::unique_lock lock(mutex_);
    const auto joining =
        std::count_if(pending_.begin(), pending_.end(), [](const Pending& p) { return p.join; });
    if (static_cast<int>(subjects_.size() + static_cast<std::size_t>(joining)) >= kMaxSubjects || complete())
        return JoinOutcome::SessionFull;
    Pending event;
    event.join = true;
    Subject& subject = event.subject;
    subject.token = newToken();
    subject.order = newOrder();
    subject.joinedAt = subject.lastAt = secondsNow();
    std::string order;
    for (int pair : subject.order) {
        if (!order.empty())
            order += ',';
        order += std::to_string(pair);
    }
    event.line =
        journal_->write("subject " + subject.token + " " + std::to_string(subject.joinedAt) + " " + order);
    subject.answers.assign(series_.pairs.size() * series_.images.size(), kUnanswered);
    subject.pairAnswered.assign(series_.pairs.size(), false);
    token = subject.token;
    const std::uint64_t line = event.line;
    pending_.push_back(std::move(event));
    commit(lock, line);
    return JoinOutcome::Joined;
}

void Session::commit(std::unique_lock<std::mutex>& lock, std::uint64_t line) {
    lock.unlock();
    try {
        journal_->flush(line);
    } catch (...) {
        lock.lock();
        applyOnDisk();
        throw;
    }
    lock.lock();
    applyOnDisk();
}

void Session::applyOnDisk() {
    std::size_t done = 0;
    for (; done < pending_.size(); ++done) {
        Pending& event = pending_[done];
        const Journal::LineState state = journal_->state(event.line);
        if (state == Journal::LineState::Pending)
            break;
        if (state == Journal::LineState::Lost)
            continue;
        if (event.join) {
            subjects_.push_back(std::move(event.subject));
            notify(subjects_.back(), "joined");
        } else if (Subject* subject = find(event.token)) {
            applyAnswer(*subject, event.pair, event.values, event.at);
            notify(*subject, subject->finishPosition ? "finished" : "answered");
        }
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(done));
}

bool Session::finishesWithPending(const Subject& subject) const {
    std::vector<bool> answered = subject.pairAnswered;
    int count = subject.answeredPairs;
    for (const Pending& event : pending_) {
        if (!event.join && event.token == subject.token && !answered[static_cast<std::size_t>(event.pair)]) {
            answered[static_cast<std::size_t>(event.pair)] = true;
            ++count;
        }
    }
    return count == static_cast<int>(series_.pairs.size());
}

void Session::applyAnswer(Subject& subject, int pair, const std::string& values, std::int64_t at) {
    const std::size_t images = series_.images.size();
    for (std::size_t i = 0; i < images; ++i)
        subject.answers[static_cast<std::size_t>(pair) * images + i] = values[i] == '1' ? kChoseB : kChoseA;
    if (!subject.pairAnswered[static_cast<std::size_t>(pair)]) {
        subject.pairAnswered[static_cast<std::size_t>(pair)] = true;
        ++subject.answeredPairs;
    }
    subject.lastAt = at;
    if (subject.answeredPairs == static_cast<int>(series_.pairs.size()))
        subject.finishPosition = ++finished_;
}

AnswerOutcome Session::answer(const std::string& token, int pair, const std::string& values) {
    std::unique_lock lock(mutex_);
    Subject* subject = find(token);
    if (!subject)
        return AnswerOutcome::UnknownSubject;
    if (subject->finishPosition != 0)
        return AnswerOutcome::Finished;
    if (pair < 0 || pair >= static_cast<int>(series_.pairs.size()) ||
        !isAnswerText(values, static_cast<int>(series_.images.size())))
        return AnswerOutcome::Malformed;
    // Its last pair may be on its way to the disk: nothing may follow the answer that finishes it.
    if (finishesWithPending(*subject))
        return AnswerOutcome::Finished;
    Pending event;
    event.token = token;
    event.pair = pair;
    event.values = values;
    event.at = secondsNow();
    // In the journal in the order of the events, and part of the session only once on the disk,
    // so that neither the page nor the data file ever holds an answer the disk lost. Answers
    // arriving together share one flush.
    event.line = journal_->write("answer " + token + " " + std::to_string(event.at) + " " +
                                 std::to_string(pair) + " " + values);
    const std::uint64_t line = event.line;
    pending_.push_back(std::move(event));
    commit(lock, line);
    return AnswerOutcome::Accepted;
}

std::optional<std::string> Session::stateJson(const std::string& token) const {
    std::lock_guard lock(mutex_);
    const Subject* subject = find(token);
    if (!subject)
        return std::nullopt;
    const std::size_t images = series_.images.size();
    std::string json = "{\"title\":" + jsonString(settings_.series) +
                       ",\"instructions\":" + jsonString(instructions()) +
                       ",\"finished\":" + (subject->finishPosition ? "true" : "false") + ",\"words\":[";
    for (std::size_t i = 0; i < images; ++i)
        json += std::string(i ? "," : "") + jsonString(series_.images[i]);
    json += "],\"pairs\":[";
    for (std::size_t k = 0; k < subject->order.size(); ++k) {
        const int pair = subject->order[k];
        const TPanelPair& panels = series_.pairs[static_cast<std::size_t>(pair)];
        json += std::string(k ? ",{\"index\":" : "{\"index\":") + std::to_string(pair) +
                ",\"a\":" + jsonString(panelLabel(panels.a)) + ",\"b\":" + jsonString(panelLabel(panels.b)) +
                ",\"answers\":";
        if (subject->pairAnswered[static_cast<std::size_t>(pair)]) {
            std::string values;
            for (std::size_t i = 0; i < images; ++i)
                values +=
                    subject->answers[static_cast<std::size_t>(pair) * images + i] == kChoseB ? '1' : '0';
            json += "\"" + values + "\"";
        } else {
            json += "null";
        }
        json += "}";
    }
    json += "]}";
    return json;
}

SubjectProgress Session::progressOf(const Subject& subject) const {
    SubjectProgress progress;
    progress.number = static_cast<int>(&subject - subjects_.data()) + 1;
    progress.finished = subject.finishPosition != 0;
    progress.finishPosition = subject.finishPosition;
    progress.answeredPairs = subject.answeredPairs;
    progress.joinedAt = subject.joinedAt;
    progress.lastAt = subject.lastAt;
    return progress;
}

std::vector<SubjectProgress> Session::progress() const {
    std::lock_guard lock(mutex_);
    std::vector<SubjectProgress> all;
    for (const Subject& subject : subjects_)
        all.push_back(progressOf(subject));
    return all;
}

bool Session::isFinished(const std::string& token) const {
    std::lock_guard lock(mutex_);
    const Subject* subject = find(token);
    return subject && subject->finishPosition != 0;
}

int Session::finishedCount() const {
    std::lock_guard lock(mutex_);
    return finished_;
}

bool Session::complete() const {
    return settings_.expectedSubjects && finished_ >= *settings_.expectedSubjects;
}

int Session::unfinishedWithAnswers() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(subjects_.begin(), subjects_.end(), [](const Subject& s) {
        return s.finishPosition == 0 && s.answeredPairs > 0;
    }));
}

TResponseMatrix Session::responses(bool keepUnfinished) const {
    std::lock_guard lock(mutex_);
    std::vector<const Subject*> chosen;
    for (const Subject& subject : subjects_) {
        if (subject.finishPosition)
            chosen.push_back(&subject);
    }
    std::sort(chosen.begin(), chosen.end(),
              [](const Subject* a, const Subject* b) { return a->finishPosition < b->finishPosition; });
    if (keepUnfinished) {
        for (const Subject& subject : subjects_) {
            if (!subject.finishPosition && subject.answeredPairs > 0)
                chosen.push_back(&subject);
        }
    }
    TResponseMatrix matrix;
    matrix.subjects = static_cast<std::int32_t>(chosen.size());
    matrix.pairs = static_cast<std::int32_t>(series_.pairs.size());
    matrix.images = static_cast<std::int32_t>(series_.images.size());
    for (const Subject* subject : chosen)
        matrix.answers.insert(matrix.answers.end(), subject->answers.begin(), subject->answers.end());
    return matrix;
}

int Session::writeDataFile(bool keepUnfinished) {
    const TResponseMatrix matrix = responses(keepUnfinished);
    if (matrix.subjects > 0)
        WriteResponseFile(dataPath(), matrix, matrix.subjects);
    std::lock_guard lock(mutex_);
    journal_->remove();
    return matrix.subjects;
}

void Session::setListener(Listener listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

void Session::notify(const Subject& subject, std::string_view event) {
    if (listener_)
        listener_(progressOf(subject), event);
}

}  // namespace kestrune::collect

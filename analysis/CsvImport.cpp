#include "analysis/CsvImport.h"

#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "analysis/CsvRecords.h"
#include "core/DiskNames.h"
#include "core/Error.h"
#include "core/FreshMemory.h"

namespace kestrune {

namespace {

// More subjects than any survey has; beyond it a file is refused before its memory grows.
constexpr std::size_t kMaxImportedSubjects = 10000;
constexpr std::size_t kShownFieldBytes = 40;
constexpr std::size_t kExpectedSubjects = 100;

// A field as a message quotes it: long texts shortened at a character boundary.
std::string shown(std::string_view text) {
    if (text.size() <= kShownFieldBytes)
        return "「" + std::string(text) + "」";
    std::size_t cut = kShownFieldBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return "「" + std::string(text.substr(0, cut)) + "…」";
}

// A whole number as the tools write them: digits, perhaps with blanks around and a fraction of
// zeros ("2.0", as a table with empty cells writes its numbers).
std::optional<long long> wholeNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos) {
        if (text.substr(point + 1).find_first_not_of('0') != std::string_view::npos)
            return std::nullopt;
        text = text.substr(0, point);
    }
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// One or two digits, as every export writes its numbers; -1 for anything else, which the
// careful reading then takes.
inline int plainNumber(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9')
        return text[0] - '0';
    if (text.size() == 2 && text[0] >= '1' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9')
        return (text[0] - '0') * 10 + (text[1] - '0');
    return -1;
}

bool isBlankText(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

enum Column { Subject, Trial, Image, Answer, Chosen, PanelA, PanelB, Word, kColumnCount };
constexpr std::array<std::string_view, kColumnCount> kColumnNames{"subject", "trial",   "image",   "answer",
                                                                  "chosen",  "panel_a", "panel_b", "word"};
constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

class Reader {
  public:
    Reader(const std::filesystem::path& csv, std::string_view shownName, const TSeries& series)
        : records_(csv, std::string(shownName)), series_(series) {}

    TResponseMatrix read() {
        readHeader();
        while (records_.next()) {
            if (!records_.blank())
                readRow();
        }
        return complete();
    }

  private:
    void readHeader() {
        if (!records_.next() || records_.blank())
            records_.fail(1, "見出しの行がありません(1 行目は列の名前です)。");
        columns_.fill(kAbsent);
        headerFields_ = records_.fieldCount();
        for (std::size_t f = 0; f < headerFields_; ++f) {
            std::string_view name = records_.field(f);
            while (!name.empty() && name.front() == ' ')
                name.remove_prefix(1);
            while (!name.empty() && name.back() == ' ')
                name.remove_suffix(1);
            for (int c = 0; c < kColumnCount; ++c) {
                if (name != kColumnNames[c])
                    continue;
                if (columns_[c] != kAbsent)
                    records_.fail(1, "列 " + std::string(name) + " が 2 つあります。");
                columns_[c] = f;
            }
        }
        for (Column required : {Subject, Trial, Image}) {
            if (columns_[required] == kAbsent) {
                records_.fail(
                    1, "列 " + std::string(kColumnNames[required]) +
                           " がありません(subject、trial、image と、answer か chosen の列が必要です)。");
            }
        }
        if (columns_[Answer] == kAbsent && columns_[Chosen] == kAbsent)
            records_.fail(1, "列 answer も chosen もありません(どちらかが必要です)。");
        pairs_ = series_.pairCount;
        images_ = static_cast<int>(series_.images.size());
        perSubject_ = static_cast<std::size_t>(pairs_) * images_;
        // Room for as many subjects as an analysis takes, backed by the kernel at once.
        const std::size_t room = perSubject_ * kExpectedSubjects;
        lines_.reserve(room);
        answers_.reserve(room);
        populateForWriting(lines_.data(), room * sizeof(std::uint32_t));
        populateForWriting(answers_.data(), room * sizeof(std::int32_t));
    }

    std::string_view at(Column column) const { return records_.field(columns_[column]); }

    // Each check below takes the common row, small numbers as the export writes them, in a few
    // comparisons; anything else goes to its careful reading, which accepts the other ways tools
    // write numbers or names the fault.

    // A 1-based number from 1 to `last` in a column.
    int position(Column column, int last) const {
        const int quick = plainNumber(at(column));
        return quick >= 1 && quick <= last ? quick : checkedPosition(column, last);
    }

    [[gnu::noinline]] int checkedPosition(Column column, int last) const {
        const std::string_view text = at(column);
        const std::optional<long long> value = wholeNumber(text);
        if (!value || *value < 1 || *value > last) {
            records_.fail(records_.line(), std::string(kColumnNames[column]) + " の値 " + shown(text) +
                                               " は 1 から " + std::to_string(last) +
                                               " までの整数ではありません。");
        }
        return static_cast<int>(*value);
    }

    void checkPanel(Column column, int expected, int trial) const {
        if (columns_[column] != kAbsent && plainNumber(at(column)) != expected)
            checkedPanel(column, expected, trial);
    }

    [[gnu::noinline]] void checkedPanel(Column column, int expected, int trial) const {
        const std::string_view text = at(column);
        const std::optional<long long> value = wholeNumber(text);
        if (!value || *value != expected) {
            const TPanelPair& pair = series_.pairs[trial - 1];
            records_.fail(records_.line(), std::string(kColumnNames[column]) + " の値 " + shown(text) +
                                               " はシリーズの trial " + std::to_string(trial) +
                                               " の対(パネル " + std::to_string(pair.a) + " と " +
                                               std::to_string(pair.b) + ")と合いません。");
        }
    }

    std::int32_t answerOf(int trial) const {
        constexpr std::int32_t kUnread = -2;
        std::int32_t fromAnswer = kUnread;
        if (columns_[Answer] != kAbsent) {
            const std::string_view text = at(Answer);
            if (text.empty())
                fromAnswer = kUnanswered;
            else if (text.size() == 1 && (text[0] == '0' || text[0] == '1'))
                fromAnswer = text[0] - '0';
            else
                return checkedAnswer(trial);
        }
        std::int32_t fromChosen = kUnread;
        if (columns_[Chosen] != kAbsent) {
            const std::string_view text = at(Chosen);
            const TPanelPair& pair = series_.pairs[trial - 1];
            const int panel = plainNumber(text);
            if (text.empty())
                fromChosen = kUnanswered;
            else if (panel == pair.a)
                fromChosen = kChoseA;
            else if (panel == pair.b)
                fromChosen = kChoseB;
            else
                return checkedAnswer(trial);
        }
        if (fromAnswer != kUnread && fromChosen != kUnread && fromAnswer != fromChosen)
            return checkedAnswer(trial);
        return fromAnswer != kUnread ? fromAnswer : fromChosen;
    }

    [[gnu::noinline]] std::int32_t checkedAnswer(int trial) const {
        const TPanelPair& pair = series_.pairs[trial - 1];
        std::optional<std::int32_t> fromAnswer;
        if (columns_[Answer] != kAbsent) {
            const std::string_view text = at(Answer);
            const std::optional<long long> value =
                isBlankText(text) ? std::optional<long long>(-1) : wholeNumber(text);
            if (!value || *value > 1) {
                records_.fail(records_.line(),
                              "answer の値 " + shown(text) +
                                  " は 0(A を選択)、1(B を選択)、空(未回答)のいずれでもありません。");
            }
            fromAnswer = static_cast<std::int32_t>(*value);
        }
        std::optional<std::int32_t> fromChosen;
        if (columns_[Chosen] != kAbsent) {
            const std::string_view text = at(Chosen);
            const std::optional<long long> value = wholeNumber(text);
            if (isBlankText(text)) {
                fromChosen = kUnanswered;
            } else if (value && *value == pair.a) {
                fromChosen = kChoseA;
            } else if (value && *value == pair.b) {
                fromChosen = kChoseB;
            } else {
                records_.fail(records_.line(), "chosen の値 " + shown(text) + " は trial " +
                                                   std::to_string(trial) + " のパネル " +
                                                   std::to_string(pair.a) + "、" + std::to_string(pair.b) +
                                                   " のどちらでも空でもありません。");
            }
        }
        if (fromAnswer && fromChosen && *fromAnswer != *fromChosen) {
            records_.fail(records_.line(), "answer " + shown(at(Answer)) + " と chosen " + shown(at(Chosen)) +
                                               " が合いません。");
        }
        return fromAnswer ? *fromAnswer : *fromChosen;
    }

    std::size_t subjectOf(std::string_view text) {
        if (!subjects_.empty() && text == lastSubject_)
            return lastIndex_;
        if (isBlankText(text))
            records_.fail(records_.line(), "subject が空です。");
        auto found = subjectIndex_.find(std::string(text));
        if (found == subjectIndex_.end()) {
            if (subjects_.size() == kMaxImportedSubjects) {
                records_.fail(records_.line(),
                              "被験者が " + std::to_string(kMaxImportedSubjects) + " 人を超えています。");
            }
            found = subjectIndex_.emplace(std::string(text), subjects_.size()).first;
            subjects_.push_back({std::string(text), records_.line()});
            lines_.resize(lines_.size() + perSubject_, 0);
            answers_.resize(answers_.size() + perSubject_, kUnanswered);
        }
        lastSubject_ = text;
        lastIndex_ = found->second;
        return lastIndex_;
    }

    void readRow() {
        if (records_.fieldCount() != headerFields_)
            wrongFieldCount();
        const int trial = position(Trial, pairs_);
        const int image = position(Image, images_);
        const TPanelPair& pair = series_.pairs[trial - 1];
        checkPanel(PanelA, pair.a, trial);
        checkPanel(PanelB, pair.b, trial);
        if (columns_[Word] != kAbsent && at(Word) != series_.images[image - 1])
            wrongWord(image);
        const std::int32_t answer = answerOf(trial);
        const std::size_t subject = subjectOf(at(Subject));
        const std::size_t cell =
            subject * perSubject_ + static_cast<std::size_t>(trial - 1) * images_ + (image - 1);
        if (lines_[cell] != 0)
            answeredTwice(subject, trial, image, lines_[cell]);
        lines_[cell] = static_cast<std::uint32_t>(records_.line());
        answers_[cell] = answer;
    }

    [[noreturn, gnu::noinline]] void wrongFieldCount() const {
        records_.fail(records_.line(), "列の数が " + std::to_string(records_.fieldCount()) +
                                           " で、見出しの " + std::to_string(headerFields_) +
                                           " 列と合いません。");
    }

    [[noreturn, gnu::noinline]] void wrongWord(int image) const {
        records_.fail(records_.line(), "word の値 " + shown(at(Word)) + " はシリーズの image " +
                                           std::to_string(image) + " の言葉 " +
                                           shown(series_.images[image - 1]) + " と合いません。");
    }

    [[noreturn, gnu::noinline]] void answeredTwice(std::size_t subject, int trial, int image,
                                                   std::uint32_t firstLine) const {
        records_.fail(records_.line(), "被験者 " + shown(subjects_[subject].text) + " の trial " +
                                           std::to_string(trial) + "、image " + std::to_string(image) +
                                           " の回答は " + std::to_string(firstLine) + " 行目にもあります。");
    }

    TResponseMatrix complete() {
        if (subjects_.empty())
            records_.fail(2, "回答の行がありません。");
        for (std::size_t s = 0; s < subjects_.size(); ++s) {
            for (std::size_t k = 0; k < perSubject_; ++k) {
                if (lines_[s * perSubject_ + k] != 0)
                    continue;
                records_.fail(subjects_[s].firstLine,
                              "この行の被験者 " + shown(subjects_[s].text) + " には trial " +
                                  std::to_string(k / images_ + 1) + "、image " +
                                  std::to_string(k % images_ + 1) + " の行がありません(被験者ごとに " +
                                  std::to_string(pairs_) + " 対 × " + std::to_string(images_) +
                                  " イメージの " + std::to_string(perSubject_) + " 行が必要です)。");
            }
        }
        TResponseMatrix matrix;
        matrix.subjects = static_cast<std::int32_t>(subjects_.size());
        matrix.pairs = pairs_;
        matrix.images = images_;
        matrix.answers = std::move(answers_);
        return matrix;
    }

    struct SubjectSeen {
        std::string text;
        std::size_t firstLine = 0;
    };

    CsvRecords records_;
    const TSeries& series_;
    std::array<std::size_t, kColumnCount> columns_{};
    std::size_t headerFields_ = 0;
    int pairs_ = 0;
    int images_ = 0;
    std::size_t perSubject_ = 0;
    std::vector<SubjectSeen> subjects_;
    std::unordered_map<std::string, std::size_t> subjectIndex_;
    std::string lastSubject_;
    std::size_t lastIndex_ = 0;
    std::vector<std::uint32_t> lines_;  // the CSV line of each answer, 0 while none was read
    std::vector<std::int32_t> answers_;
};

}  // namespace

TResponseMatrix readLongCsv(const std::filesystem::path& csv, std::string_view shownName,
                            const TSeries& series) {
    return Reader(csv, shownName, series).read();
}

std::filesystem::path importTarget(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                   std::string_view name) {
    requirePlainDiskName(name);
    return disk.dataPath(group, series, name);
}

int importLongCsv(const StudyDisk& disk, TSexGroup group, std::string_view seriesName, std::string_view name,
                  const std::filesystem::path& csv) {
    const std::filesystem::path target = importTarget(disk, group, seriesName, name);
    const TSeries series = readSupportedSeries(disk, seriesName);
    const TResponseMatrix matrix = readLongCsv(csv, pathToUtf8(csv), series);
    // The group's directory of the series may not have been made yet.
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    WriteResponseFile(target, matrix, matrix.subjects);
    return matrix.subjects;
}

}  // namespace kestrune

#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/Response.h"
#include "core/ResponseBuffer.h"
#include "core/SexGroup.h"

namespace kestrune {

// The three ways to end an entry.
enum class EndChoice { SaveAll, DropLast, Nothing };

// Which end choices the dialog offers and which one it selects first.
struct EndChoices {
    bool saveAllEnabled = true;
    bool dropLastEnabled = false;
    bool nothingEnabled = true;
    EndChoice selected = EndChoice::SaveAll;
};

// The state of one entry run and what it does to the response buffer; the page around it
// asks the questions, shows the sheets and writes the files.
struct TEntryRun {
    bool inProgress = false;
    std::string series;
    int pairTabs = 0;  // m: pairs of the series' order file, one tab each
    int images = 0;    // I: words of the series' vocabulary file, rows of the board
    TSexGroup group = TSexGroup::Male;
    int subjects = 1;  // S
    int pairs = 0;     // P: m after a new input, the file's count after an open
    int subject = 1;   // s, 1-based
    int pair = 1;      // p, 1-based

    std::size_t sheetAnswers() const { return static_cast<std::size_t>(pairs) * images; }
    std::size_t totalAnswers() const { return sheetAnswers() * subjects; }

    // A fresh run: one subject, every answer of its P·I unanswered, sheet (1, 1).
    void startNew(ResponseBuffer& buffer);
    // A run over the answers of an opened file, at sheet (1, 1).
    void startFrom(ResponseBuffer& buffer, const TResponseMatrix& matrix);

    TResponseMatrix matrix(const ResponseBuffer& buffer) const;

    // The sheet (1-based subject and pair) of the first unanswered answer, if any.
    std::optional<SheetPosition> firstGap(const ResponseBuffer& buffer) const;

    // Appends a subject with every answer unanswered and moves to its first sheet.
    void appendSubject(ResponseBuffer& buffer);
    // Removes the current subject, keeping the others in order, and moves to the first
    // sheet of the last subject. The caller keeps S at 1 or more.
    void removeCurrentSubject(ResponseBuffer& buffer);

    // Save all while the last subject is complete; drop last while it has a gap.
    EndChoices endChoices(const ResponseBuffer& buffer) const;
    // How many subjects an end choice writes (0 writes nothing).
    int subjectsToWrite(EndChoice choice) const;
};

// Why an opened file cannot be entered, as the message to show; none when it can.
struct OpenRefusal {
    std::string text;
    std::string caption;
};
std::optional<OpenRefusal> refuseOpenedFile(const TResponseMatrix& matrix, int images, int pairTabs);

// The name a new input gives an empty file name box: "入力開始" and the local date and time,
// as in 入力開始2026年03月05日09時07分.
std::string defaultEntryFileName(int year, int month, int day, int hour, int minute);

}  // namespace kestrune

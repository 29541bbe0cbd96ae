#include "entry/TEntryRun.h"

#include <cstdio>

#include "core/Error.h"

namespace kestrune {

void TEntryRun::startNew(ResponseBuffer& buffer) {
    subject = 1;
    pair = 1;
    subjects = 1;
    pairs = pairTabs;
    buffer.clear();
    buffer.resizeAnswers(sheetAnswers(), kUnanswered);
}

void TEntryRun::startFrom(ResponseBuffer& buffer, const TResponseMatrix& opened) {
    subjects = opened.subjects;
    pairs = opened.pairs;
    subject = 1;
    pair = 1;
    buffer.load(opened);
}

TResponseMatrix TEntryRun::matrix(const ResponseBuffer& buffer) const {
    return buffer.toMatrix(subjects, pairs, images);
}

std::optional<SheetPosition> TEntryRun::firstGap(const ResponseBuffer& buffer) const {
    const TResponseMatrix answers = matrix(buffer);
    const std::optional<std::size_t> gap = FirstUnanswered(answers);
    if (!gap)
        return std::nullopt;
    const SheetPosition sheet = sheetOfAnswer(answers, *gap);
    return SheetPosition{sheet.subject + 1, sheet.pair + 1};
}

void TEntryRun::appendSubject(ResponseBuffer& buffer) {
    buffer.resizeAnswers(totalAnswers() + sheetAnswers(), kUnanswered);
    ++subjects;
    subject = subjects;
    pair = 1;
}

void TEntryRun::removeCurrentSubject(ResponseBuffer& buffer) {
    TResponseMatrix answers = matrix(buffer);
    const auto first = answers.answers.begin() + static_cast<std::ptrdiff_t>(sheetAnswers() * (subject - 1));
    answers.answers.erase(first, first + static_cast<std::ptrdiff_t>(sheetAnswers()));
    answers.subjects = --subjects;
    buffer.load(answers);
    subject = subjects;
    pair = 1;
}

EndChoices TEntryRun::endChoices(const ResponseBuffer& buffer) const {
    EndChoices choices;
    const std::size_t lastSubjectStart = sheetAnswers() * (subjects - 1);
    for (std::size_t number = lastSubjectStart; number < totalAnswers(); ++number) {
        if (buffer.answer(number) == kUnanswered) {
            choices.saveAllEnabled = false;
            choices.dropLastEnabled = true;
            break;
        }
    }
    choices.selected = choices.saveAllEnabled    ? EndChoice::SaveAll
                       : choices.dropLastEnabled ? EndChoice::DropLast
                                                 : EndChoice::Nothing;
    return choices;
}

int TEntryRun::subjectsToWrite(EndChoice choice) const {
    switch (choice) {
        case EndChoice::SaveAll:
            return subjects;
        case EndChoice::DropLast:
            return subjects - 1;
        case EndChoice::Nothing:
            return 0;
    }
    return 0;
}

std::optional<OpenRefusal> refuseOpenedFile(const TResponseMatrix& matrix, int images, int pairTabs) {
    if (matrix.images != images)
        return OpenRefusal{"イメージの言葉の数が合っていません。", "エラー"};
    if (matrix.pairs != pairTabs)
        return OpenRefusal{"比較回数が合っていません。", "エラー"};
    // An entry always holds at least one subject.
    if (matrix.subjects < 1)
        return OpenRefusal{messages::listIndexOutOfRange(), ""};
    return std::nullopt;
}

std::string defaultEntryFileName(int year, int month, int day, int hour, int minute) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d年%02d月%02d日%02d時%02d分", year, month, day, hour, minute);
    return std::string("入力開始") + text;
}

}  // namespace kestrune

// The entry run's operations on the entry page: new input, open, sheet navigation, subjects,
// save and the end step.
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <system_error>

#include "core/DiskNames.h"
#include "core/Error.h"
#include "core/Series.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/entry/EndEntryDialog.h"
#include "ui/entry/EntryPage.h"
#include "ui/entry/ResponseBoard.h"

namespace kestrune {

namespace {

const QString kDiscardQuestion = QStringLiteral("入力中のデータはなくなります。よろしいですか?");
const QString kMissingAnswer = QStringLiteral("記入漏れ");
const QString kErrorCaption = QStringLiteral("エラー");

// The board holds at most 25 rows; a longer vocabulary cannot be entered.
void requireBoardFits(int images) {
    if (images > ResponseBoardModel::kRowCount)
        throw UserError(messages::listIndexOutOfRange());
}

}  // namespace

void EntryPage::enterLockedState() {
    boardControls_->setEnabled(true);
    picturePanel_->hide();
    seriesChooser_->setEnabled(false);
    const bool wasLocked = entryInProgress_;
    entryInProgress_ = true;
    run_.inProgress = true;
    if (!wasLocked)
        emit lockChanged(true);
}

void EntryPage::leaveLockedState() {
    boardControls_->setEnabled(false);
    seriesChooser_->setEnabled(true);
    sexChooser_->setEnabled(true);
    picturePanel_->show();
    picturePanel_->raise();
    const bool wasLocked = entryInProgress_;
    entryInProgress_ = false;
    run_.inProgress = false;
    if (wasLocked)
        emit lockChanged(false);
}

void EntryPage::rebuildSubjectTabs(int count) {
    const QSignalBlocker blocker(subjectTabs_);
    while (subjectTabs_->count() > 0)
        subjectTabs_->removeTab(subjectTabs_->count() - 1);
    for (int tab = 1; tab <= count; ++tab)
        subjectTabs_->addTab(QString::number(tab));
}

void EntryPage::rebuildPairTabs(int count) {
    const QSignalBlocker blocker(pairTabs_);
    while (pairTabs_->count() > 0)
        pairTabs_->removeTab(pairTabs_->count() - 1);
    for (int tab = 1; tab <= count; ++tab)
        pairTabs_->addTab(QString::number(tab));
}

void EntryPage::updateCounters() {
    subjectCounter_->setText(QString::number(run_.subject));
    subjectCountCounter_->setText(QString::number(run_.subjects));
    pairCounter_->setText(QString::number(run_.pair));
    pairCountCounter_->setText(QString::number(run_.pairs));
}

void EntryPage::applyFocus(FocusTarget target) {
    switch (target) {
        case FocusTarget::Unchanged:
            break;
        case FocusTarget::KeyboardButton:
            keyboardButton_->setFocus();
            break;
        case FocusTarget::NextButton:
            nextButton_->setFocus();
            break;
        case FocusTarget::AddSubjectButton:
            addSubjectButton_->setFocus();
            break;
    }
}

void EntryPage::focusNextOrAdd() {
    if (nextButton_->isEnabled()) {
        nextButton_->setFocus();
    } else {
        addSubjectButton_->setFocus();
    }
}

void EntryPage::storeSheet() {
    board_->model().StoreSheet(context_.responseBuffer, run_.subject, run_.pair, run_.pairs);
}

void EntryPage::showSheet() {
    updateCounters();
    const SheetView view = board_->model().LoadSheet(context_.responseBuffer, run_.subject, run_.pair,
                                                     run_.pairs, pairTabs_->count());
    previousButton_->setEnabled(view.previousEnabled);
    nextButton_->setEnabled(view.nextEnabled);
    applyFocus(view.focus);
    keepMarkingInView(std::nullopt);
}

void EntryPage::selectSheet(int subject, int pair) {
    {
        const QSignalBlocker subjects(subjectTabs_);
        const QSignalBlocker pairs(pairTabs_);
        subjectTabs_->setCurrentIndex(subject - 1);
        pairTabs_->setCurrentIndex(pair - 1);
    }
    run_.subject = subject;
    run_.pair = pair;
    showSheet();
}

void EntryPage::tabChanged() {
    if (!entryInProgress_)
        return;
    // The board still shows the sheet being left.
    storeSheet();
    run_.subject = subjectTabs_->currentIndex() + 1;
    run_.pair = pairTabs_->currentIndex() + 1;
    showSheet();
}

bool EntryPage::goToFirstGap(const QString& text) {
    const std::optional<SheetPosition> gap = run_.firstGap(context_.responseBuffer);
    if (!gap)
        return false;
    selectSheet(gap->subject, gap->pair);
    context_.prompter.ask({text, kMissingAnswer, PromptButtons::Ok, PromptIcon::None});
    return true;
}

bool EntryPage::requireFileName() {
    if (!fileNameBox_->text().isEmpty())
        return true;
    context_.prompter.ask({QStringLiteral("ファイル名を入力してください!!"), QStringLiteral("Error"),
                           PromptButtons::Ok, PromptIcon::None});
    return false;
}

std::filesystem::path EntryPage::dataPath() const {
    // The typed name becomes one file name in the series' directory and nothing else.
    const std::string name = fileNameBox_->text().toStdString();
    requirePlainDiskName(name);
    return context_.disk.dataPath(run_.group, run_.series, name);
}

void EntryPage::writeEntryFile(const std::filesystem::path& path, int subjects) {
    try {
        WriteResponseFile(path, run_.matrix(context_.responseBuffer), subjects);
    } catch (const UserError&) {
        emit studyDiskUnwritable();
        throw;
    }
}

void EntryPage::studyDiskChanged() {
    guarded([this] { ListDataFiles(); });
}

bool EntryPage::confirmOverwrite(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return true;
    return context_.prompter.ask({QStringLiteral("同名のファイルが存在しますが、上書きしますか?"),
                                  QStringLiteral("ファイルの上書きの確認"), PromptButtons::YesNo,
                                  PromptIcon::None}) == PromptAnswer::Yes;
}

void EntryPage::setUpAfterWrite() {
    // The file is written: a listing that fails now must not stop the step it follows.
    guarded([this] { SetUpEntryPage(); });
}

void EntryPage::NewInput() {
    if (seriesChooser_->count() == 0 || !seriesReady_)
        return;
    if (entryInProgress_ &&
        context_.prompter.ask({kDiscardQuestion, QStringLiteral("新規入力"), PromptButtons::YesNo,
                               PromptIcon::Warning}) != PromptAnswer::Yes) {
        return;
    }
    requireBoardFits(run_.images);
    enterLockedState();
    run_.series = chosenSeries().toStdString();
    run_.group = chosenGroup();
    sexChooser_->setEnabled(true);
    run_.startNew(context_.responseBuffer);
    rebuildSubjectTabs(1);
    if (fileNameBox_->text().isEmpty()) {
        const QDateTime now = clock_();
        const QDate date = now.date();
        const QTime time = now.time();
        fileNameBox_->setText(QString::fromStdString(
            defaultEntryFileName(date.year(), date.month(), date.day(), time.hour(), time.minute())));
    }
    selectSheet(1, 1);
    keyboardButton_->setFocus();
}

void EntryPage::OpenFile() {
    if (seriesChooser_->count() == 0 || !seriesReady_)
        return;
    QTreeWidgetItem* row = dataFileList_->currentItem();
    if (row == nullptr || !row->isSelected())
        return;
    if (entryInProgress_ &&
        context_.prompter.ask({kDiscardQuestion, QStringLiteral("ファイルの読み込み"), PromptButtons::YesNo,
                               PromptIcon::Warning}) != PromptAnswer::Yes) {
        return;
    }
    // The file is read and tested before anything changes, so that a refused file leaves
    // the page (and a running entry) as it was.
    const QString fileName = row->text(0);
    const TSexGroup group = chosenGroup();
    const std::string series = chosenSeries().toStdString();
    const TResponseMatrix opened =
        ReadResponseFile(context_.disk.dataPath(group, series, fileName.toStdString()));
    if (const std::optional<OpenRefusal> refusal = refuseOpenedFile(opened, run_.images, run_.pairTabs)) {
        if (refusal->caption.empty())
            throw UserError(refusal->text);
        context_.prompter.ask({QString::fromStdString(refusal->text),
                               QString::fromStdString(refusal->caption), PromptButtons::Ok,
                               PromptIcon::None});
        return;
    }
    requireBoardFits(run_.images);
    enterLockedState();
    fileNameBox_->setText(fileName);
    run_.series = series;
    run_.group = group;
    sexChooser_->setEnabled(true);
    run_.startFrom(context_.responseBuffer, opened);
    rebuildSubjectTabs(run_.subjects);
    selectSheet(1, 1);
}

void EntryPage::NextSheet() {
    if (!entryInProgress_ || run_.pair >= pairTabs_->count())
        return;
    storeSheet();
    selectSheet(run_.subject, run_.pair + 1);
}

void EntryPage::PreviousSheet() {
    if (!entryInProgress_ || run_.pair <= 1)
        return;
    storeSheet();
    selectSheet(run_.subject, run_.pair - 1);
}

void EntryPage::SaveFile() {
    if (!entryInProgress_)
        return;
    if (!requireFileName())
        return;
    storeSheet();
    if (goToFirstGap(QStringLiteral("すべての項目に入力する必要があります。")))
        return;
    const std::filesystem::path path = dataPath();
    if (!confirmOverwrite(path))
        return;
    writeEntryFile(path, run_.subjects);
    setUpAfterWrite();
}

void EntryPage::AddSubject() {
    if (!entryInProgress_)
        return;
    storeSheet();
    if (goToFirstGap(QStringLiteral("すべての項目に入力しなければ、被験者の追加はできません。"))) {
        keyboardButton_->setFocus();
        return;
    }
    writeEntryFile(context_.disk.backupPath(run_.group, run_.series), run_.subjects);
    setUpAfterWrite();
    run_.appendSubject(context_.responseBuffer);
    {
        const QSignalBlocker blocker(subjectTabs_);
        subjectTabs_->addTab(QString::number(run_.subjects));
    }
    selectSheet(run_.subjects, 1);
    sexChooser_->setEnabled(false);
    keyboardButton_->setFocus();
}

void EntryPage::DeleteSubject() {
    if (!entryInProgress_)
        return;
    if (run_.subjects == 1) {
        context_.prompter.ask({QStringLiteral("被験者のないデータファイルを作ることはできません。\r\n"
                                              "ファイルの削除は「データ集計/出力」ページで行ってください。"),
                               kErrorCaption, PromptButtons::Ok, PromptIcon::None});
        return;
    }
    if (context_.prompter.ask({QStringLiteral("現在入力中の被験者のデータを削除します。\r\nよろしいですか?"),
                               QStringLiteral("被験者のデータの削除"), PromptButtons::YesNo,
                               PromptIcon::Question}) != PromptAnswer::Yes) {
        return;
    }
    run_.removeCurrentSubject(context_.responseBuffer);
    rebuildSubjectTabs(run_.subjects);
    selectSheet(run_.subjects, 1);
    if (run_.subjects == 1)
        sexChooser_->setEnabled(true);
}

void EntryPage::EndEntry() {
    if (!entryInProgress_)
        return;
    storeSheet();
    endDialog_.prepare(run_.endChoices(context_.responseBuffer));
    if (context_.prompter.runDialog(endDialog_) != QDialog::Accepted)
        return;
    const EndChoice choice = endDialog_.choice();
    if (choice != EndChoice::Nothing) {
        const int subjectsToWrite = run_.subjectsToWrite(choice);
        // Without a name only a run that writes nothing may end.
        if (subjectsToWrite > 0 && !requireFileName())
            return;
        if (!fileNameBox_->text().isEmpty()) {
            const std::filesystem::path path = dataPath();
            if (!confirmOverwrite(path))
                return;
            if (subjectsToWrite > 0)
                writeEntryFile(path, subjectsToWrite);
        }
    }
    std::error_code ignored;
    std::filesystem::remove(context_.disk.backupPath(run_.group, run_.series), ignored);
    const bool setUpByReceiver = isSignalConnected(QMetaMethod::fromSignal(&EntryPage::lockChanged));
    leaveLockedState();
    if (!setUpByReceiver)
        SetUpEntryPage();
}

}  // namespace kestrune

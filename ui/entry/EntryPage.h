#pragma once

#include <QDateTime>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "entry/ResponseBoardModel.h"
#include "entry/TEntryRun.h"
#include "ui/shell/CataloguePage.h"

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTabBar;
class QToolButton;
class QTreeWidget;

namespace kestrune {

struct AppContext;
class EndEntryDialog;
class ResponseBoard;

// The entry page "データ入力/修正": the data file list, the response board and the entry run.
// While an entry runs the page asks the main window to lock the application.
class EntryPage : public QWidget, public CataloguePage {
    Q_OBJECT
  public:
    EntryPage(AppContext& context, EndEntryDialog& endDialog, QWidget* parent = nullptr);

    QComboBox* seriesChooser() override { return seriesChooser_; }
    void setUpPage() override;

    bool entryInProgress() const { return entryInProgress_; }
    // Before the main window closes: runs the entry's end step if an entry is in progress;
    // false keeps the window open.
    bool canClose();
    // Lists the data files again (after a data file operation elsewhere).
    void refreshDataFiles();
    // "ファイル名" 100, "人数" 50, "コメント" 80 pixels (at creation and at every catalogue reload).
    void setDataFileColumnWidths();

    // The operations of the entry run, as the page's controls run them. Failures the user
    // can cause are shown through the prompter; none escapes.
    void SetUpEntryPage();
    void ListDataFiles();
    void NewInput();
    void OpenFile();
    void NextSheet();
    void PreviousSheet();
    void SaveFile();
    void AddSubject();
    void DeleteSubject();
    void EndEntry();

    const TEntryRun& run() const { return run_; }
    // The local time a new input names its file by (tests fix it).
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    // The page's controls, for the main window's column widths and for tests.
    QComboBox* sexChooser() const { return sexChooser_; }
    QLineEdit* fileNameBox() const { return fileNameBox_; }
    QTreeWidget* dataFileList() const { return dataFileList_; }
    // The data file list's popup items "新規入力" and "開く".
    QAction* newInputAction() const { return newInputAction_; }
    QAction* openAction() const { return openAction_; }
    QLabel* commentLabel() const { return commentLabel_; }
    QPushButton* newInputButton() const { return newInputButton_; }
    QPushButton* openButton() const { return openButton_; }
    QPushButton* collectButton() const { return collectButton_; }
    QPushButton* previousButton() const { return previousButton_; }
    QPushButton* nextButton() const { return nextButton_; }
    QPushButton* deleteSubjectButton() const { return deleteSubjectButton_; }
    QPushButton* addSubjectButton() const { return addSubjectButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* endButton() const { return endButton_; }
    QToolButton* keyboardButton() const { return keyboardButton_; }
    QTabBar* subjectTabs() const { return subjectTabs_; }
    QTabBar* pairTabs() const { return pairTabs_; }
    ResponseBoard* board() const { return board_; }
    QScrollArea* boardScroller() const { return boardScroller_; }
    QWidget* boardPanel() const { return boardPanel_; }
    QWidget* picturePanel() const { return picturePanel_; }
    QLabel* subjectCounter() const { return subjectCounter_; }
    QLabel* subjectCountCounter() const { return subjectCountCounter_; }
    QLabel* pairCounter() const { return pairCounter_; }
    QLabel* pairCountCounter() const { return pairCountCounter_; }
    QLabel* sexLabel() const { return sexLabel_; }

    // The drive box was pointed at another disk while the entry runs: the data file list shows
    // that disk, and the next save writes there.
    void studyDiskChanged();

  protected:
    // The data file list shows the disk as it is whenever the page is shown.
    void showEvent(QShowEvent* event) override;

  signals:
    // True when an entry run starts (hide every other tab, disable the drive box), false
    // when it ends, after which the receiver runs every page set-up in the fixed order.
    // Without a receiver the page sets itself up at the end.
    void lockChanged(bool locked);
    // A file of the running entry could not be written (the disk pulled, its directory gone):
    // the answers stay, and the receiver lets the user point the drive box at another disk.
    void studyDiskUnwritable();
    // A collection session ("端末で回答") wrote a data file: every page's list should show it.
    void dataFileCollected();

  private:
    friend class EntryKeyFilter;

    void buildFilePart();
    void buildBoardPanel();
    // The popup's "開く" is offered only while a data file is selected.
    void updateOpenAction();
    // A typed character seen before the focused control, while the file name box has no focus.
    void boardKeyPressed(const QKeyEvent& event);

    // The run's steps shared by the operations.
    void enterLockedState();
    void leaveLockedState();
    void showSheet();  // LoadSheet and the navigation, counters and focus it sets
    void storeSheet();
    void selectSheet(int subject, int pair);
    void rebuildSubjectTabs(int count);
    void rebuildPairTabs(int count);
    void updateCounters();
    void applyFocus(FocusTarget target);
    void focusNextOrAdd();
    // Scrolls the board so that the row just marked and the first open row, where the next
    // mark goes, can be seen; the open row wins when both do not fit.
    void keepMarkingInView(std::optional<int> markedRow);
    void tabChanged();
    bool goToFirstGap(const QString& text);
    bool confirmOverwrite(const std::filesystem::path& path);
    bool requireFileName();
    std::filesystem::path dataPath() const;
    TSexGroup chosenGroup() const;
    QString chosenSeries() const;
    // Runs an operation, showing a failure the user caused instead of letting it escape.
    void guarded(const std::function<void()>& operation);
    void setUpAfterWrite();
    // Writes the entry's answers, telling the receiver when the disk does not take them.
    void writeEntryFile(const std::filesystem::path& path, int subjects);
    void clearSeriesShape();
    // "端末で回答": the collection window for the chosen series and group.
    void openCollectWindow();

    AppContext& context_;
    EndEntryDialog& endDialog_;
    QComboBox* seriesChooser_;
    bool entryInProgress_ = false;
    // The entry page's series was read whole: a run can start on it.
    bool seriesReady_ = false;

    TEntryRun run_;
    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };

    QComboBox* sexChooser_ = nullptr;
    QLineEdit* fileNameBox_ = nullptr;
    QTreeWidget* dataFileList_ = nullptr;
    QAction* newInputAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QLabel* commentLabel_ = nullptr;
    QPushButton* newInputButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* collectButton_ = nullptr;
    QWidget* boardPanel_ = nullptr;
    QWidget* picturePanel_ = nullptr;
    QWidget* boardControls_ = nullptr;
    ResponseBoard* board_ = nullptr;
    QScrollArea* boardScroller_ = nullptr;
    QTabBar* subjectTabs_ = nullptr;
    QTabBar* pairTabs_ = nullptr;
    QPushButton* previousButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* deleteSubjectButton_ = nullptr;
    QPushButton* addSubjectButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* endButton_ = nullptr;
    QToolButton* keyboardButton_ = nullptr;
    QLabel* subjectCounter_ = nullptr;
    QLabel* subjectCountCounter_ = nullptr;
    QLabel* pairCounter_ = nullptr;
    QLabel* pairCountCounter_ = nullptr;
    QLabel* sexLabel_ = nullptr;
};

}  // namespace kestrune

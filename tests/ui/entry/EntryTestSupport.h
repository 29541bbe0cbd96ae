#pragma once

#include <QApplication>
#include <QMainWindow>
#include <QString>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/TempDisk.h"
#include "tests/support/widgets/ScriptedPrompter.h"
#include "ui/common/AppContext.h"
#include "ui/entry/EndEntryDialog.h"
#include "ui/entry/EntryPage.h"
#include "ui/entry/ResponseBoard.h"

namespace kestrune::testing {

// The one application object the widget tests share.
void ensureApplication();

// An entry page hosted in a plain main window over a temporary study disk holding the series
// "飲料" (5 panels, 10 pairs), by default with four words.
class EntryPageHost {
  public:
    explicit EntryPageHost(const std::vector<std::string>& seriesWords = words());
    ~EntryPageHost();

    static const std::vector<std::string>& words();

    // Types characters one by one into whatever control has the window's focus.
    void type(const QString& characters);
    // Marks one sheet by keyboard: 'A' or 'B' per row ("AB-A": '-' leaves the row open).
    void typeSheet(const std::string& choices);
    QWidget* focused() const { return window->focusWidget(); }
    void clickButton(QWidget* button);
    // Marks of the board's rows as "A", "B", "-" or "AB".
    std::vector<std::string> boardMarks() const;
    std::vector<std::int32_t> bufferAnswers() const;
    std::filesystem::path dataFile(const std::string& name, TSexGroup group = TSexGroup::Male) const;
    std::filesystem::path backupFile(TSexGroup group = TSexGroup::Male) const;
    // Selects a row of the data file list by its file name; false when it is not listed.
    bool selectDataFile(const QString& name);
    QStringList listedFiles() const;
    // Queues an answer to the end-of-entry dialog: optionally a choice, then OK or Cancel.
    void answerEndDialog(bool ok, std::optional<EndChoice> choice = std::nullopt);

    TempDisk disk;
    ScriptedPrompter prompter;
    AppContext context{prompter};
    std::unique_ptr<QMainWindow> window;
    EndEntryDialog* dialog = nullptr;
    EntryPage* page = nullptr;
    std::vector<bool> lockSignals;
    // What the end dialog showed when it was answered.
    struct DialogSnapshot {
        bool saveAllEnabled = false;
        bool dropLastEnabled = false;
        bool nothingEnabled = false;
        EndChoice selected = EndChoice::Nothing;
    };
    std::vector<DialogSnapshot> dialogSnapshots;
};

}  // namespace kestrune::testing

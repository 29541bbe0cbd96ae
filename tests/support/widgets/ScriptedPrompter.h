#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "ui/common/Prompter.h"

namespace kestrune::testing {

// A prompter for widget tests: records every request and answers from a script. A message
// box with no scripted answer gets the first button (Ok or Yes); a file dialog with none is
// cancelled; a dialog with no handler is rejected.
class ScriptedPrompter : public Prompter {
  public:
    std::vector<PromptRequest> messages;  // every message box shown, in order
    std::vector<FileDialogRequest> fileDialogs;

    std::deque<PromptAnswer> answers;  // for ask()
    std::deque<QString> fileNames;     // for open/save dialogs: the name as the user typed it
    std::deque<QString> saveFilters;   // the file type chosen in a save dialog; else the one shown
    std::deque<QString> directories;
    std::deque<std::optional<QColor>> colors;
    std::deque<bool> printerChoices;
    // For an accepted print dialog: the PDF file the printer prints into, as a user would
    // choose "print to file"; without one the printer is left as the caller made it.
    std::deque<QString> printFiles;
    // Handlers for runDialog, in order; each may drive the dialog and returns its result.
    std::deque<std::function<int(QDialog&)>> dialogHandlers;

    PromptAnswer ask(const PromptRequest& request) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString chooseSaveFileName(const FileDialogRequest& request, QString* chosenFilter) override;
    QString existingDirectory(const QString& caption, const QString& start) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool choosePrinter(QPrinter& printer) override;
    int runDialog(QDialog& dialog) override;

    // The last message box's text, or empty.
    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
};

}  // namespace kestrune::testing

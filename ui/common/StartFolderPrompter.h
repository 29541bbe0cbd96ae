#pragma once

#include <QString>
#include <functional>

#include "ui/common/Prompter.h"

namespace kestrune {

// Gives every file dialog a start folder: the one its caller names (the study disk's folder for
// that kind of file), else the folder last used in a file dialog, else the study disk itself,
// so that no dialog opens at the root of the file system. Everything else goes to the
// prompter it wraps unchanged.
class StartFolderPrompter : public Prompter {
  public:
    StartFolderPrompter(Prompter& inner, std::function<QString()> studyDiskFolder)
        : inner_(inner), studyDiskFolder_(std::move(studyDiskFolder)) {}

    PromptAnswer ask(const PromptRequest& request) override { return inner_.ask(request); }
    QString openFileName(const FileDialogRequest& request) override;
    QString chooseSaveFileName(const FileDialogRequest& request, QString* chosenFilter) override;
    QString existingDirectory(const QString& caption, const QString& start) override {
        return inner_.existingDirectory(caption, start);
    }
    std::optional<QColor> chooseColor(const QColor& initial) override { return inner_.chooseColor(initial); }
    bool choosePrinter(QPrinter& printer) override { return inner_.choosePrinter(printer); }
    int runDialog(QDialog& dialog) override { return inner_.runDialog(dialog); }

    QString lastFolder() const { return lastFolder_; }

  private:
    FileDialogRequest withStartFolder(const FileDialogRequest& request) const;
    void remember(const QString& fileName);

    Prompter& inner_;
    std::function<QString()> studyDiskFolder_;
    QString lastFolder_;
};

}  // namespace kestrune

#include "ui/common/StartFolderPrompter.h"

#include <QFileInfo>

namespace kestrune {

FileDialogRequest StartFolderPrompter::withStartFolder(const FileDialogRequest& request) const {
    FileDialogRequest started = request;
    if (started.directory.isEmpty())
        started.directory = !lastFolder_.isEmpty() ? lastFolder_ : studyDiskFolder_();
    return started;
}

void StartFolderPrompter::remember(const QString& fileName) {
    if (!fileName.isEmpty())
        lastFolder_ = QFileInfo(fileName).absolutePath();
}

QString StartFolderPrompter::openFileName(const FileDialogRequest& request) {
    const QString fileName = inner_.openFileName(withStartFolder(request));
    remember(fileName);
    return fileName;
}

QString StartFolderPrompter::chooseSaveFileName(const FileDialogRequest& request, QString* chosenFilter) {
    const QString fileName = inner_.chooseSaveFileName(withStartFolder(request), chosenFilter);
    remember(fileName);
    return fileName;
}

}  // namespace kestrune

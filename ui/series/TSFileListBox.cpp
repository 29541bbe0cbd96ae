#include "ui/series/TSFileListBox.h"

#include <QDir>

#include "core/StudyDisk.h"

namespace kestrune {

TSFileListBox::TSFileListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TSFileListBox::setDirectory(const std::filesystem::path& directory) {
    directory_ = directory;
    clear();
    // QDir reads the directory without changing the process's working directory, so a
    // directory that vanished with its medium cannot leave the program standing in it.
    const QDir dir(QString::fromStdString(pathToUtf8(directory)));
    if (!dir.exists())
        return;
    addItems(dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name));
}

QStringList TSFileListBox::fileNames() const {
    QStringList names;
    for (int row = 0; row < count(); ++row)
        names << item(row)->text();
    return names;
}

}  // namespace kestrune

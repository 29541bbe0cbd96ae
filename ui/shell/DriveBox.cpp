#include "ui/shell/DriveBox.h"

#include <QStorageInfo>

#include "core/StudyDisk.h"
#include "ui/common/Prompter.h"

namespace kestrune {

namespace {
const QString kPickDirectory = QStringLiteral("...");

bool isRemovableMount(const QStorageInfo& volume) {
    const QString path = volume.rootPath();
    return volume.isValid() && volume.isReady() &&
           (path.startsWith(QStringLiteral("/media/")) || path.startsWith(QStringLiteral("/run/media/")) ||
            path.startsWith(QStringLiteral("/mnt/")));
}
}  // namespace

DriveBox::DriveBox(const std::filesystem::path& startRoot, Prompter& prompter, QWidget* parent)
    : QComboBox(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("driveBox"));
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const QString start = QString::fromStdString(pathToUtf8(startRoot));
    addItem(start, start);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!isRemovableMount(volume) || indexOfRoot(volume.rootPath()) >= 0)
            continue;
        const QString name = volume.name();
        addItem(name.isEmpty() ? volume.rootPath() : QStringLiteral("%1 [%2]").arg(volume.rootPath(), name),
                volume.rootPath());
    }
    addItem(kPickDirectory, QString());
    setCurrentIndex(0);
    connect(this, &QComboBox::activated, this, &DriveBox::chosen);
}

std::filesystem::path DriveBox::root() const {
    return pathFromUtf8(currentData().toString().toStdString());
}

int DriveBox::indexOfRoot(const QString& root) const {
    for (int i = 0; i < count(); ++i) {
        if (!itemData(i).toString().isEmpty() && itemData(i).toString() == root)
            return i;
    }
    return -1;
}

int DriveBox::insertRoot(const QString& root, const QString& text) {
    const int at = count() - 1;  // before "..."
    insertItem(at, text, root);
    return at;
}

void DriveBox::selectRoot(const std::filesystem::path& root) {
    const QString text = QString::fromStdString(pathToUtf8(root));
    int index = indexOfRoot(text);
    if (index < 0)
        index = insertRoot(text, text);
    setCurrentIndex(index);
    lastIndex_ = index;
}

void DriveBox::chosen(int index) {
    if (itemData(index).toString().isEmpty()) {
        const QString picked =
            prompter_.existingDirectory(QStringLiteral("ドライブの選択"), itemData(lastIndex_).toString());
        if (picked.isEmpty()) {
            setCurrentIndex(lastIndex_);
            return;
        }
        index = indexOfRoot(picked);
        if (index < 0)
            index = insertRoot(picked, picked);
        setCurrentIndex(index);
    }
    if (index == lastIndex_)
        return;
    lastIndex_ = index;
    emit rootChosen(root());
}

}  // namespace kestrune

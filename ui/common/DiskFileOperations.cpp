#include "ui/common/DiskFileOperations.h"

#include <fcntl.h>
#include <stdio.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>

#include "core/DiskNames.h"
#include "core/StudyDisk.h"

namespace kestrune {

namespace fs = std::filesystem;

std::optional<fs::path> moveToDesktopTrash(const fs::path& place) {
    // Without the user's data directory Qt puts the trash into the working directory.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir().mkpath(dataHome))
        return std::nullopt;
    QString inTrash;
    if (!QFile::moveToTrash(QString::fromStdString(pathToUtf8(place)), &inTrash) || inTrash.isEmpty()) {
        return std::nullopt;
    }
    return pathFromUtf8(inTrash.toStdString());
}

bool restoreFromTrash(const fs::path& inTrash, const fs::path& original) {
    std::error_code error;
    fs::rename(inTrash, original, error);
    if (error)
        return false;
    // The trash keeps "files/NAME" beside "info/NAME.trashinfo".
    const fs::path info =
        inTrash.parent_path().parent_path() / "info" / (inTrash.filename().string() + ".trashinfo");
    fs::remove(info, error);
    return true;
}

bool trashAll(const std::vector<fs::path>& places, const TrashMover& mover) {
    std::vector<std::pair<fs::path, fs::path>> trashed;  // original, place in the trash
    for (const fs::path& place : places) {
        if (std::optional<fs::path> inTrash = mover(place)) {
            trashed.emplace_back(place, *inTrash);
            continue;
        }
        for (const auto& [original, inTrashPlace] : trashed)
            restoreFromTrash(inTrashPlace, original);
        return false;
    }
    return true;
}

bool renameWithoutReplacing(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the no-replace flag: test, then rename.
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error)) || !fs::exists(fs::symlink_status(from, error)))
        return false;
    fs::rename(from, to, error);
    return !error;
}

bool isPlainFileName(const std::string& name) {
    return isPlainDiskName(name);
}

}  // namespace kestrune

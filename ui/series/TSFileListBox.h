#pragma once

#include <QListWidget>
#include <filesystem>

namespace kestrune {

// The series page's file list: the plain files of one directory, sorted by name, hidden files
// and directories left out. A directory that is missing or cannot be read (a drive without
// its medium) empties the list; nothing is reported and no prompt is raised.
class TSFileListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit TSFileListBox(QWidget* parent = nullptr);

    void setDirectory(const std::filesystem::path& directory);
    const std::filesystem::path& directory() const { return directory_; }
    // The names shown, in order.
    QStringList fileNames() const;

  private:
    std::filesystem::path directory_;
};

}  // namespace kestrune

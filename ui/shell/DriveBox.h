#pragma once

#include <QComboBox>
#include <filesystem>

namespace kestrune {

class Prompter;

// The drive box: chooses the study disk root among the directory the program was started on,
// the mounted removable volumes (with their volume names) and, through "...", any directory.
class DriveBox : public QComboBox {
    Q_OBJECT
  public:
    DriveBox(const std::filesystem::path& startRoot, Prompter& prompter, QWidget* parent = nullptr);

    std::filesystem::path root() const;
    // Selects a root, adding it when it is not offered yet; emits nothing.
    void selectRoot(const std::filesystem::path& root);

  signals:
    // The user chose another root.
    void rootChosen(const std::filesystem::path& root);

  private:
    void chosen(int index);
    int indexOfRoot(const QString& root) const;
    int insertRoot(const QString& root, const QString& text);

    Prompter& prompter_;
    int lastIndex_ = 0;
};

}  // namespace kestrune

#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <filesystem>
#include <functional>
#include <string_view>

class QMenu;

namespace kestrune {

// "Number" of the add-in file: decimal, or hexadecimal after "0x"/"0X"; anything else is 0.
int parseAddinCount(std::string_view text);

// The add-in items on top of the tools menu, read once from "kestrun2.ini": at most 41, named
// Addins0..., each opening its command through the desktop's opener without waiting.
class AddinMenu : public QObject {
    Q_OBJECT
  public:
    static constexpr int kCommandCount = 41;
    using Opener = std::function<void(const QString& command)>;

    AddinMenu(QMenu& toolsMenu, Opener opener, QObject* parent = nullptr);

    // Builds the items; a missing file or a count below 1 adds nothing.
    void load(const std::filesystem::path& addinFile);
    const std::array<QString, kCommandCount>& commands() const { return commands_; }
    // The click on the item with this tag.
    void launch(int tag) const;

    // Opens a document, program or other object named by a text with the desktop's opener.
    static void openWithDesktop(const QString& command);

  private:
    void addItem(const std::filesystem::path& addinFile, int number);

    QMenu& toolsMenu_;
    Opener opener_;
    std::array<QString, kCommandCount> commands_;
};

}  // namespace kestrune

#include "ui/shell/AddinMenu.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>
#include <QUrl>
#include <charconv>
#include <stdexcept>
#include <string>

#include "core/IniProfile.h"

namespace kestrune {

int parseAddinCount(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    bool negative = false;
    if (base == 10 && !text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return 0;
    return negative ? -value : value;
}

AddinMenu::AddinMenu(QMenu& toolsMenu, Opener opener, QObject* parent)
    : QObject(parent), toolsMenu_(toolsMenu), opener_(std::move(opener)) {}

void AddinMenu::load(const std::filesystem::path& addinFile) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(addinFile, error))
        return;
    const int count = parseAddinCount(readProfileString(addinFile, "Addins", "Number"));
    // Items after the last command slot are left out, so there is no need to read them.
    for (int number = 1; number <= count && number <= kCommandCount + 1; ++number)
        addItem(addinFile, number);
}

void AddinMenu::addItem(const std::filesystem::path& addinFile, int number) {
    const std::string section = "Addins" + std::to_string(number);
    auto* item =
        new QAction(QString::fromStdString(readProfileString(addinFile, section, "Caption")), &toolsMenu_);
    try {
        const QString command = QString::fromStdString(readProfileString(addinFile, section, "Command"));
        const int tag = number - 1;
        if (tag >= kCommandCount)
            throw std::out_of_range("no command slot");
        commands_[static_cast<std::size_t>(tag)] = command;
        const QList<QAction*> present = toolsMenu_.actions();
        toolsMenu_.insertAction(present.value(tag, nullptr), item);
        item->setObjectName(QStringLiteral("Addins%1").arg(tag));
        item->setData(tag);
        connect(item, &QAction::triggered, this, [this, tag] { launch(tag); });
    } catch (const std::exception&) {
        delete item;
    }
}

void AddinMenu::launch(int tag) const {
    if (tag < 0 || tag >= kCommandCount)
        return;
    opener_(commands_[static_cast<std::size_t>(tag)]);
}

void AddinMenu::openWithDesktop(const QString& command) {
    if (command.isEmpty())
        return;
    // The opener runs detached; its result is of no concern.
    QDesktopServices::openUrl(QUrl::fromUserInput(command, QDir::currentPath(), QUrl::AssumeLocalFile));
}

}  // namespace kestrune

#include "tests/ui/entry/EntryTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "core/AtomicFile.h"
#include "core/Response.h"

namespace kestrune::testing {

void ensureApplication() {
    if (QApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

const std::vector<std::string>& EntryPageHost::words() {
    static const std::vector<std::string> list{"明るい", "暖かい", "重い", "柔らかい"};
    return list;
}

EntryPageHost::EntryPageHost(const std::vector<std::string>& seriesWords) {
    ensureApplication();
    disk.makeSeries("飲料", 5, seriesWords);
    context.disk.setRoot(disk.root());
    window = std::make_unique<QMainWindow>();
    dialog = new EndEntryDialog(window.get());
    page = new EntryPage(context, *dialog, window.get());
    window->setCentralWidget(page);
    window->resize(900, 700);
    page->setClock([] { return QDateTime(QDate(2026, 3, 5), QTime(9, 7, 30)); });
    // As the main window does: every page set-up runs after the lock is lifted.
    QObject::connect(page, &EntryPage::lockChanged, [this](bool locked) {
        lockSignals.push_back(locked);
        if (!locked)
            page->setUpPage();
    });
    page->seriesChooser()->addItem(QStringLiteral("飲料"));
    page->seriesChooser()->setCurrentIndex(0);
    page->setUpPage();
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
}

EntryPageHost::~EntryPageHost() {
    setWriteFaultHook({});
}

void EntryPageHost::type(const QString& characters) {
    for (QChar character : characters) {
        QWidget* target = window->focusWidget() ? window->focusWidget() : window.get();
        QTest::keyClick(target, character.toLatin1());
    }
}

void EntryPageHost::typeSheet(const std::string& choices) {
    int row = 0;
    for (char choice : choices) {
        ++row;
        // Both keys of each side are used, so that all four are exercised.
        if (choice == 'A')
            type(row % 2 ? QStringLiteral("4") : QStringLiteral("z"));
        if (choice == 'B')
            type(row % 2 ? QStringLiteral("x") : QStringLiteral("6"));
    }
}

void EntryPageHost::clickButton(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

std::vector<std::string> EntryPageHost::boardMarks() const {
    const ResponseBoardModel& board = page->board()->model();
    std::vector<std::string> result;
    for (int row = 1; row <= board.rowCount(); ++row) {
        std::string mark;
        if (board.circleA(row).Status())
            mark += "A";
        if (board.circleB(row).Status())
            mark += "B";
        result.push_back(mark.empty() ? "-" : mark);
    }
    return result;
}

std::vector<std::int32_t> EntryPageHost::bufferAnswers() const {
    std::vector<std::int32_t> result;
    for (std::size_t n = 0; n < context.responseBuffer.answerCount(); ++n) {
        result.push_back(context.responseBuffer.answer(n));
    }
    return result;
}

std::filesystem::path EntryPageHost::dataFile(const std::string& name, TSexGroup group) const {
    return context.disk.dataPath(group, "飲料", name);
}

std::filesystem::path EntryPageHost::backupFile(TSexGroup group) const {
    return context.disk.backupPath(group, "飲料");
}

bool EntryPageHost::selectDataFile(const QString& name) {
    QTreeWidget* list = page->dataFileList();
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = list->topLevelItem(row);
        if (item->text(0) == name) {
            list->setCurrentItem(item);
            item->setSelected(true);
            return true;
        }
    }
    return false;
}

QStringList EntryPageHost::listedFiles() const {
    QStringList names;
    QTreeWidget* list = page->dataFileList();
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        names << list->topLevelItem(row)->text(0);
    return names;
}

void EntryPageHost::answerEndDialog(bool ok, std::optional<EndChoice> choice) {
    prompter.dialogHandlers.push_back([this, ok, choice](QDialog& shown) {
        auto& endDialog = dynamic_cast<EndEntryDialog&>(shown);
        dialogSnapshots.push_back({endDialog.choiceButton(EndChoice::SaveAll)->isEnabled(),
                                   endDialog.choiceButton(EndChoice::DropLast)->isEnabled(),
                                   endDialog.choiceButton(EndChoice::Nothing)->isEnabled(),
                                   endDialog.choice()});
        if (choice)
            endDialog.choiceButton(*choice)->click();
        QTest::mouseClick(ok ? endDialog.okButton() : endDialog.cancelButton(), Qt::LeftButton);
        return endDialog.result();
    });
}

}  // namespace kestrune::testing

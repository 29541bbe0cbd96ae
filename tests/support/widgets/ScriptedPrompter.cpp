#include "tests/support/widgets/ScriptedPrompter.h"

#include <QPrinter>

#include <QDialog>
#include <QPrinter>

namespace kestrune::testing {

template <typename T>
static std::optional<T> takeFront(std::deque<T>& queue) {
    if (queue.empty())
        return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

PromptAnswer ScriptedPrompter::ask(const PromptRequest& request) {
    messages.push_back(request);
    if (auto answer = takeFront(answers))
        return *answer;
    switch (request.buttons) {
        case PromptButtons::Ok:
        case PromptButtons::OkCancel:
            return PromptAnswer::Ok;
        default:
            return PromptAnswer::Yes;
    }
}

QString ScriptedPrompter::openFileName(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return takeFront(fileNames).value_or(QString());
}

QString ScriptedPrompter::chooseSaveFileName(const FileDialogRequest& request, QString* chosenFilter) {
    fileDialogs.push_back(request);
    const QString shown =
        request.filters.contains(request.selectedFilter) ? request.selectedFilter : request.filters.value(0);
    const QString filter = takeFront(saveFilters).value_or(shown);
    if (chosenFilter != nullptr)
        *chosenFilter = filter;
    return takeFront(fileNames).value_or(QString());
}

QString ScriptedPrompter::existingDirectory(const QString&, const QString&) {
    return takeFront(directories).value_or(QString());
}

std::optional<QColor> ScriptedPrompter::chooseColor(const QColor&) {
    return takeFront(colors).value_or(std::nullopt);
}

bool ScriptedPrompter::choosePrinter(QPrinter& printer) {
    if (!takeFront(printerChoices).value_or(false))
        return false;
    if (auto file = takeFront(printFiles)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*file);
    }
    return true;
}

int ScriptedPrompter::runDialog(QDialog& dialog) {
    if (auto handler = takeFront(dialogHandlers))
        return (*handler)(dialog);
    return QDialog::Rejected;
}

}  // namespace kestrune::testing

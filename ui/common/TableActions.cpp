#include "ui/common/TableActions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPrinter>

#include "core/Error.h"
#include "core/StudyDisk.h"
#include "core/TextLines.h"
#include "output/printing/TStrGridPrinter.h"
#include "output/printing/TextLinePrinter.h"
#include "output/tables/TabLines.h"
#include "ui/common/Prompter.h"

namespace kestrune {

void writeTableFile(Prompter& prompter, const QString& fileName, const std::vector<std::string>& lines) {
    try {
        writeTextLines(pathFromUtf8(fileName.toStdString()), lines);
    } catch (const UserError& error) {
        showError(prompter, error);
    }
}

void copyTableText(const std::vector<std::string>& lines) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(clipboardText(lines)));
}

void printGridWithDialog(Prompter& prompter, TStrGridPrinter& gridPrinter) {
    QPrinter printer(QPrinter::HighResolution);
    if (!prompter.choosePrinter(printer))
        return;
    gridPrinter.Print(printer);
}

void printLinesWithDialog(Prompter& prompter, const std::vector<std::string>& lines) {
    QPrinter printer(QPrinter::HighResolution);
    if (!prompter.choosePrinter(printer))
        return;
    printTextLines(printer, lines);
}

}  // namespace kestrune

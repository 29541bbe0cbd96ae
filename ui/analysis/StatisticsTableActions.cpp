#include "ui/analysis/StatisticsTableActions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

#include "core/Error.h"
#include "core/StudyDisk.h"
#include "core/TextGrid.h"
#include "core/TextLines.h"
#include "output/printing/TStrGridPrinter.h"
#include "output/tables/StatisticsExport.h"
#include "output/tables/TabLines.h"
#include "ui/common/Prompter.h"

namespace kestrune {

namespace {

const char* const kTextFilter = "テキストのみ (*.txt)";
const char* const kHtmlFilter = "HTML文書 (*.htm)";

}  // namespace

void saveStatisticsTable(Prompter& prompter, const TextGrid& grid, const QString& caption,
                         const QString& pathLabel) {
    FileDialogRequest request;
    request.filters << QString::fromUtf8(kTextFilter) << QString::fromUtf8(kHtmlFilter);
    request.defaultSuffix = QStringLiteral("txt");
    request.confirmOverwrite = true;
    QString chosenFilter;
    const QString fileName = prompter.saveFileName(request, &chosenFilter);
    if (fileName.isEmpty())
        return;
    const bool html = chosenFilter == QString::fromUtf8(kHtmlFilter);
    try {
        writeTextLines(pathFromUtf8(fileName.toStdString()),
                       html ? statisticsHtmlLines(grid, caption.toStdString(), pathLabel.toStdString())
                            : statisticsTextLines(grid));
    } catch (const UserError& error) {
        showError(prompter, error);
    }
}

void copyStatisticsTable(const TextGrid& grid) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(clipboardText(statisticsTextLines(grid))));
}

void printStatisticsTable(Prompter& prompter, const TextGrid& grid, const QString& caption,
                          const QString& pathLabel, const QFont& font) {
    QPrinter printer(QPrinter::HighResolution);
    if (!prompter.choosePrinter(printer))
        return;
    TStrGridPrinter gridPrinter;
    gridPrinter.TargetGrid = &grid;
    gridPrinter.Font = font;
    const QString title = caption + QStringLiteral(" -") + pathLabel;
    // The caption and path above the table on every page, inside the top margin.
    gridPrinter.OnBeginPage = [title](TStrGridPrinter& p) {
        if (p.Canvas)
            p.Canvas->drawText(p.LeftMarginDots, p.TopMarginDots / 2, title);
    };
    gridPrinter.Print(printer);
}

}  // namespace kestrune

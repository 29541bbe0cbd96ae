#include "ui/correlation/CorrelationMatrixOutput.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/StudyDisk.h"
#include "core/TextGrid.h"
#include "core/TextLines.h"
#include "output/printing/TStrGridPrinter.h"
#include "output/tables/CorrelationExport.h"
#include "output/tables/CorrelationRtf.h"
#include "output/tables/TabLines.h"
#include "ui/common/Prompter.h"

namespace kestrune {

namespace {

enum class MatrixFileType { RichText, Html, PlainText };

struct MatrixFileFilter {
    const char* filter;
    MatrixFileType type;
};

const MatrixFileFilter kMatrixFileFilters[] = {
    {"書式付きテキスト(RTF) (*.rtf)", MatrixFileType::RichText},
    {"HTML文書 (*.htm)", MatrixFileType::Html},
    {"テキストのみ (*.txt)", MatrixFileType::PlainText},
};

// The page header and footer are drawn in the table's font, top-left at the given point.
void drawPageText(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QRect(x, y, painter.device()->width(), painter.device()->height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace

void saveCorrelationMatrixWithDialog(Prompter& prompter, const TextGrid& grid,
                                     const std::string& seriesName) {
    FileDialogRequest request;
    for (const MatrixFileFilter& filter : kMatrixFileFilters)
        request.filters << QString::fromUtf8(filter.filter);
    request.defaultSuffix = QStringLiteral("rtf");
    request.confirmOverwrite = true;
    QString chosenFilter;
    const QString fileName = prompter.saveFileName(request, &chosenFilter);
    if (fileName.isEmpty())
        return;
    MatrixFileType type = MatrixFileType::RichText;
    for (const MatrixFileFilter& filter : kMatrixFileFilters) {
        if (chosenFilter == QString::fromUtf8(filter.filter))
            type = filter.type;
    }
    const std::filesystem::path path = pathFromUtf8(fileName.toStdString());
    try {
        // The rich text is built whatever the type, so a grid it cannot carry fails alike.
        const std::string richText = correlationRtf(grid);
        switch (type) {
            case MatrixFileType::RichText:
                writeFileAtomically(path, richText);
                break;
            case MatrixFileType::Html:
                writeTextLines(path, correlationHtmlLines(grid, seriesName));
                break;
            case MatrixFileType::PlainText:
                writeTextLines(path, correlationTabLines(grid));
                break;
        }
    } catch (const UserError& error) {
        showError(prompter, error);
    }
}

void copyCorrelationMatrixToClipboard(const TextGrid& grid) {
    auto data = std::make_unique<QMimeData>();
    const QByteArray richText = QByteArray::fromStdString(correlationRtf(grid));
    data->setData(QStringLiteral("text/rtf"), richText);
    data->setData(QStringLiteral("text/richtext"), richText);
    data->setData(QStringLiteral("application/rtf"), richText);
    data->setText(QString::fromStdString(clipboardText(correlationTabLines(grid))));
    QGuiApplication::clipboard()->setMimeData(data.release());
}

void printCorrelationMatrixWithDialog(Prompter& prompter, const TextGrid& grid, const MatrixPrintLook& look) {
    QPrinter printer(QPrinter::HighResolution);
    if (!prompter.choosePrinter(printer))
        return;
    TStrGridPrinter gridPrinter;
    gridPrinter.TargetGrid = &grid;
    gridPrinter.TopMargin = 20;
    gridPrinter.Font = look.font;
    gridPrinter.ScreenDpiX = look.screenDpiX;
    gridPrinter.ScreenDpiY = look.screenDpiY;
    const QString header = QString::fromStdString(look.header);
    gridPrinter.OnBeginPage = [header](TStrGridPrinter& sender) {
        drawPageText(*sender.Canvas, sender.MillimetresToX(10), sender.MillimetresToY(10), header);
    };
    gridPrinter.OnEndPage = [](TStrGridPrinter& sender) {
        drawPageText(*sender.Canvas, sender.MillimetresToX(80), sender.TableBottom,
                     QStringLiteral("- %1 -").arg(sender.PageNumber));
    };
    gridPrinter.Print(printer);
}

}  // namespace kestrune

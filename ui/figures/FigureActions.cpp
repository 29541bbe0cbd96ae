#include "ui/figures/FigureActions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPrinter>

#include "core/Error.h"
#include "core/StudyDisk.h"
#include "output/figure/FigureFiles.h"
#include "output/figure/FigureMimeData.h"
#include "output/figure/PrintGeometry.h"
#include "ui/common/Prompter.h"

namespace kestrune {

namespace {

struct FigureFileType {
    const char* filter;
    FigureFormat format;
};

// In the order the save dialog lists them; the first two are the figure's own forms.
const FigureFileType kFigureFileTypes[] = {
    {"Enhanced MetaFile (*.emf)", FigureFormat::EnhancedMetafile},
    {"Windows Bitmap (*.bmp)", FigureFormat::Bitmap},
    {"PNG (*.png)", FigureFormat::Png},
    {"SVG (*.svg)", FigureFormat::Svg},
    {"PDF (*.pdf)", FigureFormat::Pdf},
};

}  // namespace

void saveFigureWithDialog(Prompter& prompter, const Picture& picture) {
    FileDialogRequest request;
    for (const FigureFileType& type : kFigureFileTypes)
        request.filters << QString::fromUtf8(type.filter);
    request.defaultSuffix = QStringLiteral("emf");
    request.confirmOverwrite = true;
    QString chosenFilter;
    const QString fileName = prompter.saveFileName(request, &chosenFilter);
    if (fileName.isEmpty())
        return;
    FigureFormat format = FigureFormat::EnhancedMetafile;
    for (const FigureFileType& type : kFigureFileTypes) {
        if (chosenFilter == QString::fromUtf8(type.filter))
            format = type.format;
    }
    try {
        writeFigure(pathFromUtf8(fileName.toStdString()), picture, format);
    } catch (const UserError& error) {
        showError(prompter, error);
    }
}

void printFigureWithDialog(Prompter& prompter, const Picture& picture, const FigureMargins& margins) {
    QPrinter printer(QPrinter::HighResolution);
    if (!prompter.choosePrinter(printer))
        return;
    try {
        printFigure(picture, printer, margins);
    } catch (const UserError& error) {
        showError(prompter, error);
    }
}

void copyFigureToClipboard(const Picture& picture) {
    QGuiApplication::clipboard()->setMimeData(figureMimeData(picture).release());
}

}  // namespace kestrune

#include "ui/series/AnswerSheetPrinting.h"

#include <QPrinter>

#include "core/Error.h"
#include "output/sheets/AnswerSheetPrinter.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/series/AnswerSheetDialog.h"

namespace kestrune {

void printAnswerSheetsOfSeries(AppContext& context, const QString& series, QWidget* owner) {
    if (series.isEmpty())
        return;
    try {
        AnswerSheetDialog dialog(context.prompter, readSeries(context.disk, series.toStdString()), owner);
        if (context.prompter.runDialog(dialog) != QDialog::Accepted)
            return;
        if (dialog.destination() == AnswerSheetDialog::Destination::PdfFile) {
            FileDialogRequest request;
            request.caption = QStringLiteral("調査用紙の保存");
            request.fileName = series + QStringLiteral(".pdf");
            request.filters = {QStringLiteral("PDF (*.pdf)")};
            request.defaultSuffix = QStringLiteral("pdf");
            request.confirmOverwrite = true;
            const QString file = context.prompter.saveFileName(request);
            if (!file.isEmpty())
                writeAnswerSheetsPdf(dialog.request(), pathFromUtf8(file.toStdString()));
            return;
        }
        QPrinter printer(QPrinter::HighResolution);
        prepareAnswerSheetPrinter(printer);
        printer.setDocName(QStringLiteral("調査用紙 ") + series);
        if (context.prompter.choosePrinter(printer))
            printAnswerSheets(dialog.request(), printer);
    } catch (const UserError& error) {
        showError(context.prompter, error);
    }
}

}  // namespace kestrune

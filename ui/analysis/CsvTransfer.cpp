#include "ui/analysis/CsvTransfer.h"

#include <filesystem>

#include "analysis/CsvExport.h"
#include "analysis/CsvImport.h"
#include "core/AtomicFile.h"
#include "core/Error.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Prompter.h"

namespace kestrune {

void exportDataFileAsCsv(Prompter& prompter, const StudyDisk& disk, TSexGroup group,
                         const std::string& series, const std::string& file) {
    FileDialogRequest request;
    request.caption = QStringLiteral("CSV形式で書き出し");
    request.fileName = QString::fromStdString(file + ".csv");
    for (const char* filter :
         {kLongCsvFilter, kLongExcelCsvFilter, kPaircompCsvFilter, kPaircompExcelCsvFilter})
        request.filters << QString::fromUtf8(filter);
    request.defaultSuffix = QStringLiteral("csv");
    request.confirmOverwrite = true;
    QString chosenFilter;
    const QString fileName = prompter.saveFileName(request, &chosenFilter);
    if (fileName.isEmpty())
        return;
    const bool paircomp = chosenFilter == QString::fromUtf8(kPaircompCsvFilter) ||
                          chosenFilter == QString::fromUtf8(kPaircompExcelCsvFilter);
    const bool excel = chosenFilter == QString::fromUtf8(kLongExcelCsvFilter) ||
                       chosenFilter == QString::fromUtf8(kPaircompExcelCsvFilter);
    try {
        const BusyCursor busy;
        writeFileAtomically(
            pathFromUtf8(fileName.toStdString()),
            exportCsv(disk, group, series, file, paircomp ? CsvLayout::Paircomp : CsvLayout::Long,
                      excel ? CsvFlavour::Excel : CsvFlavour::Plain));
    } catch (const UserError& error) {
        showError(prompter, error);
    }
}

bool importDataFileFromCsv(Prompter& prompter, const StudyDisk& disk, TSexGroup group,
                           const std::string& series) {
    FileDialogRequest request;
    request.caption = QStringLiteral("CSV形式から読み込み");
    request.filters << QStringLiteral("CSV ファイル (*.csv)") << QStringLiteral("すべてのファイル (*)");
    request.mustExist = true;
    const QString fileName = prompter.openFileName(request);
    if (fileName.isEmpty())
        return false;
    const std::filesystem::path csv = pathFromUtf8(fileName.toStdString());
    const std::string name = pathToUtf8(csv.stem());
    try {
        const std::filesystem::path target = importTarget(disk, group, series, name);
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(target, error))) {
            const PromptAnswer answer = prompter.ask(
                {QStringLiteral("同名のファイルが存在しますが、上書きしますか?"),
                 QStringLiteral("ファイルの上書きの確認"), PromptButtons::YesNo, PromptIcon::None});
            if (answer != PromptAnswer::Yes)
                return false;
        }
        const BusyCursor busy;
        importLongCsv(disk, group, series, name, csv);
        return true;
    } catch (const UserError& error) {
        showError(prompter, error);
        return false;
    }
}

}  // namespace kestrune

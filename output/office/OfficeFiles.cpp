#include "output/office/OfficeFiles.h"

#include "core/Error.h"
#include "output/office/DocxBackend.h"
#include "output/office/SpreadsheetExports.h"
#include "output/office/XlsxBackend.h"

namespace kestrune::office {
namespace {

template <class Export>
OfficeFile workbookOf(const std::filesystem::path& directory, Export run) {
    XlsxBackend backend;
    OfficeFile file{{}, "xlsx", {}};
    try {
        run(backend);
    } catch (const UserError& error) {
        file.failure = error.what();
    }
    if (backend.bookCount() > 0)
        file.bytes = backend.xlsxBytes(backend.bookCount(), directory);
    return file;
}

template <class Export>
OfficeFile documentOf(const PictureClipboard* clipboard, Export run) {
    DocxBackend backend(clipboard);
    OfficeFile file{{}, "docx", {}};
    try {
        run(backend);
    } catch (const UserError& error) {
        file.failure = error.what();
    }
    if (backend.documentCount() > 0)
        file.bytes = backend.docxBytes(backend.documentCount());
    return file;
}

}  // namespace

OfficeFile correlationWorkbook(const TextGrid& grid, const std::string& seriesName,
                               const std::filesystem::path& directory) {
    return workbookOf(directory,
                      [&](SpreadsheetBackend& b) { exportCorrelationToSpreadsheet(b, grid, seriesName); });
}

OfficeFile scaleValueWorkbook(const TextGrid& grid, const std::string& seriesName,
                              const std::filesystem::path& directory) {
    return workbookOf(directory,
                      [&](SpreadsheetBackend& b) { exportScaleValuesToSpreadsheet(b, grid, seriesName); });
}

OfficeFile individualWorkbook(IndividualImageTabs& tabs, IndividualScope scope,
                              const std::filesystem::path& directory) {
    return workbookOf(directory,
                      [&](SpreadsheetBackend& b) { exportIndividualToSpreadsheet(b, tabs, scope); });
}

OfficeFile statisticsWorkbook(const TextGrid& grid, const std::string& caption,
                               const std::filesystem::path& directory) {
    return workbookOf(directory,
                      [&](SpreadsheetBackend& b) { exportStatisticsToSpreadsheet(b, grid, caption); });
}

OfficeFile statisticsDocument(const TextGrid& grid) {
    return documentOf(nullptr, [&](WordBackend& b) { exportStatisticsToWordProcessor(b, grid); });
}

OfficeFile correlationDocument(const TextGrid& grid) {
    return documentOf(nullptr, [&](WordBackend& b) { exportCorrelationToWordProcessor(b, grid); });
}

OfficeFile scaleValueDocument(const TextGrid& grid) {
    return documentOf(nullptr, [&](WordBackend& b) { exportScaleValuesToWordProcessor(b, grid); });
}

OfficeFile pictureDocument(PictureClipboard& clipboard, const Picture& picture, FigureSource source) {
    return documentOf(&clipboard,
                      [&](WordBackend& b) { exportPictureToWordProcessor(b, clipboard, picture, source); });
}

}  // namespace kestrune::office

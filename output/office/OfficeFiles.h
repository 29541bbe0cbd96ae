#pragma once

#include <filesystem>
#include <string>

#include "core/Picture.h"
#include "core/TextGrid.h"
#include "output/office/IndividualTabs.h"
#include "output/office/PictureClipboard.h"
#include "output/office/WordExports.h"
#include "output/tables/IndividualText.h"

namespace kestrune::office {

// One export carried out in a workbook or document of our own, as the file that goes to the
// office suite. When a step fails, the file holds what was sent before it and `failure`
// the message to show, as an application keeps a half-made workbook open.
struct OfficeFile {
    std::string bytes;
    std::string suffix;   // "xlsx" or "docx"
    std::string failure;  // empty when every step ran
    bool isWorkbook() const { return suffix == "xlsx"; }
};

// A workbook is built in a scratch file of `directory`, the folder of the file it is for (empty:
// the hand-over folder of the office suite).
OfficeFile correlationWorkbook(const TextGrid& grid, const std::string& seriesName,
                               const std::filesystem::path& directory = {});
OfficeFile scaleValueWorkbook(const TextGrid& grid, const std::string& seriesName,
                              const std::filesystem::path& directory = {});
OfficeFile individualWorkbook(IndividualImageTabs& tabs, IndividualScope scope,
                              const std::filesystem::path& directory = {});
OfficeFile statisticsWorkbook(const TextGrid& grid, const std::string& caption,
                               const std::filesystem::path& directory = {});
OfficeFile correlationDocument(const TextGrid& grid);
OfficeFile statisticsDocument(const TextGrid& grid);
OfficeFile scaleValueDocument(const TextGrid& grid);
// Needs a QGuiApplication (the metafile measures its text).
OfficeFile pictureDocument(PictureClipboard& clipboard, const Picture& picture, FigureSource source);

}  // namespace kestrune::office

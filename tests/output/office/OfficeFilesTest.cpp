// The workbooks and documents as files: unzipped and read back part by part, and their XML
// parts compared with golden files (zip dates and order do not enter the comparison).
#include <gtest/gtest.h>

#include <regex>

#include "output/figure/FigureClipboards.h"
#include "output/office/OfficeFiles.h"
#include "output/office/ZipArchive.h"
#include "tests/output/FigureGuiApp.h"
#include "tests/output/office/OfficeTestData.h"

using namespace kestrune;
using namespace kestrune::office;
using namespace kestrune::testing;

namespace {

std::map<std::string, std::string> partsOf(const OfficeFile& file) {
    EXPECT_TRUE(file.failure.empty()) << file.failure;
    return unzipArchive(file.bytes);
}

// The <c> element of a cell ("C4") in a sheet part.
std::string cellElement(const std::string& sheet, const std::string& reference) {
    const std::regex element("<c r=\"" + reference + "\"[^>]*?(/>|>.*?</c>)");
    std::smatch match;
    return std::regex_search(sheet, match, element) ? match.str(0) : std::string();
}

std::string styleIndex(const std::string& cell) {
    std::smatch match;
    const std::regex style(" s=\"([0-9]+)\"");
    return std::regex_search(cell, match, style) ? match.str(1) : "0";
}

// The <xf> of a style index in the cellXfs list of styles.xml.
std::string cellFormat(const std::string& styles, const std::string& index) {
    const std::size_t list = styles.find("<cellXfs");
    std::size_t at = styles.find("<xf ", list);
    for (int i = 0; i < std::stoi(index); ++i)
        at = styles.find("<xf ", at + 1);
    const std::size_t end = styles.find("</xf>", at);
    const std::size_t shortEnd = styles.find("/>", at);
    return styles.substr(at, (shortEnd < styles.find('>', at) + 1 ? shortEnd + 2 : end + 5) - at);
}

TEST(OfficeFiles, CorrelationWorkbookHoldsNumbersFormatsBoldVerticalHeaderAndPageSetup) {
    const auto parts = partsOf(correlationWorkbook(officeCorrelationGrid(), "色彩の印象"));
    const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
    const std::string& styles = parts.at("xl/styles.xml");
    for (const char* name :
         {"xl/workbook.xml", "xl/styles.xml", "xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"})
        expectGoldenText(parts.at(name), std::string("correlation-xlsx/") + name);

    // Numeric texts are numbers; markers and names stay texts.
    EXPECT_NE(cellElement(sheet, "D3").find("<v>-0.85</v>"), std::string::npos) << cellElement(sheet, "D3");
    EXPECT_EQ(cellElement(sheet, "D3").find("t=\"s\""), std::string::npos);
    // The markers are the spreadsheet's own error values, not texts.
    EXPECT_NE(cellElement(sheet, "E2").find("<f>1/0</f><v>#DIV/0!</v>"), std::string::npos)
        << cellElement(sheet, "E2");
    EXPECT_EQ(parts.at("xl/sharedStrings.xml").find("#DIV/0!"), std::string::npos);
    EXPECT_NE(cellFormat(styles, styleIndex(cellElement(sheet, "E2"))).find("horizontal=\"center\""),
              std::string::npos);

    EXPECT_NE(styles.find("formatCode=\"0.0000_ ;[Red]\\-0.0000\\ \""), std::string::npos);
    const std::string bold = cellFormat(styles, styleIndex(cellElement(sheet, "D3")));
    const std::string plain = cellFormat(styles, styleIndex(cellElement(sheet, "C2")));
    EXPECT_NE(styleIndex(cellElement(sheet, "D3")), styleIndex(cellElement(sheet, "C2")));
    EXPECT_NE(bold.find("numFmtId=\"164\""), std::string::npos) << bold;
    EXPECT_NE(plain.find("numFmtId=\"164\""), std::string::npos) << plain;
    EXPECT_NE(styles.find("<b/>"), std::string::npos);
    const std::string header = cellFormat(styles, styleIndex(cellElement(sheet, "B1")));
    EXPECT_NE(header.find("textRotation=\"255\""), std::string::npos) << header;

    EXPECT_NE(parts.at("xl/workbook.xml").find("name=\"色彩の印象\""), std::string::npos);
    EXPECT_NE(sheet.find("paperSize=\"9\""), std::string::npos);
    EXPECT_NE(sheet.find("orientation=\"landscape\""), std::string::npos);
    EXPECT_NE(sheet.find("<oddHeader>&amp;C&amp;A</oddHeader>"), std::string::npos);
    // Computed widths: the header names stand vertically, so the widest column is the names'.
    EXPECT_NE(sheet.find("<col min=\"1\" max=\"1\" width=\"5"), std::string::npos) << sheet.substr(0, 900);
}

TEST(OfficeFiles, ScaleValueWorkbookRulesTheImageBlocks) {
    const auto parts = partsOf(scaleValueWorkbook(officeScaleValueGrid(4), "色彩の印象"));
    const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
    const std::string& styles = parts.at("xl/styles.xml");
    expectGoldenText(sheet, "scale-values-xlsx/sheet1.xml");
    expectGoldenText(styles, "scale-values-xlsx/styles.xml");

    EXPECT_NE(styles.find("formatCode=\"0.000\""), std::string::npos);
    const auto bottomOf = [&](const std::string& reference) {
        const std::string xf = cellFormat(styles, styleIndex(cellElement(sheet, reference)));
        std::smatch match;
        const std::regex border(" borderId=\"([0-9]+)\"");
        if (!std::regex_search(xf, match, border))
            return std::string("none");
        const std::size_t list = styles.find("<borders");
        std::size_t at = styles.find("<border>", list);
        for (int i = 0; i < std::stoi(match.str(1)); ++i)
            at = styles.find("<border", at + 1);
        return styles.substr(at, styles.find("</border>", at) - at);
    };
    for (const char* reference : {"A4", "C7", "F10"})
        EXPECT_NE(bottomOf(reference).find("<bottom style=\"thin\">"), std::string::npos) << reference;
    EXPECT_NE(bottomOf("D13").find("<bottom style=\"medium\">"), std::string::npos);
    EXPECT_NE(bottomOf("A1").find("<top style=\"medium\">"), std::string::npos);
    EXPECT_EQ(bottomOf("C5").find("<bottom style="), std::string::npos);
    EXPECT_NE(sheet.find("orientation=\"portrait\""), std::string::npos);
    // "標準偏差基準化得点": nine full-width characters count eighteen.
    EXPECT_NE(sheet.find("<col min=\"2\" max=\"2\" width=\"19.7"), std::string::npos);
}

TEST(OfficeFiles, AllImagesWorkbookNamesItsSheetsAndOpensOnTheFirst) {
    IndividualFixture fixture;
    fixture.words = {"明るい", "明るい", "a[1]:b*c?d/e\\f"};
    StoredIndividualTabs tabs(fixture.grid, fixture.store, fixture.words, 0);
    const auto parts = partsOf(individualWorkbook(tabs, IndividualScope::AllImages));
    const std::string& workbook = parts.at("xl/workbook.xml");
    const std::size_t first = workbook.find("name=\"明るい\"");
    const std::size_t second = workbook.find("name=\"明るい (2)\"");
    const std::size_t third = workbook.find("name=\"a_1__b_c_d_e_f\"");
    const std::size_t fourth = workbook.find("name=\"Sheet1\"");
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    EXPECT_LT(third, fourth);
    EXPECT_NE(fourth, std::string::npos);
    EXPECT_EQ(workbook.find("activeTab"), std::string::npos);  // the first sheet is the active one
    EXPECT_NE(parts.at("xl/worksheets/sheet3.xml").find("<v>2</v>"), std::string::npos);
    EXPECT_NE(parts.at("xl/worksheets/sheet4.xml").find("<sheetData/>"), std::string::npos);
}

std::string tableCell(const std::string& document, int row, int column) {
    std::size_t at = 0;
    for (int r = 0; r < row; ++r)
        at = document.find("<w:tr>", at + 1);
    for (int c = 0; c < column; ++c)
        at = document.find("<w:tc>", at + 1);
    return document.substr(at, document.find("</w:tc>", at) - at);
}

TEST(OfficeFiles, CorrelationDocumentHoldsTheRuledTableWithBoldRedAndVerticalCells) {
    const auto parts = partsOf(correlationDocument(officeCorrelationGrid()));
    const std::string& document = parts.at("word/document.xml");
    expectGoldenText(document, "correlation-docx/document.xml");

    EXPECT_NE(document.find("w:orient=\"landscape\""), std::string::npos);
    EXPECT_NE(document.find("<w:tblBorders><w:top w:val=\"nil\"/><w:left w:val=\"nil\"/>"),
              std::string::npos);
    const std::string negative = tableCell(document, 3, 4);
    EXPECT_NE(negative.find("<w:b/>"), std::string::npos);
    EXPECT_NE(negative.find("<w:color w:val=\"FF0000\"/>"), std::string::npos);
    EXPECT_NE(negative.find(">-0.8500<"), std::string::npos);
    const std::string exact = tableCell(document, 3, 5);
    EXPECT_EQ(exact.find("<w:b/>"), std::string::npos);
    EXPECT_NE(exact.find("FF0000"), std::string::npos);
    EXPECT_EQ(tableCell(document, 2, 5).find("<w:rPr>"), std::string::npos);  // "#DIV/0!"
    EXPECT_EQ(tableCell(document, 1, 1).find("tbRlV"), std::string::npos);
    EXPECT_NE(tableCell(document, 1, 2).find("<w:textDirection w:val=\"tbRlV\"/>"), std::string::npos);
    EXPECT_NE(tableCell(document, 1, 3).find("<w:top w:val=\"single\" w:sz=\"12\""), std::string::npos);
    EXPECT_NE(tableCell(document, 1, 3).find("<w:bottom w:val=\"single\" w:sz=\"4\""), std::string::npos);
    EXPECT_NE(tableCell(document, 4, 2).find("<w:bottom w:val=\"single\" w:sz=\"12\""), std::string::npos);
    EXPECT_NE(tableCell(document, 3, 1).find("<w:right w:val=\"single\" w:sz=\"4\""), std::string::npos);
    EXPECT_EQ(tableCell(document, 3, 2).find("<w:tcBorders>"), std::string::npos);
    EXPECT_EQ(parts.count("word/media/image1.emf"), 0u);
}

TEST(OfficeFiles, ScaleValueDocumentRulesEveryImageBlock) {
    const auto parts = partsOf(scaleValueDocument(officeScaleValueGrid(4)));
    const std::string& document = parts.at("word/document.xml");
    expectGoldenText(document, "scale-values-docx/document.xml");
    for (int row : {4, 7, 10})
        EXPECT_NE(tableCell(document, row, 3).find("<w:bottom w:val=\"single\" w:sz=\"4\""),
                  std::string::npos);
    EXPECT_NE(tableCell(document, 5, 2).find("<w:right w:val=\"single\" w:sz=\"4\""), std::string::npos);
    EXPECT_EQ(document.find("tbRlV"), std::string::npos);
}

TEST(OfficeFiles, PictureDocumentCarriesTheMetafileAsWideAsTheTextArea) {
    ensureGuiApplication();
    Picture picture;
    picture.line({100, 100}, {900, 900});
    picture.text({100, 50}, "数直線");
    MemoryPictureClipboard clipboard;
    const auto parts = partsOf(pictureDocument(clipboard, picture, FigureSource::NumberLine));
    const std::string& document = parts.at("word/document.xml");
    expectGoldenText(document, "picture-docx/document.xml");
    expectGoldenText(parts.at("word/_rels/document.xml.rels"), "picture-docx/document.xml.rels");
    expectGoldenText(parts.at("[Content_Types].xml"), "picture-docx/content-types.xml");

    // 425.2 pt of text width, square, inline in the first paragraph.
    EXPECT_NE(document.find("<wp:inline"), std::string::npos);
    EXPECT_NE(document.find("<wp:extent cx=\"5400040\" cy=\"5400040\"/>"), std::string::npos);
    const std::string& emf = parts.at("word/media/image1.emf");
    ASSERT_GE(emf.size(), 44u);
    EXPECT_EQ(emf.substr(40, 4), " EMF");
    EXPECT_EQ(emf, clipboard.enhancedMetafile());
}

TEST(OfficeFiles, TheSameExportGivesTheSameBytes) {
    EXPECT_EQ(correlationDocument(officeCorrelationGrid()).bytes,
              correlationDocument(officeCorrelationGrid()).bytes);
}

}  // namespace

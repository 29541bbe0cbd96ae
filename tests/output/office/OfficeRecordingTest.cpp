// The exports' call sequences, written down by the recording backend: each against its golden
// list, and the edge cases line by line.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/Error.h"
#include "output/office/DocxBackend.h"
#include "output/office/RecordingBackends.h"
#include "output/office/SpreadsheetExports.h"
#include "output/office/WordExports.h"
#include "output/office/XlsxBackend.h"
#include "tests/output/office/OfficeTestData.h"

using namespace kestrune;
using namespace kestrune::office;
using namespace kestrune::testing;

namespace {

bool has(const std::vector<std::string>& calls, const std::string& line) {
    return std::find(calls.begin(), calls.end(), line) != calls.end();
}

std::ptrdiff_t indexOf(const std::vector<std::string>& calls, const std::string& line) {
    return std::find(calls.begin(), calls.end(), line) - calls.begin();
}

std::vector<std::string> containing(const std::vector<std::string>& calls, const std::string& fragment) {
    std::vector<std::string> found;
    for (const std::string& call : calls) {
        if (call.find(fragment) != std::string::npos)
            found.push_back(call);
    }
    return found;
}

// A clipboard that refuses the picture, as a busy clipboard would.
class RefusingClipboard : public PictureClipboard {
  public:
    void copyPicture(const Picture&) override {}
    bool holdsPicture() const override { return false; }
    std::string enhancedMetafile() const override { return {}; }
};

// A clipboard holding stand-in bytes, so the word processor's calls need no fonts.
class FixedClipboard : public PictureClipboard {
  public:
    void copyPicture(const Picture&) override { copies++; }
    bool holdsPicture() const override { return copies > 0; }
    std::string enhancedMetafile() const override { return "EMF"; }
    int copies = 0;
};

TEST(OfficeRecording, CorrelationToSpreadsheetFollowsTheStepsAndMarksOnlyNumbers) {
    RecordingSpreadsheet recorder;
    exportCorrelationToSpreadsheet(recorder, officeCorrelationGrid(), "色彩の印象");
    const std::vector<std::string>& calls = recorder.calls();
    expectGoldenText(joinedLines(calls), "calls/correlation-spreadsheet.txt");

    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0], "CreateObject(\"Excel.Application\").Application");
    EXPECT_EQ(calls[1], "Application.Visible := True");
    EXPECT_EQ(calls[2], "Application.ScreenUpdating := False");
    EXPECT_EQ(calls.back(), "Application.ScreenUpdating := True");
    // The format goes on before the values, so the texts arrive as formatted numbers.
    const auto format = indexOf(
        calls,
        "Book1.ActiveSheet.Range(Cells(2,2),Cells(4,5)).NumberFormatLocal := \"0.0000_ ;[赤]-0.0000 \"");
    EXPECT_LT(format, indexOf(calls, "Book1.ActiveSheet.Cells(1,1).Value := \"\""));

    // -0.85 at grid row 2, column 3 is sheet cell (3, 4).
    const std::vector<std::string> bold = containing(calls, "Font.Bold");
    EXPECT_EQ(bold, (std::vector<std::string>{"Book1.ActiveSheet.Cells(2,2).Font.Bold := True",
                                              "Book1.ActiveSheet.Cells(3,4).Font.Bold := True",
                                              "Book1.ActiveSheet.Cells(4,2).Font.Bold := True",
                                              "Book1.ActiveSheet.Cells(4,4).Font.Bold := True"}));
    EXPECT_TRUE(has(calls, "Book1.ActiveSheet.Range(Cells(1,1),Cells(1,5)).Orientation := -4166"));
    EXPECT_TRUE(has(calls, "Book1.ActiveSheet.Name := \"色彩の印象\""));
    EXPECT_TRUE(has(calls, "Book1.ActiveSheet.PageSetup.Orientation := 2"));
    EXPECT_TRUE(has(calls, "Book1.ActiveSheet.PageSetup.CenterHeader := \"&A\""));
}

TEST(OfficeRecording, ScaleValuesOfFourImagesGetThinRulesBetweenBlocksAndAMediumOneUnderTheLast) {
    RecordingSpreadsheet recorder;
    exportScaleValuesToSpreadsheet(recorder, officeScaleValueGrid(4), "色彩の印象");
    const std::vector<std::string>& calls = recorder.calls();
    expectGoldenText(joinedLines(calls), "calls/scale-values-spreadsheet.txt");

    EXPECT_EQ(containing(calls, "Borders(9).Weight"),
              (std::vector<std::string>{
                  "Book1.ActiveSheet.Range(Cells(13,1),Cells(13,6)).Borders(9).Weight := -4138",
                  "Book1.ActiveSheet.Range(Cells(1,1),Cells(1,6)).Borders(9).Weight := 2",
                  "Book1.ActiveSheet.Range(Cells(4,1),Cells(4,6)).Borders(9).Weight := 2",
                  "Book1.ActiveSheet.Range(Cells(7,1),Cells(7,6)).Borders(9).Weight := 2",
                  "Book1.ActiveSheet.Range(Cells(10,1),Cells(10,6)).Borders(9).Weight := 2"}));
    EXPECT_TRUE(has(calls, "Book1.ActiveSheet.Range(Cells(2,3),Cells(13,6)).NumberFormatLocal := \"0.000\""));
    EXPECT_TRUE(has(calls, "Book1.ActiveSheet.Range(Columns(1),Columns(6)).EntireColumn.AutoFit"));
    EXPECT_TRUE(has(calls, "Book1.ActiveSheet.PageSetup.Orientation := 1"));
    EXPECT_TRUE(containing(calls, "Font.Bold").empty());
}

TEST(OfficeRecording, AllImagesMakeOneSheetPerImageAheadOfTheFirstAndSelectTheFirstAgain) {
    IndividualFixture fixture;
    StoredIndividualTabs tabs(fixture.grid, fixture.store, fixture.words, 2);
    XlsxBackend workbook;
    RecordingSpreadsheet recorder(&workbook);
    exportIndividualToSpreadsheet(recorder, tabs, IndividualScope::AllImages);
    const std::vector<std::string>& calls = recorder.calls();
    expectGoldenText(joinedLines(calls), "calls/individual-all-spreadsheet.txt");

    EXPECT_EQ(
        containing(calls, "Sheets.Add"),
        (std::vector<std::string>{"Book1.Sheets.Add(Before:=Book1.Sheets.Item(1), Count:=1, Type:=-4167)",
                                  "Book1.Sheets.Add(Before:=Book1.Sheets.Item(2), Count:=1, Type:=-4167)",
                                  "Book1.Sheets.Add(Before:=Book1.Sheets.Item(3), Count:=1, Type:=-4167)"}));
    EXPECT_EQ(calls[calls.size() - 2], "Book1.Sheets(1).Activate");

    const XlsxBackend::Book& book = workbook.book(1);
    std::vector<std::string> names;
    for (const XlsxBackend::Sheet& sheet : book.sheets)
        names.push_back(sheet.name);
    EXPECT_EQ(names, (std::vector<std::string>{"明るい", "暖かい", "重い", "Sheet1"}));
    EXPECT_EQ(book.active, 0);
    // Each sheet holds its own image's counts; the table shows the first image again.
    EXPECT_EQ(book.sheets[2].cells.at({2, 2}).text, std::to_string(fixture.store.records[4][0]));
    EXPECT_EQ(tabs.selectedTab(), 0);
    EXPECT_EQ(fixture.grid.cell(1, 1), std::to_string(fixture.store.records[0][0]));
}

TEST(OfficeRecording, CurrentImageFillsTheActiveSheetOnly) {
    IndividualFixture fixture;
    StoredIndividualTabs tabs(fixture.grid, fixture.store, fixture.words, 1);
    tabs.selectTab(1);
    RecordingSpreadsheet recorder;
    exportIndividualToSpreadsheet(recorder, tabs, IndividualScope::CurrentImage);
    const std::vector<std::string>& calls = recorder.calls();
    EXPECT_TRUE(containing(calls, "Book1.Sheets").empty());
    EXPECT_TRUE(has(calls, "Book1.ActiveSheet.Name := \"暖かい\""));
    EXPECT_TRUE(containing(calls, "NumberFormatLocal").empty());
    EXPECT_EQ(calls.back(), "Application.ScreenUpdating := True");
}

TEST(OfficeRecording, CorrelationToWordProcessorMarksTheCellBoldRedAndRulesTheTable) {
    DocxBackend document;
    RecordingWord recorder(&document);
    exportCorrelationToWordProcessor(recorder, officeCorrelationGrid());
    const std::vector<std::string>& calls = recorder.calls();
    expectGoldenText(joinedLines(calls), "calls/correlation-word.txt");

    EXPECT_TRUE(has(calls, "Doc1.PageSetup.Orientation := 1"));
    EXPECT_TRUE(has(calls, "Doc1.Tables.Add(Doc1.Range(0,0), 4, 5) -> Table1"));
    EXPECT_EQ(containing(calls, ".Bold"),
              (std::vector<std::string>{
                  "Table1.Cell(2,2).Range.Bold := True", "Table1.Cell(3,4).Range.Bold := True",
                  "Table1.Cell(4,2).Range.Bold := True", "Table1.Cell(4,4).Range.Bold := True"}));
    EXPECT_EQ(containing(calls, "ColorIndex"),
              (std::vector<std::string>{"Table1.Cell(3,4).Range.Font.ColorIndex := 6",
                                        "Table1.Cell(3,5).Range.Font.ColorIndex := 6",
                                        "Table1.Cell(4,2).Range.Font.ColorIndex := 6"}));
    // The header cells right of the corner, found again from their positions.
    const std::vector<std::string> vertical = containing(calls, "Orientation := 1");
    ASSERT_EQ(vertical.size(), 2u);
    for (int column = 1; column <= 5; ++column)
        EXPECT_EQ(document.table(1).cell(1, column).vertical, column >= 2) << column;
    EXPECT_EQ(containing(calls, "LineStyle := 0").size(), 8u);
    EXPECT_EQ(containing(calls, "LineWidth"),
              (std::vector<std::string>{"Table1.Rows.Item(1).Borders.item(-1).LineWidth := 12",
                                        "Table1.Rows.Item(1).Borders.item(-3).LineWidth := 4",
                                        "Table1.Rows.Item(4).Borders.item(-3).LineWidth := 12",
                                        "Table1.Columns.Item(1).Borders.item(-4).LineWidth := 4"}));
    const auto selection = indexOf(calls, "selection.selectcolumn");
    EXPECT_EQ(calls[static_cast<std::size_t>(selection) + 1], "Selection.Cells.AutoFit");
}

TEST(OfficeRecording, ScaleValuesToWordProcessorRuleEveryImageBlock) {
    DocxBackend document;
    RecordingWord recorder(&document);
    exportScaleValuesToWordProcessor(recorder, officeScaleValueGrid(4));
    const std::vector<std::string>& calls = recorder.calls();
    expectGoldenText(joinedLines(calls), "calls/scale-values-word.txt");

    EXPECT_EQ(containing(calls, "LineWidth"),
              (std::vector<std::string>{"Table1.Rows.Item(1).Borders.item(-1).LineWidth := 12",
                                        "Table1.Rows.Item(1).Borders.item(-3).LineWidth := 4",
                                        "Table1.Rows.Item(13).Borders.item(-3).LineWidth := 12",
                                        "Table1.Columns.Item(1).Borders.item(-4).LineWidth := 4",
                                        "Table1.Columns.Item(2).Borders.item(-4).LineWidth := 4",
                                        "Table1.Rows.Item(4).Borders.item(-3).LineWidth := 4",
                                        "Table1.Rows.Item(7).Borders.item(-3).LineWidth := 4",
                                        "Table1.Rows.Item(10).Borders.item(-3).LineWidth := 4"}));
    EXPECT_TRUE(containing(calls, ".Bold").empty());
    EXPECT_TRUE(containing(calls, ".Orientation := 1").size() == 1);  // the page only
}

TEST(OfficeRecording, PictureIsPastedAsWideAsTheTextAreaAtItsTopLeftCorner) {
    FixedClipboard clipboard;
    DocxBackend document(&clipboard);
    RecordingWord recorder(&document);
    exportPictureToWordProcessor(recorder, clipboard, Picture(), FigureSource::NumberLine);
    expectGoldenText(joinedLines(recorder.calls()), "calls/picture-word.txt");

    EXPECT_EQ(clipboard.copies, 1);
    const DocxBackend::PictureData& picture = *document.document(1).picture;
    EXPECT_DOUBLE_EQ(picture.width, 595.3 - 2 * 85.05);
    EXPECT_DOUBLE_EQ(picture.height, picture.width);
    EXPECT_DOUBLE_EQ(picture.left, 85.05);
    EXPECT_DOUBLE_EQ(picture.top, 99.2);
}

TEST(OfficeRecording, DiagramWithoutAPictureOnTheClipboardLeavesTheEmptyDocument) {
    RefusingClipboard clipboard;
    RecordingWord recorder;
    exportPictureToWordProcessor(recorder, clipboard, Picture(), FigureSource::CorrelationDiagram);
    EXPECT_EQ(recorder.calls(),
              (std::vector<std::string>{"CreateObject(\"Word.Application\").Application",
                                        "Application.Visible := True", "Application.ScreenUpdating := False",
                                        "Documents.Add -> Doc1", "Application.ScreenUpdating := True"}));
}

TEST(OfficeRecording, ARefusedCallEndsTheExportRestoresScreenUpdatingAndKeepsWhatWasSent) {
    XlsxBackend workbook;
    RecordingSpreadsheet recorder(&workbook);
    recorder.failOn(".Name :=", "名前が正しくありません。");
    EXPECT_THROW(exportCorrelationToSpreadsheet(recorder, officeCorrelationGrid(), "色彩の印象"), UserError);
    const std::vector<std::string>& calls = recorder.calls();
    EXPECT_EQ(calls.back(), "Application.ScreenUpdating := True");
    EXPECT_TRUE(containing(calls, "PageSetup").empty());
    EXPECT_EQ(workbook.book(1).sheets[0].cells.at({3, 4}).text, "-0.8500");
    EXPECT_TRUE(workbook.book(1).sheets[0].cells.at({3, 4}).bold);
}

TEST(OfficeRecording, EachPressMakesANewWorkbookAndDocument) {
    RecordingSpreadsheet sheets;
    exportScaleValuesToSpreadsheet(sheets, officeScaleValueGrid(2), "a");
    exportScaleValuesToSpreadsheet(sheets, officeScaleValueGrid(2), "a");
    EXPECT_EQ(containing(sheets.calls(), "WorkBooks.Add"),
              (std::vector<std::string>{"WorkBooks.Add -> Book1", "WorkBooks.Add -> Book2"}));
    RecordingWord words;
    exportCorrelationToWordProcessor(words, officeCorrelationGrid());
    exportCorrelationToWordProcessor(words, officeCorrelationGrid());
    EXPECT_EQ(containing(words.calls(), "Documents.Add"),
              (std::vector<std::string>{"Documents.Add -> Doc1", "Documents.Add -> Doc2"}));
}

}  // namespace

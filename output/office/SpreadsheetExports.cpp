#include "output/office/SpreadsheetExports.h"

#include "analysis/Emphasis.h"
#include "output/office/OfficeConstants.h"
#include "output/office/OfficeFrame.h"

namespace kestrune::office {
namespace {

Workbook startWorkbook(SpreadsheetApplication& app) {
    Workbook book = app.WorkBooks().Add();
    book.WorkSheets(1).Activate();
    return book;
}

// Grid cell (column c, row r) goes to sheet cell (r + 1, c + 1), rows outer.
void writeCells(Workbook& book, const TextGrid& grid) {
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column)
            book.ActiveSheet().Cells(row + 1, column + 1).Value(grid.cell(column, row));
    }
}

SheetRange wholeRow(Workbook& book, int row, int columns) {
    Worksheet sheet = book.ActiveSheet();
    return sheet.Range(sheet.Cells(row, 1), sheet.Cells(row, columns));
}

void formatTable(Workbook& book, int rows, int columns) {
    Worksheet sheet = book.ActiveSheet();
    sheet.Range(sheet.Columns(1), sheet.Columns(columns)).EntireColumn().AutoFit();

    SheetRange last = wholeRow(book, rows, columns);
    last.Borders(xlEdgeBottom).LineStyle(xlContinuous);
    last.Borders(xlEdgeBottom).Weight(xlMedium);

    SheetRange header = wholeRow(book, 1, columns);
    header.Borders(xlEdgeTop).LineStyle(xlContinuous);
    header.Borders(xlEdgeTop).Weight(xlMedium);
    header.Borders(xlEdgeBottom).LineStyle(xlContinuous);
    header.Borders(xlEdgeBottom).Weight(xlThin);
}

void namePrintedSheet(Workbook& book, const std::string& name, int orientation) {
    book.ActiveSheet().Name(name);
    book.ActiveSheet().PageSetup().Orientation(orientation);
    book.ActiveSheet().PageSetup().CenterHeader(kSheetNameHeader);
}

void fillIndividualSheet(Workbook& book, const IndividualImageTabs& tabs) {
    const TextGrid& grid = tabs.grid();
    book.ActiveSheet().Name(tabs.tabCaption(tabs.selectedTab()));
    writeCells(book, grid);
    formatTable(book, grid.rowCount(), grid.columnCount());
    book.ActiveSheet().PageSetup().Orientation(xlPortrait);
    book.ActiveSheet().PageSetup().CenterHeader(kSheetNameHeader);
}

}  // namespace

void exportCorrelationToSpreadsheet(SpreadsheetBackend& backend, const TextGrid& grid,
                                    const std::string& seriesName) {
    SpreadsheetApplication app = SpreadsheetObject(backend, kSpreadsheetClass).Application();
    runWithScreenUpdatingOff(app, [&] {
        const int rows = grid.rowCount();
        const int columns = grid.columnCount();
        Workbook book = startWorkbook(app);
        Worksheet sheet = book.ActiveSheet();
        sheet.Range(sheet.Cells(2, 2), sheet.Cells(rows, columns))
            .NumberFormatLocal(kCorrelationNumberFormat);
        writeCells(book, grid);
        // "#DIV/0!", "#NUM!" and empty cells are no numbers: they stay unmarked, as in the
        // table exports, instead of ending the export half way.
        for (int row = 1; row < rows; ++row) {
            for (int column = 1; column < columns; ++column) {
                if (emphasisOfValueText(grid.cell(column, row)).bold)
                    book.ActiveSheet().Cells(row + 1, column + 1).Font().Bold(true);
            }
        }
        wholeRow(book, 1, columns).Orientation(xlVertical);
        formatTable(book, rows, columns);
        namePrintedSheet(book, seriesName, xlLandscape);
    });
}

void exportScaleValuesToSpreadsheet(SpreadsheetBackend& backend, const TextGrid& grid,
                                    const std::string& seriesName) {
    SpreadsheetApplication app = SpreadsheetObject(backend, kSpreadsheetClass).Application();
    runWithScreenUpdatingOff(app, [&] {
        const int rows = grid.rowCount();
        const int columns = grid.columnCount();
        const int images = (rows - 1) / 3;
        Workbook book = startWorkbook(app);
        writeCells(book, grid);
        Worksheet sheet = book.ActiveSheet();
        sheet.Range(sheet.Cells(2, 3), sheet.Cells(rows, columns)).NumberFormatLocal(kScaleValueNumberFormat);
        formatTable(book, rows, columns);
        for (int t = 1; t <= images - 1; ++t) {
            SheetRange blockEnd = wholeRow(book, 3 * t + 1, columns);
            blockEnd.Borders(xlEdgeBottom).LineStyle(xlContinuous);
            blockEnd.Borders(xlEdgeBottom).Weight(xlThin);
        }
        namePrintedSheet(book, seriesName, xlPortrait);
    });
}

void exportStatisticsToSpreadsheet(SpreadsheetBackend& backend, const TextGrid& grid,
                                   const std::string& caption) {
    SpreadsheetApplication app = SpreadsheetObject(backend, kSpreadsheetClass).Application();
    runWithScreenUpdatingOff(app, [&] {
        Workbook book = startWorkbook(app);
        writeCells(book, grid);
        formatTable(book, grid.rowCount(), grid.columnCount());
        namePrintedSheet(book, caption, xlPortrait);
    });
}

void exportIndividualToSpreadsheet(SpreadsheetBackend& backend, IndividualImageTabs& tabs,
                                   IndividualScope scope) {
    SpreadsheetApplication app = SpreadsheetObject(backend, kSpreadsheetClass).Application();
    runWithScreenUpdatingOff(app, [&] {
        Workbook book = startWorkbook(app);
        if (scope == IndividualScope::CurrentImage) {
            fillIndividualSheet(book, tabs);
            return;
        }
        for (int k = 0; k < tabs.tabCount(); ++k) {
            tabs.selectTab(k);
            book.Sheets().Add(book.Sheets().Item(k + 1), 1, xlWorksheet);
            fillIndividualSheet(book, tabs);
        }
        if (tabs.tabCount() > 0)
            tabs.selectTab(0);
        book.Sheets(1).Activate();
    });
}

}  // namespace kestrune::office

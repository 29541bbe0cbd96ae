#include "output/office/WordExports.h"

#include <array>

#include "analysis/Emphasis.h"
#include "output/office/OfficeConstants.h"
#include "output/office/OfficeFrame.h"

namespace kestrune::office {
namespace {

enum class TableSource { CorrelationMatrix, ScaleValues, Statistics };

void rule(TableLine line, int border, int width) {
    DocBorder edge = line.Borders().item(border);
    edge.LineStyle(wdLineStyleSingle);
    edge.LineWidth(width);
}

void exportTable(WordBackend& backend, const TextGrid& grid, TableSource source) {
    WordApplication app = WordObject(backend, kWordProcessorClass).Application();
    runWithScreenUpdatingOff(app, [&] {
        const int rows = grid.rowCount();
        const int columns = grid.columnCount();
        const bool matrix = source == TableSource::CorrelationMatrix;

        Document doc = app.Documents().Add();
        doc.PageSetup().Orientation(wdOrientLandscape);
        Table table = doc.Tables().Add(doc.Range(0, 0), rows, columns);
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column)
                table.Cell(row + 1, column + 1).Range().InsertAfter(grid.cell(column, row));
        }

        if (matrix) {
            // Cells that hold no number ("#DIV/0!", "#NUM!", empty) stay unmarked and the
            // export goes on, as the table exports do.
            for (int row = 1; row < rows; ++row) {
                for (int column = 1; column < columns; ++column) {
                    const CellEmphasis emphasis = emphasisOfValueText(grid.cell(column, row));
                    if (emphasis.bold)
                        table.Cell(row + 1, column + 1).Range().Bold(true);
                    if (emphasis.red)
                        table.Cell(row + 1, column + 1).Range().Font().ColorIndex(wdRed);
                }
            }
            const int start = table.Cell(1, 2).Range().Start();
            const int end = table.Cell(1, columns).Range().End();
            doc.Range(start, end).Orientation(wdTextOrientationVertical);
        }

        constexpr std::array<int, 8> kAllBorders = {
            wdBorderLeft,       wdBorderRight,    wdBorderTop,          wdBorderBottom,
            wdBorderHorizontal, wdBorderVertical, wdBorderDiagonalDown, wdBorderDiagonalUp};
        for (int border : kAllBorders)
            table.Borders().item(border).LineStyle(wdLineStyleNone);

        rule(table.Rows().Item(1), wdBorderTop, wdLineWidth150pt);
        rule(table.Rows().Item(1), wdBorderBottom, wdLineWidth050pt);
        rule(table.Rows().Item(rows), wdBorderBottom, wdLineWidth150pt);
        rule(table.Columns().Item(1), wdBorderRight, wdLineWidth050pt);
        if (source == TableSource::ScaleValues) {
            rule(table.Columns().Item(2), wdBorderRight, wdLineWidth050pt);
            const int images = (rows - 1) / 3;
            for (int t = 1; t <= images - 1; ++t)
                rule(table.Rows().Item(3 * t + 1), wdBorderBottom, wdLineWidth050pt);
        }

        const int start = table.Cell(1, 1).Range().Start();
        const int end = table.Cell(rows, columns).Range().End();
        doc.Range(start, end).Select();
        app.selection().selectcolumn();
        app.Selection().Cells().AutoFit();
    });
}

}  // namespace

void exportCorrelationToWordProcessor(WordBackend& backend, const TextGrid& grid) {
    exportTable(backend, grid, TableSource::CorrelationMatrix);
}

void exportScaleValuesToWordProcessor(WordBackend& backend, const TextGrid& grid) {
    exportTable(backend, grid, TableSource::ScaleValues);
}

void exportStatisticsToWordProcessor(WordBackend& backend, const TextGrid& grid) {
    exportTable(backend, grid, TableSource::Statistics);
}

void exportPictureToWordProcessor(WordBackend& backend, PictureClipboard& clipboard, const Picture& picture,
                                  FigureSource source) {
    WordApplication app = WordObject(backend, kWordProcessorClass).Application();
    runWithScreenUpdatingOff(app, [&] {
        app.Documents().Add();
        clipboard.copyPicture(picture);
        if (source == FigureSource::CorrelationDiagram && !clipboard.holdsPicture())
            return;  // the empty document stays
        app.Selection().Paste();
        const double width = app.ActiveDocument().PageSetup().PageWidth() -
                             app.ActiveDocument().PageSetup().LeftMargin() -
                             app.ActiveDocument().PageSetup().RightMargin();
        ShapeRange shape = app.Selection().ShapeRange();
        shape.Width(width);
        shape.RelativeHorizontalPosition(wdRelativeToPage);
        shape.Left(app.ActiveDocument().PageSetup().LeftMargin());
        shape.RelativeVerticalPosition(wdRelativeToPage);
        shape.Top(app.ActiveDocument().PageSetup().TopMargin());
    });
}

}  // namespace kestrune::office

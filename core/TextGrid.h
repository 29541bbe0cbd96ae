#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestrune {

// A result grid as data: cells of text addressed (column, row) as the grids of the main
// window are, fixed rows and columns, and sizes in screen pixels for the grid printer.
// The analyses fill it cell by cell; widgets show it; exports and printers read it.
class TextGrid {
  public:
    TextGrid() = default;
    TextGrid(int columns, int rows) { resize(columns, rows); }

    int columnCount() const { return columns_; }
    int rowCount() const { return rows_; }
    // Keeps the cells that stay inside the new size; new cells are empty.
    void resize(int columns, int rows);

    const std::string& cell(int column, int row) const;  // throws std::out_of_range
    void setCell(int column, int row, std::string text);
    void clearCells();

    int fixedColumns = 1;
    int fixedRows = 1;

    int columnWidth(int column) const;
    void setColumnWidth(int column, int pixels);
    int rowHeight(int row) const;
    void setRowHeight(int row, int pixels);
    int defaultColumnWidth = 64;
    int defaultRowHeight = 24;

  private:
    std::size_t index(int column, int row) const;

    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::string> cells_;  // row-major
    std::vector<int> columnWidths_;   // 0 = default
    std::vector<int> rowHeights_;
};

}  // namespace kestrune

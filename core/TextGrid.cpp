#include "core/TextGrid.h"

#include <algorithm>
#include <stdexcept>

namespace kestrune {

void TextGrid::resize(int columns, int rows) {
    if (columns < 0 || rows < 0)
        throw std::out_of_range("negative grid size");
    std::vector<std::string> cells(static_cast<std::size_t>(columns) * rows);
    for (int r = 0; r < std::min(rows, rows_); ++r) {
        for (int c = 0; c < std::min(columns, columns_); ++c) {
            cells[static_cast<std::size_t>(r) * columns + c] = std::move(cells_[index(c, r)]);
        }
    }
    cells_ = std::move(cells);
    columns_ = columns;
    rows_ = rows;
    columnWidths_.resize(columns, 0);
    rowHeights_.resize(rows, 0);
}

std::size_t TextGrid::index(int column, int row) const {
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_) {
        throw std::out_of_range("grid cell (" + std::to_string(column) + ", " + std::to_string(row) +
                                ") outside " + std::to_string(columns_) + " x " + std::to_string(rows_));
    }
    return static_cast<std::size_t>(row) * columns_ + column;
}

const std::string& TextGrid::cell(int column, int row) const {
    return cells_[index(column, row)];
}

void TextGrid::setCell(int column, int row, std::string text) {
    cells_[index(column, row)] = std::move(text);
}

void TextGrid::clearCells() {
    for (std::string& cell : cells_)
        cell.clear();
}

int TextGrid::columnWidth(int column) const {
    const int width = columnWidths_.at(column);
    return width > 0 ? width : defaultColumnWidth;
}

void TextGrid::setColumnWidth(int column, int pixels) {
    columnWidths_.at(column) = pixels;
}

int TextGrid::rowHeight(int row) const {
    const int height = rowHeights_.at(row);
    return height > 0 ? height : defaultRowHeight;
}

void TextGrid::setRowHeight(int row, int pixels) {
    rowHeights_.at(row) = pixels;
}

}  // namespace kestrune

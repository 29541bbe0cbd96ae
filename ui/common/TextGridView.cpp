#include "ui/common/TextGridView.h"

#include <QHeaderView>

#include "ui/common/TextGridModel.h"

namespace kestrune {

TextGridView::TextGridView(TextGridModel& model, QWidget* parent)
    : TabLeavingGrid<QTableView>(parent), model_(model) {
    setModel(&model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (!applying_ && column < model_.grid().columnCount())
            model_.grid().setColumnWidth(column, size);
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this, [this](int row, int, int size) {
        if (!applying_ && row < model_.grid().rowCount())
            model_.grid().setRowHeight(row, size);
    });
    applySizes();
}

void TextGridView::refresh() {
    model_.refresh();
    applySizes();
}

void TextGridView::applySizes() {
    applying_ = true;
    const TextGrid& grid = model_.grid();
    for (int column = 0; column < grid.columnCount(); ++column)
        setColumnWidth(column, grid.columnWidth(column));
    for (int row = 0; row < grid.rowCount(); ++row)
        setRowHeight(row, grid.rowHeight(row));
    applying_ = false;
}

}  // namespace kestrune

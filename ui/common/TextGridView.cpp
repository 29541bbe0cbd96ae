#include "ui/common/TextGridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <utility>

#include "ui/common/TextGridModel.h"

namespace kestrune {

TextGridView::TextGridView(TextGridModel& model, QWidget* parent) : QTableView(parent), model_(model) {
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

// Tab moves from cell to cell, but never round: Tab on the last cell and Shift+Tab on the
// first leave the grid, and Ctrl+Tab / Ctrl+Shift+Tab always do, so the grid is no trap.
void TextGridView::keyPressEvent(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab) {
        const bool forward = event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
        if ((event->modifiers() & Qt::ControlModifier) || tabWouldWrap(forward)) {
            QWidget::focusNextPrevChild(forward);
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

bool TextGridView::focusNextPrevChild(bool next) {
    if (tabWouldWrap(next))
        return QWidget::focusNextPrevChild(next);
    return QTableView::focusNextPrevChild(next);
}

bool TextGridView::tabWouldWrap(bool forward) {
    if (!tabKeyNavigation())
        return true;
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return false;
    const QModelIndex target =
        moveCursor(forward ? QAbstractItemView::MoveNext : QAbstractItemView::MovePrevious, Qt::NoModifier);
    if (!target.isValid() || target == current)
        return true;
    const auto position = [](const QModelIndex& index) { return std::pair(index.row(), index.column()); };
    return forward ? position(target) < position(current) : position(current) < position(target);
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

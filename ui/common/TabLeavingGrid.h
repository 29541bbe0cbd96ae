#pragma once

#include <QAbstractItemDelegate>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTableView>
#include <utility>

namespace kestrune {

// A table (QTableView or QTableWidget) where Tab moves from cell to cell but never round:
// Tab on the last cell and Shift+Tab on the first leave the grid, and Ctrl+Tab /
// Ctrl+Shift+Tab always do, also while a cell is being edited, so the grid is no keyboard trap.
template <class Table>
class TabLeavingGrid : public Table {
  public:
    using Table::Table;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
            const bool forward = isForward(event->key(), event->modifiers());
            if ((event->modifiers() & Qt::ControlModifier) || tabWouldWrap(forward)) {
                QWidget::focusNextPrevChild(forward);
                event->accept();
                return;
            }
        }
        Table::keyPressEvent(event);
    }

    bool focusNextPrevChild(bool next) override {
        if (tabWouldWrap(next))
            return QWidget::focusNextPrevChild(next);
        return Table::focusNextPrevChild(next);
    }

    // Tab in a cell's editor: the editor closes with "edit the next cell", which would wrap too.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
        const bool next = hint == QAbstractItemDelegate::EditNextItem;
        if (next || hint == QAbstractItemDelegate::EditPreviousItem) {
            if ((QGuiApplication::keyboardModifiers() & Qt::ControlModifier) || tabWouldWrap(next)) {
                Table::closeEditor(editor, QAbstractItemDelegate::NoHint);
                QWidget::focusNextPrevChild(next);
                return;
            }
        }
        Table::closeEditor(editor, hint);
    }

  private:
    static bool isForward(int key, Qt::KeyboardModifiers modifiers) {
        return key == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier);
    }

    // True when Tab (or Shift+Tab) from the current cell would wrap round the grid.
    bool tabWouldWrap(bool forward) {
        if (!this->tabKeyNavigation())
            return true;
        const QModelIndex current = this->currentIndex();
        if (!current.isValid())
            return false;
        const QModelIndex target = this->moveCursor(
            forward ? QAbstractItemView::MoveNext : QAbstractItemView::MovePrevious, Qt::NoModifier);
        if (!target.isValid() || target == current)
            return true;
        const auto position = [](const QModelIndex& index) { return std::pair(index.row(), index.column()); };
        return forward ? position(target) < position(current) : position(current) < position(target);
    }
};

}  // namespace kestrune

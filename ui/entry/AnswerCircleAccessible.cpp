#include "ui/entry/AnswerCircleAccessible.h"

#include <QWidget>
#include <QWindow>

#include "ui/entry/ResponseBoard.h"

namespace kestrune {

AnswerCircleAccessible::AnswerCircleAccessible(ResponseBoard* board, int number)
    : board_(board), number_(number) {}

bool AnswerCircleAccessible::isValid() const {
    return !board_.isNull();
}

QObject* AnswerCircleAccessible::object() const {
    return nullptr;
}

QWindow* AnswerCircleAccessible::window() const {
    if (board_.isNull())
        return nullptr;
    if (QWindow* own = board_->window()->windowHandle())
        return own;
    QWidget* nativeParent = board_->nativeParentWidget();
    return nativeParent != nullptr ? nativeParent->windowHandle() : nullptr;
}

QAccessibleInterface* AnswerCircleAccessible::childAt(int, int) const {
    return nullptr;
}

QAccessibleInterface* AnswerCircleAccessible::parent() const {
    return board_.isNull() ? nullptr : QAccessible::queryAccessibleInterface(board_.data());
}

QAccessibleInterface* AnswerCircleAccessible::child(int) const {
    return nullptr;
}

int AnswerCircleAccessible::childCount() const {
    return 0;
}

int AnswerCircleAccessible::indexOfChild(const QAccessibleInterface*) const {
    return -1;
}

QString AnswerCircleAccessible::text(QAccessible::Text kind) const {
    if (kind != QAccessible::Name || board_.isNull())
        return {};
    const ResponseBoardModel& model = board_->model();
    const int row = (number_ + 1) / 2;
    const QString side = number_ % 2 == 1 ? QStringLiteral("A") : QStringLiteral("B");
    if (!model.rowVisible(row))
        return side;
    return side + QLatin1Char(' ') + QString::fromStdString(model.word(row));
}

void AnswerCircleAccessible::setText(QAccessible::Text, const QString&) {}

QRect AnswerCircleAccessible::rect() const {
    if (board_.isNull())
        return {};
    const TScriptCircle& circle = board_->model().circle(number_);
    return {board_->mapToGlobal(QPoint(circle.Left, circle.Top)), QSize(circle.Width, circle.Height)};
}

QAccessible::Role AnswerCircleAccessible::role() const {
    return QAccessible::CheckBox;
}

QAccessible::State AnswerCircleAccessible::state() const {
    QAccessible::State state;
    if (board_.isNull()) {
        state.invalid = true;
        return state;
    }
    const TScriptCircle& circle = board_->model().circle(number_);
    state.checkable = true;
    state.checked = circle.Status();
    state.invisible = !circle.Visible || !board_->isVisible();
    state.disabled = !board_->isEnabled();
    return state;
}

void* AnswerCircleAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

bool AnswerCircleAccessible::canClick() const {
    // As for the mouse: no marking while the board is disabled (no entry runs) or the row hidden.
    return !board_.isNull() && board_->isEnabled() && board_->model().circle(number_).Visible;
}

QStringList AnswerCircleAccessible::actionNames() const {
    return canClick() ? QStringList{toggleAction()} : QStringList{};
}

void AnswerCircleAccessible::doAction(const QString& actionName) {
    if ((actionName == toggleAction() || actionName == pressAction()) && canClick())
        board_->clickCircle(number_);
}

QStringList AnswerCircleAccessible::keyBindingsForAction(const QString&) const {
    return {};
}

}  // namespace kestrune

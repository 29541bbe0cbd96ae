#include "ui/entry/ResponseBoardAccessible.h"

#include "ui/entry/AnswerCircleAccessible.h"
#include "ui/entry/ResponseBoard.h"

namespace kestrune {

namespace {

QAccessibleInterface* responseBoardFactory(const QString& key, QObject* object) {
    if (key != QLatin1String(ResponseBoard::staticMetaObject.className()))
        return nullptr;
    auto* board = qobject_cast<ResponseBoard*>(object);
    return board != nullptr ? new ResponseBoardAccessible(board) : nullptr;
}

ResponseBoardAccessible* accessibleBoard(ResponseBoard& board) {
    return dynamic_cast<ResponseBoardAccessible*>(QAccessible::queryAccessibleInterface(&board));
}

}  // namespace

ResponseBoardAccessible::ResponseBoardAccessible(ResponseBoard* board)
    : QAccessibleWidget(board, QAccessible::Pane) {}

ResponseBoardAccessible::~ResponseBoardAccessible() {
    for (QAccessible::Id id : circleIds_) {
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
    }
}

ResponseBoard* ResponseBoardAccessible::board() const {
    return static_cast<ResponseBoard*>(widget());
}

QAccessibleInterface* ResponseBoardAccessible::circle(int number) const {
    if (number < 1 || number > ResponseBoardModel::kCircleCount)
        return nullptr;
    QAccessible::Id& id = circleIds_[static_cast<std::size_t>(number - 1)];
    if (id == 0 || QAccessible::accessibleInterface(id) == nullptr)
        id = QAccessible::registerAccessibleInterface(new AnswerCircleAccessible(board(), number));
    return QAccessible::accessibleInterface(id);
}

int ResponseBoardAccessible::childCount() const {
    return QAccessibleWidget::childCount() + ResponseBoardModel::kCircleCount;
}

QAccessibleInterface* ResponseBoardAccessible::child(int index) const {
    const int labels = QAccessibleWidget::childCount();
    return index < labels ? QAccessibleWidget::child(index) : circle(index - labels + 1);
}

int ResponseBoardAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int number = 1; number <= ResponseBoardModel::kCircleCount; ++number) {
        const QAccessible::Id id = circleIds_[static_cast<std::size_t>(number - 1)];
        if (id != 0 && QAccessible::accessibleInterface(id) == child)
            return QAccessibleWidget::childCount() + number - 1;
    }
    return QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface* ResponseBoardAccessible::childAt(int x, int y) const {
    const QPoint at = board()->mapFromGlobal(QPoint(x, y));
    if (const int number = board()->model().circleAt(at.x(), at.y()); number != 0)
        return circle(number);
    return QAccessibleWidget::childAt(x, y);
}

void installResponseBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(responseBoardFactory);
        return true;
    }();
    static_cast<void>(installed);
}

void announceCircleChanged(ResponseBoard& board, int number) {
    if (!QAccessible::isActive())
        return;
    if (ResponseBoardAccessible* accessible = accessibleBoard(board)) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(accessible->circle(number), changed);
        QAccessible::updateAccessibility(&event);
    }
}

void announceBoardLaidOut(ResponseBoard& board) {
    if (!QAccessible::isActive())
        return;
    if (ResponseBoardAccessible* accessible = accessibleBoard(board)) {
        QAccessible::State changed;
        changed.invisible = true;
        for (int number = 1; number <= ResponseBoardModel::kCircleCount; ++number) {
            QAccessibleEvent renamed(accessible->circle(number), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
            QAccessibleStateChangeEvent shown(accessible->circle(number), changed);
            QAccessible::updateAccessibility(&shown);
        }
    }
}

}  // namespace kestrune

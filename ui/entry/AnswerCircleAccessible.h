#pragma once

#include <QAccessibleInterface>
#include <QPointer>

namespace kestrune {

class ResponseBoard;

// One answer circle as a check box: its name is the side letter, a space and the row's
// word; checked follows the mark; its one action clicks the circle, which marks it and
// clears its partner (a click never clears a row).
class AnswerCircleAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    AnswerCircleAccessible(ResponseBoard* board, int number);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

  private:
    bool canClick() const;

    QPointer<ResponseBoard> board_;
    int number_;
};

}  // namespace kestrune

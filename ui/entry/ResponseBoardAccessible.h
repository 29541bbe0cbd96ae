#pragma once

#include <QAccessibleWidget>
#include <array>

#include "entry/ResponseBoardModel.h"

namespace kestrune {

class ResponseBoard;

// What a screen reader sees of the response board: its labels, followed by the 50 answer
// circles, each a check box named by its side and its row's word ("A 明るい"), checked while
// marked. The circles are painted, not widgets, so the board hands out their interfaces.
class ResponseBoardAccessible : public QAccessibleWidget {
  public:
    explicit ResponseBoardAccessible(ResponseBoard* board);
    ~ResponseBoardAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The interface of circle 1 to 50, made when first asked for.
    QAccessibleInterface* circle(int number) const;

  private:
    ResponseBoard* board() const;

    mutable std::array<QAccessible::Id, ResponseBoardModel::kCircleCount> circleIds_{};
};

// Makes every ResponseBoard answer with the interface above; installed once.
void installResponseBoardAccessibility();

// While an assistive tool listens: a circle's mark changed, or the rows were laid out anew
// (names and visibility of the circles changed).
void announceCircleChanged(ResponseBoard& board, int number);
void announceBoardLaidOut(ResponseBoard& board);

}  // namespace kestrune

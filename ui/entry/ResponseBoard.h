#pragma once

#include <QFrame>
#include <array>
#include <memory>

#include "entry/ResponseBoardModel.h"

class QLabel;

namespace kestrune {

// The response board on screen: a white panel with the headings "A" and "B", one word label
// per image and the 50 windowless answer circles it paints and dispatches clicks to. A
// mouse-down outside the circles marks the first open row (left A, right B).
class ResponseBoard : public QFrame {
    Q_OBJECT
  public:
    explicit ResponseBoard(QWidget* parent = nullptr);

    ResponseBoardModel& model() { return model_; }
    const ResponseBoardModel& model() const { return model_; }

    // Shows one row per word and sets the board's height to the scroll range.
    void LayOutBoard(const std::vector<std::string>& words);
    int scrollRange() const { return model_.scrollRange(); }

    QLabel* wordLabel(int row) const { return wordLabels_.at(row - 1); }
    QLabel* headingA() const { return headingA_; }
    QLabel* headingB() const { return headingB_; }
    // The centre of a circle in board coordinates, for clicks.
    QPoint circleCentre(int number) const;
    // The band of a row (1 to 25) across the board, as high as its circles.
    QRect rowArea(int row) const;

    // A click on circle 1 to 50, as the mouse or an assistive tool gives it: the circle is
    // marked and its partner cleared.
    void clickCircle(int number);

    // Replaces the random source of the marks (tests and screenshots fix it).
    void setMarkRandom(std::unique_ptr<UniformRandom> random);

  signals:
    // After a mark changed through the board's own mouse handling, with the row it changed.
    void marked(int row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void repaintCircle(const TScriptCircle& circle);
    int numberOf(const TScriptCircle& circle) const;

    ResponseBoardModel model_;
    std::unique_ptr<UniformRandom> random_;
    std::array<QLabel*, ResponseBoardModel::kRowCount> wordLabels_{};
    QLabel* headingA_;
    QLabel* headingB_;
    int pressedCircle_ = 0;
};

}  // namespace kestrune

#pragma once

#include <QDialog>

#include "output/figure/PrintGeometry.h"

class QPushButton;
class QSpinBox;

namespace kestrune {

// The page setup dialog "ページ設定", created once by the main window at start-up: the four
// figure margins around a drawn page, each 0 to 100 mm. Each opening shows the margins it is
// given; "OK" confirms them, "Cancel" and Escape leave them as they were.
class PageSetupDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PageSetupDialog(QWidget* parent = nullptr);

    void setMargins(const FigureMargins& margins);
    FigureMargins margins() const;

    QSpinBox* topField() const { return top_; }
    QSpinBox* leftField() const { return left_; }
    QSpinBox* bottomField() const { return bottom_; }
    QSpinBox* rightField() const { return right_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSpinBox* marginField(const QString& caption, int x, int y, bool labelAbove);

    QSpinBox* top_;
    QSpinBox* left_;
    QSpinBox* bottom_;
    QSpinBox* right_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace kestrune

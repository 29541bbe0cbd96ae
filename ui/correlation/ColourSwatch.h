#pragma once

#include <QColor>
#include <QFrame>

namespace kestrune {

// The plot colour swatch "色": a framed patch of the colour; a double click asks for another.
class ColourSwatch : public QFrame {
    Q_OBJECT
  public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);

  signals:
    void doubleClicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QColor colour_{Qt::red};
};

}  // namespace kestrune

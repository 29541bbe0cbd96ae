#pragma once

#include <QWidget>

namespace kestrune {

class Picture;

// A figure on screen: the picture stretched over the whole widget on white. Screen readers
// see it as one image (role Graphic) under the accessible name its owner gives it.
class FigureView : public QWidget {
    Q_OBJECT
  public:
    explicit FigureView(const Picture& picture, QWidget* parent = nullptr);

    const Picture& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const Picture& picture_;
};

}  // namespace kestrune

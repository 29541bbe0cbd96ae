#pragma once

#include <QWidget>

namespace kestrune {

class Picture;

// The diagram area of the correlation diagram page: a white panel that shows the diagram
// picture stretched to its size (the aspect ratio is not kept), or a text such as "#NAME?" in
// place of it. A screen reader reads the text as the area's name.
class DiagramArea : public QWidget {
    Q_OBJECT
  public:
    explicit DiagramArea(QWidget* parent = nullptr);

    // Shows the picture; it must live as long as it is shown.
    void showPicture(const Picture* picture);
    // Shows a text and no picture ("" shows an empty panel).
    void showText(const QString& text);
    QString text() const { return text_; }
    const Picture* picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const Picture* picture_ = nullptr;
    QString text_;
};

}  // namespace kestrune

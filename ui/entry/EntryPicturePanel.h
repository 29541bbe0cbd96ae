#pragma once

#include <QWidget>

namespace kestrune {

// The picture that covers the response board while no entry runs: a sketch of an answer
// sheet with the application's name.
class EntryPicturePanel : public QWidget {
    Q_OBJECT
  public:
    explicit EntryPicturePanel(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kestrune

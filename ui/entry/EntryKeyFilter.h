#pragma once

#include <QObject>

namespace kestrune {

class EntryPage;

// Sees every key press of the entry page's window before the focused control does, so the
// board can be marked from the keyboard wherever the focus is (except the file name box).
// The key is never consumed.
class EntryKeyFilter : public QObject {
    Q_OBJECT
  public:
    explicit EntryKeyFilter(EntryPage& page);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    EntryPage& page_;
};

}  // namespace kestrune

#pragma once

#include <QWidget>

class QPushButton;

namespace kestrune {

// The button row at the foot of each wizard page: "<<　戻る", "次へ >>" (or "完了"), "キャンセル".
class WizardButtons : public QWidget {
    Q_OBJECT
  public:
    WizardButtons(const QString& forwardCaption, QWidget* parent = nullptr);

    QPushButton* back() const { return back_; }
    QPushButton* forward() const { return forward_; }
    QPushButton* cancel() const { return cancel_; }

  private:
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* cancel_;
};

}  // namespace kestrune

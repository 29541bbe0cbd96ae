#pragma once

#include <QAbstractSpinBox>

namespace kestrune {

// The wizard's panel count: a spin box from 3 to 10 whose typed value counts as typed (a text
// that is not a whole number as 3) until the box loses the focus; then it is brought into the
// range. Typed texts are kept to two digits so that the pair grid stays a sensible size.
class PanelCountBox : public QAbstractSpinBox {
    Q_OBJECT
  public:
    static constexpr int kMinimum = 3;
    static constexpr int kMaximum = 10;

    explicit PanelCountBox(QWidget* parent = nullptr);

    int value() const;
    void setValue(int value);
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& position) const override;

  signals:
    // Every change of the value, typed or stepped.
    void valueChanged(int value);

  protected:
    StepEnabled stepEnabled() const override;

  private:
    void textEdited();
    void bringIntoRange();

    int reported_ = 5;
};

}  // namespace kestrune

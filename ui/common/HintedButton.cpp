#include "ui/common/HintedButton.h"

namespace kestrune {

QPushButton* makeHintedButton(const QString& caption, const QString& hint, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setAccessibleDescription(hint);
    return button;
}

}  // namespace kestrune

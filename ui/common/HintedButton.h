#pragma once

#include <QPushButton>

namespace kestrune {

// A push button with its caption and hint: the hint shows as the tool tip and in the status
// bar, and a screen reader announces it as the button's description.
QPushButton* makeHintedButton(const QString& caption, const QString& hint, QWidget* parent);

}  // namespace kestrune

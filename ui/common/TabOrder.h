#pragma once

#include <QWidget>
#include <initializer_list>

namespace kestrune {

// Makes Tab visit the widgets in the order given, which is the order they are shown in, whatever
// order they were made in. Widgets of the chain not named keep their order after the last one.
inline void setTabOrderAsShown(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

}  // namespace kestrune

#include "ui/entry/EntryKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "ui/entry/EntryPage.h"

namespace kestrune {

EntryKeyFilter::EntryKeyFilter(EntryPage& page) : QObject(&page), page_(page) {
    qApp->installEventFilter(this);
}

bool EntryKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* receiver = static_cast<QWidget*>(watched);
    QWidget* window = page_.window();
    if (receiver->window() != window)
        return false;
    // A key the focused control ignores travels up to its parents: act on its first delivery.
    QWidget* focused = window->focusWidget();
    if (focused ? receiver != focused : receiver != window)
        return false;
    if (!page_.entryInProgress() || focused == page_.fileNameBox())
        return false;
    page_.boardKeyPressed(*static_cast<QKeyEvent*>(event));
    return false;
}

}  // namespace kestrune

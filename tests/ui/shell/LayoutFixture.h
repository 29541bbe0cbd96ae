#pragma once

#include <QAbstractButton>
#include <QLabel>

#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/shell/ApplicationSetup.h"

namespace kestrune::testing {

// Windows checked in the fonts the program uses: every caption gets the room its text needs.
// With KESTRUNE_SCREENSHOT_DIR set, the checked views are also saved there as PNG files.
class LayoutTest : public MainWindowTest {
  protected:
    static void SetUpTestSuite() {
        static const bool once = (setUpApplication(), true);
        static_cast<void>(once);
    }

    // Texts of the visible labels and buttons under `top` that are narrower or lower than
    // their text needs.
    static QStringList clippedTexts(QWidget* top) {
        QStringList clipped;
        for (QWidget* widget : top->findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(top))
                continue;
            QString text;
            if (auto* label = qobject_cast<QLabel*>(widget))
                text = label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                text = button->text();
            if (text.isEmpty())
                continue;
            const QSize needed = widget->sizeHint();
            if (widget->width() < needed.width() || widget->height() < needed.height())
                clipped << text;
        }
        return clipped;
    }

    static void save(QWidget* widget, const QString& name) {
        const QString directory = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR");
        if (directory.isEmpty())
            return;
        widget->grab().save(directory + "/" + name + ".png");
    }
};

}  // namespace kestrune::testing

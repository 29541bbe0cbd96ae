#pragma once

// Font metrics and painting need a QGuiApplication; the tests share one for the process.
#include <QGuiApplication>

namespace kestrune::testing {

inline void ensureGuiApplication() {
    if (QGuiApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "output_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

}  // namespace kestrune::testing

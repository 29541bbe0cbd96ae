#include "output/figure/FigureApplication.h"

#include <QGuiApplication>
#include <cstdio>

namespace kestrune {

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform complains about a missing runtime directory it never uses; a batch
// program's standard error is for its own results.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
}

}  // namespace

void ensureFigureApplication() {
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(quietHandler);
    static int argc = 1;
    static char name[] = "kestrune";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

}  // namespace kestrune

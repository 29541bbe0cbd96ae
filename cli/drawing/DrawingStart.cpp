#include "cli/drawing/DrawingStart.h"

#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <cstring>
#include <string>

#include "output/figure/FigureApplication.h"

namespace kestrune::cli {

namespace {

QtMessageHandler previousHandler = nullptr;

void writeError(const std::string& text) {
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(STDERR_FILENO, text.data() + written, text.size() - written);
        if (n <= 0)
            return;
        written += static_cast<std::size_t>(n);
    }
}

// Qt's own warnings while it looks for its platform plugin are English and say the same as our
// message; a fatal error ends the program here, before Qt aborts it.
void drawingMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool pluginTalk = context.category != nullptr && std::strncmp(context.category, "qt.qpa", 6) == 0;
    if (type == QtFatalMsg) {
        const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen"));
        if (message.contains(QStringLiteral("platform plugin"))) {
            writeError("kestrune-cli: 図を描くための Qt のプラットフォームプラグイン \"" +
                       platform.toStdString() +
                       "\" が見つからないか読み込めないため、図を描けません。"
                       "Qt のプラグイン (パッケージ qt6-qpa-plugins) が入っているか確かめてください。\n");
        } else {
            writeError("kestrune-cli: 図を描く準備ができないため、図を描けません。\n");
        }
        ::_exit(1);
    }
    if (!pluginTalk && previousHandler != nullptr)
        previousHandler(type, context, message);
}

}  // namespace

void startDrawing() {
    previousHandler = qInstallMessageHandler(drawingMessages);
    ensureFigureApplication();
}

}  // namespace kestrune::cli

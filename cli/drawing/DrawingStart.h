#pragma once

namespace kestrune::cli {

// Starts the drawing surface of a drawing command (a QGuiApplication on the offscreen platform).
// When Qt cannot start it (its platform plugin is missing), the program says so in Japanese and
// ends with status 1 instead of Qt's English text and an abort.
void startDrawing();

}  // namespace kestrune::cli

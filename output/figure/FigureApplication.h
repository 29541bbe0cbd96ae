#pragma once

namespace kestrune {

// Makes sure a QGuiApplication exists (font metrics and painting need one). Programs without
// a window of their own, such as the batch program, get one on the offscreen platform unless
// QT_QPA_PLATFORM names another.
void ensureFigureApplication();

}  // namespace kestrune

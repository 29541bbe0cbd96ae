#pragma once

#include "core/ResponseBuffer.h"
#include "core/StudyDisk.h"

namespace kestrune {

class Prompter;

// Figure margins in millimetres (0 to 100), 20 each at start; kept for the run, never stored.
struct FigureMargins {
    int top = 20;
    int left = 20;
    int bottom = 20;
    int right = 20;
};

// What the main window owns for the whole run and lends to its pages: the study disk, the
// response buffer, the figure margins, and the prompter through which every box is shown.
struct AppContext {
    explicit AppContext(Prompter& prompterIn) : prompter(prompterIn) {}

    StudyDisk disk;
    ResponseBuffer responseBuffer;
    FigureMargins figureMargins;
    Prompter& prompter;
};

}  // namespace kestrune

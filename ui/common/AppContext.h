#pragma once

#include "core/ResponseBuffer.h"
#include "core/StudyDisk.h"
#include "output/figure/PrintGeometry.h"

namespace kestrune {

class Prompter;

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

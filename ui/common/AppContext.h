#pragma once

#include "core/ResponseBuffer.h"
#include "core/StudyDisk.h"
#include "output/figure/PrintGeometry.h"
#include "output/office/OfficeLauncher.h"

namespace kestrune {

class Prompter;

// What the main window owns for the whole run and lends to its pages: the study disk, the
// response buffer, the figure margins, the prompter through which every box is shown, and how
// a workbook or document reaches the office suite.
struct AppContext {
    explicit AppContext(Prompter& prompterIn) : prompter(prompterIn) {}

    StudyDisk disk;
    ResponseBuffer responseBuffer;
    FigureMargins figureMargins;
    Prompter& prompter;
    office::Launcher officeLauncher = office::openInOfficeSuite;
};

}  // namespace kestrune

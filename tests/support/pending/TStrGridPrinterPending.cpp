// Stands in for the grid printer while its implementation is not in this tree, so that the
// widget tests link; tests/CMakeLists.txt drops it as soon as output/printing/TStrGridPrinter.cpp
// exists. It lays nothing out and prints nothing.
#include "output/printing/TStrGridPrinter.h"

namespace kestrune {

void TStrGridPrinter::Print(QPagedPaintDevice&) {}
void TStrGridPrinter::Layout(int, int, int, int) {}
int TStrGridPrinter::MillimetresToX(double) const {
    return 0;
}
int TStrGridPrinter::MillimetresToY(double) const {
    return 0;
}

}  // namespace kestrune

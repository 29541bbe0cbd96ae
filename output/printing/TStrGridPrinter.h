#pragma once

#include <QFont>
#include <QRect>
#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace kestrune {

class TextGrid;

// Prints a text grid as it looks on the screen: every cell with its text and a thin frame,
// column widths and row heights converted from screen pixels to printer dots, the table cut
// into pages down first, then across. Before and after each page the owner may draw a page
// header and footer through OnBeginPage and OnEndPage, reading the state below.
class TStrGridPrinter {
  public:
    using PageEvent = std::function<void(TStrGridPrinter&)>;

    // Published properties.
    const TextGrid* TargetGrid = nullptr;  // nothing is printed while unset
    int LeftMargin = 10;                   // millimetres
    int TopMargin = 10;
    int RightMargin = 5;
    int BottomMargin = 10;
    int MojiLeft = 2;  // text offset inside a cell, screen pixels
    int MojiTop = 2;
    PageEvent OnBeginPage;
    PageEvent OnEndPage;
    // Told where each cell went, in dots: `cell` is the area its text is clipped to, `frame`
    // has its right() and bottom() on the frame's right and bottom lines. For previews and checks.
    std::function<void(int column, int row, const QRect& cell, const QRect& frame)> OnDrawCell;
    // The target grid's font and the screen resolution its sizes are measured in.
    QFont Font;
    int ScreenDpiX = 96;
    int ScreenDpiY = 96;

    // Lays the grid out and prints every page on an open device (a QPrinter after the print
    // dialog, or a QPdfWriter); the print dialog is the caller's. An error while drawing a page
    // ends that page; an error when starting a new page ends the printout; neither is reported.
    void Print(QPagedPaintDevice& device);

    // State kept during a printout, for the page handlers.
    QPainter* Canvas = nullptr;
    int PrinterDpiX = 0;
    int PrinterDpiY = 0;
    double RatioX = 1;
    double RatioY = 1;
    int LeftMarginDots = 0;
    int TopMarginDots = 0;
    int RightMarginDots = 0;
    int BottomMarginDots = 0;
    int PrintableWidth = 0;
    int PrintableHeight = 0;
    std::vector<int> RowPageStarts;     // first row of each row page
    std::vector<int> ColumnPageStarts;  // first column of each column page
    int CurrentColumnPage = 0;          // counted from 1
    int CurrentRowPage = 0;
    int PageNumber = 0;   // 1, 2, 3, ... in the order the pages are printed
    int TableBottom = 0;  // bottom edge of the table on the current page, in dots
    // How the last printout went, for an owner that wants to know: pages whose drawing an
    // error ended early, and whether a failed new page ended the printout.
    int PagesCutShort = 0;
    bool StoppedEarly = false;

    // Millimetres to printer dots, a half going to the even neighbour.
    int MillimetresToX(double millimetres) const;
    int MillimetresToY(double millimetres) const;

    // The layout alone (margins, printable area, row and column pages) for a device of the
    // given resolution and printable size in dots; Print runs it first.
    void Layout(int printerDpiX, int printerDpiY, int pageWidth, int pageHeight);

  private:
    void PrepareCanvas();
    void DrawPage(int columnPage, int rowPage);
};

}  // namespace kestrune

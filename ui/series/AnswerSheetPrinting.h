#pragma once

#include <QString>

class QWidget;

namespace kestrune {

struct AppContext;

// The series page's "調査用紙の印刷": reads the series, asks for the sets and codes, then
// prints through the print dialog or writes a PDF file chosen in the save dialog.
void printAnswerSheetsOfSeries(AppContext& context, const QString& series, QWidget* owner);

}  // namespace kestrune

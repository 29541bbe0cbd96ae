#pragma once

#include <string>

class QWidget;

namespace kestrune {

struct AppContext;

// The main window's edit of a series' physical quantities, behind the "設定" buttons of both
// correlation pages: the editor is created, filled from the order file and the physical
// quantity file, shown modally, and on "保存して終了" the file is written whole. Returns true
// when the file was written, so the calling page sets itself up again.
bool editPhysicalQuantities(AppContext& context, const std::string& series, QWidget* parent);

}  // namespace kestrune

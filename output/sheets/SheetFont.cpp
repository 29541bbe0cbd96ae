#include "output/sheets/SheetFont.h"

#include <cmath>

#include "output/figure/QPainterCanvas.h"

namespace kestrune {

QFont sheetFont(double size, bool bold) {
    QFont font(installedFace("ＭＳ ゴシック"));
    font.setFamilies({installedFace("ＭＳ ゴシック"), installedFace("ＭＳ Ｐゴシック")});
    font.setPixelSize(static_cast<int>(std::lround(size * kSheetUnitsPerMm)));
    font.setBold(bold);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace kestrune

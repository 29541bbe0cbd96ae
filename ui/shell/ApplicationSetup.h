#pragma once

namespace kestrune {

// What the program sets up before its first window: the application's name, Qt's own dialog
// texts in Japanese (qtbase_ja) and the font faces the system asks for ("ＭＳ ゴシック",
// "ＭＳ Ｐゴシック", "Arial") mapped to the installed Japanese gothic and Liberation fonts.
// Returns whether the Japanese Qt texts were found.
bool setUpApplication();

}  // namespace kestrune

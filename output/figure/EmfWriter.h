#pragma once

#include <filesystem>
#include <string>

#include "core/Picture.h"

namespace kestrune {

// Writes a picture as an enhanced metafile: a reference device of 1000 × 1000 pixels over
// 100 × 100 mm in MM_TEXT, so that one logical unit is one device pixel. Fonts keep the face
// names the figures use ("ＭＳ ゴシック", "ＭＳ Ｐゴシック", "Arial") so that the file renders
// with the right faces on Windows; text carries character advances measured with the faces
// installed here that stand in for them. Needs a QGuiApplication (font metrics).
std::string enhancedMetafileBytes(const Picture& picture);

// The same written whole to a file; failure throws UserError "ﾌｧｲﾙ %s を作成できません".
void writeEnhancedMetafile(const std::filesystem::path& path, const Picture& picture);

}  // namespace kestrune

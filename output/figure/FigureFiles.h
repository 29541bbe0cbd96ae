#pragma once

#include <QImage>
#include <filesystem>
#include <optional>
#include <string>

#include "core/Picture.h"

namespace kestrune {

// The file forms of a figure: the enhanced metafile and the bitmap the save dialog offers,
// and the PNG, SVG and PDF files that are at home on this platform.
enum class FigureFormat { EnhancedMetafile, Bitmap, Png, Svg, Pdf };

// The format an extension names (".emf", ".bmp", ".png", ".svg", ".pdf", any case).
std::optional<FigureFormat> figureFormatFromExtension(const std::filesystem::path& path);

// A white image of the picture's own size with the picture drawn at its natural size at the
// top-left corner.
QImage figureImage(const Picture& picture);

std::string figureBitmapBytes(const Picture& picture);  // BMP
std::string figurePngBytes(const Picture& picture);
std::string figureSvgBytes(const Picture& picture);
// One square page of the picture's size at 96 units per inch.
std::string figurePdfBytes(const Picture& picture);

std::string figureBytes(const Picture& picture, FigureFormat format);

// Writes the figure whole in the given format; failure throws UserError
// "ﾌｧｲﾙ %s を作成できません". Needs a QGuiApplication.
void writeFigure(const std::filesystem::path& path, const Picture& picture, FigureFormat format);

}  // namespace kestrune

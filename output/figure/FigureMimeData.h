#pragma once

#include <QMimeData>
#include <memory>

#include "core/Picture.h"

namespace kestrune {

// The clipboard forms of a figure: LibreOffice takes a vector picture only under its own
// name for the Windows metafile format; the others are for programs that read the usual types.
inline constexpr const char* kLibreOfficeEmfMime =
    "application/x-openoffice-emf;windows_formatname=\"Image EMF\"";
inline constexpr const char* kEmfMime = "image/x-emf";
inline constexpr const char* kSvgMime = "image/svg+xml";
inline constexpr const char* kPngMime = "image/png";

std::unique_ptr<QMimeData> figureMimeData(const Picture& picture);

}  // namespace kestrune

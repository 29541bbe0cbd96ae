#pragma once

#include <cstdint>

namespace kestrune::emf {

// Record types and constants of the enhanced metafile format used by the writer.
enum RecordType : std::uint32_t {
    kHeader = 1,
    kEof = 14,
    kSetMapMode = 17,
    kSetBkMode = 18,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kSetBkColor = 25,
    kSelectObject = 37,
    kCreatePen = 38,
    kExtCreatePen = 95,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kEllipse = 42,
    kRectangle = 43,
    kExtTextOutW = 84,
    kPolygon16 = 86,
    kPolyline16 = 87,
    kExtCreateFontIndirectW = 82,
};

inline constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
inline constexpr std::uint32_t kVersion = 0x10000;
inline constexpr std::uint32_t kMapModeText = 1;  // MM_TEXT
inline constexpr std::uint32_t kTransparent = 1;
inline constexpr std::uint32_t kOpaque = 2;
inline constexpr std::uint32_t kAlignTopLeft = 0;  // TA_TOP | TA_LEFT | TA_NOUPDATECP
inline constexpr std::uint32_t kPenSolid = 0;
inline constexpr std::uint32_t kPenGeometricSolidRound =
    0x00010000;  // PS_GEOMETRIC, solid, round ends and joins
inline constexpr std::uint32_t kBrushSolid = 0;
inline constexpr std::uint32_t kBrushNull = 1;
inline constexpr std::uint8_t kShiftJisCharset = 128;
inline constexpr std::uint8_t kDefaultCharset = 1;
inline constexpr std::uint32_t kGraphicsModeCompatible = 1;
inline constexpr std::uint32_t kStockObject = 0x80000000;
inline constexpr std::uint32_t kStockBlackPen = kStockObject | 7;
inline constexpr std::uint32_t kStockWhiteBrush = kStockObject | 0;
inline constexpr std::uint32_t kStockSystemFont = kStockObject | 13;

// The handle slots: two per object kind, so that a new object is selected before the one it
// replaces is deleted.
inline constexpr std::uint32_t kPenSlot = 1;
inline constexpr std::uint32_t kBrushSlot = 3;
inline constexpr std::uint32_t kFontSlot = 5;
inline constexpr std::uint32_t kHandleCount = 7;  // slot 0 is reserved

inline constexpr std::uint32_t kHeaderSize = 108;
inline constexpr std::uint32_t kFontRecordSize = 368;  // with ENUMLOGFONTEXDV
inline constexpr std::uint32_t kDesignVectorSignature = 0x08007664;
inline constexpr int kDeviceMillimetres = 100;

}  // namespace kestrune::emf

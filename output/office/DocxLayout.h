#pragma once

// The page and type of a new document, in twentieths of a point (twips): A4, margins 35 mm
// at the top and 30 mm elsewhere, 10.5 pt type.
namespace kestrune::office::docx {

inline constexpr int kA4ShortSide = 11906;
inline constexpr int kA4LongSide = 16838;
inline constexpr int kTopMargin = 1984;
inline constexpr int kSideMargin = 1701;
inline constexpr int kBottomMargin = 1701;
inline constexpr int kFontHalfPoints = 21;
inline constexpr int kHalfWidthCharacter = 116;  // 10.5 pt type, half an em and a little air
inline constexpr int kLineHeight = 252;          // 1.2 × 10.5 pt, one stacked character
inline constexpr int kCellMargin = 108;          // left and right inside a cell
inline constexpr long kEmuPerPoint = 12700;
// One Japanese Gothic family for Latin and Japanese alike, from fonts-ipafont-gothic, which the
// package depends on: digits and kana print in the same face, half-width digits half an em.
inline constexpr const char* kDocumentFont = "IPAGothic";
inline constexpr double kPictureNaturalPoints = 100.0 / 25.4 * 72.0;  // the figure's 100 mm

inline int pageWidth(bool landscape) {
    return landscape ? kA4LongSide : kA4ShortSide;
}
inline int pageHeight(bool landscape) {
    return landscape ? kA4ShortSide : kA4LongSide;
}
inline int textWidth(bool landscape) {
    return pageWidth(landscape) - 2 * kSideMargin;
}

}  // namespace kestrune::office::docx

#pragma once
// Window sizes and positions are kept in twips, as the stored settings hold
// them: 15 twips are one pixel at 96 dots per inch. Qt's logical pixels are
// 96-dpi pixels, so the conversion does not change with the screen's scale.

namespace krv {

inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
inline int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// The offset that centres a length within another: (outer - inner) / 2.
inline int centredOffset(int outer, int inner) {
    return (outer - inner) / 2;
}

} // namespace krv

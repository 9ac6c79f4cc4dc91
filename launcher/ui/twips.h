#pragma once
// Window sizes and positions are kept in twips, as the stored settings hold
// them: a twip is 1/1440 of a logical inch, so 15 twips are one pixel at 96
// dots per inch and 12 at 120. Sizes in twips therefore grow with a desktop
// set to larger fonts, together with the texts they must hold.

namespace krv {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kStandardDpi = 96;

inline int twipsToPixels(int twips, int dpi = kStandardDpi) {
    return twips * dpi / kTwipsPerInch;
}
inline int pixelsToTwips(int pixels, int dpi = kStandardDpi) {
    return pixels * kTwipsPerInch / dpi;
}

// The offset that centres a length within another: (outer - inner) / 2.
inline int centredOffset(int outer, int inner) {
    return (outer - inner) / 2;
}

} // namespace krv

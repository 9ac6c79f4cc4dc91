#pragma once
// The launcher font chosen by the player, kept in "font.krv" as one line:
// the name, a comma and the point size, then ",b" when bold ("Tahoma,8,b").

#include <optional>
#include <string>
#include <vector>

namespace krv {

struct FontSetting {
    std::string name; // empty when none is chosen
    int size = 0;     // points; 0 leaves the size as it is
    bool bold = false;
    bool custom = false; // a font of the player's own is in use
    bool isSet() const { return custom; }
};

// The font of the line of "font.krv"; nothing when the file is missing.
FontSetting parseFontLine(const std::optional<std::string>& line);
// The line that stores `font`.
std::string fontLine(const FontSetting& font);

// The fonts the chooser offers and the sizes of each.
const std::vector<const char*>& chooserFonts();
std::vector<int> chooserSizes(const std::string& font);

} // namespace krv

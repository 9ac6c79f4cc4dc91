#include "launcher/ui/launcher_font.h"

#include "common/numbers.h"
#include "common/strings.h"

namespace krv {

FontSetting parseFontLine(const std::optional<std::string>& line) {
    FontSetting font;
    if (!line)
        return font;
    std::string text = *line;
    if (!text.empty() && (text.back() == 'b' || text.back() == 'B')) {
        font.bold = true;
        text.resize(text.size() >= 2 ? text.size() - 2 : 0);
    }
    const std::size_t comma = text.find(',');
    font.name = std::string(trim(text.substr(0, comma)));
    if (comma != std::string::npos) {
        const auto size = parseWholeNumber(text.substr(comma + 1), NumberWidth::Bits16);
        font.size = size.status == NumberStatus::Ok && size.value > 0 ? size.value : 0;
    }
    font.custom = !font.name.empty();
    return font;
}

std::string fontLine(const FontSetting& font) {
    std::string line = font.name;
    if (font.size > 0)
        line += "," + std::to_string(font.size);
    if (font.bold)
        line += ",b";
    return line;
}

const std::vector<const char*>& chooserFonts() {
    static const std::vector<const char*> fonts = {
        "Arial", "Calibri", "MS Sans Serif", "Segoe UI", "Tahoma", "Times New Roman", "Verdana"};
    return fonts;
}

std::vector<int> chooserSizes(const std::string& font) {
    if (iequals(font, "Arial") || iequals(font, "Verdana") || iequals(font, "Tahoma"))
        return {8, 9, 10};
    if (iequals(font, "Times New Roman"))
        return {9, 10};
    if (iequals(font, "MS Sans Serif"))
        return {8, 10};
    if (iequals(font, "Segoe UI"))
        return {8, 9};
    if (iequals(font, "Calibri"))
        return {10};
    return {};
}

} // namespace krv

#include "launcher/launch/screen_mode.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"

namespace krv {

ScreenMode parseScreenMode(const std::string& line) {
    ScreenMode mode;
    const std::size_t star = line.rfind('*');
    // The resolution runs from the third character up to the star; without
    // a star there is no refresh rate and the resolution runs to the end.
    const std::size_t end = star == std::string::npos ? line.size() : star;
    mode.resolution =
        end > 2 ? std::string(trimLeft(std::string_view(line).substr(2, end - 2))) : std::string();
    mode.refreshRate = star == std::string::npos
                           ? std::string()
                           : std::string(trim(std::string_view(line).substr(star + 1)));
    if (!line.empty()) {
        if (line[0] == 'W' || line[0] == 'w')
            mode.windowKind = "--- Windowed Mode ---";
        else if (line[0] == 'F' || line[0] == 'f')
            mode.windowKind = "--- Fullscreen Mode ---";
    }
    if (mode.refreshRate == "0 Hz")
        mode.refreshRate.clear();
    if (mode.resolution.empty() || mode.resolution[0] == '0')
        mode.resolution = kDefaultResolution;
    return mode;
}

ScreenMode readScreenMode(const std::string& resFile) {
    if (!ci::isFile(resFile))
        return {kDefaultResolution, std::string(), std::string()};
    const TextLines text = readTextLines(resFile);
    return parseScreenMode(text.lines.empty() ? std::string() : text.lines.front());
}

} // namespace krv

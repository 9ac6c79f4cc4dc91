#pragma once
// The engine's last screen mode, as it leaves it in "Bin/KRVres.out": the
// first line holds a window-kind letter, the resolution and, after the last
// "*", the refresh rate ("F 1024 x 768 * 60 Hz").

#include <optional>
#include <string>

namespace krv {

inline constexpr const char* kDefaultResolution = "Default Resolution";

struct ScreenMode {
    std::string resolution = kDefaultResolution;
    std::optional<std::string> windowKind; // nothing: the shown kind stays
    std::string refreshRate;
};

// The labels for the first line of "KRVres.out".
ScreenMode parseScreenMode(const std::string& firstLine);

// The labels for the engine's output file; the default without one.
ScreenMode readScreenMode(const std::string& resFile);

} // namespace krv

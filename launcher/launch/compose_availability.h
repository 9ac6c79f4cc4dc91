#pragma once
// The graphics availability check, run before a command line is composed and
// when the Graphics tab is chosen: the high-resolution graphics whose files
// are installed become available. It only ever makes boxes available, except
// the high-resolution textures, which follow the texture folder check.

#include "launcher/launch/compose_types.h"

#include <functional>
#include <string>

namespace krv {

struct PathProbes {
    std::function<bool(const std::string&)> fileExists;
    std::function<bool(const std::string&)> folderExists;
};

void applyGraphicsAvailability(const std::string& root, const PathProbes& probe,
                               bool texturesUsable, OptionBoxes& boxes);

} // namespace krv

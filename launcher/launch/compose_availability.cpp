#include "launcher/launch/compose_availability.h"

#include "launcher/launch/compose_session.h"

namespace krv {

void applyGraphicsAvailability(const std::string& root, const PathProbes& probe,
                               bool texturesUsable, OptionBoxes& boxes) {
    using compose::under;
    if (probe.fileExists(under(root, "data/patches/stbar.png")))
        boxes.highResPatches = true;
    boxes.highResTextures = texturesUsable;
    if (probe.fileExists(under(root, "data/dtex/detail.wad")))
        boxes.detailTextures = true;
    if (probe.folderExists(under(root, "data/Skyboxes")))
        boxes.skyboxes = true;
}

} // namespace krv

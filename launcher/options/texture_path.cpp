#include "launcher/options/texture_path.h"

#include "launcher/inspect/iwad_registry.h"

#include "common/ci_path.h"
#include "common/strings.h"

namespace krv {

TexturePathAnswer checkTexturePath(const std::string& root, const std::string& remembered,
                                   const std::string& shownText) {
    TexturePathAnswer answer{false, remembered, shownText};
    if (!ci::isFolder(answer.path))
        answer.path = shownText;
    const std::string path = answer.path;
    if (!path.empty() && (ci::isFolder(path + "/Textures") ||
                          (iequals(fileNameOfPath(path), "Textures") && ci::isFolder(path)))) {
        answer.usable = true;
        return answer;
    }
    const std::string installed = root + "/Data/Textures";
    if (ci::isFolder(installed)) {
        answer = {true, installed, installed};
    }
    return answer;
}

} // namespace krv

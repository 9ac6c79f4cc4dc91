#include "launcher/options/texture_path.h"

#include "launcher/inspect/iwad_registry.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"

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

PatchesAnswer checkPatches(const std::string& root, const std::string& texturePath) {
    if (ci::isFolder(root + "/Data/Patches"))
        return {true, {}};
    std::string_view path = texturePath;
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.remove_suffix(1);
    PatchesAnswer answer;
    answer.parentFolder =
        iequals(fileNameOfPath(path), "Textures") ? folderOfPath(path) : std::string(path);
    answer.usable = !answer.parentFolder.empty() && ci::isFolder(answer.parentFolder + "/Patches");
    return answer;
}

std::string textureBrowseText(const std::string& path) {
    std::string text = "Select the new location of your high resolution textures ...";
    const std::size_t n = path.size();
    if (n < 50)
        text += std::string("\r\n") +
                (n <= 30   ? "Current Location: "
                 : n <= 40 ? "Location: "
                           : "") +
                path;
    return text;
}

void storeTexturePath(const std::string& root, const std::string& dataFolder,
                      const TexturePathAnswer& answer) {
    const std::string file = dataFolder + "texpath.krv";
    const auto installed = ci::resolve(root + "/Data/Textures");
    const auto chosen = ci::resolve(answer.path);
    const bool isDefault = installed && chosen && *installed == *chosen;
    if (!answer.usable || isDefault)
        ci::removeFile(file);
    else
        writeTextLines(ci::resolveForWrite(file), {answer.path});
}

} // namespace krv

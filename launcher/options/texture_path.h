#pragma once
// The folder of the high-resolution textures: the one the user chose, or the
// installation's own "Data/Textures".

#include <string>

namespace krv {

struct TexturePathAnswer {
    bool usable = false;
    std::string path;      // possibly replaced by the installation's folder
    std::string shownText; // what the texture dialog's text box shows
};

// The remembered path, or the dialog's text when that is no folder, is
// usable when it holds a "Textures" folder or is one; otherwise the
// installation's "Data/Textures" is taken when it exists.
TexturePathAnswer checkTexturePath(const std::string& root, const std::string& remembered,
                                   const std::string& shownText);

// The high-resolution patches: the installation's "Data/Patches", or a
// "Patches" folder in the parent folder of the custom textures (the texture
// path less a last "Textures" component).
struct PatchesAnswer {
    bool usable = false;
    std::string parentFolder; // empty when the installation's folder serves
};
PatchesAnswer checkPatches(const std::string& root, const std::string& texturePath);

inline constexpr const char* kTexturePathInvalid = "Not installed or the specified path is invalid";

// The folder browser's text: the instruction, then a label and the path
// while the path is short.
std::string textureBrowseText(const std::string& path);

// Keeps a usable custom folder in "texpath.krv"; the installation's own
// folder, or an unusable one, needs no file.
void storeTexturePath(const std::string& root, const std::string& dataFolder,
                      const TexturePathAnswer& answer);

} // namespace krv

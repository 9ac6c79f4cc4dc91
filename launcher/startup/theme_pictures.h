#pragma once
// The title pictures of the main window: "default.jpg" of the Themes folder
// and every other JPEG or bitmap beside it, numbered from 0 (the default).

#include <optional>
#include <string>
#include <vector>

namespace krv {

// The pictures in their numbering order: the default first, then the other
// ".jpg" and ".bmp" files of the folder. Empty when "default.jpg" is missing.
std::vector<std::string> themePictures(const std::string& themesFolder);

struct TitlePictureChoice {
    int number = 0;   // the number to keep in the settings
    std::string path; // the picture to show
};

// The picture for `number`: that entry of the list when it exists, otherwise
// the default with the number reset to 0, so that stepping the number cycles
// through all pictures. Nothing when there is no default picture.
std::optional<TitlePictureChoice> chooseTitlePicture(const std::string& themesFolder, int number);

} // namespace krv

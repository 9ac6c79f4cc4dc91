#include "launcher/startup/theme_pictures.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <algorithm>

namespace krv {

namespace {

constexpr const char* kDefaultPicture = "default.jpg";

bool isThemePicture(const std::string& name) {
    return (iendsWith(name, ".jpg") || iendsWith(name, ".bmp")) && !iequals(name, kDefaultPicture);
}

} // namespace

std::vector<std::string> themePictures(const std::string& themesFolder) {
    const auto defaultPicture = ci::resolve(themesFolder + ci::kSep + kDefaultPicture);
    if (!defaultPicture || !ci::isFile(*defaultPicture))
        return {};
    std::vector<std::string> names;
    for (const std::string& name : ci::listFolder(themesFolder))
        if (isThemePicture(name) && ci::isFile(themesFolder + ci::kSep + name))
            names.push_back(name);
    // The folder's own order differs between file systems; a sorted list
    // keeps the numbers stored in the settings meaning the same picture.
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return icompare(a, b) < 0; });
    std::vector<std::string> pictures{defaultPicture->string()};
    for (const std::string& name : names)
        pictures.push_back(themesFolder + ci::kSep + name);
    return pictures;
}

std::optional<TitlePictureChoice> chooseTitlePicture(const std::string& themesFolder, int number) {
    const std::vector<std::string> pictures = themePictures(themesFolder);
    if (pictures.empty())
        return std::nullopt;
    if (number < 0 || number >= static_cast<int>(pictures.size()))
        number = 0;
    return TitlePictureChoice{number, pictures[static_cast<std::size_t>(number)]};
}

} // namespace krv

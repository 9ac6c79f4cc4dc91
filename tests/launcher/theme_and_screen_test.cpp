// The title pictures of the Themes folder and the engine's screen-mode file.
#include "launcher/launch/screen_mode.h"
#include "launcher/startup/theme_pictures.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace krv;
using krv::test::TempDir;
using krv::test::writeFile;

TEST(ThemePictures, NothingWithoutTheDefaultPicture) {
    TempDir dir;
    writeFile(dir / "Themes/red.jpg", "x");
    EXPECT_TRUE(themePictures((dir / "Themes").string()).empty());
    EXPECT_FALSE(chooseTitlePicture((dir / "Themes").string(), 1));
    EXPECT_FALSE(chooseTitlePicture((dir / "Missing").string(), 0));
}

TEST(ThemePictures, CycleThroughTheDefaultAndEveryJpegOrBitmap) {
    TempDir dir;
    const std::string themes = (dir / "Themes").string();
    writeFile(dir / "Themes/Default.JPG", "x");
    writeFile(dir / "Themes/steel.jpg", "x");
    writeFile(dir / "Themes/Acid.BMP", "x");
    writeFile(dir / "Themes/readme.txt", "x");
    writeFile(dir / "Themes/photo.jpeg", "x");
    std::filesystem::create_directories(dir / "Themes/folder.jpg");
    const auto pictures = themePictures(themes);
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0], themes + "/Default.JPG");
    EXPECT_EQ(pictures[1], themes + "/Acid.BMP");
    EXPECT_EQ(pictures[2], themes + "/steel.jpg");

    std::vector<int> numbers;
    for (int number : {0, 1, 2, 3, 57, -4}) {
        const auto choice = chooseTitlePicture(themes, number);
        ASSERT_TRUE(choice);
        numbers.push_back(choice->number);
        EXPECT_EQ(choice->path, pictures[static_cast<std::size_t>(choice->number)]);
    }
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2, 0, 0, 0}));
}

TEST(ScreenMode, ReadsResolutionWindowKindAndRefreshRate) {
    const ScreenMode full = parseScreenMode("F   1024 x 768 * 60 Hz ");
    EXPECT_EQ(full.resolution, "1024 x 768 ");
    EXPECT_EQ(full.windowKind, "--- Fullscreen Mode ---");
    EXPECT_EQ(full.refreshRate, "60 Hz");

    // The last star splits; a zero rate and a zero resolution mean defaults.
    const ScreenMode odd = parseScreenMode("w 0 x 0 * 2 * 0 Hz");
    EXPECT_EQ(odd.resolution, kDefaultResolution);
    EXPECT_EQ(odd.windowKind, "--- Windowed Mode ---");
    EXPECT_EQ(odd.refreshRate, "");

    // An unknown kind letter leaves the shown kind as it is.
    EXPECT_FALSE(parseScreenMode("X 640 x 480 * 70 Hz").windowKind);
    EXPECT_FALSE(parseScreenMode("").windowKind);
}

TEST(ScreenMode, AMissingFileGivesTheDefaultLabels) {
    TempDir dir;
    const ScreenMode mode = readScreenMode((dir / "KRVres.out").string());
    EXPECT_EQ(mode.resolution, kDefaultResolution);
    EXPECT_EQ(mode.windowKind, "");
    EXPECT_EQ(mode.refreshRate, "");
    writeFile(dir / "krvres.OUT", "F 800 x 600 * 72 Hz\n");
    EXPECT_EQ(readScreenMode((dir / "KRVres.out").string()).refreshRate, "72 Hz");
}

// The line of "font.krv" read and written.
#include "launcher/ui/launcher_font.h"

#include <gtest/gtest.h>

using namespace krv;

TEST(LauncherFont, ReadsNameSizeAndBoldAndWritesTheSameLine) {
    const FontSetting bold = parseFontLine("Tahoma,8,b");
    EXPECT_TRUE(bold.isSet());
    EXPECT_EQ(bold.name, "Tahoma");
    EXPECT_EQ(bold.size, 8);
    EXPECT_TRUE(bold.bold);
    EXPECT_EQ(fontLine(bold), "Tahoma,8,b");

    const FontSetting plain = parseFontLine("Verdana,9");
    EXPECT_EQ(plain.size, 9);
    EXPECT_FALSE(plain.bold);
    EXPECT_EQ(fontLine(plain), "Verdana,9");

    EXPECT_EQ(parseFontLine("Arial").name, "Arial"); // no comma: all is the name
    EXPECT_EQ(parseFontLine("Arial").size, 0);
    EXPECT_EQ(parseFontLine("Calibri,big").size, 0); // unreadable size: 0
    EXPECT_TRUE(parseFontLine("Segoe UI,9,B").bold);
    EXPECT_FALSE(parseFontLine(",9").isSet()); // an empty name: no font
    EXPECT_FALSE(parseFontLine("").isSet());
    EXPECT_FALSE(parseFontLine(std::nullopt).isSet()); // no file
}

TEST(LauncherFont, TheChooserOffersEachFontItsSizes) {
    EXPECT_EQ(chooserFonts().size(), 7u);
    EXPECT_EQ(chooserSizes("Times New Roman"), (std::vector<int>{9, 10}));
    EXPECT_EQ(chooserSizes("calibri"), (std::vector<int>{10}));
    EXPECT_TRUE(chooserSizes("Comic Sans").empty());
}

#pragma once
// The titles and texts of the messages the composers show; all use the
// information style. Titles begin with a blank, texts keep their padding.

#include <string>
#include <string_view>

namespace krv::compose_text {

inline constexpr std::string_view kCrLf = "\r\n";

inline constexpr std::string_view kLaunchError = " Launch error";
inline constexpr std::string_view kSetupError = " Setup error";
inline constexpr std::string_view kIwadLocation =
    "There appears to be a problem with the IWAD location.\r\n"
    "Reset Iwads and do a search or enter new locations.";

inline constexpr std::string_view kModelsIncompatibleIwad =
    "There is a compatibility issue between the standard and enhanced models, enhanced models "
    "will not be used\r\n"
    "update to the latest model packs.  ";
inline constexpr std::string_view kModelsIncompatibleGame =
    " There is a compatibility issue between the standard and enhanced models,  \r\n"
    "  Enhanced models will not be used  - update to the latest model packs.  ";
inline constexpr std::string_view kQuilspackMissing =
    " Unable to use quilspack as the quilspack.wad was not found.  ";

inline constexpr std::string_view kXrtAddonTitle = " XRT Addon required";
inline constexpr std::string_view kXrtAddon =
    "   This map requires the latest version of the Korvath XRT \r\n"
    "   addon available from the Korvath website's maps section.   ";
inline constexpr std::string_view kMapErrorTitle = " Map error - updated map required";
inline constexpr std::string_view kMapError =
    "   Components of this map are either missing or not compatible \r\n"
    "   with this version of Korvath, download the latest version   \r\n"
    "   of this map from the Korvath website's Maps section.        ";
inline constexpr std::string_view kModelPacksTitle = " Model packs required";
inline constexpr std::string_view kModelPacks =
    "   Korvath maps require the model packs to be installed \r\n"
    "   Model packs are available from the Korvath website. ";
inline constexpr std::string_view kMapUpdateTitle = " Map update required";
inline constexpr std::string_view kMapUpdate =
    "   This map is an older version and not compatible with \r\n"
    "   this version of Korvath, download the latest version \r\n"
    "   of this map from the Korvath website's maps section. ";

inline constexpr std::string_view kNoWadSelected = "You have not yet selected a WAD file.     ";
// + the file name in capitals + kNoLevelsEnd
inline constexpr std::string_view kNoLevelsStart =
    "You have not yet selected a valid WAD file.     \r\nThe ";
inline constexpr std::string_view kNoLevelsEnd = " contains no levels.     ";

inline constexpr std::string_view kFinalDoomTitle = " Missing Final Doom Iwad ";
inline constexpr std::string_view kFinalDoom =
    "This map requires one of the Final Doom Iwads to run correctly.      \r\n"
    "  Read the author's text file regarding which Iwad is required.      ";
inline constexpr std::string_view kMapIwadTitle = " Iwad not found for current map";
// + "Doom2.wad" or "Doom.wad" + kMapIwadEnd
inline constexpr std::string_view kMapIwadStart =
    "There appears to be a problem locating the Iwad for this map.      \r\n"
    "This map requires the ";
inline constexpr std::string_view kMapIwadEnd = " before it can be run.";

// A value the engine's command line cannot carry.
inline constexpr std::string_view kQuoteInNameStart =
    "A file or folder name holds a double quote and cannot be handed to Korvath:     \r\n";
inline constexpr std::string_view kQuoteInNameEnd =
    "\r\nRename it without the double quote and launch again.     ";
inline constexpr std::string_view kUnbalancedCustomText =
    "The extra command-line text holds a double quote without its partner.     \r\n"
    "Close the quotes or remove the double quote and launch again.     ";

} // namespace krv::compose_text

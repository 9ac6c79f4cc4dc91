#pragma once
// The IWADs of the game stores Linux players buy Doom in: Steam (native,
// Flatpak and Snap installations, every library they list) and GOG (the
// games Heroic installed, and the "GOG Games" folders of Wine prefixes).
//
// Only the folders in which these products keep their IWADs are looked at,
// never anything below them, and a file is taken only when its contents
// confirm its kind, so that a wrong or damaged file is never offered.
// Nothing is ever written in these folders.

#include "launcher/inspect/iwad_registry.h"

#include <string>
#include <vector>

namespace krv {

// The Steam installations under `home` that exist, each once even when
// reached through several names (~/.steam/steam is usually a link).
std::vector<std::string> steamRoots(const std::string& home);

// Every Steam library: each installation's own folder, then the folders its
// "libraryfolders.vdf" lists; each once. A file that cannot be read or
// breaks the format adds nothing.
std::vector<std::string> steamLibraries(const std::string& home);

// The install folders of GOG games: those in Heroic's lists of installed
// games (native and Flatpak), then the game folders in "drive_c/GOG Games"
// of the Wine prefixes ~/.wine and ~/Games/*.
std::vector<std::string> gogInstallFolders(const std::string& home);

// The existing folders, in search order, where the stores' products keep
// their IWADs: the named folders of every Steam library, then the IWAD
// folders of every GOG install.
std::vector<std::string> storeIwadFolders(const std::string& home);

// True when the file at `path` is an IWAD whose levels are those of `kind`
// as the inspection tool's scan finds them: Shareware Doom's first episode
// alone, Doom's three episodes at least, or the 32 maps of Doom II, TNT and
// Plutonia; and no level of the other form.
bool wadContentConfirms(const std::string& path, IwadKind kind);

// Registers, for each kind still free (Doom2, Doom, Tnt, Plutonia, then
// Shareware), the first file of the kind's file name, in any case, in the
// store folders whose contents confirm the kind.
void searchStoreIwads(IwadRegistry& registry, const std::string& home);

// Answers whether a path lies directly in one of the store folders of
// `home`, the same folder through links included.
class StoreFolders {
public:
    explicit StoreFolders(const std::string& home);
    bool holds(const std::string& path) const;

private:
    std::vector<std::string> canonical_;
};

} // namespace krv

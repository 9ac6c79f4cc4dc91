#include "launcher/music/playlist_auto.h"

#include "launcher/platform/platform.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <algorithm>

namespace krv {

// ---- The playlist list ----

PlaylistListing listPlaylists(const InstallPaths& paths, std::string_view currentName) {
    ensureMusicFolder(paths);
    PlaylistListing listing;
    for (const std::string& file : ci::listFolder(paths.musicFolder)) {
        if (!iendsWith(file, kPlaylistExtension) || !ci::isFile(paths.musicFolder + file))
            continue;
        std::string name = file.substr(0, file.size() - kPlaylistExtension.size());
        // A name that cannot be stored on a line or handed to the engine is
        // no playlist of the launcher's.
        if (isSafePlaylistName(name))
            listing.names.push_back(std::move(name));
    }
    // The folder's own order differs between file systems; a sorted list is
    // stable and easier to read.
    std::sort(listing.names.begin(), listing.names.end(),
              [](const std::string& a, const std::string& b) { return icompare(a, b) < 0; });
    const auto current =
        std::find_if(listing.names.begin(), listing.names.end(),
                     [&](const std::string& n) { return iequals(n, currentName); });
    if (current != listing.names.end())
        listing.selected = static_cast<int>(current - listing.names.begin());
    return listing;
}

PlaylistControls playlistControls(const PlaylistListing& listing) {
    const bool any = !listing.names.empty();
    return {any, any, any, any, !any};
}

// ---- Selection rules ----

void selectPlaylist(Settings& settings, const std::string& name) {
    if (name != settings.manualPlaylist)
        settings.playlistManual = false;
    settings.manualPlaylist = name;
}

void setAutoMode(Settings& settings, bool on) {
    settings.playlistAuto = on;
    if (on)
        settings.playlistManual = false;
}

void setManualMode(Settings& settings, bool on) {
    settings.playlistManual = on;
    if (on)
        settings.playlistAuto = false;
}

PlaylistMessage noAutoPlaylistMessage() {
    return {" No auto playlist detected ",
            "No auto playlist has been detected, to create an auto playlist   \r\n"
            "right-click on a playlist entry and then specify an iwad type.   ",
            msg::kOk | msg::kSystemModal};
}

PlaylistMessage noPlaylistSelectedMessage() {
    return {" No auto playlist detected ",
            "No playlist has been selected, first highlight one of the above playlists    ",
            msg::kOk};
}

// ---- Automatic playlists ----

const std::array<AutoGameInfo, kAutoGameCount>& autoGames() {
    static const std::array<AutoGameInfo, kAutoGameCount> games = {{
        {AutoGame::Doom, "Doom/Ultimate Doom", "DOOM", IwadKind::Doom},
        {AutoGame::Doom2, "Doom II", "DOOM II", IwadKind::Doom2},
        {AutoGame::Plutonia, "Plutonia", "PLUTONIA", IwadKind::Plutonia},
        {AutoGame::Tnt, "TNT", "TNT", IwadKind::Tnt},
    }};
    return games;
}

std::string autoPlaylistPath(const InstallPaths& paths) {
    return paths.musicFolder + "auto-playlist.krv";
}

bool autoPlaylistExists(const InstallPaths& paths) {
    return ci::isFile(autoPlaylistPath(paths));
}

std::vector<std::string> defaultAutoPlaylistLines() {
    return {"IMPORTANT: Do not manually edit or change the order of this list",
            "Doom/Ultimate Doom Placeholder", "Doom II - Placeholder", "Plutonia - Placeholder",
            "TNT - Placeholder"};
}

std::array<bool, kAutoGameCount> autoSelectEntriesEnabled(const IwadRegistry& iwads) {
    std::array<bool, kAutoGameCount> enabled{};
    for (const AutoGameInfo& g : autoGames()) {
        const std::string& path = iwads.path(g.iwad);
        enabled[static_cast<int>(g.game)] = !path.empty() && ci::isFile(path);
    }
    return enabled;
}

namespace {

PlaylistMessage autoPlaylistUnchangedMessage(const std::string& title) {
    return {title,
            " The auto playlist file could not be read or written, it was left as it is.    ",
            msg::kCritical};
}

// The first lines of the file with line `index` holding `text`: every other
// byte, the line's own end included, stays as it was. Lines missing from a
// short file are completed with the defaults, each ending in CR LF.
std::string withLine(std::string bytes, std::size_t index, const std::string& text) {
    const std::vector<std::string> defaults = defaultAutoPlaylistLines();
    const bool open = !bytes.empty() && bytes.back() != '\n'; // a last line without its end
    std::size_t present = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (present + (open ? 1 : 0) < defaults.size()) {
        if (open) {
            bytes += "\r\n";
            ++present;
        }
        for (; present < defaults.size(); ++present)
            bytes += defaults[present] + "\r\n";
    }
    std::size_t start = 0;
    for (std::size_t line = 0; line < index; ++line)
        start = bytes.find('\n', start) + 1;
    std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    if (end > start && bytes[end - 1] == '\r')
        --end;
    return bytes.replace(start, end - start, text);
}

} // namespace

std::optional<PlaylistMessage> assignAutoPlaylist(const InstallPaths& paths, AutoGame game,
                                                  const std::string& name) {
    if (!isSafePlaylistName(name))
        return std::nullopt;
    const int index = static_cast<int>(game);
    const std::string title =
        std::string(" Auto playlist selection for ") + autoGames()[index].titleName;
    // Only the game's own line changes; the lines after it are copied as
    // they are, however many and however long. A missing file starts from
    // the defaults; one that cannot be read is left alone.
    LeadingLines head = readLeadingLines(autoPlaylistPath(paths), defaultAutoPlaylistLines().size(),
                                         kSmallFileLimit);
    if (head.status == IoStatus::NotFound)
        head.bytes.clear();
    else if (head.status != IoStatus::Ok)
        return autoPlaylistUnchangedMessage(title);
    ensureMusicFolder(paths);
    const std::size_t line = static_cast<std::size_t>(index) + 1;
    if (replaceFileHead(autoPlaylistPath(paths), withLine(head.bytes, line, name),
                        head.bytes.size()) != IoStatus::Ok)
        return autoPlaylistUnchangedMessage(title);
    return PlaylistMessage{title,
                           "     " + name + "  has been added to your auto selection.         \r\n",
                           msg::kOk | msg::kSystemModal};
}

std::optional<AutoGame> autoGameOfIwad(std::string_view iwadPath) {
    std::string_view base = fileNameOfPath(iwadPath);
    base = base.substr(0, base.rfind('.'));
    if (iequals(base, "Doom1") || iequals(base, "Doom"))
        return AutoGame::Doom;
    if (iequals(base, "Doom2"))
        return AutoGame::Doom2;
    if (iequals(base, "Plutonia"))
        return AutoGame::Plutonia;
    if (iequals(base, "Tnt"))
        return AutoGame::Tnt;
    return std::nullopt;
}

AutoPlaylistChoice chooseAutoPlaylist(const InstallPaths& paths, std::string_view iwadPath,
                                      const std::vector<std::string>& playlists) {
    const std::optional<AutoGame> game = autoGameOfIwad(iwadPath);
    if (!game)
        return {};
    const std::size_t line = static_cast<std::size_t>(*game) + 1;
    // The lines after the game's own may be many; they are not read.
    const LeadingLines stored =
        readLeadingLines(autoPlaylistPath(paths), line + 1, kSmallFileLimit);
    if (stored.lines.size() <= line)
        return {};
    AutoPlaylistChoice choice{stored.lines[line], false};
    choice.found = std::any_of(playlists.begin(), playlists.end(),
                               [&](const std::string& p) { return iequals(p, choice.name); });
    return choice;
}

MusicAvailability musicAvailability(bool soundOff, bool musicOff, bool automatic) {
    const bool music = !soundOff && !musicOff;
    return {music, music && !automatic};
}

} // namespace krv

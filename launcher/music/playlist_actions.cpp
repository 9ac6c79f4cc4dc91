#include "launcher/music/playlist_actions.h"

#include "common/strings.h"

#include <algorithm>

namespace krv {

namespace {

// The editor's headings of a section.
SectionHeadings editorHeadings(MapSet set) {
    return sectionHeadings(HeadingStyle::Editor, set == MapSet::Doom ? "DOOM" : "DOOM II");
}

bool lineStartsWith(const std::vector<std::string>& lines, std::size_t index,
                    std::string_view prefix) {
    return index < lines.size() && istartsWith(lines[index], prefix);
}

std::vector<std::string> expectedMapKeys(PlaylistType type) {
    if (type == PlaylistType::Doom2)
        return mapKeys(MapSet::Doom2);
    std::vector<std::string> keys = mapKeys(MapSet::Doom);
    if (type == PlaylistType::Mixed)
        for (std::string& key : mapKeys(MapSet::Doom2))
            keys.push_back(std::move(key));
    return keys;
}

// Number of Doom map keys, where the Doom II section starts in a Mixed list.
constexpr std::size_t kDoomMapCount = 36;
// Lines of the Mixed layout, the longest canonical one.
constexpr std::size_t kMixedLines = 91;

std::string playlistNameProblemText(NewNameProblem problem) {
    switch (problem) {
    case NewNameProblem::TooLong:
        return " This playlist name is too long, please use a shorter one.    ";
    case NewNameProblem::DotsAndBlanksOnly:
        return " A playlist name needs more than dots and blanks.    ";
    case NewNameProblem::ForbiddenCharacter:
    case NewNameProblem::None:
        break;
    }
    return " A playlist name cannot contain any of  \\ / : * ? \" < > |    ";
}

PlaylistMessage unreadablePlaylistMessage(IoStatus status) {
    return {" Playlist error",
            status == IoStatus::TooLarge
                ? " This playlist is too large to open, it was left as it is.    "
                : " This playlist could not be read, it was left as it is.    ",
            msg::kCritical};
}

} // namespace

// ---- New ----

NamePrompt newPlaylistPrompt() {
    NamePrompt prompt;
    prompt.frameCaption = "Name of Playlist";
    prompt.windowCaption = " Create New Playlist";
    prompt.initialText = "MyDoomMusic";
    prompt.buttonCaption = "OK";
    return prompt;
}

NewPlaylistCheck checkNewPlaylistName(const InstallPaths& paths, std::string_view entered) {
    NewPlaylistCheck check;
    if (entered.empty())
        return check;
    if (iendsWith(entered, kPlaylistExtension))
        entered.remove_suffix(kPlaylistExtension.size());
    check.name = std::string(entered);
    if (const NewNameProblem problem = newPlaylistNameProblem(check.name);
        problem != NewNameProblem::None) {
        check.step = NewPlaylistStep::Refused;
        check.message = {" Playlist name error", playlistNameProblemText(problem),
                         msg::kExclamation};
    } else if (playlistExists(paths, check.name)) {
        check.step = NewPlaylistStep::AskOverwrite;
        check.message = {" Music list creation",
                         check.name + " already exists do you wish to overwrite it?    ",
                         msg::kYesNoQuestion};
    } else {
        check.step = NewPlaylistStep::Ready;
    }
    return check;
}

PlaylistLines newPlaylistTemplate(const IwadRegistry& iwads) {
    const MapSet set = iwads.isRegistered(IwadKind::Doom) ? MapSet::Doom : MapSet::Doom2;
    PlaylistLines playlist{set == MapSet::Doom ? PlaylistType::Doom : PlaylistType::Doom2,
                           sectionLines(set, editorHeadings(set), bareEntry)};
    if (set == MapSet::Doom)
        playlist.lines.push_back("");
    return playlist;
}

// ---- Open ----

std::optional<PlaylistType> playlistTypeOf(const std::vector<std::string>& lines) {
    const bool doom = std::any_of(lines.begin(), lines.end(), isDoomMapLine);
    const bool doom2 = std::any_of(lines.begin(), lines.end(),
                                   [](const std::string& l) { return istartsWith(l, "M"); });
    if (doom && doom2)
        return PlaylistType::Mixed;
    if (doom)
        return PlaylistType::Doom;
    if (doom2)
        return PlaylistType::Doom2;
    return std::nullopt;
}

bool hasStandardLayout(const std::vector<std::string>& lines, PlaylistType type) {
    switch (type) {
    case PlaylistType::Doom:
        return lineStartsWith(lines, 38, "E4M1");
    case PlaylistType::Doom2:
        return lineStartsWith(lines, 42, "MAP32");
    case PlaylistType::Mixed:
        break;
    }
    return (lineStartsWith(lines, 42, "E4M5") || lineStartsWith(lines, 42, "MAP32")) &&
           (lineStartsWith(lines, 81, "MAP24") || lineStartsWith(lines, 81, "E4M1"));
}

OpenedPlaylist openPlaylist(const InstallPaths& paths, std::string_view name,
                            PlaylistType previousType) {
    OpenedPlaylist opened;
    PlaylistText text = readPlaylist(paths, name);
    if (text.status == IoStatus::NotFound) // gone since it was listed
        return opened;
    if (text.status != IoStatus::Ok) {
        opened.step = OpenStep::Unreadable;
        opened.refusal = unreadablePlaylistMessage(text.status);
        return opened;
    }
    opened.truncated = text.truncated;
    opened.restAt = text.restAt;
    opened.playlist.lines = std::move(text.lines);
    opened.playlist.type = playlistTypeOf(opened.playlist.lines).value_or(previousType);
    const bool currentLayout =
        std::any_of(opened.playlist.lines.begin(), opened.playlist.lines.end(), marksCurrentLayout);
    if (!currentLayout)
        repairOpenedPlaylist(opened);
    else if (hasStandardLayout(opened.playlist.lines, opened.playlist.type))
        opened.step = OpenStep::Ready;
    else
        opened.step = OpenStep::AskRepair;
    return opened;
}

PlaylistMessage nonStandardQuestion() {
    return {" Non Standard Format",
            "This playlist format appears non standard.    \r\n"
            "Would you like to attempt to correct this? ",
            msg::kYesNoQuestion};
}

void repairOpenedPlaylist(OpenedPlaylist& opened) {
    opened.playlist.lines = rebuildPlaylist(opened.playlist.lines, opened.playlist.type);
    opened.converted = true;
    opened.step = OpenStep::Ready;
}

std::string GetInterMusic(std::string_view line) {
    return isIntermissionLine(line) ? std::string(line) : std::string();
}

std::string ReplaceInterMusic(const std::vector<std::string>& cloneList, std::string_view lump) {
    const auto found =
        std::find_if(cloneList.rbegin(), cloneList.rend(),
                     [&](const std::string& l) { return iequals(entryKey(l), lump); });
    return found != cloneList.rend() ? *found : bareEntry(lump);
}

void CheckMapStructure(std::vector<std::string>& musicList, PlaylistType type) {
    std::vector<std::string> ordered;
    std::vector<bool> taken(musicList.size(), false);
    for (const std::string& key : expectedMapKeys(type)) {
        std::size_t i = 0;
        while (i < musicList.size() && (taken[i] || !iequals(entryKey(musicList[i]), key)))
            ++i;
        if (i < musicList.size()) {
            taken[i] = true;
            ordered.push_back(musicList[i]);
        } else {
            ordered.push_back(bareEntry(key));
        }
    }
    for (std::size_t i = 0; i < musicList.size(); ++i)
        if (!taken[i])
            ordered.push_back(musicList[i]);
    musicList = std::move(ordered);
}

std::vector<std::string> rebuildPlaylist(const std::vector<std::string>& lines, PlaylistType type) {
    std::vector<std::string> cloneList;
    std::vector<std::string> maps;
    for (const std::string& line : lines) {
        cloneList.push_back(GetInterMusic(line));
        if (isDoomMapLine(line) || isDoom2MapLine(line))
            maps.push_back(line);
    }
    CheckMapStructure(maps, type);

    const SlotEntry intermission = [&](std::string_view key) {
        return ReplaceInterMusic(cloneList, key);
    };
    const auto head = [&](MapSet set) {
        return sectionHeadLines(set, editorHeadings(set), intermission);
    };
    std::vector<std::string> rebuilt =
        head(type == PlaylistType::Doom2 ? MapSet::Doom2 : MapSet::Doom);
    auto doom2Start = maps.end();
    if (type == PlaylistType::Mixed)
        doom2Start = maps.begin() + static_cast<std::ptrdiff_t>(kDoomMapCount);
    rebuilt.insert(rebuilt.end(), maps.begin(), doom2Start);
    if (type == PlaylistType::Mixed) {
        const std::vector<std::string> doom2Head = head(MapSet::Doom2);
        rebuilt.insert(rebuilt.end(), doom2Head.begin(), doom2Head.end());
        rebuilt.insert(rebuilt.end(), doom2Start, maps.end());
    }
    if (rebuilt.size() < kMixedLines)
        rebuilt.push_back("");
    return rebuilt;
}

// ---- Delete ----

PlaylistMessage deleteQuestion(std::string_view name) {
    return {" Delete Selected Playlist",
            "Are you certain you wish to delete " + toUpper(name) + "   ", msg::kYesNoQuestion};
}

DeleteResult deletePlaylist(const InstallPaths& paths, std::string_view name) {
    DeleteResult result;
    result.deleted = deletePlaylistFile(paths, name);
    result.listing = listPlaylists(paths, "");
    result.listing.selected = static_cast<int>(result.listing.names.size()) - 1;
    return result;
}

} // namespace krv

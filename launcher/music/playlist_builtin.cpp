#include "launcher/music/playlist_builtin.h"

#include "launcher/music/playlist_format.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <array>
#include <optional>
#include <span>

namespace krv {

namespace {

// Music files (base names) for the slots of a section in layout order: the
// intermission lumps, then the maps.
using Column = std::span<const std::string_view>;

constexpr std::array<std::string_view, 41> kDoomFiles = {
    "d_bunny", "d_intro", "d_introa", "d_e2m3", "d_victor", //
    "d_e1m1",  "d_e1m2",  "d_e1m3",   "d_e1m4", "d_e1m5",   "d_e1m6", "d_e1m7", "d_e1m8", "d_e1m9",
    "d_e2m1",  "d_e2m2",  "d_e2m3",   "d_e2m4", "d_e1m7",   "d_e2m6", "d_e2m7", "d_e2m8", "d_e3m1",
    "d_e3m1",  "d_e3m2",  "d_e3m3",   "d_e1m8", "d_e1m7",   "d_e1m6", "d_e2m7", "d_e3m8", "d_e1m9",
    "d_e1m8",  "d_e3m2",  "d_e3m3",   "d_e1m5", "d_e2m7",   "d_e2m4", "d_e2m6", "d_e1m7", "d_e1m9"};

constexpr std::array<std::string_view, 36> kDoom2Files = {
    "d_dm2ttl", "d_dm2int", "d_read_m", "d_evil", //
    "d_runnin", "d_stalks", "d_countd", "d_betwee", "d_doom",   "d_the_da", "d_shawn",  "d_ddtblu",
    "d_in_cit", "d_dead",   "d_stalks", "d_the_da", "d_doom",   "d_ddtblu", "d_runnin", "d_dead",
    "d_stalks", "d_romero", "d_shawn",  "d_messag", "d_countd", "d_ddtblu", "d_ampie",  "d_the_da",
    "d_adrian", "d_messag", "d_romero", "d_tense",  "d_shawn",  "d_openin", "d_evil",   "d_ultima"};

constexpr std::array<std::string_view, 36> kPlutoniaFiles = {
    "d_dm2ttl", "d_dm2int", "d_read_m", "d_e1m8", //
    "d_e1m2",   "d_e1m3",   "d_e1m6",   "d_e1m4",   "d_e1m9",   "d_e1m8",   "d_e2m1",  "d_e2m2",
    "d_e3m3",   "d_e1m7",   "d_bunny",  "d_e3m8",   "d_e3m2",   "d_e2m8",   "d_e2m7",  "d_e3m1",
    "d_e1m1",   "d_e1m7",   "d_e1m5",   "d_messag", "d_read_m", "d_ddtblu", "d_ampie", "d_the_da",
    "d_adrian", "d_messag", "d_e2m1",   "d_e2m2",   "d_e1m1",   "d_victor", "d_e1m8",  "d_e2m8"};

constexpr std::array<std::string_view, 36> kTntFiles = {
    "tnt_dm2ttl", "tnt_evil",   "tnt_read_m", "tnt_evil", //
    "tnt_runnin", "tnt_stalks", "d_messag",   "tnt_betwee", "tnt_doom",  "tnt_the_da", "tnt_shawn",
    "tnt_ddtblu", "tnt_runnin", "tnt_dead",   "tnt_stlks2", "d_ddtblu",  "tnt_betwee", "tnt_ddtbl2",
    "tnt_stalks", "tnt_dead2",  "tnt_doom",   "tnt_dead",   "d_countd",  "tnt_messag", "d_in_cit",
    "tnt_ddtbl3", "d_ampie",    "d_betwee",   "d_doom",     "tnt_dead2", "tnt_ddtblu", "tnt_ddtbl3",
    "tnt_betwee", "tnt_ddtblu", "tnt_evil",   "d_in_cit"};

// Dunmore's TNT music differs on two maps.
constexpr std::array<std::string_view, 36> kDunmoreTntFiles = [] {
    std::array<std::string_view, 36> files = kTntFiles;
    files[4 + 2] = "d_countd";  // MAP03
    files[4 + 18] = "d_shawn2"; // MAP19
    return files;
}();

struct SectionPlan {
    MapSet set;
    std::string_view game; // heading caption
    Column files;
};

struct PlaylistPlan {
    std::string name;
    std::vector<SectionPlan> sections;
    // Written at every start, not only when the file is missing.
    bool rewriteAlways = false;
    // Written only when this IWAD is registered and its file exists.
    std::optional<IwadKind> iwad;
    // Written only when these files (without ".ogg") are in the artist folder.
    std::vector<std::string_view> requiredMusic;
};

const SectionPlan kDoomSection{MapSet::Doom, "DOOM", kDoomFiles};
const SectionPlan kDoom2Section{MapSet::Doom2, "DOOM II", kDoom2Files};

std::vector<PlaylistPlan> packPlans(MusicPack pack) {
    const std::string artist(artistName(pack));
    switch (pack) {
    case MusicPack::Dunmore:
        return {{"Dunmóre - TNT", {{MapSet::Doom2, "TNT", kDunmoreTntFiles}}, false, {}, {}}};
    case MusicPack::KVane:
        return {{artist + " - Doom2", {kDoom2Section}, true, {}, {}}};
    case MusicPack::Tiber:
    case MusicPack::Moldwin:
        break;
    }
    return {{artist + " - Doom & Doom2", {kDoomSection, kDoom2Section}, false, {}, {}},
            {artist + " - Plutonia",
             {{MapSet::Doom2, "PLUTONIA", kPlutoniaFiles}},
             false,
             IwadKind::Plutonia,
             {"d_ampie", "d_e1m2"}},
            {artist + " - TNT",
             {{MapSet::Doom2, "TNT", kTntFiles}},
             false,
             IwadKind::Tnt,
             {"tnt_doom"}}};
}

// "\OggVorbis\<artist>\<file>.ogg" with the platform's separator.
std::string musicReference(std::string_view artist, std::string_view file) {
    const std::string sep(1, ci::kSep);
    return sep + "OggVorbis" + sep + std::string(artist) + sep + std::string(file) + ".ogg";
}

std::vector<std::string> planLines(std::string_view artist, const PlaylistPlan& plan) {
    std::vector<std::string> lines;
    for (const SectionPlan& s : plan.sections) {
        std::vector<std::string> keys(intermissionKeys(s.set).begin(),
                                      intermissionKeys(s.set).end());
        for (std::string& key : mapKeys(s.set))
            keys.push_back(std::move(key));
        const SlotEntry entry = [&](std::string_view key) {
            for (std::size_t i = 0; i < keys.size(); ++i)
                if (keys[i] == key)
                    return entryWithPath(key, musicReference(artist, s.files[i]));
            return bareEntry(key);
        };
        const auto section =
            sectionLines(s.set, sectionHeadings(HeadingStyle::BuiltIn, s.game), entry);
        lines.insert(lines.end(), section.begin(), section.end());
    }
    return lines;
}

bool iwadFilePresent(const IwadRegistry& iwads, IwadKind kind) {
    return iwads.isRegistered(kind) && ci::isFile(iwads.path(kind));
}

bool conditionsHold(const InstallPaths& paths, MusicPack pack, const PlaylistPlan& plan,
                    const IwadRegistry& iwads) {
    if (!plan.rewriteAlways && playlistExists(paths, plan.name))
        return false;
    if (plan.iwad && !iwadFilePresent(iwads, *plan.iwad))
        return false;
    const std::string folder = artistFolder(paths, pack) + ci::kSep;
    for (std::string_view music : plan.requiredMusic)
        if (!ci::isFile(folder + std::string(music) + ".ogg"))
            return false;
    return true;
}

// Moves `from` over `to`; the source goes only once the copy is complete.
void moveOver(const std::string& from, const std::string& to) {
    if (ci::isFile(from) && ci::copyFile(from, to))
        ci::removeFile(from);
}

// Leftovers of older Dunmore packs: a misnamed music file and a playlist
// under the pack's former name.
void fixDunmoreLeftovers(const InstallPaths& paths) {
    const std::string folder = artistFolder(paths, MusicPack::Dunmore) + ci::kSep;
    moveOver(folder + "tnt_stalks2.ogg", folder + "tnt_stlks2.ogg");
    moveOver(paths.musicFolder + "Dunmóre.krm", paths.musicFolder + "Dunmóre.old");
}

} // namespace

std::string_view artistName(MusicPack pack) {
    switch (pack) {
    case MusicPack::Dunmore:
        return "Dunmore";
    case MusicPack::Tiber:
        return "Tiber";
    case MusicPack::Moldwin:
        return "Moldwin";
    case MusicPack::KVane:
        break;
    }
    return "K-Vane";
}

std::string artistFolder(const InstallPaths& paths, MusicPack pack) {
    return paths.root + ci::kSep + "OggVorbis" + ci::kSep + std::string(artistName(pack));
}

std::vector<std::string> builtInPlaylistNames(MusicPack pack) {
    std::vector<std::string> names;
    for (const PlaylistPlan& plan : packPlans(pack))
        names.push_back(plan.name);
    return names;
}

std::vector<std::string> builtInPlaylistNames() {
    std::vector<std::string> names;
    for (MusicPack pack : kMusicPacks)
        for (std::string& name : builtInPlaylistNames(pack))
            names.push_back(std::move(name));
    return names;
}

std::vector<std::string> builtInPlaylistLines(MusicPack pack, std::string_view name) {
    for (const PlaylistPlan& plan : packPlans(pack))
        if (plan.name == name)
            return planLines(artistName(pack), plan);
    return {};
}

void writePackPlaylists(const InstallPaths& paths, MusicPack pack, const IwadRegistry& iwads) {
    const std::vector<PlaylistPlan> plans = packPlans(pack);
    if (!ci::isFolder(artistFolder(paths, pack))) {
        for (const PlaylistPlan& plan : plans)
            deletePlaylistFile(paths, plan.name);
        return;
    }
    ensureMusicFolder(paths);
    for (const PlaylistPlan& plan : plans) {
        if (!conditionsHold(paths, pack, plan, iwads))
            continue;
        writePlaylist(paths, plan.name, planLines(artistName(pack), plan));
        if (pack == MusicPack::Dunmore)
            fixDunmoreLeftovers(paths);
    }
}

void writeBuiltInPlaylists(const InstallPaths& paths, const IwadRegistry& iwads) {
    for (MusicPack pack : kMusicPacks)
        writePackPlaylists(paths, pack, iwads);
}

} // namespace krv

// The option switches of both composers, appended in their fixed order. The
// game composer differs in a few of them: switches that an installed scripted
// map brings itself are left out, some monster switches move further back
// and respawn is spelt "-ReSpawn ".

#include "launcher/launch/compose_session.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

namespace krv::compose {

namespace {

std::string number(int value) {
    return std::to_string(value);
}

// The `Corpse` box text when it is a usable whole number: an empty or
// non-numeric text would leave "-ct" without its value, and the engine would
// then take the next switch for it.
std::optional<std::string> corpseSeconds(std::string_view typed) {
    const std::string_view digits = trim(typed);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    return std::string(digits);
}

class OptionSwitches {
public:
    explicit OptionSwitches(Composition& composition)
        : c(composition), s(composition.settings()), boxes(composition.out.boxes),
          line(composition.line), game(composition.game()),
          notScripted(!composition.game() || !composition.scripted) {}

    void appendAll() {
        modelPacks();
        graphics();
        sound();
        effects();
        monstersAndControls();
        consoleCommands();
        basicDoom();
        gameModes();
        start();
        if (!s.customCommandLine.empty())
            line.append(s.customCommandLine + " ");
    }

private:
    Composition& c;
    const Settings& s;
    const OptionBoxes& boxes;
    CommandLineText& line;
    const bool game;
    const bool notScripted; // always true for the IWAD composer

    void add(bool condition, std::string_view text) {
        if (condition)
            line.append(text);
    }

    // Quilspack weapons, alternative weapons and the model replacements.
    void modelPacks() {
        const bool packsUsable = !s.basicDoom && !s.coreEffects;
        const bool weaponsUsable = packsUsable && !s.editMode && !s.modelFx;
        add(weaponsUsable && boxes.quilspackWeapons && s.quilspackWeapons, "-fp ");
        add(weaponsUsable && boxes.quilspackAltWeapons && s.quilspackAltWeapons, "-ap ");
        const bool replacements = packsUsable && boxes.modelReplacements && s.braskenQuilsModels;
        add(replacements || (game && c.scripted && c.scriptedModelsPresent), "-am ");
    }

    // High resolution patches and textures, and a texture folder of the user's own.
    void graphics() {
        add(!s.highResPatches && notScripted, "-np ");
        add(!s.highResTextures && notScripted, "-nht ");
        if (s.highResTextures && (!game || !s.basicDoom) && c.env.folderExists(s.texturePath) &&
            !iequals(ci::nativeSeparators(trim(c.out.texFormFolderText)),
                     under(c.in.paths.root, "Data/Textures")))
            line.appendSwitch("-td ", s.texturePath);
    }

    // Sound and music; a disabled sound or music silences everything after it.
    void sound() {
        if (s.disableSound) {
            line.append("-nosound ");
            return;
        }
        add(boxes.hiResSoundPack && s.hiResSoundPack, "-data pk_doom_sfx.wad ");
        add(s.sound3d, "-3d ");
        line.append("-ch " + number(s.audioChannels > 0 ? s.audioChannels : 128) + " ");
        if (boxes.scaler && s.textureScaling > 0)
            line.append("-dsst " + number(s.textureScaling) + " ");
        if (s.disableMusic) {
            line.append("-nomusic ");
            return;
        }
        playlists();
        add(boxes.ignorePlaylist && s.ignorePlaylistIfCustomMusic, "-upm ");
        add(boxes.forceFmodMidi && s.forceFmodMidi, "-FMODmidi ");
    }

    // A playlist is handed over by its base name, and only while its file is in
    // the music folder.
    void playlists() {
        if (!notScripted)
            return;
        const auto appendPlaylist = [&](const std::string& name) {
            if (c.env.fileExists(c.in.paths.musicFolder + name + ".krm"))
                line.appendSwitch("-extmus ", baseName(name));
        };
        if (s.playlistManual)
            appendPlaylist(s.manualPlaylist);
        if (s.playlistAuto) {
            const AutoPlaylist chosen = c.env.chooseAutoPlaylist(c.out.selection.iwadPath);
            if (chosen.found)
                appendPlaylist(chosen.name);
        }
    }

    // Boom mode and the model effects.
    void effects() {
        add(game && !s.editMode && c.boomMode, "-boom ");
        const bool coreEffects =
            game ? s.coreEffects && notScripted : s.coreEffects || !boxes.coreEffects;
        add(!s.basicDoom && !s.modelFx && coreEffects, "-xa -spf ");
        add(game && !s.basicDoom && boxes.noForcedModels && notScripted && s.noForcedModels,
            "-noamwds ");
        add(!s.basicDoom && boxes.extraFx && s.extraFx && notScripted, "-fx ");
        // Without monsters there are no zombies to replace.
        add(!s.basicDoom && !s.noMonsters && s.braskenPistolZombies && s.braskenQuilsModels &&
                boxes.pistolZombies,
            "-spz ");
    }

    // Splashes, respawn and in-fighting: the IWAD composer writes them before the
    // grenades, the game composer after the skyboxes.
    void monsterBehaviour(std::string_view respawn) {
        add(!s.splashEffects && !s.basicDoom, "-spx ");
        add(s.monsterRespawn && !s.noMonsters, respawn);
        add(s.noSameTypeInfighting && !s.noMonsters, "-noif1 ");
        add(s.noLostSoulInfighting && !s.noMonsters, "-noif2 ");
    }

    // Mouse, monsters, grenades, detail textures, joystick, skyboxes and corpses.
    void monstersAndControls() {
        add(s.disableMouse, "-nomouse ");
        if (!game)
            monsterBehaviour("-respawn ");
        if (s.grenadeLauncher && (!game || boxes.grenadeLauncher))
            line.append(s.grenadeTimer == 0 ? std::string("-pbm ")
                                            : "-gnd " + number(s.grenadeTimer) + " ");
        add(s.noMonsters, "-nm ");
        add(!s.highResTextures && s.detailTextures, "-dt ");
        add(s.disableJoystick, "-nojoy ");
        if (game && c.scripted) {
            line.append("-usb "); // a scripted map brings its own skies
        } else {
            add(s.skyboxes && !s.basicDoom, s.skyboxKind == 0 ? "-usb " : "-fsb ");
            if (game)
                monsterBehaviour("-ReSpawn ");
        }
        add(s.corpseFade && !s.noMonsters, "-ro ");
        const auto seconds = corpseSeconds(c.in.corpseText);
        if (!s.noMonsters && seconds && *seconds != "0")
            line.append("-ct " + *seconds + " ");
    }

    // The console commands: the IWAD composer sends the ricochet first, the game
    // composer last.
    void consoleCommands() {
        if (s.basicDoom || (!game && s.modelFx))
            return;
        line.append("-cmd ");
        const bool ricochet = c.out.state.ricochetChanged;
        const std::string ricochetCommand =
            "audio-ricoh " + (s.ricochets ? number(s.ricochetValue) : std::string("0"));
        if (ricochet && !game)
            line.appendQuoted(ricochetCommand);
        if (notScripted)
            line.appendQuoted(lightCommand());
        line.appendQuoted(s.gunSmoke ? "rend-smoke 1" : "rend-smoke 0");
        if (ricochet && game)
            line.appendQuoted(ricochetCommand);
    }

    std::string lightCommand() const { return s.dynamicLighting ? "rend-light 1" : "rend-light 0"; }

    // Smoke kind, fast monsters and the switches of Basic Doom.
    void basicDoom() {
        add(s.gunSmoke && s.smokeKind == 1, "-smn ");
        add(s.fastMonsters && !s.noMonsters, "-fast ");
        if (!s.basicDoom || !notScripted)
            return;
        line.append("-nc ");
        if (s.modelFx) {
            line.append("-xa -spf ");
            add(!s.splashEffects, "-spx ");
        } else {
            line.append("-nws ");
        }
        if (s.modelFx)
            line.appendSwitch("-cmd ", lightCommand());
    }

    // The modes a known PWAD or the rocket map asks for.
    void gameModes() {
        if (!game)
            return;
        add(c.out.state.stxMode, "-stx ");
        add(c.out.state.nextMapMode, "-c_nextmap ");
        add(c.out.state.mfoMode, "-mfo ");
        add(c.rocketMap, "-ap ");
    }

    // Verbosity, skill, the edit mode and where the game starts.
    void start() {
        const LaunchSelection& launch = c.out.selection;
        add(s.verbose, "-v ");
        if (s.skill != 0 && launch.startKind != StartKind::Normal)
            line.append("-sk " + number(s.skill) + " ");
        add(s.editMode, "-txe ");
        add(game && s.editMode && s.developmentMode, "-lean ");
        add(s.editMode && s.noObjects, "-txn ");
        if (s.editMode && s.light)
            line.append("-txa " + number(s.editLight) + " ");
        if (launch.startKind == StartKind::Warp && !launch.warpMap.empty())
            line.append("-wp " + launch.warpMap + " ");
        if (launch.startKind == StartKind::LoadGame)
            line.append("-loadgame " + launch.loadSlot + " ");
    }
};

} // namespace

void appendOptions(Composition& c) {
    OptionSwitches(c).appendAll();
}

} // namespace krv::compose

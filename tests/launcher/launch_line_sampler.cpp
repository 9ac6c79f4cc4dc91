// Drives the main window through random settings, selections and option
// clicks on a copy of a prepared installation root, and prints for each seed
// what the window showed and wrote: the command-line preview, the launch's
// line or refusal, every message, and the settings file written at the
// close. Two builds of the launcher that print the same lines for the same
// seeds compose the same launches. Not a test.
// Usage: launch_line_sampler TEMPLATE_ROOT FIRST_SEED COUNT
#include "launcher/mainwindow/main_form.h"
#include "launcher/platform/scripted_platform.h"
#include "support/fake_environment.h"
#include "support/temp_dir.h"

#include "common/text_file.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>

using namespace krv;
namespace fs = std::filesystem;

namespace {

struct Random {
    unsigned state;
    unsigned next() { return (state = state * 1664525u + 1013904223u) >> 8; }
    bool oneIn(unsigned n) { return next() % n == 0; }
    int below(int n) { return n > 0 ? static_cast<int>(next() % static_cast<unsigned>(n)) : 0; }
};

// ---- The window's controls, found by their names -------------------------
// Only these functions know how the window exposes its controls.

template <class Widget> Widget* named(MainForm& f, const char* name, int index = -1) {
    return f.findChild<Widget*>(index < 0 ? QString::fromLatin1(name)
                                          : QStringLiteral("%1_%2").arg(name).arg(index));
}

QAbstractButton* button(MainForm& f, const char* name, int index) {
    return named<QAbstractButton>(f, name, index);
}

QAbstractItemView* gamesList(MainForm& f) {
    return named<QAbstractItemView>(f, "PwadList");
}
QAbstractItemView* filesList(MainForm& f) {
    return named<QAbstractItemView>(f, "PwadShowlist");
}
QAbstractItemView* mapList(MainForm& f) {
    return named<QAbstractItemView>(f, "MapList");
}
QAbstractItemView* saveGameList(MainForm& f) {
    return named<QAbstractItemView>(f, "SaveGameList");
}
QLineEdit* previewLine(MainForm& f) {
    return named<QLineEdit>(f, "PreviewLine");
}
QLineEdit* customText(MainForm& f) {
    return named<QLineEdit>(f, "edCustom");
}
QAbstractButton* launchButton(MainForm& f) {
    return named<QAbstractButton>(f, "LaunchButton");
}
QComboBox* comboBox(MainForm& f, const char* name) {
    return named<QComboBox>(f, name);
}
QAbstractButton* stepButton(MainForm& f, int which) {
    const std::pair<const char*, int> buttons[] = {{"butleft", -1},   {"butRight", -1},
                                                   {"butLeft2", -1},  {"butRight2", -1},
                                                   {"RicoButton", 0}, {"RicoButton", 1}};
    const auto [name, index] = buttons[which];
    return f.findChild<QAbstractButton*>(index < 0 ? QString::fromLatin1(name)
                                                   : QStringLiteral("%1_%2").arg(name).arg(index));
}

// ---- Driving ---------------------------------------------------------------

void clickRow(QAbstractItemView* view, int row) {
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    QApplication::processEvents();
}

void clickRandomRow(QAbstractItemView* view, Random& r) {
    const int rows = view->model()->rowCount();
    if (rows > 0)
        clickRow(view, r.below(rows));
}

struct Box {
    const char* name;
    int count;
};

// Every option box and switch a player clicks, in a fixed order; "Advanced
// options" and "Shortcut creation" change the layout and the launch's tail
// and are set by the settings instead.
constexpr Box kBoxes[] = {{"chkMain", 8},      {"chkKRVOpts", 9},     {"chkGraphics", 5},
                          {"chkEffects", 4},   {"chkSound", 11},      {"chkAltModels", 4},
                          {"ChkModelOpts", 4}, {"chkLaunchPrefs", 3}, {"SkyOpt", 2},
                          {"Smoke", 2},        {"SkillsLevel", 2}};

void clickRandomBoxes(MainForm& f, Random& r) {
    for (const Box& box : kBoxes)
        for (int i = 0; i < box.count; ++i) {
            QAbstractButton* b = button(f, box.name, i);
            if (b && b->isEnabled() && r.oneIn(4) &&
                !(std::string(box.name) == "chkMain" && i == 2)) {
                b->click();
                QApplication::processEvents();
            }
        }
}

Settings randomSettings(Random& r, const std::vector<std::string>& games) {
    Settings s;
    for (bool* flag : {&s.highResPatches,
                       &s.quilspackAltWeapons,
                       &s.modelFx,
                       &s.quilspackWeapons,
                       &s.coreEffects,
                       &s.noForcedModels,
                       &s.grenadeLauncher,
                       &s.developmentMode,
                       &s.disableSound,
                       &s.disableMusic,
                       &s.ricochets,
                       &s.disableMouse,
                       &s.monsterRespawn,
                       &s.noSameTypeInfighting,
                       &s.noLostSoulInfighting,
                       &s.rememberLastMap,
                       &s.rememberLastSavegame,
                       &s.braskenQuilsModels,
                       &s.braskenPistolZombies,
                       &s.highResTextures,
                       &s.noMonsters,
                       &s.verbose,
                       &s.skyboxes,
                       &s.gunSmoke,
                       &s.allowHiResRelocation,
                       &s.hiResSoundPack,
                       &s.playlistAuto,
                       &s.forceFmodMidi,
                       &s.ignorePlaylistIfCustomMusic,
                       &s.corpseFade,
                       &s.detailTextures,
                       &s.fastMonsters,
                       &s.basicDoom,
                       &s.scriptedMapsMode,
                       &s.advancedOptions,
                       &s.editMode,
                       &s.light,
                       &s.noObjects,
                       &s.disableJoystick,
                       &s.shortcutCreation,
                       &s.wadFilesOnly,
                       &s.disableTooltips,
                       &s.dynamicLighting,
                       &s.extraFx,
                       &s.playlistManual,
                       &s.selectionMemory,
                       &s.splashEffects,
                       &s.sound3d})
        if (r.oneIn(3))
            *flag = !*flag;
    s.tipOfTheDay = false;
    s.launchMode = 0;
    s.skill = r.below(6);
    s.lastSkill = r.below(6);
    s.textureScaling = r.below(5);
    s.skyboxKind = r.below(2);
    s.smokeKind = r.below(2);
    s.corpseFadeSeconds = r.below(10);
    s.ricochetValue = 1 + r.below(9);
    s.grenadeTimer = r.below(8);
    s.selButtonMode = 1 + r.below(2);
    s.gamesListView = r.below(3);
    if (!games.empty() && r.oneIn(2))
        s.lastGamesListEntry =
            games[static_cast<std::size_t>(r.below(static_cast<int>(games.size())))];
    const char* titles[] = {"", "Doom II", "Doom/Ultimate Doom", "TNT - Final Doom"};
    s.lastCommercialTitle = titles[r.below(4)];
    s.customCommandLine = r.oneIn(3) ? "-nomonsters" : "";
    return s;
}

std::string fileText(const fs::path& path) {
    std::string text;
    for (const std::string& line : readTextLines(path.string()).lines)
        text += line + "|";
    return text;
}

void sample(const fs::path& templateRoot, unsigned seed) {
    test::TempDir dir;
    const fs::path root = dir.path() / "root";
    fs::copy(templateRoot, root, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    Random r{seed * 2654435761u};
    std::vector<std::string> games;
    for (const auto& entry : fs::directory_iterator(root / "KRVGames"))
        games.push_back(entry.path().filename().string());
    std::sort(games.begin(), games.end());
    const Settings stored = randomSettings(r, games);
    std::vector<std::string> lines = settingsLines(stored, false);
    writeTextLines((root / "KRVLaunch/config.krv").string(), lines);

    AppState state;
    state.paths = InstallPaths::fromRoot(root.string());
    state.startup.windowCaption = windowCaptionFor(state.startup);
    ScriptedPlatform platform;
    EntryRoutine entry{state, platform};
    auto form = std::make_unique<MainForm>(state, platform, entry);
    form->iwadForm().setEnvironment(test::emptyEnvironment());
    MainForm& f = *form;
    f.load();
    f.show();
    f.buildOptionPages(); // the sampler ticks options in either layout
    f.buildAdvancedControls();
    QApplication::processEvents();

    std::ostringstream out;
    out << "seed " << seed << "\n";
    button(f, "OptionUdir", r.below(3))->click();
    QApplication::processEvents();
    clickRandomRow(gamesList(f), r);
    if (r.oneIn(2))
        clickRandomRow(filesList(f), r);
    clickRandomBoxes(f, r);
    for (int step = r.below(4); step > 0; --step) {
        stepButton(f, r.below(6))->click();
        QApplication::processEvents();
    }
    for (const char* name : {"cbScaler", "cbChannels"})
        if (QComboBox* box = comboBox(f, name); box && box->isEnabled() && r.oneIn(3)) {
            // The player's choice of an entry.
            box->setCurrentIndex(r.below(box->count()));
            emit box->activated(box->currentIndex());
        }
    if (r.oneIn(2))
        clickRandomRow(mapList(f), r);
    else
        clickRandomRow(saveGameList(f), r);
    if (r.oneIn(3)) {
        // The player's typing.
        const QString typed = r.oneIn(2) ? "-warp 1 -nosound" : "+set x \"1 2\"";
        customText(f)->setText(typed);
        emit customText(f)->textEdited(typed);
    }
    QApplication::processEvents();
    out << "preview " << previewLine(f)->text().toStdString() << "\n";
    const std::size_t shownBefore = platform.messages.size();
    launchButton(f)->click();
    QApplication::processEvents();
    out << "launch.log " << fileText(root / "KRVLaunch/launch.log") << "\n";
    for (const auto& start : platform.starts)
        out << "start " << start.commandLine << " @ " << fs::path(start.workingFolder).filename()
            << "\n";
    for (const auto& link : platform.shortcuts)
        out << "shortcut " << fs::path(link.file).filename() << " " << link.arguments << "\n";
    for (std::size_t i = 0; i < platform.messages.size(); ++i)
        out << (i < shownBefore ? "message " : "launch message ") << platform.messages[i].title
            << " / " << platform.messages[i].text << "\n";
    form->close();
    QApplication::processEvents();
    form.reset();
    std::string config = fileText(root / "KRVLaunch/config.krv");
    out << "config " << config << "\n";
    // The temporary root's place differs from run to run.
    std::string text = out.str();
    const std::string place = root.string();
    for (std::size_t at = text.find(place); at != std::string::npos; at = text.find(place, at))
        text.replace(at, place.size(), "ROOT");
    std::cout << text << std::flush;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s TEMPLATE_ROOT FIRST_SEED COUNT\n", argv[0]);
        return 2;
    }
    const unsigned first = static_cast<unsigned>(std::stoul(argv[2]));
    const unsigned count = static_cast<unsigned>(std::stoul(argv[3]));
    for (unsigned seed = first; seed < first + count; ++seed)
        sample(argv[1], seed);
    return 0;
}

#pragma once
// A main window over a temporary installation root, with the scripted
// platform answering and no IWAD search outside the root.

#include "launcher/mainwindow/main_form.h"
#include "launcher/music/music_controls.h"
#include "launcher/options/option_controls.h"
#include "launcher/platform/scripted_platform.h"
#include "named_controls.h"
#include "support/fake_environment.h"
#include "support/install_root.h"

#include <QAbstractItemView>

#include <memory>

using namespace krv;
using krv::test::InstallRoot;
using krv::test::named;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

struct Window {
    InstallRoot root;
    AppState state;
    ScriptedPlatform platform;
    EntryRoutine entry{state, platform};
    std::unique_ptr<MainForm> form;

    explicit Window(bool wine = false) {
        state.paths = InstallPaths::fromRoot(root.root());
        state.startup.wineMode = wine;
        state.startup.windowCaption = windowCaptionFor(state.startup);
    }
    // The window before its load, for tests that watch the load.
    MainForm& create() {
        form = std::make_unique<MainForm>(state, platform, entry);
        form->iwadForm().setEnvironment(krv::test::emptyEnvironment());
        return *form;
    }
    // The tests look at the option pages' controls in either layout; the
    // launcher builds them when the advanced layout first shows them.
    void load() {
        if (!form)
            create();
        form->load();
        form->show();
        form->buildOptionPages();
    }
    std::vector<std::string> config() const { return krv::readTextLines(root.configFile()).lines; }
};

// The texts a list shows, in order.
[[maybe_unused]] std::vector<std::string> entries(const QAbstractItemView* list) {
    return krv::test::rowTexts(list);
}

// The window's size in a layout of `heightTwips`: its size in twips, or
// what its controls need at the font in use where that is more.
[[maybe_unused]] QSize layoutSize(const MainForm& form, int heightTwips) {
    return QSize(9696 / 15, heightTwips / 15).expandedTo(form.minimumSizeHint());
}

[[maybe_unused]] std::string configText(const Settings& s, bool wine = false) {
    std::string text;
    for (const auto& line : settingsLines(s, wine))
        text += line + "\r\n";
    return text;
}

} // namespace

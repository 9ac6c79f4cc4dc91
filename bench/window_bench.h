#pragma once
// What the benchmarks of the main window share: a window over a generated
// installation root in the installed games view, offscreen, with the
// scripted platform and the real inspection tool, and a stopwatch. The
// benchmarks measure a selection as the player makes it, through the
// library, inspect, options and launch panels together, so they keep the
// whole window and reach the controls through its panels.

#include "launcher/mainwindow/main_form.h"
#include "launcher/platform/scripted_platform.h"
#include "support/install_root.h"

#include <chrono>
#include <string>

namespace krv::bench {

template <typename Run> double millis(Run run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Create it after the root's library is written, then call `form.load()`.
struct BenchWindow {
    BenchWindow(const krv::test::InstallRoot& root, EnvironmentLookup env)
        : state(installedGamesState(root)) {
        form.iwadForm().setEnvironment(std::move(env));
    }

    AppState state;
    ScriptedPlatform platform;
    EntryRoutine entry{state, platform};
    MainForm form{state, platform, entry};

private:
    // Writes settings that open the installed games view.
    static AppState installedGamesState(const krv::test::InstallRoot& root) {
        Settings s;
        s.gamesListView = kInstalledGamesView;
        std::string config;
        for (const auto& line : settingsLines(s, false))
            config += line + "\r\n";
        krv::test::writeFile(root.configFile(), config);
        AppState state;
        state.paths = InstallPaths::fromRoot(root.root());
        state.startup.windowCaption = windowCaptionFor(state.startup);
        return state;
    }
};

} // namespace krv::bench

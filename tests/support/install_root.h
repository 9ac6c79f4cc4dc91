#pragma once
// A temporary installation root laid out as the launcher expects it: the
// stand-in engine as Bin/Korvath.exe, the modules the start-up check wants,
// and the launcher's folders.

#include "support/temp_dir.h"

#include <string>

namespace krv::test {

class InstallRoot {
public:
    InstallRoot();

    std::string root() const { return dir_.path().string(); }
    std::filesystem::path operator/(std::string_view rel) const { return dir_ / rel; }
    // The launcher executable path the entry routine derives the root from.
    std::string launcherExe() const { return (dir_ / "Bin/KRVLauncher.exe").string(); }
    std::string configFile() const { return (dir_ / "KRVLaunch/config.krv").string(); }
    // Replaces the placeholder modules with the built inspection tool, its
    // compressed-file module and the extraction module, for tests that run
    // them.
    void installTools() const;

private:
    TempDir dir_;
};

// The stand-in engine script of the demo.
std::string standInEngineScript();

} // namespace krv::test

#pragma once
// The demo installation's games library: installed games of both kinds (one
// with several wads, one with saved games and map titles), saved games of a
// Doom game and a zip library, so that a person can click through every view
// and the tests can load the window over what the demo shows.

#include <filesystem>

namespace krv::test {

void writeDemoLibrary(const std::filesystem::path& root);

} // namespace krv::test

#pragma once
// A temporary installation root for the playlist tests, with helpers to put
// music packs and IWADs in place and to read playlists back.

#include "launcher/music/playlist_actions.h"

#include "common/text_file.h"
#include "support/install_root.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace krv::test {

struct Installation {
    InstallRoot root;
    InstallPaths paths = InstallPaths::fromRoot(root.root());
    IwadRegistry iwads;

    std::filesystem::path music(std::string_view file) const {
        return root / "KRVLaunch/Music" / file;
    }
    std::vector<std::string> playlist(std::string_view name) const {
        return splitLines(readFile(music(std::string(name) + ".krm")));
    }
    // An artist folder of a music pack with some of its music files.
    void artist(std::string_view name, const std::vector<std::string>& oggs = {}) const {
        std::filesystem::create_directories(root / "OggVorbis" / name);
        for (const std::string& ogg : oggs)
            writeFile(root / "OggVorbis" / name / (ogg + ".ogg"), "ogg");
    }
    void registerIwad(IwadKind kind, const char* file) {
        writeFile(root / "Iwads" / file, "iwad");
        iwads.paths[static_cast<int>(kind)] = (root / "Iwads" / file).string();
    }
    // Writes the lines as the playlist "Test" and opens it.
    OpenedPlaylist open(const std::vector<std::string>& lines,
                        PlaylistType previous = PlaylistType::Doom2) {
        EXPECT_EQ(writePlaylist(paths, "Test", lines), IoStatus::Ok);
        return openPlaylist(paths, "test", previous);
    }
};

} // namespace krv::test

#pragma once
// The command-line preview: a composer run that asks the world what a launch
// would ask, but shows nothing to the user, so the line can follow every
// change of the selection and the options.

#include "launcher/launch/compose_environment.h"

namespace krv {

// Forwards the disk and the launcher's look-ups to `inner`, whose answers
// must not change anything; holds back the messages and the IWAD dialog.
class PreviewEnvironment : public ComposeEnvironment {
public:
    explicit PreviewEnvironment(ComposeEnvironment& inner) : inner_(inner) {}

    bool fileExists(const std::string& path) override { return inner_.fileExists(path); }
    bool folderExists(const std::string& path) override { return inner_.folderExists(path); }
    std::optional<FileTime> fileTime(const std::string& path) override {
        return inner_.fileTime(path);
    }
    std::optional<std::string> firstLine(const std::string& path) override {
        return inner_.firstLine(path);
    }
    bool engineFindsIwad(const std::string& iwadPath) override {
        return inner_.engineFindsIwad(iwadPath);
    }
    TexturePathCheck checkTexturePath() override { return inner_.checkTexturePath(); }
    ScriptedMapStatus scriptedMapStatus(const std::string& gameName) override {
        return inner_.scriptedMapStatus(gameName);
    }
    WarpTarget updateWarpTarget() override { return inner_.updateWarpTarget(); }
    AutoPlaylist chooseAutoPlaylist(const std::string& iwadPath) override {
        return inner_.chooseAutoPlaylist(iwadPath);
    }
    void showMessage(const ComposeMessage&) override {}
    void showIwadDialog() override {}

private:
    ComposeEnvironment& inner_;
};

// What the preview shows after a dry run: the line the launch would write
// to "launch.log", or the title of the message that ended the composition.
std::string previewText(const ComposeResult& result);

} // namespace krv

// Renders the IWAD dialog without and with IWADs to PNG files, for looking
// at its layout: iwad_form_screenshots OUTPUT_FOLDER [DPI]. A DPI other than
// 96 enlarges the fonts by DPI/96, as a desktop set to that many dots per
// inch does while the window layout stays in 96-dpi pixels.
#include "launcher/inspect/iwad_form.h"
#include "launcher/platform/scripted_platform.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

using namespace krv;

namespace {

struct NoHost : IwadFormHost {
    bool showsDoomGamesView() const override { return false; }
    void refillDoomGamesView() override {}
    void clearDoomGamesView() override {}
    void iwadsAccepted() override {}
    void shutdown() override {}
};

bool render(const std::string& root, const std::string& file) {
    IwadRegistry iwads;
    const InstallPaths paths = InstallPaths::fromRoot(root);
    const Settings settings;
    const FontSetting font;
    ScriptedPlatform platform;
    NoHost host;
    IwadForm form(iwads, paths, settings, font, platform, host);
    form.setEnvironment([](const std::string&) { return std::nullopt; });
    form.DetectIwads();
    form.show();
    QApplication::processEvents();
    const bool saved = form.grab().save(QString::fromStdString(file));
    std::printf("%s: %dx%d\n", file.c_str(), form.width(), form.height());
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string out = argv[1];
    const int dpi = argc > 2 ? std::atoi(argv[2]) : 96;
    if (dpi < 48 || dpi > 384) {
        std::fprintf(stderr, "DPI out of range: %d\n", dpi);
        return 2;
    }
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * dpi / 96.0);
    QApplication::setFont(font);
    const std::string suffix = "-" + std::to_string(dpi);

    krv::test::TempDir dir;
    const std::string root = (dir / "Games/Korvath").string();
    std::filesystem::create_directories(root + "/KRVLaunch/Data");
    bool ok = render(root, out + "/iwad_form_empty" + suffix + ".png");

    krv::test::writeFile(root + "/Doom2.wad", "x");
    krv::test::writeFile(root + "/Iwads/Plutonia.wad", "x");
    krv::test::writeFile(root + "/Data/Doom.wad", "x");
    const std::string deep =
        (dir / "home/player/Games/Commercial/id Software/Final Doom/Team TNT/Evilution").string();
    krv::test::writeFile(deep + "/Tnt.wad", "x");
    krv::test::writeFile(root + "/KRVLaunch/Data/iwads.cfg", deep + "/Tnt.wad\r\n");
    ok = render(root, out + "/iwad_form_iwads" + suffix + ".png") && ok;
    return ok ? 0 : 1;
}

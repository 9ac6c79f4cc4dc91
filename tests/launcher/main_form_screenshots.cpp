// Renders the main window to PNG files, for looking at its layout: the
// default layout and every tab of the advanced one. Usage:
// main_form_screenshots OUTPUT_FOLDER [DPI]. The DPI is the screen's logical
// density, as a desktop set to larger fonts gives it.
#include "launcher/mainwindow/main_form.h"
#include "launcher/platform/scripted_platform.h"
#include "support/install_root.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>

using namespace krv;
namespace fs = std::filesystem;

namespace {

void writeSettings(const std::string& root, bool advanced) {
    Settings s;
    s.advancedOptions = advanced;
    s.shortcutCreation = true;
    std::string text;
    for (const auto& line : settingsLines(s, false))
        text += line + "\r\n";
    krv::test::writeFile(root + "/KRVLaunch/config.krv", text);
}

bool render(MainForm& form, const std::string& file) {
    QApplication::processEvents();
    const bool saved = form.grab().save(QString::fromStdString(file));
    std::printf("%s: %dx%d\n", file.c_str(), form.width(), form.height());
    return saved;
}

bool renderLayout(const std::string& root, bool advanced, const std::string& out) {
    writeSettings(root, advanced);
    AppState state;
    state.paths = InstallPaths::fromRoot(root);
    state.startup.windowCaption = windowCaptionFor(state.startup);
    ScriptedPlatform platform;
    EntryRoutine entry(state, platform);
    MainForm form(state, platform, entry);
    form.iwadForm().setEnvironment([](const std::string&) { return std::nullopt; });
    form.load();
    form.show();
    if (!advanced)
        return render(form, out + "-default.png");
    bool ok = true;
    const char* tabs[] = {"games", "options", "graphics", "sound", "models"};
    for (int tab = 0; tab < 5; ++tab) {
        form.findChild<QAbstractButton*>(QStringLiteral("OptionTabs_%1").arg(tab))->click();
        ok = render(form, out + "-advanced-" + tabs[tab] + ".png") && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    const int dpi = argc > 2 ? std::atoi(argv[2]) : 96;
    if (argc < 2 || dpi < 48 || dpi > 384) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [DPI from 48 to 384]\n", argv[0]);
        return 2;
    }
    // The offscreen screen takes its density from a configuration file.
    krv::test::TempDir config;
    const std::string screen = (config / "screen.json").string();
    krv::test::writeFile(screen, "{\"screens\": [{\"name\": \"screen\", \"x\": 0, \"y\": 0, "
                                 "\"width\": 1920, \"height\": 1080, \"logicalDpi\": " +
                                     std::to_string(dpi) +
                                     ", \"logicalBaseDpi\": 96, \"dpr\": 1}]}");
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + screen.c_str());
    QApplication app(argc, argv);

    krv::test::InstallRoot root;
    for (const char* iwad : {"Doom.wad", "Doom2.wad", "Tnt.wad"})
        krv::test::writeFile((root / "Iwads" / iwad).string(), "IWAD");
    fs::create_directories(root / "KRVLaunch/Themes");
    fs::copy_file(KRV_DEMO_THEMES "/default.jpg", root / "KRVLaunch/Themes/default.jpg");
    const std::string out = std::string(argv[1]) + "/main_form-" + std::to_string(dpi);
    bool ok = renderLayout(root.root(), false, out);
    ok = renderLayout(root.root(), true, out) && ok;
    return ok ? 0 : 1;
}

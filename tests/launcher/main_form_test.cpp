#include "main_form_fixture.h"

#include "launcher/options/options_panel.h"
#include "launcher/ui/launcher_font.h"
#include "launcher/ui/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

std::string settingsWithPosition(int top, int left) {
    Settings s;
    s.windowTop = top;
    s.windowLeft = left;
    return configText(s);
}

} // namespace

TEST(MainForm, LoadsWithItsCaptionSizeAndStoredPosition) {
    Window w;
    writeFile(w.root.configFile(), settingsWithPosition(1500, 3000));
    w.load();
    EXPECT_EQ(w.form->windowTitle(), "KRVLauncher v9.1  and  Korvath v2.2");
    EXPECT_EQ(w.form->size(), layoutSize(*w.form, 6900)); // the default layout
    EXPECT_EQ(w.form->pos(), QPoint(200, 100));
    EXPECT_TRUE(fs::is_directory(w.root / "KRVGames"));
    EXPECT_TRUE(fs::is_directory(w.root / "KRVLaunch/GameInfo"));
    EXPECT_TRUE(named<QRadioButton>(*w.form, "ExitOption", 1)->isChecked()); // launch mode default
    EXPECT_TRUE(w.platform.messages.empty());
}

// Centred at the size the window ends its load with, which its controls may
// make taller than its size in twips.
TEST(MainForm, APositionOffTheScreenOrNoneStoredIsCentredAtTheRealSize) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const bool stored : {true, false}) {
        Window w;
        if (stored)
            writeFile(w.root.configFile(),
                      settingsWithPosition(0, pixelsToTwips(screen.width()) + 3000));
        w.load();
        EXPECT_EQ(w.form->pos(), QPoint((screen.width() - w.form->width()) / 2,
                                        (screen.height() - w.form->height()) / 2))
            << stored;
    }
}

TEST(MainForm, UnloadStoresThePositionAndWritesTheSettings) {
    Window w;
    w.load();
    w.form->move(300, 120);
    named<QRadioButton>(*w.form, "ExitOption", 2)->click();
    writeFile(w.root / "KRVLaunch/Data/pwad.krv", "MAP01\r\n");
    w.form->close();
    const auto lines = w.config();
    ASSERT_EQ(lines.size(), 83u);
    EXPECT_EQ(lines[52], "2"); // launch mode "Exit"
    EXPECT_EQ(lines[81], std::to_string(120 * 15));
    EXPECT_EQ(lines[82], std::to_string(300 * 15));
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/Data/pwad.krv"));
    EXPECT_TRUE(w.platform.starts.empty());
}

TEST(MainForm, AMinimisedWindowKeepsThePositionStoredBefore) {
    Window w;
    writeFile(w.root.configFile(), settingsWithPosition(1500, 3000));
    w.load();
    w.form->showMinimized();
    w.form->close();
    EXPECT_EQ(w.config().at(81), "1500");
    EXPECT_EQ(w.config().at(82), "3000");
}

TEST(MainForm, WineModeNeitherRestoresNorStoresThePosition) {
    Window w(true);
    writeFile(w.root.configFile(), settingsWithPosition(1500, 3000));
    w.load();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w.form->pos(), QPoint((screen.width() - w.form->width()) / 2,
                                    (screen.height() - w.form->height()) / 2));
    EXPECT_TRUE(named(*w.form, "WineImage")->isVisible());
    w.form->close();
    EXPECT_EQ(w.config().size(), 81u);
}

TEST(MainForm, ReportsAResetOnceAndWritesTheNewSettings) {
    for (const bool corrupt : {false, true}) {
        Window w;
        w.state.startup.settingsReset = true;
        w.state.startup.settingsCorrupt = corrupt;
        w.load();
        ASSERT_EQ(w.platform.messages.size(), 1u);
        const auto& m = w.platform.messages[0];
        EXPECT_EQ(m.title, " Version update v9.1");
        EXPECT_EQ(m.style, msg::kSystemModal);
        EXPECT_EQ(m.text, std::string(corrupt ? "Corrupt config file detected required"
                                              : "The latest version upgrade required") +
                              " the launcher configurations to     \r\n"
                              " be reset to the default settings, please reconfigure your "
                              "settings. ");
        EXPECT_FALSE(w.state.startup.settingsReset);
        EXPECT_FALSE(w.state.startup.settingsCorrupt);
    }
}

TEST(MainForm, DoesNotWriteSettingsWhileTheResetFlagIsSet) {
    Window w;
    w.load();
    w.state.startup.settingsReset = true;
    w.form->close();
    EXPECT_FALSE(fs::exists(w.root.configFile()));
}

TEST(MainForm, ARequestedRestartStartsANewCopyAtUnload) {
    Window w;
    w.load();
    w.state.startup.restartRequested = true;
    w.form->close();
    ASSERT_EQ(w.platform.starts.size(), 1u);
    EXPECT_EQ(w.platform.starts[0].commandLine,
              "\"" + w.root.root() + "/bin/KRVlauncher.exe\" /RESTART");
    EXPECT_TRUE(fs::exists(w.root.configFile()));
}

TEST(MainForm, AWordInANumberLineRestartsOnDefaults) {
    Window w;
    writeFile(w.root.configFile(), "v9.1\r\nyes\r\n");
    EXPECT_THROW(w.load(), ProcessEnded);
    EXPECT_FALSE(fs::exists(w.root.configFile()));
    ASSERT_EQ(w.platform.messages.size(), 1u);
    EXPECT_EQ(w.platform.messages[0].title, " Configuration error detected");
    ASSERT_EQ(w.platform.starts.size(), 1u);
}

namespace {

// Where a control of the window is smaller than its caption needs, or sticks
// out of the frame or page that holds it.
std::vector<std::string> clippedControls(QWidget* page) {
    std::vector<std::string> clipped;
    for (QWidget* control : page->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(page))
            continue;
        const QString name = control->objectName().isEmpty() ? control->property("text").toString()
                                                             : control->objectName();
        const bool button =
            qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control);
        const QSize hint = control->sizeHint();
        if (button && (control->width() < hint.width() || control->height() < hint.height()))
            clipped.push_back("cut: " + name.toStdString());
        QWidget* holder = control->parentWidget();
        const bool framed = qobject_cast<QGroupBox*>(holder) || holder == page;
        if (framed && !holder->rect().contains(control->geometry()))
            clipped.push_back("outside its frame: " + name.toStdString());
    }
    return clipped;
}

// The option page the tab strip shows; null while the Games page shows.
QWidget* shownOptionPage(const MainForm& form) {
    for (OptionsPanel* page : form.findChildren<OptionsPanel*>())
        if (page->isVisible())
            return page;
    return nullptr;
}

} // namespace

TEST(MainForm, EveryOptionTabFitsItsCaptionsAtTheChooserFonts) {
    // The default font, a bold one and the largest size the chooser offers.
    for (const char* line : {"", "Tahoma,9,b", "Verdana,10,b"}) {
        SCOPED_TRACE(line);
        Window w;
        Settings s;
        s.advancedOptions = true;
        writeFile(w.root.configFile(), configText(s));
        if (*line)
            w.state.font = parseFontLine(std::string(line));
        w.load();
        MainForm& f = *w.form;
        for (int tab = 1; tab < 5; ++tab) {
            named<QPushButton>(f, "OptionTabs", tab)->click();
            QApplication::processEvents();
            QWidget* page = shownOptionPage(f);
            ASSERT_NE(page, nullptr) << tab;
            EXPECT_EQ(clippedControls(page), std::vector<std::string>()) << tab;
            EXPECT_TRUE(f.rect().contains(QRect(page->mapTo(&f, QPoint()), page->size()))) << tab;
        }
        EXPECT_EQ(named(f, "TitlePic")->height(), 900 / 15);
        EXPECT_GE(f.width(), 9696 / 15);
        EXPECT_GE(f.height(), 7710 / 15);
    }
}

#include "launcher/inspect/iwad_form.h"
#include "launcher/platform/scripted_platform.h"
#include "launcher/startup/entry_routine.h"
#include "support/fake_environment.h"
#include "support/install_root.h"
#include "support/wad_builder.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace krv;
using krv::test::InstallRoot;
using krv::test::readFile;
using krv::test::TempDir;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

// The main window as the dialog sees it; records what it was asked.
struct Host : IwadFormHost {
    EntryRoutine* entry = nullptr;
    bool doomView = true;
    std::vector<std::string> calls;

    bool showsDoomGamesView() const override { return doomView; }
    void refillDoomGamesView() override { calls.push_back("refill"); }
    void clearDoomGamesView() override { calls.push_back("clear"); }
    void iwadsAccepted() override { calls.push_back("accepted"); }
    void shutdown() override {
        calls.push_back("shutdown");
        entry->shutdown(0);
    }
};

using Lines = std::vector<std::string>;

struct Dialog {
    InstallRoot root;
    TempDir elsewhere;
    AppState state;
    ScriptedPlatform platform;
    EntryRoutine entry{state, platform};
    Host host;
    std::unique_ptr<IwadForm> form;

    Dialog() {
        state.paths = InstallPaths::fromRoot(root.root());
        host.entry = &entry;
    }
    ~Dialog() {
        if (form)
            form->hide();
    }
    std::string put(const std::string& folder, const std::string& name) {
        const std::string path = folder + "/" + name;
        writeFile(path, "stand-in");
        return path;
    }
    std::string other(const std::string& name) { return put(elsewhere.path().string(), name); }
    std::string inRoot(const std::string& name) { return put(root.root(), name); }
    std::string cfg() const { return state.paths.dataFolder + "iwads.cfg"; }

    // The main window's load: the dialog made, IWADs detected.
    void load() {
        form = std::make_unique<IwadForm>(state.iwads, state.paths, state.session.settings,
                                          state.font, platform, host);
        form->setEnvironment(krv::test::emptyEnvironment());
        form->DetectIwads();
        form->ensureBuilt();
    }
    void add(std::optional<std::string> answer) {
        platform.openFileAnswers.push_back(std::move(answer));
        form->butAddIwad->click();
    }
    Lines slotTexts() const {
        Lines texts;
        for (QLabel* label : form->ShowIwads)
            texts.push_back(label->text().toStdString());
        return texts;
    }
    bool warningShown() const {
        bool labelsHidden = true;
        for (QLabel* label : form->ShowIwads)
            labelsHidden = labelsHidden && label->isHidden();
        EXPECT_EQ(labelsHidden, !form->IwadsWarning->isHidden()) << "slots and warning overlap";
        return !form->IwadsWarning->isHidden();
    }
};

} // namespace

TEST(IwadForm, WithoutIwadsShowsTheWarning) {
    Dialog d;
    d.load();
    EXPECT_EQ(d.form->windowTitle(), "Iwad Locations");
    EXPECT_EQ(d.form->butSearchIwad->text(), "Search");
    EXPECT_EQ(d.form->butReset->text(), "Reset");
    EXPECT_EQ(d.form->butAddIwad->text(), "Add Iwad");
    EXPECT_EQ(d.form->butOK->text(), "OK");
    EXPECT_TRUE(d.warningShown());
    EXPECT_EQ(d.form->Warning[0]->text(), "IMPORTANT:");
    EXPECT_EQ(d.form->Warning[1]->text(),
              "No Iwad locations were detected, read the launcher docs for ");
    EXPECT_EQ(d.form->Warning[2]->text(),
              "a list of compliant locations. Alternatively you can add your own");
    EXPECT_EQ(d.form->Warning[3]->text(),
              "user defined locations by using the 'Add Iwad' button below.");
    EXPECT_TRUE(d.form->butAddIwad->isEnabled());
    EXPECT_TRUE(d.form->butSearchIwad->isEnabled());
}

TEST(IwadForm, WithIwadsShowsTheSlotsAndDisablesAddWhenSlotThreeIsFilled) {
    Dialog d;
    const std::string doom2 = d.inRoot("Doom2.wad");
    const std::string tnt = d.inRoot("Tnt.wad");
    d.load();
    EXPECT_FALSE(d.warningShown());
    EXPECT_EQ(d.slotTexts(), (Lines{doom2, tnt, "", ""}));
    EXPECT_TRUE(d.form->butAddIwad->isEnabled());

    Dialog full;
    for (const char* name : {"Doom1.wad", "Doom.wad", "Doom2.wad", "Tnt.wad", "Plutonia.wad"})
        full.inRoot(name);
    full.load();
    EXPECT_EQ(full.slotTexts()[3], full.root.root() + "/Plutonia.wad");
    EXPECT_FALSE(full.form->butAddIwad->isEnabled());
}

TEST(IwadForm, AddRejectsOtherNamesWithoutSaving) {
    Dialog d;
    d.load();
    d.add(d.other("MyDoom.wad"));

    ASSERT_EQ(d.platform.openFileRequests.size(), 1u);
    EXPECT_EQ(d.platform.openFileRequests[0].title, "Add an IWAD");
    EXPECT_EQ(d.platform.openFileRequests[0].filter, "WAD Files (*.wad)");
    EXPECT_EQ(d.platform.openFileRequests[0].initialFolder, d.root.root());
    ASSERT_EQ(d.platform.messages.size(), 1u);
    EXPECT_EQ(d.platform.messages[0].text, "This does not appear to be a correct Doom Iwad.   ");
    EXPECT_EQ(d.platform.messages[0].style, 64);
    EXPECT_EQ(d.platform.messages[0].title.substr(0, 1), " ");
    EXPECT_EQ(d.slotTexts(), (Lines{"", "", "", ""}));
    EXPECT_EQ(d.state.iwads.slotPaths[0], "");
    EXPECT_FALSE(fs::exists(d.cfg()));
    EXPECT_TRUE(d.host.calls.empty());
    EXPECT_TRUE(d.form->butSearchIwad->isEnabled());
    EXPECT_TRUE(d.warningShown()); // nothing was added, so the warning stays
}

TEST(IwadForm, AddingASecondDoom2ShowsBothAndRegistersTheNewer) {
    Dialog d;
    const std::string first = d.inRoot("Doom2.wad");
    d.load();
    const std::string second = d.other("DOOM2.WAD");
    d.add(second);

    EXPECT_TRUE(d.platform.messages.empty());
    EXPECT_EQ(d.slotTexts(), (Lines{first, second, "", ""}));
    EXPECT_EQ(d.state.iwads.path(IwadKind::Doom2), second);
    EXPECT_EQ(readFile(d.cfg()), first + "\r\n" + second + "\r\n\r\n\r\n");
    EXPECT_FALSE(d.form->butSearchIwad->isEnabled());
    EXPECT_EQ(d.host.calls, (Lines{"refill"}));

    // The next Add opens where the last file was picked.
    d.add(std::nullopt);
    EXPECT_EQ(d.platform.openFileRequests[1].initialFolder, d.elsewhere.path().string());
}

TEST(IwadForm, AddOnAnEmptyListHidesTheWarningAndCancelStillSaves) {
    Dialog d;
    d.host.doomView = false;
    d.load();
    d.add(std::nullopt);
    EXPECT_EQ(readFile(d.cfg()), "\r\n\r\n\r\n\r\n");
    EXPECT_TRUE(d.warningShown());
    EXPECT_TRUE(d.form->butSearchIwad->isEnabled());

    const std::string doom = d.other("Doom.wad");
    d.add(doom);
    EXPECT_FALSE(d.warningShown());
    EXPECT_EQ(d.slotTexts()[0], doom);
    EXPECT_TRUE(d.host.calls.empty()); // the games list shows another view
}

TEST(IwadForm, AddFillsSlotsInOrderUntilSlotThreeDisablesIt) {
    Dialog d;
    d.load();
    const Lines names{"Doom.wad", "Doom2.wad", "Tnt.wad", "plutonia.WAD"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(d.form->butAddIwad->isEnabled()) << i;
        d.add(d.other(names[i]));
    }
    EXPECT_FALSE(d.form->butAddIwad->isEnabled());
    EXPECT_EQ(d.slotTexts()[3], d.elsewhere.path().string() + "/plutonia.WAD");
    EXPECT_EQ(krv::readTextLines(d.cfg()).lines.size(), 4u);
}

TEST(IwadForm, SearchRunsOnceUntilReset) {
    Dialog d;
    const std::string tnt = d.inRoot("Tnt.wad");
    const std::string user = d.other("Doom.wad");
    writeFile(d.cfg(), user + "\r\n");
    d.load();
    ASSERT_EQ(d.slotTexts(), (Lines{tnt, user, "", ""}));

    d.form->butSearchIwad->click();
    EXPECT_FALSE(fs::exists(d.cfg()));
    EXPECT_EQ(d.slotTexts(), (Lines{tnt, "", "", ""}));
    EXPECT_FALSE(d.state.iwads.isRegistered(IwadKind::Doom)); // the user's file is forgotten
    EXPECT_FALSE(d.form->butSearchIwad->isEnabled());
    EXPECT_TRUE(d.form->butAddIwad->isEnabled());
    EXPECT_EQ(d.host.calls, (Lines{"refill"}));

    d.form->butReset->click();
    EXPECT_EQ(d.slotTexts(), (Lines{"", "", "", ""}));
    EXPECT_FALSE(d.state.iwads.isRegistered(IwadKind::Tnt));
    EXPECT_TRUE(d.form->butSearchIwad->isEnabled());
    EXPECT_FALSE(d.warningShown());
    EXPECT_EQ(d.host.calls, (Lines{"refill", "clear"}));
}

TEST(IwadForm, SearchShowsTheWarningOrTheSlotsAsFound) {
    Dialog d;
    d.load();
    d.form->butSearchIwad->click();
    EXPECT_TRUE(d.warningShown());

    d.form->butReset->click();
    const std::string doom2 = d.put(d.root.root() + "/Iwads", "Doom2.wad");
    d.form->butSearchIwad->click();
    EXPECT_FALSE(d.warningShown());
    EXPECT_EQ(d.slotTexts()[0], doom2);
}

TEST(IwadForm, SearchFindsAStoresIwadAndKeepsTheList) {
    Dialog d;
    d.load();
    const std::string home = (d.elsewhere.path() / "home").string();
    const std::string doom2 = home + "/.local/share/Steam/steamapps/common/Doom 2/base/DOOM2.WAD";
    writeFile(doom2, krv::test::WadBuilder("IWAD").mapLevels(32).build());
    d.form->setEnvironment([home](const std::string& name) -> std::optional<std::string> {
        return name == "HOME" ? std::optional<std::string>(home)
                              : krv::test::emptyEnvironment()(name);
    });
    d.form->butSearchIwad->click();
    EXPECT_EQ(d.slotTexts(), (Lines{doom2, "", "", ""}));
    EXPECT_FALSE(d.warningShown());
    // Kept like a list the user made: the next start reads it from there.
    EXPECT_EQ(readFile(d.cfg()), doom2 + "\r\n\r\n\r\n\r\n");
}

TEST(IwadForm, ResetClearsEverythingAndDeletesTheList) {
    Dialog d;
    d.host.doomView = false;
    for (const char* name : {"Doom.wad", "Doom2.wad", "Tnt.wad", "Plutonia.wad"})
        d.inRoot(name);
    d.load();
    writeFile(d.cfg(), "x\r\n");
    EXPECT_FALSE(d.form->butAddIwad->isEnabled());

    d.form->butReset->click();
    EXPECT_FALSE(fs::exists(d.cfg()));
    EXPECT_TRUE(d.form->butAddIwad->isEnabled());
    for (const auto& info : iwadKinds())
        EXPECT_FALSE(d.state.iwads.isRegistered(info.kind));
    EXPECT_TRUE(d.host.calls.empty()); // another view: nothing to clear
}

TEST(IwadForm, OkWithIwadsHandsBackToTheMainWindow) {
    Dialog d;
    d.inRoot("Doom.wad");
    d.load();
    d.form->show();
    d.form->butOK->click();
    EXPECT_TRUE(d.form->isHidden());
    EXPECT_EQ(d.host.calls, (Lines{"accepted"}));
    EXPECT_TRUE(d.platform.messages.empty());
}

TEST(IwadForm, OkWithoutIwadsAsksAndYesShutsDown) {
    Dialog d;
    d.load();
    d.form->show();
    d.platform.messageAnswers.push_back(msg::kResultNo);
    d.form->butOK->click();
    ASSERT_EQ(d.platform.messages.size(), 1u);
    EXPECT_EQ(d.platform.messages[0].text,
              "The Iwad locations must be set for the Launcher to function.    \r\n"
              "      Do you still wish to exit the KRVLauncher setup?");
    EXPECT_EQ(d.platform.messages[0].style, 36);
    EXPECT_EQ(d.platform.messages[0].title, "Configuration error");
    EXPECT_TRUE(d.form->isVisible());
    EXPECT_TRUE(d.host.calls.empty());

    // Closing the window asks the same question.
    d.form->close();
    EXPECT_EQ(d.platform.messages.size(), 2u);
    EXPECT_TRUE(d.form->isVisible());

    d.platform.messageAnswers.push_back(msg::kResultYes);
    EXPECT_THROW(d.form->butOK->click(), ProcessEnded);
    EXPECT_EQ(d.host.calls, (Lines{"shutdown"}));
    EXPECT_TRUE(d.state.startup.closing);
    EXPECT_TRUE(d.form->isHidden());
}

TEST(IwadForm, ShownModallyAtStartOnlyWithoutIwads) {
    Dialog withIwad;
    withIwad.inRoot("Doom2.wad");
    withIwad.load();
    EXPECT_FALSE(withIwad.form->ShowIfNoIwads());

    Dialog d;
    d.load();
    const std::string doom = d.other("Doom.wad");
    bool wasModal = false;
    QTimer::singleShot(0, d.form.get(), [&] {
        wasModal = d.form->isVisible() && d.form->isModal();
        d.add(doom);
        d.form->butOK->click();
    });
    EXPECT_TRUE(d.form->ShowIfNoIwads());
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(d.form->isHidden());
    EXPECT_EQ(d.host.calls, (Lines{"refill", "accepted"}));
}

TEST(IwadForm, TooltipsUnlessSwitchedOff) {
    Dialog d;
    d.load();
    d.form->show();
    EXPECT_EQ(d.form->butAddIwad->toolTip(),
              "User can add Iwads if a compliant\nIwad location is not detected.");
    EXPECT_EQ(d.form->butReset->toolTip(), "Clears Iwad locations from list.");
    EXPECT_EQ(d.form->butSearchIwad->toolTip(), "Scan for compliant Iwad locations.");
    EXPECT_EQ(d.form->butOK->toolTip(), "Accept changes if any and exit.");
    d.form->hide();

    d.state.session.settings.disableTooltips = true;
    d.form->show();
    for (QPushButton* button :
         {d.form->butAddIwad, d.form->butReset, d.form->butSearchIwad, d.form->butOK})
        EXPECT_TRUE(button->toolTip().isEmpty());
}

TEST(IwadForm, WarningLabelsOpenTheHelpFileWhenItExists) {
    Dialog d;
    d.load();
    d.form->show();
    QTest::mouseClick(d.form->Warning[1], Qt::LeftButton);
    EXPECT_TRUE(d.platform.openedDocuments.empty());

    writeFile(d.root / "krv_docs/HELP/Iwad Location.txt", "help");
    for (QLabel* label : d.form->Warning)
        QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_EQ(d.platform.openedDocuments.size(), 4u);
    EXPECT_EQ(d.platform.openedDocuments[0], d.root.root() + "/krv_docs/HELP/Iwad Location.txt");
}

TEST(IwadForm, AListThatCannotBeSavedIsReported) {
    Dialog d;
    d.load();
    fs::create_directories(d.cfg()); // a folder where the file belongs
    d.add(d.other("Doom2.wad"));
    ASSERT_EQ(d.platform.messages.size(), 1u);
    EXPECT_EQ(d.platform.messages[0].style, msg::kCritical);
    EXPECT_EQ(d.platform.messages[0].title, " Access error");
    EXPECT_EQ(d.state.iwads.slotPaths[0], d.elsewhere.path().string() + "/Doom2.wad");
}

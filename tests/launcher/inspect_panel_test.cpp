// The inspect panel on its own: its lists and skill boxes over a temporary
// installation, the scripted platform answering the tool runs.
#include "launcher/inspect/inspect_panel.h"
#include "panel_rig.h"

#include "common/text_file.h"

#include <QComboBox>
#include <QListWidget>
#include <QWidget>
#include <gtest/gtest.h>

using namespace krv;

namespace {

struct Panel : test::PanelRig {
    QWidget page;
    std::unique_ptr<InspectPanel> panel;

    Panel() {
        platform.hiddenRunner = [](const std::string& line, const std::string&) {
            if (line.find("MAPTITLES") != std::string::npos)
                return HiddenRunResult{true, 0, "MAP02 The Long Hall\r\n"};
            return HiddenRunResult{true, 0,
                                   "PWAD\r\nNUMLEVELS 2\r\nGLNODES 0\r\nMAP01\r\nMAP02\r\n"};
        };
        panel = std::make_unique<InspectPanel>(state, platform, &page, &window);
    }
};

} // namespace

TEST(InspectPanel, ListsTheToolsMapsWithTheirTitlesAndKeepsItsOutputForTheEngine) {
    Panel p;
    p.panel->fillMapList(p.root.root() + "/KRVGames/Hall/Pwads/hall.wad");
    ASSERT_EQ(p.panel->MapList->count(), 2);
    EXPECT_EQ(p.panel->MapList->item(1)->text(), "MAP02");
    EXPECT_EQ(p.panel->MapList->item(1)->data(InspectPanel::kMapTitleRole).toString(),
              "The Long Hall");
    EXPECT_TRUE(p.panel->MapList->item(0)->data(InspectPanel::kMapTitleRole).toString().isEmpty());
    // The check's output, not the titles', is what the engine reads.
    EXPECT_EQ(readTextLines(p.root / "KRVLaunch/Data/pwad.krv").lines.front(), "PWAD");
}

TEST(InspectPanel, TheTwoSkillBoxesFollowEachOther) {
    Panel p;
    // A choice in one box, as the player makes it.
    const auto choose = [](QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    };
    choose(p.panel->SkillsLevel[1], 4);
    EXPECT_EQ(p.panel->SkillsLevel[0]->currentIndex(), 4);
    EXPECT_EQ(p.state.settings.lastSkill, 4);
    choose(p.panel->SkillsLevel[0], 2);
    EXPECT_EQ(p.panel->SkillsLevel[1]->currentIndex(), 2);
}

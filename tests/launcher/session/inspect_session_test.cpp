// The map and savegame lists and the skill boxes on the session model, the
// scripted platform answering the tool runs.
#include "session_rig.h"

#include "common/text_file.h"

#include <gtest/gtest.h>

using namespace krv;

namespace {

struct Rig : test::SessionRig {
    Rig() {
        load();
        platform.hiddenRunner = [](const std::string& line, const std::string&) {
            if (line.find("MAPTITLES") != std::string::npos)
                return HiddenRunResult{true, 0, "MAP02 The Long Hall\r\n"};
            return HiddenRunResult{true, 0,
                                   "PWAD\r\nNUMLEVELS 2\r\nGLNODES 0\r\nMAP01\r\nMAP02\r\n"};
        };
    }
};

} // namespace

TEST(InspectSession, ListsTheToolsMapsWithTheirTitlesAndKeepsItsOutputForTheEngine) {
    Rig r;
    r.s().inspect().fillMapList(r.root.root() + "/KRVGames/Hall/Pwads/hall.wad");
    const ListState& maps = r.state.session.maps;
    ASSERT_EQ(maps.count(), 2);
    EXPECT_EQ(maps.text(1), "MAP02");
    EXPECT_EQ(maps.entries()[1].title, "The Long Hall");
    EXPECT_TRUE(maps.entries()[0].title.empty());
    // The check's output, not the titles', is what the engine reads.
    EXPECT_EQ(readTextLines(r.root / "KRVLaunch/Data/pwad.krv").lines.front(), "PWAD");
}

TEST(InspectSession, TheTwoSkillBoxesFollowEachOther) {
    Rig r;
    Controls& c = r.controls();
    // A choice in one box, as the player makes it.
    c.activate(ids::SkillsLevel[1], 4);
    EXPECT_EQ(c.currentIndex(ids::SkillsLevel[0]), 4);
    EXPECT_EQ(r.state.session.settings.lastSkill, 4);
    c.activate(ids::SkillsLevel[0], 2);
    EXPECT_EQ(c.currentIndex(ids::SkillsLevel[1]), 2);
}

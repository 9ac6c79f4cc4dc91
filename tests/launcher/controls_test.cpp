// The widget-free control and list states behave as the widgets the rules
// were made for: frames, radio groups, the order of reactions, and clicks.
#include "launcher/session/controls.h"
#include "launcher/session/list_state.h"

#include <gtest/gtest.h>

using namespace krv;

namespace {

constexpr ControlId kFrame{"Frame"};
constexpr ControlArray kBox{"Box"};
constexpr ControlArray kRadio{"Radio"};

struct Recorded {
    Controls controls;
    std::vector<std::string> heard;

    Recorded() {
        controls.add(kFrame, ControlKind::Frame);
        controls.add(kBox[0], ControlKind::CheckBox, kFrame);
        for (int i = 0; i < 2; ++i) {
            controls.addRadio(kRadio[i], kFrame, kFrame);
            controls.onToggled(kRadio[i], [this, i](bool on) {
                heard.push_back("radio" + std::to_string(i) + (on ? " on" : " off"));
            });
        }
        controls.onToggled(kBox[0],
                           [this](bool on) { heard.push_back(on ? "toggled on" : "toggled off"); });
        controls.onReleased(kBox[0], [this] { heard.push_back("released"); });
        controls.onClicked(kBox[0],
                           [this](bool on) { heard.push_back(on ? "clicked on" : "clicked off"); });
    }
};

} // namespace

TEST(Controls, AFrameTakesItsControlsAwayAndGivesBackOnlyWhatWasAvailable) {
    Recorded r;
    Controls& c = r.controls;
    c.setEnabled(kBox[0], false);
    c.setEnabled(kFrame, false);
    EXPECT_FALSE(c.isEnabled(kRadio[0]));
    c.setEnabled(kFrame, true);
    EXPECT_TRUE(c.isEnabled(kRadio[0]));
    EXPECT_FALSE(c.isEnabled(kBox[0]));
    // Nothing is visible before the window shows.
    EXPECT_FALSE(c.isVisible(kBox[0]));
    c.setWindowShown(true);
    c.setHidden(kFrame, true);
    EXPECT_FALSE(c.isVisible(kBox[0]));
    EXPECT_FALSE(c.isHidden(kBox[0]));
}

TEST(Controls, ReactionsRunInTheWidgetsOrderAndOnlyOnChanges) {
    Recorded r;
    Controls& c = r.controls;
    c.click(kBox[0]);
    c.setChecked(kBox[0], true); // no change
    {
        const Controls::Quiet quiet(c, kBox[0]);
        c.setChecked(kBox[0], false);
    }
    c.setChecked(kRadio[0], true);
    c.setChecked(kRadio[0], false); // a group keeps its ticked button
    c.click(kRadio[1]);
    c.setEnabled(kFrame, false);
    c.click(kBox[0]); // unavailable: takes no click
    EXPECT_EQ(r.heard, (std::vector<std::string>{"toggled on", "released", "clicked on",
                                                 "radio0 on", "radio0 off", "radio1 on"}));
    EXPECT_FALSE(c.isChecked(kBox[0]));
}

TEST(ListState, TellsTheSelectionBeforeTheCurrentRowAndClearingKeepsTheCurrentRow) {
    ListState list;
    std::vector<std::string> heard;
    list.onSelectionChanged(
        [&] { heard.push_back("selection " + std::to_string(list.selectedRow())); });
    list.onCurrentRowChanged([&](int row) { heard.push_back("current " + std::to_string(row)); });
    list.fill({"a", "b", "c"});
    list.setCurrentRow(1);
    list.clearSelection();
    EXPECT_EQ(list.currentRow(), 1);
    list.setCurrentRow(1); // selects it again; the current row stays
    list.setHidden(0, true);
    EXPECT_EQ(list.firstShownRow(), 1);
    list.clear();
    EXPECT_EQ(heard, (std::vector<std::string>{"selection 1", "current 1", "selection -1",
                                               "selection 1", "selection -1", "current -1"}));
    EXPECT_EQ(list.count(), 0);
}

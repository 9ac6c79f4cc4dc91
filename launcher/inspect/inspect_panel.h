#pragma once
// The Games tab's map and savegame lists and the skill selectors, each a
// part the main window places: the maps with their header, the saved games
// with theirs, the start mode frame, the skill level frame and the skill
// box itself (which the advanced layout shows beside the command line).
// They show the session model; a click goes to the inspect controller.

#include "launcher/inspect/inspect_controller.h"
#include "launcher/ui/control_binder.h"

#include <QWidget>

class QMenu;

namespace krv {

class ListBinder;

class InspectPanel : public QWidget {
    Q_OBJECT
public:
    enum class Part { Maps, SaveGames, StartFrame, SkillFrame, SkillBox };

    InspectPanel(Part part, InspectController& inspect, SessionModel& model, ControlBinder& binder,
                 QWidget* parent = nullptr);

    // The skill frame shows the skill box `box` while it holds it.
    void holdSkillBox(QWidget* box);

signals:
    // The list state changed and the view shows it.
    void listShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMaps(SessionModel& model);
    void buildSaveGames(SessionModel& model);
    void buildFrame(ControlId frame, ControlId box);

    InspectController& inspect_;
    ControlBinder& binder_;
    ListBinder* list_ = nullptr;
    QMenu* mPopup7 = nullptr; // saved games
};

} // namespace krv

#pragma once
// The games library's parts of the Games tab, each placed by the main
// window: the view buttons with the scripted-map filter and "Advanced
// options", the games list with its header and filter, and the game files
// list with its header. They show the session model and send the player's
// clicks, presses and menu choices to the library controller.

#include "launcher/library/library_controller.h"
#include "launcher/ui/control_binder.h"

#include <QWidget>

class QMenu;
class QMimeData;

namespace krv {

class ListBinder;

class LibraryPanel : public QWidget {
    Q_OBJECT
public:
    enum class Part { Views, Games, Files };

    LibraryPanel(Part part, LibraryController& library, SessionModel& model, ControlBinder& binder,
                 QWidget* parent = nullptr);

    // The local files of a drop onto the window; empty when anything else
    // is dropped.
    static std::vector<std::string> droppedLocalFiles(const QMimeData& data);

signals:
    // The list state changed and the view shows it.
    void listShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildViews();
    void buildGames(SessionModel& model);
    void buildFiles(SessionModel& model);
    QMenu* menu(std::initializer_list<ControlId> entries);
    void gamesHeaderEvent(QEvent* event);

    LibraryController& library_;
    ControlBinder& binder_;
    ListBinder* list_ = nullptr;
    QWidget* header_ = nullptr;
    QWidget* filter_ = nullptr;
    QMenu* gamesMenu_ = nullptr; // mPopup5
    QMenu* zipsMenu_ = nullptr;  // mPopup6
    QMenu* filesMenu_ = nullptr; // mPopup3
};

} // namespace krv

#pragma once
// Ties the window's widgets to the widget-free control state: a widget shows
// what its control's state says, and what the player does to the widget goes
// to the state, whose reactions then run. Widgets never hold a state of their
// own that a rule could read.

#include "launcher/session/controls.h"

#include <QObject>
#include <QPointer>

#include <map>
#include <optional>

class QAbstractButton;
class QAction;
class QWidget;

namespace krv {

class ControlBinder : public QObject {
    Q_OBJECT
public:
    // Watches `controls` for as long as the binder lives.
    explicit ControlBinder(Controls& controls, QObject* parent = nullptr);
    ~ControlBinder() override;

    // The widget takes the control's name as its object name and shows its
    // state from now on.
    void bind(ControlId id, QWidget* widget);
    void bind(ControlId id, QAction* action);
    QWidget* widget(ControlId id) const;
    Controls& controls() { return controls_; }

    // Shows a control's state on its widget again.
    void show(ControlId id);

signals:
    // A control's state changed (and its widget, if it has one, shows it).
    void controlChanged();

private:
    void connectPlayer(ControlId id, QWidget* widget);
    void takeToggle(ControlId id, QAbstractButton* button, bool on);

    Controls& controls_;
    // Guarded: a widget may go before the binder as the window is torn down.
    std::map<ControlId, QPointer<QWidget>> widgets_;
    std::map<ControlId, QPointer<QAction>> actions_;
    std::optional<ControlId> toggledByThisClick_; // taken from its toggle already
};

} // namespace krv

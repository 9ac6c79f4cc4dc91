#pragma once
// One of the option tabs' pages: Options, Graphics, Sound or Models. The
// page builds and lays out its controls and shows them as the session model
// says; what the player does goes to the model, whose option rules decide
// what follows.

#include "launcher/ui/control_binder.h"

#include <QWidget>

class QGridLayout;

namespace krv {

class OptionsPanel : public QWidget {
    Q_OBJECT
public:
    enum class Page { Options, Graphics, Sound, Models };

    OptionsPanel(Page page, ControlBinder& binder, QWidget* parent = nullptr);

    // The Sound page shows the music playlists beside its options.
    void placeBeside(QWidget* panel);

signals:
    // "Model pack cleanup" was pressed: the window asks which packs go.
    void cleanupRequested();

private:
    void buildOptionsPage();
    void buildGraphicsPage();
    void buildSoundPage();
    void buildModelsPage();

    ControlBinder& binder_;
    QGridLayout* grid_ = nullptr;
};

} // namespace krv

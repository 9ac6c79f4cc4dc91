#pragma once
// IwadForm ("Iwad Locations"): shows the four IWAD slots, or a warning when
// no IWAD was found, and lets the user search again, clear the list or add an
// IWAD file of their own. The dialog's list is kept in "iwads.cfg".

#include "launcher/inspect/iwad_registry.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/install_paths.h"
#include "launcher/startup/settings.h"
#include "launcher/ui/launcher_font.h"

#include <QDialog>
#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace krv {

// What the dialog asks of the main window.
class IwadFormHost {
public:
    virtual ~IwadFormHost() = default;
    // True while the games list shows the Doom games view.
    virtual bool showsDoomGamesView() const = 0;
    // Refills the Doom games view and selects its first title if any.
    virtual void refillDoomGamesView() = 0;
    // Clears the games list, the game files list and the map list.
    virtual void clearDoomGamesView() = 0;
    // OK with slot 0 filled: update the warp target, show the main window
    // and, when the Doom games view has titles and none is chosen, select
    // the first.
    virtual void iwadsAccepted() = 0;
    // The shutdown routine; leaving the dialog without IWADs ends here.
    virtual void shutdown() = 0;
};

class IwadForm : public QDialog {
    Q_OBJECT
public:
    // `settings` says whether help texts are shown.
    IwadForm(IwadRegistry& iwads, const InstallPaths& paths, const Settings& settings,
             const FontSetting& font, Platform& platform, IwadFormHost& host,
             QWidget* owner = nullptr);

    // Where environment variables are read; the process's own by default.
    void setEnvironment(EnvironmentLookup env) { env_ = std::move(env); }

    // The detection of the main window's load: searches, reads "iwads.cfg",
    // fills the slots, removes the node caches beside the IWADs found and
    // shows the warning when none was found.
    void DetectIwads();

    // Shows the dialog modally; returns once it is hidden.
    void ShowModal();
    // Builds the controls below, which the dialog does when first shown.
    void ensureBuilt();

    // Shows the dialog modally when slot 0 is empty, that is when no IWAD is
    // known, before the main window is used. True when it was shown.
    bool ShowIfNoIwads();

    // Installs or removes the help texts of the buttons.
    void ToolTipText();
    void KillToolTips();

    std::array<QLabel*, kIwadSlotCount> ShowIwads{};
    QFrame* IwadsWarning = nullptr;
    std::array<QLabel*, 4> Warning{};
    QPushButton* butSearchIwad = nullptr;
    QPushButton* butReset = nullptr;
    QPushButton* butAddIwad = nullptr;
    QPushButton* butOK = nullptr;

    // The help text the warning labels open.
    std::string helpFilePath() const;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The close box and Escape leave the dialog the way OK does, so that it
    // is never left without IWADs unasked.
    void reject() override;

private:
    void buildControls();
    bool built() const { return butOK != nullptr; }
    void butSearchIwadClick();
    void butResetClick();
    void butAddIwadClick();
    void butOKClick();
    void WarningClick();

    void showSlots();
    void setWarningShown(bool shown);
    void disableAddWhenFull();
    void refillGamesView();
    void saveIwadsCfg();
    void applyToolTips();

    IwadRegistry& iwads_;
    const InstallPaths& paths_;
    const Settings& settings_;
    const FontSetting& font_;
    Platform& platform_;
    IwadFormHost& host_;
    EnvironmentLookup env_;
    bool warningShown_ = false; // no IWAD was found: the warning takes the slots' place
};

} // namespace krv

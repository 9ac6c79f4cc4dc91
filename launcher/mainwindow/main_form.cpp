#include "launcher/mainwindow/main_form.h"

#include "launcher/launch/launch_controls.h"
#include "launcher/launch/launch_panel.h"
#include "launcher/library/library_panel.h"
#include "launcher/options/option_controls.h"
#include "launcher/options/options_panel.h"
#include "launcher/session/window_controls.h"
#include "launcher/startup/theme_pictures.h"
#include "launcher/ui/font_form.h"
#include "launcher/ui/qt_font.h"
#include "launcher/ui/qt_text.h"
#include "launcher/ui/shortcut_form.h"
#include "launcher/ui/tex_form.h"
#include "launcher/ui/twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

namespace krv {

using namespace ids;

MainForm::MainForm(AppState& state, Platform& platform, EntryRoutine& entry)
    : QWidget(nullptr), state_(state), platform_(platform), entry_(entry),
      session_(state_, platform_, *this) {
    setWindowTitle(qs(state_.startup.windowCaption));
    buildControls();
    iwadForm_ = new IwadForm(state_.iwads, state_.paths, state_.session.settings, state_.font,
                             platform_, *this, this);
    connectControls();
    setAcceptDrops(true);
    // The window sees key presses before its controls, as a launcher's
    // Enter-to-launch needs wherever the focus is.
    qApp->installEventFilter(this);
}

MainForm::~MainForm() {
    qApp->removeEventFilter(this);
}

// The window's dialogs, and the layout and tab the session chooses.
void MainForm::connectControls() {
    const auto button = [this](int i) {
        return static_cast<QAbstractButton*>(binder_->widget(AuxButton[i]));
    };
    connect(button(2), &QAbstractButton::clicked, this, &MainForm::CreateShortcut);
    connect(button(5), &QAbstractButton::clicked, this, [this] { iwadForm_->ShowModal(); });
    connect(button(6), &QAbstractButton::clicked, this, &MainForm::OpenFontForm);
    connect(button(8), &QAbstractButton::clicked, this, &MainForm::CleanupModelPacks);
    connect(button(9), &QAbstractButton::clicked, this, &MainForm::OpenTexForm);
    Controls& c = state_.session.controls;
    // After the session's own rules for the same clicks.
    c.onClicked(chkMain[2], [this](bool advanced) { applyLayoutMode(advanced); });
    for (int i = 0; i < 5; ++i)
        c.onToggled(OptionTabs[i], [this](bool on) {
            if (on)
                showTab();
        });
    TitlePic->installEventFilter(this);
    connectPreview();
}

// Any change of the model asks the preview for a new line; it runs once
// after the change's reactions are through.
void MainForm::connectPreview() {
    connect(binder_, &ControlBinder::controlChanged, preview_, &LaunchPanel::schedulePreview);
}

// ---- Load ------------------------------------------------------------------

const std::vector<MainForm::LoadStep>& MainForm::loadSteps() {
    static const std::vector<LoadStep> steps = {
        {"window size", &MainForm::sizeWindow, false},
        {"launcher font", &MainForm::CheckFont, false},
        {"library folders", &MainForm::createLibraryFolders, false},
        {"detail textures", &MainForm::noteDetailTextures, false},
        {"settings", &MainForm::readSettingsFile, false},
        {"model options", &MainForm::prepareModelOptions, false},
        {"window controls", &MainForm::prepareWindowControls, false},
        {"iwad detection", &MainForm::detectIwads, false},
        {"library clean-up", &MainForm::cleanUpLibrary, false},
        {"window position", &MainForm::placeWindow, false},
        {"controls from settings", &MainForm::restoreControls, false},
        {"playlists", &MainForm::loadPlaylists, true},
        {"games list", &MainForm::restoreGamesList, true},
        {"settings reset report", &MainForm::reportSettingsReset, true},
        {"setting captions", &MainForm::setSettingCaptions, true},
        {"model packs", &MainForm::detectModelPacks, true},
    };
    return steps;
}

void MainForm::load() {
    loadForFirstPaint();
    finishLoad();
}

void MainForm::loadForFirstPaint() {
    // The steps that show and hide controls only note the layout mode's
    // height: the window is sized once, from the controls they leave.
    sizedOnceAtLoad_ = true;
    runLoadSteps(false);
    sizedOnceAtLoad_ = false;
    fitWindowAtLoad();
}

void MainForm::finishLoad() {
    runLoadSteps(true);
    fitWindowAtLoad();
}

void MainForm::runLoadSteps(bool afterFirstPaint) {
    for (const LoadStep& step : loadSteps()) {
        if (step.afterFirstPaint != afterFirstPaint)
            continue;
        if (loadStepWatcher_)
            loadStepWatcher_(step.name);
        (this->*step.run)();
        if (afterFirstPaint)
            platform_.paintWindows();
    }
}

void MainForm::fitWindowAtLoad() {
    // The font and what the steps showed and hid decide what the window's
    // controls need.
    setWindowHeightTwips(heightTwips_);
    // Centred at the size it ends with, not the size it started from.
    if (centredAtLoad_) {
        const auto [top, left] = centredPositionTwips();
        move(toPixels(left), toPixels(top));
    }
}

void MainForm::waitForFirstPaint() {
    if (painted_ || !isVisible())
        return;
    QEventLoop wait;
    firstPaintWait_ = &wait;
    QTimer::singleShot(1000, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    firstPaintWait_ = nullptr;
}

void MainForm::sizeWindow() {
    largeFonts_ = CheckDPISettings();
    // The size in twips; the end of the load grows it where the controls
    // need more.
    heightTwips_ = kLoadHeightTwips;
    setMinimumSize(twipsSize());
    resize(twipsSize());
}

bool MainForm::CheckDPISettings() {
    // The window's size in twips grows with the density and its controls sit
    // in layouts that follow the font metrics, so large fonts need no frame
    // moved by hand; the answer tells the parts that size pictures.
    // Qt scales a 120-dpi desktop by 1.25 and reports 96 logical dots.
    return qRound(logicalDpiX() * devicePixelRatioF()) == 120;
}

void MainForm::CheckFont() {
    applyLauncherFont(this, state_.font);
}

std::pair<int, int> MainForm::centredPositionTwips() const {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {toTwips(centredOffset(screen.height(), height())),
            toTwips(centredOffset(screen.width(), width()))};
}

void MainForm::readSettingsFile() {
    const auto [top, left] = centredPositionTwips();
    const SettingsReadResult read = session_.readSettingsFile(top, left);
    if (read.typeMismatch) {
        move(toPixels(left), toPixels(top));
        entry_.resetSettingsAndRestart();
    }
    positionStored_ = read.linesRead >= kSettingsLines;
}

void MainForm::prepareWindowControls() {
    GetTitlePic();
    showHelpTexts(!state_.session.settings.disableTooltips);
    session_.prepareWindowControls();
    showTab();
}

void MainForm::detectIwads() {
    iwadForm_->DetectIwads();
}

void MainForm::placeWindow() {
    const auto [centredTop, centredLeft] = centredPositionTwips();
    int top = state_.session.settings.windowTop;
    int left = state_.session.settings.windowLeft;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    centredAtLoad_ = state_.startup.wineMode || !positionStored_ ||
                     top > toTwips(screen.height()) || left > toTwips(screen.width());
    if (centredAtLoad_) {
        top = centredTop;
        left = centredLeft;
    }
    move(toPixels(left), toPixels(top));
    session_.showWineMode();
}

void MainForm::restoreControls() {
    session_.restoreControls();
    applyLayoutMode(state_.session.advancedLayout);
    showTab();
}

// ---- Dialogs ---------------------------------------------------------------

void MainForm::OpenFontForm() {
    FontForm chooser(state_.font, state_.paths, state_.startup.restartRequested, this);
    connect(&chooser, &FontForm::restartWanted, this, &QWidget::close);
    chooser.exec();
}

void MainForm::OpenTexForm() {
    TexForm dialog(state_.session.settings, state_.paths, state_.font, platform_,
                   state_.session.texFormFolderText, this);
    connect(&dialog, &TexForm::texturesUnavailable, this,
            [this] { session_.options().texturesUnavailable(); });
    dialog.exec();
}

void MainForm::CleanupModelPacks() {
    ShortcutForm dialog(ShortcutForm::Mode::Cleanup, {}, !state_.session.settings.disableTooltips,
                        this);
    applyLauncherFont(&dialog, state_.font);
    dialog.exec();
    if (dialog.cancelled() || !dialog.chkModDel->isChecked())
        return;
    session_.options().CleanupModelPacksConfirmed();
}

void MainForm::CreateShortcut() {
    const std::string name = session_.library().shortcutDialogName();
    if (state_.session.games.currentRow() < 0)
        return;
    ShortcutForm dialog(ShortcutForm::Mode::Shortcut, name,
                        !state_.session.settings.disableTooltips, this);
    applyLauncherFont(&dialog, state_.font);
    dialog.exec();
    if (dialog.cancelled())
        return;
    ShortcutRequest request;
    request.startMenu = dialog.chkShortcut[0]->isChecked();
    request.desktop = dialog.chkShortcut[1]->isChecked();
    request.mapInName = dialog.ChkMapNum->isChecked();
    session_.library().CreateShortcutWith(request);
}

// ---- Unload ----------------------------------------------------------------

void MainForm::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void MainForm::unload() {
    if (state_.startup.closing || unloaded_)
        return;
    unloaded_ = true;
    if (!state_.startup.wineMode && !isMinimized() && !isMaximized()) {
        state_.session.settings.windowTop = toTwips(pos().y());
        state_.session.settings.windowLeft = toTwips(pos().x());
    }
    session_.storeSettings();
    if (state_.startup.restartRequested)
        platform_.startProcess('"' + state_.paths.launcherExe() + "\" /RESTART", state_.paths.root);
}

// ---- Events ----------------------------------------------------------------

// Controls shown or hidden change what the layout needs.
bool MainForm::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::LayoutRequest)
        fitWindowToLayout();
    if (event->type() == QEvent::Paint && !painted_) {
        painted_ = true;
        // Queued: the wait ends once the whole paint has reached the screen.
        if (firstPaintWait_)
            QMetaObject::invokeMethod(firstPaintWait_, &QEventLoop::quit, Qt::QueuedConnection);
    }
    return handled;
}

void MainForm::showEvent(QShowEvent* event) {
    state_.session.controls.setWindowShown(true);
    QWidget::showEvent(event);
}

void MainForm::hideEvent(QHideEvent* event) {
    if (!isMinimized())
        state_.session.controls.setWindowShown(false);
    QWidget::hideEvent(event);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (!state_.session.controls.isEnabled(LaunchButton))
                return false;
            state_.session.controls.click(LaunchButton);
            return true;
        }
    }
    if (event->type() == QEvent::Resize && watched == TitlePic)
        fitTitlePicture();
    if (event->type() == QEvent::MouseButtonDblClick && watched == TitlePic) {
        TitlePicDblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        session_.onActivated();
    if (event->type() == QEvent::WindowStateChange)
        onWindowStateChanged();
    QWidget::changeEvent(event);
}

void MainForm::onWindowStateChanged() {
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (normal && state_.session.launch.launchInProgress)
        session_.Reset();
}

void MainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!LibraryPanel::droppedLocalFiles(*event->mimeData()).empty())
        event->acceptProposedAction();
}

// The drop is taken at once and installed afterwards, so that the file
// manager the files came from is not kept waiting while prompts are shown.
void MainForm::dropEvent(QDropEvent* event) {
    const std::vector<std::string> files = LibraryPanel::droppedLocalFiles(*event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, files] { session_.library().installDroppedFiles(files); },
        Qt::QueuedConnection);
}

// ---- IWAD dialog and launch ------------------------------------------------

bool MainForm::showsDoomGamesView() const {
    return state_.session.settings.gamesListView == kDoomGamesView;
}

void MainForm::refillDoomGamesView() {
    session_.library().refillDoomGamesView();
}

void MainForm::clearDoomGamesView() {
    session_.library().clearDoomGamesView();
}

void MainForm::iwadsAccepted() {
    session_.inspect().updateWarpTarget();
    show();
    session_.library().selectFirstDoomGame();
}

void MainForm::shutdown() {
    entry_.shutdown();
}

std::pair<int, int> MainForm::windowPositionTwips() const {
    return {toTwips(pos().y()), toTwips(pos().x())};
}

// A window minimised for the launch comes back first, so that a message
// stands over it.
void MainForm::restoreWindow() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
}

// ---- Title picture ----------------------------------------------------------

void MainForm::GetTitlePic() {
    const auto choice = chooseTitlePicture(state_.paths.launcherFolder + "Themes",
                                           state_.session.settings.titlePicture);
    if (!choice)
        return;
    state_.session.settings.titlePicture = choice->number;
    showTitlePicture(choice->path);
}

// Loads a theme picture. A huge picture is scaled down while it is decoded,
// so that it costs no more memory than the banner needs; a picture that
// cannot be read leaves the caption text in its place.
void MainForm::showTitlePicture(const std::string& path) {
    QImageReader reader(qs(path));
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    const QSize most(2 * toPixels(kLoadWidthTwips), 2 * TitlePic->height());
    if (size.isValid() && (size.width() > most.width() || size.height() > most.height()))
        reader.setScaledSize(size.scaled(most, Qt::KeepAspectRatio));
    titleImage_ = reader.read();
    fitTitlePicture();
}

// Shows the theme picture as large as the banner holds it.
void MainForm::fitTitlePicture() {
    const QSize room = TitlePic->contentsRect().size();
    if (titleImage_.isNull() || room.isEmpty()) {
        TitlePic->setPixmap({});
        TitlePic->setText(qs(state_.startup.windowCaption));
        return;
    }
    TitlePic->setPixmap(QPixmap::fromImage(
        titleImage_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void MainForm::TitlePicDblClick() {
    ++state_.session.settings.titlePicture;
    GetTitlePic();
}

// ---- Layout ------------------------------------------------------------------

int MainForm::checkedTab() const {
    int tab = 0;
    for (int i = 0; i < 5; ++i)
        if (state_.session.controls.isChecked(OptionTabs[i]))
            tab = i;
    return tab;
}

// The tab strip: the chosen tab's page, its caption in dark red.
void MainForm::showTab() {
    const int tab = checkedTab();
    QWidget* shown = tab == 0 ? TabPages->widget(0) : buildOptionPage(tab - 1);
    TabPages->setCurrentWidget(shown);
    // The window fits the page shown: the hidden pages do not count, so that
    // a page built or visited once does not widen the other layout.
    for (int i = 0; i < TabPages->count(); ++i) {
        QWidget* page = TabPages->widget(i);
        const auto policy = page == shown ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        page->setSizePolicy(policy, policy);
    }
    // A page that needs more room than the window has grows it.
    if (!sizedOnceAtLoad_) {
        refreshLayouts();
        fitWindowToLayout();
    }
    showTabCaptions();
}

void MainForm::showTabCaptions() {
    if (!binder_->widget(OptionTabs[0]))
        return; // the advanced layout has not shown yet
    const int tab = checkedTab();
    const QColor text = QApplication::palette().color(QPalette::Active, QPalette::WindowText);
    for (int i = 0; i < 5; ++i) {
        QWidget* caption = binder_->widget(OptionTabs[i]);
        QPalette palette = caption->palette();
        palette.setColor(QPalette::ButtonText, i == tab ? QColor(192, 0, 0) : text);
        caption->setPalette(palette);
    }
}

// The layout mode's places and size; the session has shown and hidden the
// controls.
void MainForm::applyLayoutMode(bool advanced) {
    if (advanced)
        buildAdvancedControls();
    placeSkillBox(advanced);
    placeCheckFrame(!advanced);
    setWindowHeightTwips(advanced ? kLoadHeightTwips : kDefaultHeightTwips);
}

int MainForm::toPixels(int twips) const {
    return twipsToPixels(twips, logicalDpiY());
}

int MainForm::toTwips(int pixels) const {
    return pixelsToTwips(pixels, logicalDpiY());
}

// The layout mode sets the window's size: its size in twips, or what the
// controls need where that is more.
void MainForm::setWindowHeightTwips(int twips) {
    heightTwips_ = twips;
    if (sizedOnceAtLoad_)
        return;
    refreshLayouts();
    const QSize least = leastWindowSize();
    setMinimumSize(least);
    resize(least);
}

// Qt brings the layouts' cached sizes up to date with the controls shown
// and hidden only when their events come round, innermost last; the layout
// switch sizes the window at once, so it refreshes them innermost first.
void MainForm::refreshLayouts() {
    ensurePolished();
    const QList<QWidget*> controls = findChildren<QWidget*>();
    for (auto control = controls.rbegin(); control != controls.rend(); ++control) {
        if (QLayout* inner = (*control)->layout()) {
            inner->invalidate();
            inner->activate();
        }
        (*control)->updateGeometry();
    }
    layout()->invalidate();
    layout()->activate();
}

// The window's size in twips is the least it takes; a font whose captions
// need more room makes it as large as its layout needs.
QSize MainForm::leastWindowSize() const {
    return twipsSize().expandedTo(layout()->totalMinimumSize());
}

QSize MainForm::twipsSize() const {
    return {toPixels(kLoadWidthTwips), toPixels(heightTwips_)};
}

// A window smaller than the least would squeeze the controls below their
// captions: setting the least grows it, a larger window keeps its size.
void MainForm::fitWindowToLayout() {
    const QSize least = leastWindowSize();
    if (least != minimumSize())
        setMinimumSize(least);
}

} // namespace krv

// The main window's places: the banner, the tab strip with the Games page
// and the option pages, the preferences and the launch's frames, and the
// tool buttons. Each panel builds its own controls; the window only places
// the panels and its own few controls.

#include "launcher/inspect/inspect_controls.h"
#include "launcher/inspect/inspect_panel.h"
#include "launcher/launch/launch_controls.h"
#include "launcher/launch/launch_panel.h"
#include "launcher/library/library_panel.h"
#include "launcher/mainwindow/main_form.h"
#include "launcher/music/music_panel.h"
#include "launcher/options/options_panel.h"
#include "launcher/session/window_controls.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_font.h"
#include "launcher/ui/qt_text.h"
#include "launcher/ui/twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace krv {

using namespace ids;

namespace {

// The banner's caption, or the theme picture in its place. Its height is
// fixed and it takes the width the window's other controls leave it, so its
// size does not depend on its text: the large title face is then first
// loaded when the banner paints, not while the window is being sized.
class TitleLabel : public QLabel {
public:
    using QLabel::QLabel;
    QSize sizeHint() const override { return {0, height()}; }
    QSize minimumSizeHint() const override { return {0, 0}; }
};

} // namespace

void MainForm::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(buildBanner());
    // The tab strip's place: the simple layout keeps it, empty.
    tabStrip_ = new QWidget(this);
    layout->addWidget(tabStrip_);
    TabPages = new QStackedWidget(this);
    TabPages->addWidget(buildGamesPage());
    layout->addWidget(TabPages, 1);
    layout->addWidget(buildLowerPanel());
    layout->addWidget(buildAuxButtons());
}

// The option pages, with the music panel beside the sound page: only the
// advanced layout shows them, so each is built when its tab first shows it.
// A page draws the model's state as it is bound, and takes the launcher font
// and the help texts the rest of the window has.
void MainForm::buildOptionPages() {
    for (std::size_t page = 0; page < optionPages_.size(); ++page)
        buildOptionPage(page);
}

OptionsPanel* MainForm::buildOptionPage(std::size_t index) {
    if (optionPages_[index])
        return optionPages_[index];
    static constexpr OptionsPanel::Page kPages[] = {
        OptionsPanel::Page::Options, OptionsPanel::Page::Graphics, OptionsPanel::Page::Sound,
        OptionsPanel::Page::Models};
    auto* page = new OptionsPanel(kPages[index], *binder_, this);
    if (kPages[index] == OptionsPanel::Page::Sound)
        page->placeBeside(new MusicPanel(session_.music(), state_.session, state_.paths,
                                         state_.iwads, state_.font, platform_, *binder_, this));
    if (kPages[index] == OptionsPanel::Page::Models)
        connect(page, &OptionsPanel::cleanupRequested, this, &MainForm::CleanupModelPacks);
    // Hidden pages take no room; the tab that shows it gives it its room.
    page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    TabPages->addWidget(page);
    finishLatePart(page, binder_->widget(OptionTabs[4]));
    optionPages_[index] = page;
    return page;
}

QWidget* MainForm::buildBanner() {
    auto* banner = new QFrame(this);
    auto* row = new QHBoxLayout(banner);
    row->setContentsMargins(0, 0, 0, 0);
    TitlePic = new TitleLabel(banner);
    TitlePic->setObjectName(QStringLiteral("TitlePic"));
    TitlePic->setAlignment(Qt::AlignCenter);
    TitlePic->setText(qs(state_.startup.windowCaption));
    QFont titleFont = TitlePic->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    TitlePic->setFont(titleFont);
    TitlePic->setFixedHeight(toPixels(900));
    TitlePic->setFrameShape(QFrame::StyledPanel);
    TitlePic->setScaledContents(false);
    row->addWidget(TitlePic, 1);

    auto* links = new QVBoxLayout;
    for (int i : {0, 3}) {
        auto* link = bound<QToolButton>(*binder_, Home[i], banner);
        link->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        links->addWidget(link);
    }
    bound<QLabel>(*binder_, WineImage, banner)->setAlignment(Qt::AlignCenter);
    links->addWidget(binder_->widget(WineImage));
    row->addLayout(links);
    return banner;
}

// The tab strip and the command-line frames: only the advanced layout shows
// them, so they are built when it first shows. Like an option page, each
// draws the model's state as it is bound.
void MainForm::buildAdvancedControls() {
    if (commandLine_)
        return;
    buildTabStrip();
    commandLine_ = new LaunchPanel(LaunchPanel::Part::CommandLine, session_.launch(), *binder_,
                                   lowerGrid_->parentWidget());
    lowerGrid_->addWidget(commandLine_, 1, 0);
    commandLine_->show(); // at once: the window is sized from it next
    finishLatePart(tabStrip_, binder_->widget(Home[3]));
    finishLatePart(commandLine_, binder_->widget(chkLaunchPrefs[5]));
    // Pages built before the tabs (by buildOptionPages) follow them now.
    for (QWidget* page : optionPages_)
        if (page)
            placeInFocusChain(page, binder_->widget(OptionTabs[4]));
    showTabCaptions();
}

// A part built after the window: it takes the launcher font and the help
// texts the rest of the window has, and its place in the keyboard's order
// after `after`.
void MainForm::finishLatePart(QWidget* part, QWidget* after) {
    applyLauncherFont(part, state_.font);
    if (!state_.session.settings.disableTooltips)
        ToolTipText(part);
    placeInFocusChain(part, after);
}

// A part built after the window comes last in the keyboard's order; this
// moves its controls, in their own order, to just after `after`.
void MainForm::placeInFocusChain(QWidget* part, QWidget* after) {
    if (!after)
        return; // nothing to follow yet (the tabs before they are built)
    QList<QWidget*> controls;
    for (QWidget* w = part->nextInFocusChain(); w != part; w = w->nextInFocusChain())
        if (part->isAncestorOf(w) && w->focusPolicy() != Qt::NoFocus)
            controls.append(w);
    for (QWidget* control : controls) {
        QWidget::setTabOrder(after, control);
        after = control;
    }
}

void MainForm::buildTabStrip() {
    auto* row = new QHBoxLayout(tabStrip_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    auto* group = new QButtonGroup(tabStrip_);
    for (int i = 0; i < 5; ++i) {
        auto* tab = new QPushButton(tabStrip_);
        tab->setCheckable(true);
        binder_->bind(OptionTabs[i], tab);
        group->addButton(tab, i);
        row->addWidget(tab);
    }
}

// The games list, the files of the chosen game above its saved games, and
// the maps; under them the start mode, the skill level and Launch.
QWidget* MainForm::buildGamesPage() {
    Session& s = session_;
    auto* page = new QFrame(this);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(2, 2, 2, 2);
    const auto library = [&](LibraryPanel::Part part) {
        auto* panel = new LibraryPanel(part, s.library(), state_.session, *binder_, page);
        connect(panel, &LibraryPanel::listShown, this, [this] { preview_->schedulePreview(); });
        return panel;
    };
    const auto inspect = [&](InspectPanel::Part part) {
        auto* panel = new InspectPanel(part, s.inspect(), state_.session, *binder_, page);
        connect(panel, &InspectPanel::listShown, this, [this] { preview_->schedulePreview(); });
        return panel;
    };
    grid->addWidget(library(LibraryPanel::Part::Views), 0, 0, 1, 3);
    grid->addWidget(library(LibraryPanel::Part::Games), 1, 0);
    filesColumn_ = new QVBoxLayout;
    filesColumn_->addWidget(library(LibraryPanel::Part::Files), 1);
    filesColumn_->addWidget(inspect(InspectPanel::Part::SaveGames), 1);
    grid->addLayout(filesColumn_, 1, 1);
    grid->addWidget(inspect(InspectPanel::Part::Maps), 1, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 5);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(2, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(inspect(InspectPanel::Part::StartFrame), 1);
    skillFrame_ = inspect(InspectPanel::Part::SkillFrame);
    bottom->addWidget(skillFrame_, 1);
    skillBox_ = inspect(InspectPanel::Part::SkillBox);
    skillFrame_->holdSkillBox(skillBox_);
    bottom->addStretch();
    bottom->addWidget(new LaunchPanel(LaunchPanel::Part::LaunchButton, s.launch(), *binder_, page));
    grid->addLayout(bottom, 2, 0, 1, 3);
    return page;
}

// The two fixed arrangements of the lower lists: shrunk gives the maps and
// saved games the room, expanded the game files of a multi-file game.
void MainForm::expandGameFiles(bool expanded) {
    filesColumn_->setStretch(0, expanded ? 3 : 1);
    filesColumn_->setStretch(1, 1);
}

QWidget* MainForm::buildLowerPanel() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    lowerGrid_ = grid;

    auto* preferences = bound<QGroupBox>(*binder_, ChkFrame, panel);
    prefsGrid_ = new QGridLayout(preferences);
    prefsGrid_->setContentsMargins(6, 2, 6, 2);
    prefsGrid_->setVerticalSpacing(0);
    for (int i = 0; i < 6; ++i)
        prefsGrid_->addWidget(bound<QCheckBox>(*binder_, chkLaunchPrefs[i], preferences), i % 2,
                              i / 2);
    grid->addWidget(preferences, 0, 0, 1, 2);

    // The command-line frames take the cell (1, 0) when the advanced layout
    // first shows.
    LaunchController& launch = session_.launch();
    auto* modes = new LaunchPanel(LaunchPanel::Part::LaunchMode, launch, *binder_, panel);
    connect(modes, &LaunchPanel::developmentSwitchesAsked, this,
            [this] { session_.DevModeDblClick(); });
    preview_ = new LaunchPanel(LaunchPanel::Part::Preview, launch, *binder_, panel);
    grid->addWidget(modes, 1, 1);
    grid->addWidget(preview_, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    return panel;
}

QWidget* MainForm::buildAuxButtons() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    for (int i = 0; i < 10; ++i) {
        auto* button = bound<QToolButton>(*binder_, AuxButton[i], bar);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        row->addWidget(button);
    }
    row->addStretch();
    return bar;
}

// Across the window the preferences take three columns; beside the launch
// mode frame, two.
void MainForm::placeCheckFrame(bool atGlobalFrame) {
    QWidget* preferences = binder_->widget(ChkFrame);
    lowerGrid_->removeWidget(preferences);
    if (atGlobalFrame)
        lowerGrid_->addWidget(preferences, 1, 0);
    else
        lowerGrid_->addWidget(preferences, 0, 0, 1, 2);
    const int columns = atGlobalFrame ? 2 : 3;
    const int rows = 6 / columns;
    for (int i = 0; i < 6; ++i) {
        QWidget* box = binder_->widget(chkLaunchPrefs[i]);
        prefsGrid_->removeWidget(box);
        prefsGrid_->addWidget(box, i % rows, i / rows);
    }
}

// The skill frame is hidden in the advanced layout; its box goes with the
// command-line frame, shown under every tab. The keyboard reaches it where
// it stands.
void MainForm::placeSkillBox(bool advanced) {
    if (advanced) {
        commandLine_->holdSkillBox(skillBox_);
        placeInFocusChain(skillBox_, binder_->widget(SelButton));
    } else {
        skillFrame_->holdSkillBox(skillBox_);
        placeInFocusChain(skillBox_, binder_->widget(SkillsLevel[0]));
    }
}

} // namespace krv

// The controls of the main window and their places. Behaviour is attached
// by the parts that own each control; this file only builds and names them.

#include "launcher/inspect/inspect_panel.h"
#include "launcher/launch/launch_panel.h"
#include "launcher/mainwindow/main_form.h"
#include "launcher/music/music_panel.h"
#include "launcher/options/option_controls.h"
#include "launcher/options/options_panel.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"
#include "launcher/ui/twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace krv {

void MainForm::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(buildBanner());
    layout->addWidget(buildTabStrip());
    TabPages = new QStackedWidget(this);
    const OptionsPanel::Page pages[] = {OptionsPanel::Page::Options, OptionsPanel::Page::Graphics,
                                        OptionsPanel::Page::Sound, OptionsPanel::Page::Models};
    for (int i = 0; i < 4; ++i)
        optionPages_[static_cast<std::size_t>(i)] = new OptionsPanel(pages[i], *binder_, this);
    musicPanel_ = new MusicPanel(music_, state_, platform_, *binder_, this);
    optionPages_[2]->placeBeside(musicPanel_);
    launch_ = new LaunchPanel(state_, platform_, *launchHost_, this);
    library_ = new LibraryPanel(state_, platform_, *libraryHost_, this);
    inspect_ = new InspectPanel(state_, platform_, library_->GamesTab, this);
    TabFrame[0] = library_->GamesTab;
    for (int i = 1; i < 5; ++i)
        TabFrame[static_cast<std::size_t>(i)] = optionPages_[static_cast<std::size_t>(i - 1)];
    for (QWidget* page : TabFrame)
        TabPages->addWidget(page);
    layout->addWidget(TabPages, 1);
    layout->addWidget(buildLowerPanel());
    layout->addWidget(buildAuxButtons());
    library_->attach({inspect_->MapList, inspect_->SaveGameList, inspect_->WadCheckList,
                      inspect_->SkillsLevel[0], inspect_->StartFrame, inspect_->SkillFrame,
                      launch_->LaunchButton, bound<QCheckBox>(*binder_, ids::chkMain[2], this),
                      AuxButton[0], AuxButton[2], AuxButton[3], AuxButton[7], chkLaunchPrefs[0],
                      chkLaunchPrefs[1], chkLaunchPrefs[2], chkLaunchPrefs[4]});
}

QWidget* MainForm::buildBanner() {
    auto* banner = new QFrame(this);
    auto* row = new QHBoxLayout(banner);
    row->setContentsMargins(0, 0, 0, 0);
    TitlePic = new QLabel(banner);
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
    Home[0] = new QToolButton(banner);
    Home[0]->setText(QStringLiteral("Website"));
    Home[3] = new QToolButton(banner);
    Home[3]->setText(QStringLiteral("Downloads"));
    WineImage = new QLabel(QStringLiteral("Wine"), banner);
    WineImage->setAlignment(Qt::AlignCenter);
    WineImage->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{Home[0], Home[3]}) {
        static_cast<QToolButton*>(w)->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        links->addWidget(w);
    }
    links->addWidget(WineImage);
    row->addLayout(links);
    return banner;
}

QWidget* MainForm::buildTabStrip() {
    auto* strip = new QWidget(this);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    auto* group = new QButtonGroup(strip);
    const char* captions[] = {"Games", "Options", "Graphics", "Sound", "Models"};
    for (int i = 0; i < 5; ++i) {
        OptionTabs[i] = new QPushButton(QString::fromLatin1(captions[i]), strip);
        OptionTabs[i]->setCheckable(true);
        group->addButton(OptionTabs[i], i);
        row->addWidget(OptionTabs[i]);
    }
    OptionTabs[0]->setChecked(true);
    return strip;
}

QWidget* MainForm::buildLowerPanel() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    lowerGrid_ = grid;

    ChkFrame = new QGroupBox(QStringLiteral(" Launcher Preferences "), panel);
    makeChecks(ChkFrame, chkLaunchPrefs,
               {"Remember last map", "Remember last savegame", "Shortcut creation",
                "Disable tooltip text", "Display wad files only", "Display tip of the day"},
               "chkLaunchPrefs");
    prefsGrid_ = new QGridLayout(ChkFrame);
    prefsGrid_->setContentsMargins(6, 2, 6, 2);
    prefsGrid_->setVerticalSpacing(0);
    for (int i = 0; i < 6; ++i)
        prefsGrid_->addWidget(chkLaunchPrefs[i], i % 2, i / 2);
    grid->addWidget(ChkFrame, 0, 0, 1, 2);

    launch_->placeEditBoxes({bound<QCheckBox>(*binder_, ids::chkMain[5], this),
                             bound<QCheckBox>(*binder_, ids::chkMain[3], this),
                             bound<QCheckBox>(*binder_, ids::chkMain[4], this)});
    grid->addWidget(launch_->FrameGlobal[0], 1, 0);
    grid->addWidget(launch_->KRVFrame, 1, 1);
    grid->addWidget(launch_->PreviewRow, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    return panel;
}

QWidget* MainForm::buildAuxButtons() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    // Indexed as the buttons' handlers and help texts are: 1 opens the
    // documentation, 5 the IWAD locations.
    const char* captions[] = {"Install", "Docs", "Shortcut",   "Edit log", "Engine log",
                              "Iwads",   "Font", "Zip folder", "Cleanup",  "Textures"};
    for (int i = 0; i < 10; ++i) {
        AuxButton[i] = new QToolButton(bar);
        AuxButton[i]->setText(QString::fromLatin1(captions[i]));
        AuxButton[i]->setToolButtonStyle(Qt::ToolButtonTextOnly);
        row->addWidget(AuxButton[i]);
    }
    row->addStretch();
    return bar;
}

} // namespace krv

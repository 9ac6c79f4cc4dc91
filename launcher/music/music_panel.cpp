#include "launcher/music/music_panel.h"

#include "launcher/music/music_controls.h"
#include "launcher/music/music_form.h"
#include "launcher/music/playlist_auto.h"
#include "launcher/options/option_controls.h"
#include "launcher/ui/list_binder.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListView>
#include <QMenu>
#include <QPushButton>

namespace krv {

using namespace ids;

MusicPanel::MusicPanel(MusicController& music, SessionModel& model, const InstallPaths& paths,
                       const IwadRegistry& iwads, const FontSetting& font, Platform& platform,
                       ControlBinder& binder, QWidget* parent)
    : QWidget(parent), music_(music), model_(model), paths_(paths), iwads_(iwads), font_(font),
      platform_(platform), binder_(binder) {
    buildFrame();
    buildMenu();
    connectControls();
}

void MusicPanel::buildFrame() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* frame = bound<QGroupBox>(binder_, SoundFrame[1], this);
    outer->addWidget(frame);
    auto* music = new QGridLayout(frame);
    auto* modes = new QHBoxLayout;
    modes->addWidget(bound<QCheckBox>(binder_, chkSound[4], frame));
    modes->addWidget(bound<QCheckBox>(binder_, chkSound[5], frame));
    modes->addStretch();
    music->addLayout(modes, 0, 0);
    auto* list = boundListView(binder_, SelectionList, frame);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    playlists_ = new ListBinder(model_.playlists, list, false, this);
    music->addWidget(list, 1, 0);
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i)
        buttons->addWidget(bound<QPushButton>(binder_, butMusic[i], frame));
    music->addLayout(buttons, 2, 0);
    music->addWidget(bound<QCheckBox>(binder_, chkSound[10], frame), 3, 0);
}

// A right click on a playlist makes it the automatic one of an IWAD.
void MusicPanel::buildMenu() {
    mPopupMusic = new QMenu(this);
    mPopupMusic->setObjectName(QStringLiteral("mPopupMusic"));
    QMenu* autoMenu = mPopupMusic->addMenu(qs(std::string(kAutoSelectMenu)));
    for (const AutoGameInfo& game : autoGames()) {
        QAction* entry = autoMenu->addAction(QString::fromLatin1(game.menuCaption));
        entry->setObjectName(QStringLiteral("mcAutoPlaylist_%1").arg(mcAutoPlaylist.size()));
        mcAutoPlaylist.push_back(entry);
        connect(entry, &QAction::triggered, this,
                [this, which = game.game] { music_.AssignAutoPlaylist(static_cast<int>(which)); });
    }
}

void MusicPanel::connectControls() {
    connect(playlists_, &ListBinder::rowClicked, this,
            [this](int row) { music_.choosePlaylist(row); });
    connect(playlists_, &ListBinder::rowDoubleClicked, this, &MusicPanel::OpenPlaylist);
    connect(playlists_->view(), &QWidget::customContextMenuRequested, this, &MusicPanel::showMenu);
    const auto button = [this](int i) {
        return static_cast<QPushButton*>(binder_.widget(butMusic[i]));
    };
    connect(button(0), &QPushButton::clicked, this, &MusicPanel::NewPlaylist);
    connect(button(1), &QPushButton::clicked, this, &MusicPanel::OpenPlaylist);
    connect(button(2), &QPushButton::clicked, this, &MusicPanel::DeletePlaylist);
    // Pressing "Auto" without automatic playlists tells how to make them.
    binder_.widget(chkSound[4])->installEventFilter(this);
}

void MusicPanel::showMenu(QPoint at) {
    const int row = playlists_->rowOfIndex(playlists_->view()->indexAt(at));
    if (row < 0)
        return;
    music_.choosePlaylist(row);
    const std::vector<bool> enabled = music_.autoMenuEntries();
    for (std::size_t i = 0; i < mcAutoPlaylist.size(); ++i)
        mcAutoPlaylist[i]->setEnabled(enabled[i]);
    mPopupMusic->popup(playlists_->view()->viewport()->mapToGlobal(at));
}

bool MusicPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress && watched == binder_.widget(chkSound[4]))
        return !music_.pressAutoMode();
    return QWidget::eventFilter(watched, event);
}

void MusicPanel::NewPlaylist() {
    if (auto playlist = music_.NewPlaylist())
        showMusicForm(std::move(*playlist));
}

void MusicPanel::OpenPlaylist() {
    if (auto playlist = music_.OpenPlaylist())
        showMusicForm(std::move(*playlist));
}

void MusicPanel::showMusicForm(EditedPlaylist playlist) {
    MusicForm form(
        paths_, iwads_, font_, platform_,
        [this](const std::string& saved) { music_.playlistSaved(saved); }, window());
    form.Open(std::move(playlist));
    form.ShowModal();
    music_.editorClosed(form.playlist().type);
}

// Names are shown as text: upper-cased as text, not byte by byte.
void MusicPanel::DeletePlaylist() {
    if (model_.playlists.currentRow() < 0)
        return;
    music_.DeletePlaylist(ss(qs(model_.playlists.currentText()).toUpper()));
}

} // namespace krv

#include "launcher/music/music_form.h"

#include "launcher/music/playlist_actions.h"
#include "launcher/ui/message_box.h"
#include "launcher/ui/qt_font.h"
#include "launcher/ui/qt_text.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace krv {

namespace {

constexpr int kTracksPerColumn = 9;

QString trackCaption(int index) {
    return QStringLiteral("Track %1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

} // namespace

MusicForm::MusicForm(const InstallPaths& paths, const IwadRegistry& iwads, const FontSetting& font,
                     Platform& platform, std::function<void(const std::string&)> saved,
                     QWidget* owner)
    : QDialog(owner), paths_(paths), iwads_(iwads), font_(font), platform_(platform),
      saved_(std::move(saved)) {
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    MusicLabel = new QLabel(
        QStringLiteral(" Double-click on a map entries to add selections to the playlist"), this);
    MusicList = new QListWidget(this);
    MusicList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    MusicList->setContextMenuPolicy(Qt::CustomContextMenu);
    MenuBar = new QMenuBar(this);
    buildMenus();

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MenuBar);
    layout->addWidget(MusicLabel);
    layout->addWidget(MusicList, 1);
    resize(520, 560);

    connect(MusicList, &QListWidget::itemDoubleClicked, this, [this] { AddMusic(); });
    connect(MusicList, &QListWidget::customContextMenuRequested, this, [this](QPoint at) {
        CheckPopupMenu();
        mHidden->popup(MusicList->viewport()->mapToGlobal(at));
    });
    applyLauncherFont(this, font_);
}

void MusicForm::buildMenus() {
    QMenu* file = MenuBar->addMenu(QStringLiteral("&File"));
    mSave = file->addAction(QStringLiteral("&Save"));
    mExit = file->addAction(QStringLiteral("E&xit"));
    mOptions = MenuBar->addMenu(QStringLiteral("&Options"));
    mMap = mOptions->addAction(QStringLiteral("&Toggle map types"));
    mClone = mOptions->addAction(QStringLiteral("&Clone playlist"));
    mTextEdit = mOptions->addAction(QStringLiteral("&Exit out to notepad"));
    mHelp = MenuBar->addAction(QStringLiteral("&Help"));
    mReadme = MenuBar->addAction(QStringLiteral("&Readme"));

    mHidden = new QMenu(this);
    mMusic = mHidden->addAction(QStringLiteral("Add or replace &music"));
    mCD = mHidden->addMenu(QStringLiteral("Add or replace &CD track "));
    // The 36 tracks stand in columns of nine.
    auto* grid = new QWidget(mCD);
    auto* columns = new QGridLayout(grid);
    columns->setSpacing(0);
    columns->setContentsMargins(2, 2, 2, 2);
    for (int i = 0; i < int(rTrack.size()); ++i) {
        rTrack[std::size_t(i)] = new QAction(trackCaption(i), this);
        auto* button = new QToolButton(grid);
        button->setDefaultAction(rTrack[std::size_t(i)]);
        button->setAutoRaise(true);
        columns->addWidget(button, i % kTracksPerColumn, i / kTracksPerColumn);
        connect(rTrack[std::size_t(i)], &QAction::triggered, this, [this, i] {
            mHidden->close();
            ChooseCdTrack(i);
        });
    }
    auto* tracks = new QWidgetAction(mCD);
    tracks->setDefaultWidget(grid);
    mCD->addAction(tracks);
    mRemove = mHidden->addAction(QStringLiteral("&Remove selection"));
    mAll = mHidden->addAction(QStringLiteral("Remove &all"));

    connect(mSave, &QAction::triggered, this, [this] { SaveList(playlist_.name); });
    connect(mExit, &QAction::triggered, this, &QDialog::reject);
    connect(mOptions, &QMenu::aboutToShow, this, &MusicForm::CheckOptionsMenu);
    connect(mMap, &QAction::triggered, this, &MusicForm::ToggleMap);
    connect(mClone, &QAction::triggered, this, &MusicForm::Clone);
    connect(mTextEdit, &QAction::triggered, this, &MusicForm::ExitToTextEditor);
    connect(mHelp, &QAction::triggered, this, &MusicForm::OpenHelp);
    connect(mReadme, &QAction::triggered, this, &MusicForm::OpenReadme);
    connect(mMusic, &QAction::triggered, this, &MusicForm::AddMusic);
    connect(mRemove, &QAction::triggered, this, &MusicForm::RemoveSelection);
    connect(mAll, &QAction::triggered, this, &MusicForm::RemoveAll);
}

void MusicForm::Open(EditedPlaylist playlist) {
    playlist_ = std::move(playlist);
    setWindowTitle(qs("Opening " + playlist_.name));
    playlist_.artistFolder = GetListPath(paths_, playlist_.name, playlist_.artistFolder);
    if (playlist_.isNew) {
        PlaylistLines made = newPlaylistTemplate(iwads_);
        playlist_.type = made.type;
        playlist_.lines = std::move(made.lines);
    }
    showLines(-1);
    CheckMenu();
}

void MusicForm::ShowModal() {
    exec();
}

void MusicForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (parentWidget())
        move(centredOver(ownerRect(parentWidget()), frameGeometry().size()));
    CheckMenu();
    setFocus(); // away from the list, so that no line looks chosen
}

void MusicForm::CheckMenu() {
    mReadme->setVisible(readmeFile(playlist_).has_value());
    mHelp->setVisible(playlistHelpFile(paths_).has_value());
}

void MusicForm::CheckOptionsMenu() {
    const bool convertible = canConvert(playlist_);
    mMap->setEnabled(convertible);
    mClone->setEnabled(convertible);
}

void MusicForm::CheckPopupMenu() {
    const int row = MusicList->currentRow();
    mRemove->setEnabled(row >= 0 && playlist_.lines[std::size_t(row)].size() >= 6);
}

// Puts the lines into the list: texts replaced in place while the count
// stays, so that the selection is kept.
void MusicForm::showLines(int selectRow) {
    if (MusicList->count() != int(playlist_.lines.size())) {
        MusicList->clear();
        for (const std::string& line : playlist_.lines)
            MusicList->addItem(qs(line));
    } else {
        for (int i = 0; i < MusicList->count(); ++i)
            MusicList->item(i)->setText(qs(playlist_.lines[std::size_t(i)]));
    }
    if (selectRow >= 0)
        MusicList->setCurrentRow(selectRow);
}

void MusicForm::changed() {
    playlist_.unsaved = true;
}

void MusicForm::replaceCurrentLine(const std::string& line) {
    const int row = MusicList->currentRow();
    playlist_.lines[std::size_t(row)] = line;
    showLines(row);
}

void MusicForm::AddMusic() {
    const int row = MusicList->currentRow();
    if (row < 0 || !takesMusic(playlist_.lines[std::size_t(row)]))
        return;
    std::string folder = readLastMusicFolder(paths_);
    const auto chosen = platform_.openFile(addMusicRequest(paths_, folder));
    if (chosen) {
        const AddedMusic added = addMusicFile(paths_, playlist_.lines[std::size_t(row)], *chosen);
        if (added.refusal) {
            platform_.showMessage(added.refusal->text, added.refusal->style, added.refusal->title);
            return;
        }
        folder = added.folder;
        replaceCurrentLine(added.line);
    }
    changed();
    writeLastMusicFolder(paths_, folder);
}

void MusicForm::ChooseCdTrack(int index) {
    if (MusicList->currentRow() < 0)
        return;
    replaceCurrentLine(
        cdTrackLine(playlist_.lines[std::size_t(MusicList->currentRow())], index + 1));
    changed();
}

void MusicForm::RemoveSelection() {
    for (const QModelIndex& index : MusicList->selectionModel()->selectedRows()) {
        std::string& line = playlist_.lines[std::size_t(index.row())];
        line = withoutMusic(line);
    }
    showLines(-1);
    changed();
}

void MusicForm::RemoveAll() {
    for (std::string& line : playlist_.lines)
        line = withoutMusic(line);
    showLines(-1);
    changed();
}

void MusicForm::ToggleMap() {
    krv::ToggleMap(playlist_);
    showLines(-1);
}

void MusicForm::Clone() {
    const PlaylistMessage question = cloneQuestion();
    if (platform_.showMessage(question.text, question.style, question.title) != msg::kResultYes)
        return;
    krv::Clone(playlist_);
    showLines(-1);
}

void MusicForm::SaveList(const std::string& name) {
    ensureMusicFolder(paths_);
    if (!name.empty()) {
        // A playlist longer than the editor reads keeps its unread lines.
        const IoStatus written =
            playlist_.restAt
                ? writePlaylistKeepingRest(paths_, name, playlist_.lines, *playlist_.restAt)
                : writePlaylist(paths_, name, playlist_.lines);
        if (written != IoStatus::Ok) {
            const PlaylistMessage failed = saveFailedMessage();
            platform_.showMessage(failed.text, failed.style, failed.title);
            return;
        }
        playlist_.unsaved = false;
        playlist_.converted = false;
        playlist_.isNew = false;
    }
    if (saved_)
        saved_(name);
}

void MusicForm::ExitToTextEditor() {
    const std::vector<std::string> commands = textEditorCommands(paths_, playlist_.name);
    if (commands.empty())
        return;
    // The changes made here are left unsaved: the file is edited as it is.
    skipClosingQuestions_ = true;
    reject();
    for (const std::string& command : commands)
        if (platform_.startProcess(command, paths_.root))
            break;
}

void MusicForm::OpenHelp() {
    if (const auto file = playlistHelpFile(paths_))
        platform_.startProcess(notepadCommand(*file), paths_.root);
}

void MusicForm::OpenReadme() {
    if (const auto file = readmeFile(playlist_))
        platform_.startProcess(notepadCommand(*file), paths_.root);
}

void MusicForm::done(int result) {
    if (!skipClosingQuestions_)
        if (const auto question = closingQuestion(playlist_);
            question && platform_.showMessage(question->text, question->style, question->title) ==
                            msg::kResultYes)
            SaveList(playlist_.name);
    skipClosingQuestions_ = false;
    playlist_.unsaved = false;
    playlist_.converted = false;
    playlist_.isNew = false;
    QDialog::done(result);
}

} // namespace krv

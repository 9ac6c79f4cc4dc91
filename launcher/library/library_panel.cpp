#include "launcher/library/library_panel.h"

#include "launcher/library/library_controls.h"
#include "launcher/options/option_controls.h"
#include "launcher/ui/list_binder.h"
#include "launcher/ui/panel_controls.h"
#include "launcher/ui/qt_text.h"
#include "launcher/ui/twips.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace krv {

using namespace ids;

LibraryPanel::LibraryPanel(Part part, LibraryController& library, SessionModel& model,
                           ControlBinder& binder, QWidget* parent)
    : QWidget(parent), library_(library), binder_(binder) {
    switch (part) {
    case Part::Views:
        buildViews();
        break;
    case Part::Games:
        buildGames(model);
        break;
    case Part::Files:
        buildFiles(model);
        break;
    }
}

std::vector<std::string> LibraryPanel::droppedLocalFiles(const QMimeData& data) {
    std::vector<std::string> files;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            return {};
        files.push_back(ss(url.toLocalFile()));
    }
    return files;
}

// The view buttons; "Advanced options" switches the layouts, so it stays
// reachable in both: beside them.
void LibraryPanel::buildViews() {
    auto* views = new QHBoxLayout(this);
    views->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i)
        views->addWidget(bound<QRadioButton>(binder_, OptionUdir[i], this));
    views->addStretch();
    auto* scripted = bound<QToolButton>(binder_, ImageCM, this);
    scripted->setCheckable(true);
    views->addWidget(scripted);
    views->addWidget(bound<QCheckBox>(binder_, chkMain[2], this));
}

QMenu* LibraryPanel::menu(std::initializer_list<ControlId> entries) {
    auto* popup = new QMenu(this);
    for (ControlId id : entries) {
        QAction* entry = id.name.substr(0, 3) == "sep" || id.name.substr(0, 3) == "Sep"
                             ? popup->addSeparator()
                             : popup->addAction(QString());
        binder_.bind(id, entry);
    }
    return popup;
}

void LibraryPanel::buildGames(SessionModel& model) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* head = new QHBoxLayout;
    header_ = boundHeader(binder_, Auto[0], this);
    head->addWidget(header_);
    auto* filter = bound<QLineEdit>(binder_, GamesFilter, this);
    filter->setPlaceholderText(QStringLiteral("Filter"));
    filter->setAccessibleName(QStringLiteral("Filter games"));
    addClearButton(filter);
    filter_ = filter;
    head->addWidget(filter, 1);
    column->addLayout(head);
    QListView* games = boundListView(binder_, PwadList, this);
    column->addWidget(games, 1);
    list_ = new ListBinder(model.games, games, true, this);
    list_->model()->setHelp([this](int row) { return library_.gameHelpText(row); });
    connect(list_, &ListBinder::stateShown, this, &LibraryPanel::listShown);
    gamesMenu_ =
        menu({mcDeleteFolder, mcRenameFolder, Sep3, mcUdirConvert, mcGwadConvert, mcShowReadme});
    zipsMenu_ =
        menu({mcUdirUnZip, sep1, mcRenameArchive, mcDeleteArchive, mcGwadUnZip, mcZipReadme});
    const std::pair<ControlId, void (LibraryController::*)()> commands[] = {
        {mcDeleteFolder, &LibraryController::UninstallGame},
        {mcRenameFolder, &LibraryController::RenameGame},
        {mcGwadConvert, &LibraryController::ConvertToAuto},
        {mcUdirConvert, &LibraryController::ConvertToManual},
        {mcUdirUnZip, &LibraryController::InstallZipAsManual},
        {mcGwadUnZip, &LibraryController::InstallZipAsAuto},
        {mcRenameArchive, &LibraryController::RenameArchive},
        {mcDeleteArchive, &LibraryController::DeleteArchive},
        {mcShowReadme, &LibraryController::ShowReadme},
        {mcZipReadme, &LibraryController::ShowReadme},
    };
    for (const auto& [entry, command] : commands)
        connect(findChild<QAction*>(QString::fromStdString(entry.objectName())),
                &QAction::triggered, this, [this, command = command] { (library_.*command)(); });
    games->viewport()->installEventFilter(this);
    header_->installEventFilter(this);
    filter->installEventFilter(this);
}

void LibraryPanel::buildFiles(SessionModel& model) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(boundHeader(binder_, Auto[1], this));
    QListView* files = boundListView(binder_, PwadShowlist, this);
    column->addWidget(files, 1);
    list_ = new ListBinder(model.gameFiles, files, false, this);
    connect(list_, &ListBinder::stateShown, this, &LibraryPanel::listShown);
    connect(list_, &ListBinder::rowClicked, this, [this] { library_.clickGameFile(); });
    connect(list_, &ListBinder::rowDoubleClicked, this,
            [this](int row) { library_.openGameFile(row); });
    filesMenu_ = menu({mcDeleteFile});
    connect(findChild<QAction*>(QStringLiteral("mcDeleteFile")), &QAction::triggered, this,
            [this] { library_.DeleteGameFile(); });
    files->viewport()->installEventFilter(this);
}

// Right-button releases over the games list and the game files list offer
// their task menus; the header toggles the scripted-map filter as the
// picture does; Escape clears the filter.
bool LibraryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filter_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        binder_.controls().setText(GamesFilter, "");
        return true;
    }
    if (watched == header_) {
        gamesHeaderEvent(event);
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (filesMenu_) {
        if (press) {
            const int row = list_->rowOfIndex(list_->view()->indexAt(mouse->position().toPoint()));
            library_.pressGameFile(row, mouse->button() == Qt::LeftButton);
        } else if (library_.releaseGameFile(mouse->button() == Qt::RightButton)) {
            filesMenu_->popup(mouse->globalPosition().toPoint());
        }
    } else if (!press && mouse->button() == Qt::RightButton) {
        const LibraryController::Menu shown = library_.gamesMenu();
        if (shown != LibraryController::Menu::None)
            (shown == LibraryController::Menu::Games ? gamesMenu_ : zipsMenu_)
                ->popup(mouse->globalPosition().toPoint());
    }
    return QWidget::eventFilter(watched, event);
}

// The scripted-map button dips while the header is held down.
void LibraryPanel::gamesHeaderEvent(QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    if ((!press && event->type() != QEvent::MouseButtonRelease) ||
        !library_.scriptedFilterReachable())
        return;
    if (QWidget* button = binder_.widget(ImageCM))
        button->move(button->x(),
                     button->y() + (press ? -1 : +1) * twipsToPixels(20, logicalDpiY()));
    if (!press)
        library_.ToggleScriptedFilter();
}

} // namespace krv

// The main window's help texts: installed from the table of texts, and all
// removed while the player has switched them off; and the player's guide.

#include "launcher/mainwindow/main_form.h"

#include "launcher/music/music_panel.h"
#include "launcher/ui/help_texts.h"

#include "common/strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <cstring>
#include <functional>
#include <map>
#include <string>

namespace krv {

namespace {

template <std::size_t N> QWidget* at(const std::array<auto*, N>& controls, int index) {
    return index >= 0 && index < static_cast<int>(N) ? controls[static_cast<std::size_t>(index)]
                                                     : nullptr;
}

// Tooltips show lines broken where the text breaks them.
QString tipText(const char* text) {
    return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

// The control a help text names, by its name and array index.
QWidget* MainForm::helpTarget(const char* control, int index) {
    const std::map<std::string, std::function<QWidget*()>> controls = {
        {"chkLaunchPrefs", [&] { return at(chkLaunchPrefs, index); }},
        {"AuxButton", [&] { return at(AuxButton, index); }},
        {"SkillsLevel", [&] { return at(inspect_->SkillsLevel, index); }},
        {"OptionUdir", [&] { return at(library_->OptionUdir, index); }},
        {"ExitOption", [&] { return at(launch_->ExitOption, index); }},
        {"Home", [&] { return at(Home, index); }},
        {"Auto", [&] { return at(library_->Auto, index); }},
        {"LaunchButton", [&] { return launch_->LaunchButton; }},
        {"edCustom", [&] { return launch_->edCustom; }},
        {"SelButton", [&] { return launch_->SelButton; }},
        {"PreviewLine", [&] { return launch_->PreviewLine; }},
        {"CopyCommand", [&] { return launch_->CopyCommand; }},
        {"MapList", [&] { return inspect_->MapList; }},
        {"SaveGameList", [&] { return inspect_->SaveGameList; }},
        {"TitlePic", [&] { return TitlePic; }},
        {"ImageCM", [&] { return library_->ImageCM; }},
    };
    const auto found = controls.find(control);
    if (found != controls.end())
        return found->second();
    // The controls shown from the session model carry their names.
    return findChild<QWidget*>(QString::fromStdString(ControlId{control, index}.objectName()));
}

void MainForm::ToolTipText() {
    for (const auto* table : mainWindowHelpTables())
        for (const HelpText& help : *table)
            if (QWidget* target = helpTarget(help.control, help.index))
                target->setToolTip(tipText(help.text));
}

void MainForm::KillToolTips() {
    for (const auto* table : mainWindowHelpTables())
        for (const HelpText& help : *table)
            if (QWidget* target = helpTarget(help.control, help.index))
                target->setToolTip({});
}

void MainForm::OpenDocumentation() {
    if (docsFolder_.empty())
        docsFolder_ = state_.paths.root + "/KRV_Docs";
    OpenFileRequest request;
    request.title = "Korvath Documentation";
    request.filter = "Korvath Documentation (*.txt *.htm)";
    request.initialFolder = docsFolder_;
    const auto chosen = platform_.openFile(request);
    if (!chosen)
        return;
    docsFolder_ = folderOfPath(*chosen);
    if (iendsWith(*chosen, ".txt") || iendsWith(*chosen, ".htm"))
        platform_.openDocument(*chosen);
}

} // namespace krv

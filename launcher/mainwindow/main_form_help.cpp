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
        {"chkSound", [&] { return at(options_->chkSound, index); }},
        {"chkGraphics", [&] { return at(options_->chkGraphics, index); }},
        {"chkMain", [&] { return at(options_->chkMain, index); }},
        {"chkEffects", [&] { return at(options_->chkEffects, index); }},
        {"chkKRVOpts", [&] { return at(options_->chkKRVOpts, index); }},
        {"chkLaunchPrefs", [&] { return at(chkLaunchPrefs, index); }},
        {"chkAltModels", [&] { return at(options_->chkAltModels, index); }},
        {"ChkModelOpts", [&] { return at(options_->ChkModelOpts, index); }},
        {"butMusic", [&] { return at(music_->butMusic, index); }},
        {"ButPurge", [&] { return at(options_->ButPurge, index); }},
        {"SkyOpt", [&] { return at(options_->SkyOpt, index); }},
        {"Smoke", [&] { return at(options_->Smoke, index); }},
        {"AuxButton", [&] { return at(AuxButton, index); }},
        {"SkillsLevel", [&] { return at(inspect_->SkillsLevel, index); }},
        {"OptionUdir", [&] { return at(library_->OptionUdir, index); }},
        {"ExitOption", [&] { return at(launch_->ExitOption, index); }},
        {"Home", [&] { return at(Home, index); }},
        {"Auto", [&] { return at(library_->Auto, index); }},
        {"Ricotext", [&] { return options_->Ricotext; }},
        {"cbChannels", [&] { return options_->cbChannels; }},
        {"cbScaler", [&] { return options_->cbScaler; }},
        {"Corpse", [&] { return options_->Corpse; }},
        {"GunSmoke", [&] { return options_->GunSmoke; }},
        {"LaunchButton", [&] { return launch_->LaunchButton; }},
        {"edCustom", [&] { return launch_->edCustom; }},
        {"SelButton", [&] { return launch_->SelButton; }},
        {"PreviewLine", [&] { return launch_->PreviewLine; }},
        {"CopyCommand", [&] { return launch_->CopyCommand; }},
        {"TexPathLabel", [&] { return options_->TexPathLabel; }},
        {"ChkGL", [&] { return options_->ChkGL; }},
        {"chkTesting", [&] { return options_->chkTesting; }},
        {"Timeout", [&] { return options_->Timeout; }},
        {"MapList", [&] { return inspect_->MapList; }},
        {"SaveGameList", [&] { return inspect_->SaveGameList; }},
        {"TitlePic", [&] { return TitlePic; }},
        {"ImageCM", [&] { return library_->ImageCM; }},
    };
    const auto found = controls.find(control);
    return found == controls.end() ? nullptr : found->second();
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

// The main window's help texts: installed from the table of texts, and all
// removed while the player has switched them off.

#include "launcher/mainwindow/main_form.h"

#include "launcher/ui/help_texts.h"

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
        {"chkSound", [&] { return at(chkSound, index); }},
        {"chkGraphics", [&] { return at(chkGraphics, index); }},
        {"chkMain", [&] { return at(chkMain, index); }},
        {"chkEffects", [&] { return at(chkEffects, index); }},
        {"chkKRVOpts", [&] { return at(chkKRVOpts, index); }},
        {"chkLaunchPrefs", [&] { return at(chkLaunchPrefs, index); }},
        {"chkAltModels", [&] { return at(chkAltModels, index); }},
        {"ChkModelOpts", [&] { return at(ChkModelOpts, index); }},
        {"butMusic", [&] { return at(butMusic, index); }},
        {"ButPurge", [&] { return at(ButPurge, index); }},
        {"SkyOpt", [&] { return at(SkyOpt, index); }},
        {"Smoke", [&] { return at(Smoke, index); }},
        {"AuxButton", [&] { return at(AuxButton, index); }},
        {"SkillsLevel", [&] { return at(SkillsLevel, index); }},
        {"OptionUdir", [&] { return at(OptionUdir, index); }},
        {"ExitOption", [&] { return at(ExitOption, index); }},
        {"Home", [&] { return at(Home, index); }},
        {"Auto", [&] { return at(Auto, index); }},
        {"Ricotext", [&] { return Ricotext; }},
        {"cbChannels", [&] { return cbChannels; }},
        {"cbScaler", [&] { return cbScaler; }},
        {"Corpse", [&] { return Corpse; }},
        {"GunSmoke", [&] { return GunSmoke; }},
        {"LaunchButton", [&] { return LaunchButton; }},
        {"edCustom", [&] { return edCustom; }},
        {"SelButton", [&] { return SelButton; }},
        {"TexPathLabel", [&] { return TexPathLabel; }},
        {"ChkGL", [&] { return ChkGL; }},
        {"chkTesting", [&] { return chkTesting; }},
        {"Timeout", [&] { return Timeout; }},
        {"MapList", [&] { return MapList; }},
        {"SaveGameList", [&] { return SaveGameList; }},
        {"TitlePic", [&] { return TitlePic; }},
        {"ImageCM", [&] { return ImageCM; }},
    };
    const auto found = controls.find(control);
    return found == controls.end() ? nullptr : found->second();
}

void MainForm::ToolTipText() {
    for (const auto* table : {&mainWindowHelpTexts(), &mainWindowStandardTips()})
        for (const HelpText& help : *table)
            if (QWidget* target = helpTarget(help.control, help.index))
                target->setToolTip(tipText(help.text));
}

void MainForm::KillToolTips() {
    for (const auto* table : {&mainWindowHelpTexts(), &mainWindowStandardTips()})
        for (const HelpText& help : *table)
            if (QWidget* target = helpTarget(help.control, help.index))
                target->setToolTip({});
}

} // namespace krv

#include "launcher/ui/tips_form.h"

#include "launcher/ui/qt_font.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"
#include "common/text_file.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace krv {

TipsForm::TipsForm(Settings& settings, const InstallPaths& paths, const FontSetting& font,
                   QWidget* owner)
    : QDialog(owner), settings_(settings), paths_(paths), font_(font) {
    setWindowTitle(QStringLiteral("Tips for running the launcher"));
    TipLabel = new QLabel(this);
    TipLabel->setWordWrap(true);
    TipLabel->setMinimumSize(380, 90);
    TipLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TipLabel->setFrameShape(QFrame::StyledPanel);
    TipLabel->setMargin(8);
    NextButton = new QPushButton(QStringLiteral("&Next Tip"), this);
    chkShowTips = new QCheckBox(QStringLiteral("&Show Tips at Startup"), this);
    chkShowTips->setChecked(settings_.tipOfTheDay);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkShowTips);
    buttons->addStretch();
    buttons->addWidget(NextButton);
    buttons->addWidget(OKButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TipLabel, 1);
    layout->addLayout(buttons);
    connect(NextButton, &QPushButton::clicked, this, &TipsForm::NextTip);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(chkShowTips, &QCheckBox::toggled, this, [this](bool on) {
        settings_.tipOfTheDay = on;
        if (!on)
            emit tipsSwitchedOff();
    });
    applyLauncherFont(this, font_);

    // A tips file that is no regular file or is far too long counts as missing.
    const TextLines file = readTextLines(paths_.dataFolder + "tips.txt", kListFileLimit);
    if (file.status != IoStatus::Ok) {
        TipLabel->setText(QStringLiteral("That the tips.txt file was not found? \n\nThis file was "
                                         "placed in the KRVLaunch\\Data folder when Korvath was "
                                         "originally installed."));
        return;
    }
    tips_ = file.lines;
    NextTip();
}

void TipsForm::NextTip() {
    if (!tips_)
        return;
    // Past the last tip (and with none at all) the count starts again at 1.
    std::int32_t& number = settings_.tipNumber;
    number = number >= 0 && number < static_cast<std::int32_t>(tips_->size()) ? number + 1 : 1;
    const auto shown = static_cast<std::size_t>(number - 1);
    TipLabel->setText(shown < tips_->size() ? qs((*tips_)[shown]) : QString());
}

} // namespace krv

#include "launcher/ui/tex_form.h"

#include "launcher/options/texture_path.h"
#include "launcher/ui/qt_font.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace krv {

TexForm::TexForm(Settings& settings, const InstallPaths& paths, const FontSetting& font,
                 Platform& platform, std::string& shownText, QWidget* owner)
    : QDialog(owner), settings_(settings), paths_(paths), font_(font), platform_(platform),
      shownText_(shownText) {
    setWindowTitle(QStringLiteral("Custom Hi-Res Textures and Patches Location"));
    auto* frame = new QGroupBox(QStringLiteral("  Location of Parent Directory "), this);
    HiResText = new QLineEdit(frame);
    HiResText->setMinimumWidth(360);
    TexButton = new QPushButton(QStringLiteral("Browse..."), frame);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(HiResText, 1);
    row->addWidget(TexButton);
    auto* important = new QLabel(QStringLiteral("IMPORTANT"), this);
    QFont bold = important->font();
    bold.setBold(true);
    important->setFont(bold);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(important);
    layout->addWidget(new QLabel(QStringLiteral("Both textures and patches folders need to be "
                                                "located in the same parent directory"),
                                 this));
    layout->addWidget(
        new QLabel(QStringLiteral("An example of this could be D:\\Doom\\Hires Stuff"), this));
    layout->addWidget(OKButton, 0, Qt::AlignRight);
    if (!settings_.disableTooltips) {
        TexButton->setToolTip(QStringLiteral("Browse for a custom hires texture folder."));
        HiResText->setToolTip(QStringLiteral("Specify a custom hi-res texture path, as a rule\n"
                                             "you don't need to worry about this as the default\n"
                                             "paths used by the pack installation are adequate."));
    }
    connect(TexButton, &QPushButton::clicked, this, &TexForm::TexButtonClick);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    applyLauncherFont(this, font_);
    if (!checkAndShow(settings_.texturePath))
        ci::removeFile(paths_.dataFolder + "texpath.krv");
}

// Checks `remembered` (or else the text shown), shows the folder or why it
// cannot be used, and keeps the result as the texture path.
bool TexForm::checkAndShow(const std::string& remembered) {
    const TexturePathAnswer answer = checkTexturePath(paths_.root, remembered, shownText_);
    shownText_ = answer.usable ? answer.path : kTexturePathInvalid;
    keepTexturePath(answer);
    HiResText->setText(qs(shownText_));
    return answer.usable;
}

// The path in memory is what "texpath.krv" holds: an unusable folder is no
// longer remembered, so the command line cannot pass it.
void TexForm::keepTexturePath(const TexturePathAnswer& answer) {
    settings_.texturePath = answer.usable ? answer.path : std::string();
}

void TexForm::TexButtonClick() {
    const auto chosen = platform_.browseForFolder(textureBrowseText(settings_.texturePath));
    if (!chosen)
        return;
    shownText_ = *chosen;
    if (!checkAndShow(*chosen)) {
        ci::removeFile(paths_.dataFolder + "texpath.krv");
        emit texturesUnavailable();
    }
}

void TexForm::done(int result) {
    shownText_ = HiResText->text().toStdString();
    const TexturePathAnswer answer = checkTexturePath(paths_.root, shownText_, shownText_);
    keepTexturePath(answer);
    storeTexturePath(paths_.root, paths_.dataFolder, answer);
    QDialog::done(result);
}

} // namespace krv

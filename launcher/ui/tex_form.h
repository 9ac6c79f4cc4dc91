#pragma once
// TexForm ("Custom Hi-Res Textures and Patches Location"): a custom parent
// folder of the high-resolution textures and patches, checked and kept in
// "texpath.krv" while it differs from the installation's own.

#include "launcher/options/texture_path.h"
#include "launcher/platform/platform.h"
#include "launcher/startup/install_paths.h"
#include "launcher/startup/settings.h"
#include "launcher/ui/launcher_font.h"

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace krv {

class TexForm : public QDialog {
    Q_OBJECT
public:
    // `shownText` is the folder text the dialog showed last.
    TexForm(Settings& settings, const InstallPaths& paths, const FontSetting& font,
            Platform& platform, std::string& shownText, QWidget* owner = nullptr);

    void TexButtonClick();

    QLineEdit* HiResText;
    QPushButton* TexButton;
    QPushButton* OKButton;

signals:
    // The chosen folder is unusable: the high-resolution texture options go.
    void texturesUnavailable();

protected:
    void done(int result) override;

private:
    bool checkAndShow(const std::string& remembered);
    void keepTexturePath(const TexturePathAnswer& answer);

    Settings& settings_;
    const InstallPaths& paths_;
    const FontSetting& font_;
    Platform& platform_;
    std::string& shownText_;
};

} // namespace krv

#include "launcher/ui/qt_font.h"

#include <QWidget>

namespace krv {

namespace {

void applyTo(QWidget* control, const FontSetting& font) {
    QFont f = control->font();
    f.setFamily(QString::fromStdString(font.name));
    if (font.bold)
        f.setBold(true);
    if (font.size > 0)
        f.setPointSize(font.size);
    control->setFont(f);
}

} // namespace

void applyLauncherFont(QWidget* form, const FontSetting& font) {
    if (!font.isSet())
        return;
    applyTo(form, font);
    for (QWidget* control : form->findChildren<QWidget*>())
        applyTo(control, font);
}

} // namespace krv

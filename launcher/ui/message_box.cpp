#include "launcher/ui/message_box.h"

#include "launcher/platform/platform.h"
#include "launcher/ui/qt_text.h"

#include <QMessageBox>
#include <QShowEvent>

namespace krv {

QPoint centredOver(const QRect& owner, const QSize& boxSize) {
    return {owner.left() + (owner.width() - boxSize.width()) / 2,
            owner.top() + (owner.height() - boxSize.height()) / 2};
}

QRect ownerRect(const QWidget* owner) {
    if (!owner)
        return {};
    return owner->isMinimized() ? owner->normalGeometry() : owner->frameGeometry();
}

namespace {

// Moves itself over the owner once its final size is known.
class CentredMessageBox : public QMessageBox {
public:
    CentredMessageBox(QWidget* owner) : QMessageBox(owner), owner_(owner) {}

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        if (owner_)
            move(centredOver(ownerRect(owner_), frameGeometry().size()));
    }

private:
    QWidget* owner_;
};

QMessageBox::Icon iconFor(int style) {
    switch (style & 0x70) {
    case msg::kCritical:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case msg::kExclamation:
        return QMessageBox::Warning;
    case msg::kInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int showCentredMessage(QWidget* owner, const std::string& text, int style,
                       const std::string& title) {
    CentredMessageBox box(owner);
    box.setWindowTitle(qs(title));
    box.setText(qsLines(text));
    box.setIcon(iconFor(style));
    const bool yesNo = (style & 0xF) == 4;
    if (yesNo)
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    else
        box.setStandardButtons(QMessageBox::Ok);
    if (style & msg::kSystemModal)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowModality(Qt::ApplicationModal);
    const int pressed = box.exec();
    if (yesNo)
        return pressed == QMessageBox::Yes ? msg::kResultYes : msg::kResultNo;
    return msg::kResultOk;
}

} // namespace krv

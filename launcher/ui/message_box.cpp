#include "launcher/ui/message_box.h"

#include "launcher/platform/platform.h"
#include "launcher/ui/qt_text.h"

#include <QMessageBox>
#include <QShowEvent>
#include <QTimer>

namespace krv {

QPoint centredOver(const QRect& owner, const QSize& boxSize) {
    return {owner.left() + (owner.width() - boxSize.width()) / 2,
            owner.top() + (owner.height() - boxSize.height()) / 2};
}

QRect ownerRect(const QWidget* owner) {
    if (!owner)
        return {};
    if (!owner->isMinimized())
        return owner->frameGeometry();
    // The normal rectangle of a minimised window, with its frame.
    const QRect frame = owner->frameGeometry();
    const QRect client = owner->geometry();
    return owner->normalGeometry().adjusted(
        frame.left() - client.left(), frame.top() - client.top(), frame.right() - client.right(),
        frame.bottom() - client.bottom());
}

namespace {

// Moves itself over the owner once its final size is known.
class CentredMessageBox : public QMessageBox {
public:
    CentredMessageBox(QWidget* owner) : QMessageBox(owner), owner_(owner) {}

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        centre();
        // The window system may still adjust the frame after the show.
        QTimer::singleShot(0, this, [this] { centre(); });
    }
    // The box may settle its size after it is shown; keep it centred.
    void resizeEvent(QResizeEvent* event) override {
        QMessageBox::resizeEvent(event);
        if (isVisible())
            centre();
    }

private:
    void centre() {
        if (owner_)
            move(centredOver(ownerRect(owner_), frameGeometry().size()));
    }

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

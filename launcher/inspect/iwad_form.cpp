#include "launcher/inspect/iwad_form.h"

#include "launcher/ui/qt_font.h"

#include "launcher/ui/message_box.h"
#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"
#include "common/strings.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace krv {

namespace {

const char* const kWarningTexts[4] = {
    "IMPORTANT:",
    "No Iwad locations were detected, read the launcher docs for ",
    "a list of compliant locations. Alternatively you can add your own",
    "user defined locations by using the 'Add Iwad' button below.",
};

const char* const kNotAnIwad = "This does not appear to be a correct Doom Iwad.   ";
const char* const kNotAnIwadTitle = " Iwad selection";
const char* const kNoIwadsQuestion =
    "The Iwad locations must be set for the Launcher to function.    \r\n"
    "      Do you still wish to exit the KRVLauncher setup?";
const char* const kNoIwadsTitle = "Configuration error";

// A slot: a sunken field that shows a full path, eliding the middle of one
// too long for the field. Its text stays the full path.
class PathLabel : public QLabel {
public:
    explicit PathLabel(QWidget* parent) : QLabel(parent) {
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
        setMargin(0);
        setIndent(6);
        setTextInteractionFlags(Qt::NoTextInteraction);
    }

    QSize sizeHint() const override {
        const QFontMetrics fm = fontMetrics();
        return {fm.averageCharWidth() * 48, fm.height() + 10};
    }
    QSize minimumSizeHint() const override {
        const QFontMetrics fm = fontMetrics();
        return {fm.averageCharWidth() * 20, fm.height() + 10};
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect area = contentsRect().adjusted(indent(), 0, -indent(), 0);
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
        painter.setPen(
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
};

} // namespace

IwadForm::IwadForm(IwadRegistry& iwads, const InstallPaths& paths, const Settings& settings,
                   const FontSetting& font, Platform& platform, IwadFormHost& host, QWidget* owner)
    : QDialog(owner), iwads_(iwads), paths_(paths), settings_(settings), font_(font),
      platform_(platform), host_(host), env_(processEnvironment()) {
    setWindowTitle(QStringLiteral("Iwad Locations"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
}

// The dialog's controls are built when it is first shown: most starts never
// show it, and measuring its texts cost the main window's first paint.
void IwadForm::ensureBuilt() {
    if (built())
        return;
    buildControls();
    showSlots();
    setWarningShown(warningShown_);
    disableAddWhenFull();
    applyLauncherFont(this, font_);
}

void IwadForm::buildControls() {
    auto* listFrame = new QGroupBox(QStringLiteral(" Iwad files "), this);

    // The slots and the warning share one place; one of them is shown.
    auto* slotsPanel = new QWidget(listFrame);
    auto* slotsLayout = new QVBoxLayout(slotsPanel);
    slotsLayout->setContentsMargins(0, 0, 0, 0);
    slotsLayout->setSpacing(6);
    for (int i = 0; i < kIwadSlotCount; ++i) {
        ShowIwads[i] = new PathLabel(slotsPanel);
        ShowIwads[i]->setObjectName(QStringLiteral("ShowIwads%1").arg(i));
        slotsLayout->addWidget(ShowIwads[i]);
    }

    IwadsWarning = new QFrame(listFrame);
    IwadsWarning->setObjectName(QStringLiteral("IwadsWarning"));
    IwadsWarning->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* warningLayout = new QVBoxLayout(IwadsWarning);
    warningLayout->setContentsMargins(12, 8, 12, 8);
    warningLayout->setSpacing(2);
    for (int i = 0; i < 4; ++i) {
        Warning[i] = new QLabel(QString::fromLatin1(kWarningTexts[i]), IwadsWarning);
        Warning[i]->setObjectName(QStringLiteral("Warning%1").arg(i));
        Warning[i]->setCursor(Qt::PointingHandCursor);
        Warning[i]->installEventFilter(this);
        warningLayout->addWidget(Warning[i]);
    }
    QFont important = Warning[0]->font();
    important.setBold(true);
    Warning[0]->setFont(important);
    QPalette alert = Warning[0]->palette();
    alert.setColor(QPalette::WindowText, QColor(0xB0, 0x10, 0x10));
    Warning[0]->setPalette(alert);
    warningLayout->addStretch();

    auto* shared = new QGridLayout(listFrame);
    shared->addWidget(slotsPanel, 0, 0);
    shared->addWidget(IwadsWarning, 0, 0);
    // Hidden widgets do not count in a layout: keep the size of the larger
    // of the two so that the dialog does not change when they change places.
    const QSize size = slotsPanel->sizeHint().expandedTo(IwadsWarning->sizeHint());
    slotsPanel->setMinimumSize(size);
    IwadsWarning->setMinimumSize(size);
    IwadsWarning->hide();

    butSearchIwad = new QPushButton(QStringLiteral("Search"), this);
    butReset = new QPushButton(QStringLiteral("Reset"), this);
    butAddIwad = new QPushButton(QStringLiteral("Add Iwad"), this);
    butOK = new QPushButton(QStringLiteral("OK"), this);
    butOK->setDefault(true);
    const int buttonWidth = std::max(90, fontMetrics().horizontalAdvance(butAddIwad->text()) + 32);
    for (QPushButton* button : {butSearchIwad, butReset, butAddIwad, butOK}) {
        button->setMinimumWidth(buttonWidth);
        button->setAutoDefault(button == butOK);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(butSearchIwad);
    buttons->addWidget(butReset);
    buttons->addWidget(butAddIwad);
    buttons->addStretch();
    buttons->addWidget(butOK);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(listFrame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(butSearchIwad, &QPushButton::clicked, this, [this] { butSearchIwadClick(); });
    connect(butReset, &QPushButton::clicked, this, [this] { butResetClick(); });
    connect(butAddIwad, &QPushButton::clicked, this, [this] { butAddIwadClick(); });
    connect(butOK, &QPushButton::clicked, this, [this] { butOKClick(); });
}

void IwadForm::DetectIwads() {
    const bool noneFound = registerIwadsAtStartup(iwads_, paths_.root, paths_.dataFolder, env_);
    showSlots();
    setWarningShown(noneFound);
    disableAddWhenFull();
}

void IwadForm::ShowModal() {
    ensureBuilt();
    exec();
}

bool IwadForm::ShowIfNoIwads() {
    if (!iwads_.slotPaths[0].empty())
        return false;
    ShowModal();
    return true;
}

void IwadForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    applyToolTips();
    disableAddWhenFull();
    if (parentWidget())
        move(centredOver(ownerRect(parentWidget()), frameGeometry().size()));
}

void IwadForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        applyToolTips();
}

void IwadForm::applyToolTips() {
    if (settings_.disableTooltips)
        KillToolTips();
    else
        ToolTipText();
}

void IwadForm::ToolTipText() {
    butAddIwad->setToolTip(qsLines("User can add Iwads if a compliant\r\n"
                                   "Iwad location is not detected."));
    butReset->setToolTip(QStringLiteral("Clears Iwad locations from list."));
    butSearchIwad->setToolTip(QStringLiteral("Scan for compliant Iwad locations."));
    butOK->setToolTip(QStringLiteral("Accept changes if any and exit."));
}

void IwadForm::KillToolTips() {
    for (QPushButton* button : {butAddIwad, butReset, butSearchIwad, butOK})
        button->setToolTip(QString());
}

void IwadForm::showSlots() {
    if (!built())
        return;
    for (int i = 0; i < kIwadSlotCount; ++i)
        ShowIwads[i]->setText(qs(iwads_.slotPaths[i]));
}

void IwadForm::setWarningShown(bool shown) {
    warningShown_ = shown;
    if (!built())
        return;
    IwadsWarning->setVisible(shown);
    for (QLabel* slot : ShowIwads)
        slot->setVisible(!shown);
}

void IwadForm::disableAddWhenFull() {
    if (built() && !iwads_.slotPaths[kIwadSlotCount - 1].empty())
        butAddIwad->setEnabled(false);
}

void IwadForm::refillGamesView() {
    if (host_.showsDoomGamesView())
        host_.refillDoomGamesView();
}

void IwadForm::saveIwadsCfg() {
    if (!writeIwadsCfg(iwads_, paths_.dataFolder))
        platform_.showMessage("The Iwad locations could not be saved to iwads.cfg.   ",
                              msg::kCritical, " Access error");
}

void IwadForm::butSearchIwadClick() {
    const bool keepList = searchIwadsFromDialog(iwads_, paths_.root, paths_.dataFolder, env_);
    butAddIwad->setEnabled(true);
    showSlots();
    if (keepList)
        saveIwadsCfg();
    refillGamesView();

    // The warning and the slots share their place: whichever tells the
    // truth after the search is shown.
    setWarningShown(iwads_.slotPaths[0].empty());
    disableAddWhenFull();
    butSearchIwad->setEnabled(false);
}

void IwadForm::butResetClick() {
    setWarningShown(false);
    iwads_.clear();
    showSlots();
    butAddIwad->setEnabled(true);
    deleteIwadsCfg(paths_.dataFolder);
    if (host_.showsDoomGamesView())
        host_.clearDoomGamesView();
    butSearchIwad->setEnabled(true);
}

void IwadForm::butAddIwadClick() {
    IwadRegistry& iwads = iwads_;
    if (iwads.addDialogFolder.empty())
        iwads.addDialogFolder = paths_.root;
    const auto chosen =
        platform_.openFile({"Add an IWAD", "WAD Files (*.wad)", iwads.addDialogFolder});
    if (chosen && !chosen->empty()) {
        const std::string path = ci::nativeSeparators(*chosen);
        const std::string folder = folderOfPath(path);
        if (!folder.empty())
            iwads.addDialogFolder = folder;

        int slot = 0;
        while (slot < kIwadSlotCount && iendsWith(iwads.slotPaths[slot], ".wad"))
            ++slot;
        if (slot == kIwadSlotCount) {
            // Every slot is taken; Add is disabled then, so only a stale
            // click can get here.
            butAddIwad->setEnabled(false);
            return;
        }

        const bool warningWasShown = !IwadsWarning->isHidden();
        iwads.slotPaths[slot] = path;
        setWarningShown(false);
        ShowIwads[slot]->setText(qs(path));
        if (!iwads.CheckIwad(path)) {
            iwads.slotPaths[slot].clear();
            ShowIwads[slot]->clear();
            // Nothing was added: the dialog looks as it did before.
            if (warningWasShown)
                setWarningShown(true);
            platform_.showMessage(kNotAnIwad, msg::kInformation, kNotAnIwadTitle);
            return;
        }
        butSearchIwad->setEnabled(false);
    }
    disableAddWhenFull();
    refillGamesView();
    saveIwadsCfg();
}

void IwadForm::butOKClick() {
    if (!iwads_.slotPaths[0].empty()) {
        // There are no drives here: the current folder stays the
        // installation root the start made it.
        QDialog::accept();
        host_.iwadsAccepted();
        return;
    }
    if (platform_.showMessage(kNoIwadsQuestion, msg::kYesNoQuestion, kNoIwadsTitle) ==
        msg::kResultYes) {
        hide();
        host_.shutdown();
    }
}

void IwadForm::reject() {
    butOKClick();
}

std::string IwadForm::helpFilePath() const {
    return paths_.root + ci::nativeSeparators("/KRV_Docs/Help/Iwad location.txt");
}

void IwadForm::WarningClick() {
    const std::string help = helpFilePath();
    if (!ci::isFile(help))
        return;
    platform_.openDocument(ci::resolve(help)->string());
}

bool IwadForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (QLabel* label : Warning) {
            if (watched == label) {
                WarningClick();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace krv

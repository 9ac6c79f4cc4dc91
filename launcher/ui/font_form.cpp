#include "launcher/ui/font_form.h"

#include "launcher/ui/qt_text.h"

#include "common/ci_path.h"
#include "common/strings.h"
#include "common/text_file.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

namespace krv {

namespace {

void selectText(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchFixedString);
    list->setCurrentItem(found.isEmpty() ? list->item(0) : found.front());
}

// A list as wide as its longest entry and a scroll bar, so that the dialog
// stays narrower than the main window.
void fitWidthToEntries(QListWidget* list, int entryWidth) {
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list->setFixedWidth(entryWidth + 2 * list->frameWidth() + scrollBar + 8);
}

} // namespace

FontForm::FontForm(FontSetting& font, const InstallPaths& paths, bool& restartRequested,
                   QWidget* owner)
    : QDialog(owner), font_(font), paths_(paths), restartRequested_(restartRequested) {
    setWindowTitle(QStringLiteral("Font"));
    ListFont = new QListWidget(this);
    for (const char* font : chooserFonts())
        ListFont->addItem(QString::fromLatin1(font));
    ListStyle = new QListWidget(this);
    ListStyle->addItems({QStringLiteral("Regular"), QStringLiteral("Bold")});
    ListSize = new QListWidget(this);
    PreviewLabel = new QLabel(QStringLiteral("AaBbYyZz  Doom II  MAP01"), this);
    PreviewLabel->setAlignment(Qt::AlignCenter);
    PreviewLabel->setFrameShape(QFrame::StyledPanel);
    PreviewLabel->setMinimumHeight(48);
    const char* captions[] = {"Default", "OK", "Cancel"};
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        FontBut[i] = new QPushButton(QString::fromLatin1(captions[i]), this);
        buttons->addWidget(FontBut[i]);
        if (i == 0)
            buttons->addStretch();
    }
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Font:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Style:"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Size:"), this), 0, 2);
    grid->addWidget(ListFont, 1, 0);
    grid->addWidget(ListStyle, 1, 1);
    grid->addWidget(ListSize, 1, 2);
    grid->addWidget(PreviewLabel, 2, 0, 1, 3);
    grid->addLayout(buttons, 3, 0, 1, 3);
    fitWidthToEntries(ListFont, ListFont->sizeHintForColumn(0));
    fitWidthToEntries(ListStyle, ListStyle->sizeHintForColumn(0));
    fitWidthToEntries(ListSize, ListSize->fontMetrics().horizontalAdvance(QStringLiteral("000")));

    // The current font, "MS Sans Serif" 8 when none is chosen.
    const FontSetting& current = font_;
    selectText(ListFont, current.isSet() ? qs(current.name) : QStringLiteral("MS Sans Serif"));
    ListStyle->setCurrentRow(current.bold ? 1 : 0);
    LoadSizeList();
    selectText(ListSize, QString::number(current.size > 0 ? current.size : 8));
    PreviewFont();
    connect(ListFont, &QListWidget::currentRowChanged, this, [this] {
        LoadSizeList();
        PreviewFont();
    });
    connect(ListStyle, &QListWidget::currentRowChanged, this, &FontForm::PreviewFont);
    connect(ListSize, &QListWidget::currentRowChanged, this, &FontForm::PreviewFont);
    connect(FontBut[0], &QPushButton::clicked, this, &FontForm::chooseDefault);
    connect(FontBut[1], &QPushButton::clicked, this, &FontForm::chooseOk);
    connect(FontBut[2], &QPushButton::clicked, this, &QDialog::reject);
}

void FontForm::LoadSizeList() {
    const QString kept = ListSize->currentItem() ? ListSize->currentItem()->text() : QString();
    ListSize->clear();
    const std::string font = ListFont->currentItem()->text().toStdString();
    for (int size : chooserSizes(font))
        ListSize->addItem(QString::number(size));
    selectText(ListSize, kept);
}

FontSetting FontForm::chosen() const {
    FontSetting font;
    font.name = ListFont->currentItem()->text().toStdString();
    font.size = ListSize->currentItem() ? ListSize->currentItem()->text().toInt() : 0;
    font.bold = ListStyle->currentRow() == 1;
    font.custom = true;
    return font;
}

void FontForm::PreviewFont() {
    if (!ListFont->currentItem())
        return;
    const FontSetting font = chosen();
    QFont preview(qs(font.name));
    if (font.size > 0)
        preview.setPointSize(font.size);
    preview.setBold(font.bold);
    PreviewLabel->setFont(preview);
}

void FontForm::chooseOk() {
    font_ = chosen();
    restartRequested_ = true;
    writeTextLines(ci::resolveForWrite(paths_.launcherFolder + "font.krv"), {fontLine(font_)});
    accept();
    emit restartWanted();
}

void FontForm::chooseDefault() {
    ci::removeFile(paths_.launcherFolder + "font.krv");
    restartRequested_ = true;
    accept();
    emit restartWanted();
}

} // namespace krv

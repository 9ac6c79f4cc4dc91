// The tip of the day and the font chooser, offscreen.
#include "main_form_fixture.h"

#include "launcher/inspect/iwad_form.h"
#include "launcher/options/texture_path.h"
#include "launcher/ui/font_form.h"
#include "launcher/ui/help_tips.h"
#include "launcher/ui/tex_form.h"
#include "launcher/ui/tips_form.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextDocument>
#include <QToolTip>
#include <gtest/gtest.h>

TEST(TipsForm, ShowsTheTipsInTurnGoingOnAfterTheLastShown) {
    Window w;
    writeFile(w.root / "KRVLaunch/Data/tips.txt", "First tip\r\nSecond tip\r\nThird tip\r\n");
    w.state.session.settings.tipNumber = 2;
    TipsForm tips(w.state.session.settings, w.state.paths, w.state.font);
    EXPECT_EQ(tips.windowTitle(), "Tips for running the launcher");
    EXPECT_EQ(tips.TipLabel->text(), "Third tip");
    std::vector<QString> shown;
    for (int i = 0; i < 3; ++i) {
        tips.NextButton->click();
        shown.push_back(tips.TipLabel->text());
    }
    EXPECT_EQ(shown, (std::vector<QString>{"First tip", "Second tip", "Third tip"}));
    EXPECT_EQ(w.state.session.settings.tipNumber, 3);

    QSignalSpy off(&tips, &TipsForm::tipsSwitchedOff);
    tips.chkShowTips->click();
    EXPECT_EQ(off.count(), 1);
    EXPECT_FALSE(w.state.session.settings.tipOfTheDay);
}

TEST(TipsForm, AMissingTipsFileIsExplainedAndAnEmptyOneStartsAgainAtOne) {
    Window w;
    w.state.session.settings.tipNumber = 4;
    {
        TipsForm tips(w.state.session.settings, w.state.paths, w.state.font);
        EXPECT_TRUE(tips.TipLabel->text().startsWith("That the tips.txt file was not found? "));
        tips.NextButton->click(); // nothing to show, nothing breaks
        EXPECT_EQ(w.state.session.settings.tipNumber, 4);
    }
    writeFile(w.root / "KRVLaunch/Data/tips.txt", "");
    TipsForm tips(w.state.session.settings, w.state.paths, w.state.font);
    EXPECT_EQ(w.state.session.settings.tipNumber, 1);
    EXPECT_TRUE(tips.TipLabel->text().isEmpty());
}

TEST(FontForm, OkKeepsTheChosenFontAndAsksForARestart) {
    Window w;
    FontForm chooser(w.state.font, w.state.paths, w.state.startup.restartRequested);
    EXPECT_EQ(chooser.ListFont->currentItem()->text(), "MS Sans Serif");
    EXPECT_EQ(chooser.ListSize->currentItem()->text(), "8");
    chooser.ListFont->setCurrentItem(chooser.ListFont->findItems("Tahoma", Qt::MatchExactly)[0]);
    EXPECT_EQ(chooser.ListSize->count(), 3);
    chooser.ListStyle->setCurrentRow(1);
    chooser.ListSize->setCurrentRow(1);
    EXPECT_TRUE(chooser.PreviewLabel->font().bold());
    QSignalSpy restart(&chooser, &FontForm::restartWanted);
    chooser.FontBut[1]->click();
    EXPECT_EQ(restart.count(), 1);
    EXPECT_TRUE(w.state.startup.restartRequested);
    EXPECT_EQ(krv::readTextLines(w.root / "KRVLaunch/font.krv").lines,
              (std::vector<std::string>{"Tahoma,9,b"}));
    EXPECT_TRUE(w.state.font.isSet());

    FontForm again(w.state.font, w.state.paths, w.state.startup.restartRequested);
    EXPECT_EQ(again.ListFont->currentItem()->text(), "Tahoma");
    again.FontBut[0]->click(); // Default
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/font.krv"));
}

TEST(FontForm, TheMainWindowTakesTheLauncherFontAndRestartsAfterAChange) {
    Window w;
    w.state.font = parseFontLine("Tahoma,9,b");
    w.load();
    EXPECT_EQ(named<QPushButton>(*w.form, "LaunchButton")->font().family(), "Tahoma");
    EXPECT_TRUE(named<QCheckBox>(*w.form, "chkMain", 2)->font().bold());
    EXPECT_EQ(named<QCheckBox>(*w.form, "chkMain", 2)->font().pointSize(), 9);
    w.state.startup.restartRequested = true;
    w.form->close();
    ASSERT_EQ(w.platform.starts.size(), 1u);
    EXPECT_NE(w.platform.starts[0].commandLine.find("/RESTART"), std::string::npos);
}

TEST(TexForm, ShowsTheUsableFolderOrWhyNoneIsAndKeepsACustomOne) {
    Window w;
    std::string shown;
    writeFile(w.root / "KRVLaunch/Data/texpath.krv", "/gone\r\n");
    {
        TexForm dialog(w.state.session.settings, w.state.paths, w.state.font, w.platform, shown);
        EXPECT_EQ(dialog.windowTitle(), "Custom Hi-Res Textures and Patches Location");
        EXPECT_EQ(dialog.HiResText->text(), "Not installed or the specified path is invalid");
        EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/Data/texpath.krv"));

        // A folder without textures, and no installed ones to fall back to.
        fs::create_directories(w.root / "Empty");
        w.platform.folderAnswers.push_back((w.root / "Empty").string());
        QSignalSpy gone(&dialog, &TexForm::texturesUnavailable);
        dialog.TexButton->click();
        EXPECT_EQ(gone.count(), 1);
        EXPECT_EQ(w.platform.folderRequests.back(),
                  textureBrowseText(w.state.session.settings.texturePath));

        fs::create_directories(w.root / "Hires Stuff/Textures");
        w.platform.folderAnswers.push_back((w.root / "Hires Stuff").string());
        dialog.TexButton->click();
        EXPECT_EQ(dialog.HiResText->text().toStdString(), (w.root / "Hires Stuff").string());
        dialog.OKButton->click();
    }
    EXPECT_EQ(krv::readTextLines(w.root / "KRVLaunch/Data/texpath.krv").lines,
              (std::vector<std::string>{(w.root / "Hires Stuff").string()}));

    // The installation's own folder needs no file.
    fs::create_directories(w.root / "Data/Textures");
    TexForm dialog(w.state.session.settings, w.state.paths, w.state.font, w.platform, shown);
    dialog.HiResText->setText(QString::fromStdString((w.root / "Data/Textures").string()));
    dialog.OKButton->click();
    EXPECT_FALSE(fs::exists(w.root / "KRVLaunch/Data/texpath.krv"));
}

TEST(TexForm, BrowseTextShowsShortPathsWithTheirLabel) {
    const std::string title = "Select the new location of your high resolution textures ...";
    EXPECT_EQ(textureBrowseText("/a"), title + "\r\nCurrent Location: /a");
    EXPECT_EQ(textureBrowseText(std::string(35, 'x')),
              title + "\r\nLocation: " + std::string(35, 'x'));
    EXPECT_EQ(textureBrowseText(std::string(45, 'x')), title + "\r\n" + std::string(45, 'x'));
    EXPECT_EQ(textureBrowseText(std::string(50, 'x')), title);
}

TEST(FontForm, TheDialogsTakeTheLauncherFontToo) {
    Window w;
    w.state.font = parseFontLine("Tahoma,10");
    w.load();
    w.form->iwadForm().ensureBuilt();
    EXPECT_EQ(w.form->iwadForm().butOK->font().family(), "Tahoma");
    EXPECT_EQ(w.form->iwadForm().butOK->font().pointSize(), 10);
    TipsForm tips(w.state.session.settings, w.state.paths, w.state.font);
    EXPECT_EQ(tips.OKButton->font().family(), "Tahoma");
}

TEST(FontForm, TheChooserIsNarrowerThanTheMainWindow) {
    Window w;
    w.load();
    FontForm chooser(w.state.font, w.state.paths, w.state.startup.restartRequested, w.form.get());
    EXPECT_LT(chooser.sizeHint().width(), w.form->width());
    // The font names need the room, the styles and sizes much less.
    EXPECT_GT(chooser.ListFont->width(), chooser.ListSize->width());
}

TEST(HelpTips, LongTextsWrapAt240PixelsAndShortOnesKeepTheirLines) {
    const QFontMetrics metrics(QToolTip::font());
    const auto laidOut = [&](const QString& text) {
        auto document = std::make_unique<QTextDocument>();
        document->setDefaultFont(QToolTip::font());
        document->setHtml(helpTipText(text, metrics));
        return document;
    };
    const QString longText =
        QString("Use the high resolution sound pack when it is installed. ").repeated(4);
    const auto wrapped = laidOut(longText);
    // 240 pixels of text, its margins of 5 and the document's own.
    EXPECT_LE(wrapped->idealWidth(), 240 + 10 + 2 * wrapped->documentMargin());
    EXPECT_GT(wrapped->size().height(), 3 * metrics.height());
    const auto kept = laidOut("  Select map for startup.  \r\nSecond line.");
    EXPECT_LT(kept->idealWidth(), 240);
    EXPECT_LT(kept->size().height(), 4 * metrics.height());
    EXPECT_TRUE(kept->toPlainText().startsWith("  Select map")); // the blanks stay
}

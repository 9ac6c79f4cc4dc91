#include "launcher/ui/ask_form.h"
#include "launcher/ui/cleanup_confirmation.h"
#include "launcher/ui/confirm_form.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace krv;

namespace {

NamePrompt renamePrompt() {
    return {" Name ", " Rename Zip", "OLDNAME", "Cancel", ""};
}

// Shows the prompt modally, lets `act` work on it, and returns its result.
NamePromptResult runPrompt(const NamePrompt& prompt, bool customFont,
                           const std::function<void(AskForm&)>& act) {
    AskForm form(nullptr, customFont);
    form.setup(prompt);
    QTimer::singleShot(0, &form, [&] { act(form); });
    form.exec();
    return form.result();
}

} // namespace

TEST(AskForm, RenamePromptUpperCasesTypingAndTurnsCancelIntoOk) {
    std::string captionAfterKey;
    const auto result = runPrompt(renamePrompt(), false, [&](AskForm& f) {
        EXPECT_EQ(f.edProfName->selectedText(), "OLDNAME"); // focus selects it all
        QTest::keyClicks(f.edProfName, "new-wad 2");
        captionAfterKey = f.OKButton->text().toStdString();
        f.OKButton->click();
    });
    EXPECT_EQ(captionAfterKey, "OK");
    EXPECT_EQ(result.name, "NEW-WAD 2");
    EXPECT_FALSE(result.cancelled);
}

TEST(AskForm, RenamePromptKeepsTypingWithACustomFont) {
    const auto result = runPrompt(renamePrompt(), true, [](AskForm& f) {
        QTest::keyClicks(f.edProfName, "MixedCase");
        f.OKButton->click();
    });
    EXPECT_EQ(result.name, "MixedCase");
}

TEST(AskForm, LeavingTheRenamePromptWithoutTypingIsCancel) {
    const auto result = runPrompt(renamePrompt(), false, [](AskForm& f) { f.OKButton->click(); });
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.name, "OLDNAME");
}

TEST(AskForm, OtherPromptsLeaveTypingAndButtonAlone) {
    NamePrompt playlist{"Name of Playlist", " Create New Playlist", "MyDoomMusic", "OK",
                        "MyDoomMusic"};
    std::string caption;
    const auto result = runPrompt(playlist, false, [&](AskForm& f) {
        f.edProfName->selectAll();
        QTest::keyClicks(f.edProfName, "Evil tunes");
        caption = f.OKButton->text().toStdString();
        f.OKButton->click();
    });
    EXPECT_EQ(caption, "OK");
    EXPECT_EQ(result.name, "Evil tunes");
    EXPECT_FALSE(result.cancelled);

    NamePrompt cancelButton{"Games List Name", " Install to Games List", "x", "Cancel", ""};
    const auto cancelled = runPrompt(cancelButton, false, [](AskForm& f) {
        QTest::keyClicks(f.edProfName, "abc");
        EXPECT_EQ(f.OKButton->text(), "Cancel");
        f.OKButton->click();
    });
    EXPECT_TRUE(cancelled.cancelled);
}

TEST(AskForm, ClosedByTheWindowLeavesTheCallersBufferAndNoCancel) {
    NamePrompt playlist{"Name of Playlist", " Create New Playlist", "typed", "OK", "MyDoomMusic"};
    const auto result = runPrompt(playlist, false, [](AskForm& f) { f.close(); });
    EXPECT_EQ(result.name, "MyDoomMusic");
    EXPECT_FALSE(result.cancelled);
}

TEST(ConfirmForm, TheBoxWritesAndDeletesTheConfirmFile) {
    krv::test::TempDir dir;
    const std::string data = dir.path().string() + "/";
    ConfirmForm form(nullptr, data);
    EXPECT_EQ(form.windowTitle(), "Model pack cleanup");
    form.ChkConfirm->setChecked(true);
    EXPECT_TRUE(cleanupConfirmationRemoved(data));
    EXPECT_EQ(krv::test::readFile(dir / "confirm.krv"), "Cleanup confirmation removed.\r\n");
    form.ChkConfirm->setChecked(false);
    EXPECT_FALSE(cleanupConfirmationRemoved(data));
}

TEST(ConfirmForm, ContinueAndCancelDecide) {
    krv::test::TempDir dir;
    for (const bool pressContinue : {true, false}) {
        ConfirmForm form(nullptr, dir.path().string() + "/");
        QTimer::singleShot(0, &form,
                           [&] { (pressContinue ? form.OKButton : form.CancelButton)->click(); });
        form.exec();
        EXPECT_EQ(form.continued(), pressContinue);
    }
}

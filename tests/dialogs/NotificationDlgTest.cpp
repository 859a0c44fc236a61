// SPDX-License-Identifier: MIT
// The confirmations that can be switched off: their texts, and "Do not prompt me again."
// written to the settings on every close, whatever the answer.
#include "ModalDriver.h"
#include "dialogs/NotificationDlgUnit.h"
#include "settings/RegistryUnit.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

struct Seen {
    QString caption, mainText, detailText, okCaption, cancelCaption, checkCaption;
    bool checked = true;
};

Seen Look(TNotificationDlg& d) {
    return {d.windowTitle(),
            d.LblMain()->text(),
            d.LblDetail()->text(),
            d.SBtnOkay()->text(),
            d.SBtnCancel()->text(),
            d.CbDoNotPrompt()->text(),
            d.CbDoNotPrompt()->isChecked()};
}

} // namespace

TEST(NotificationDlgTest, EachPromptShowsItsTexts) {
    const struct {
        NotificationPrompt prompt;
        int (TNotificationDlg::*ask)();
        Seen expected;
        const char* setting;
    } cases[] = {
        {NotificationPrompt::DisableAutoFit,
         &TNotificationDlg::AskDisableAutoFit,
         {QStringLiteral("Disable Auto-fit Mode?"),
          QStringLiteral("Would you like to disable \"Auto-fit\" mode?"),
          QStringLiteral("Zooming capabilities are disabled while \"Auto-fit\" mode is enabled."),
          QStringLiteral("Yes"),
          QStringLiteral("No"),
          {},
          false},
         "ShowAutoFitPrompt"},
        {NotificationPrompt::CloseFolder,
         &TNotificationDlg::AskCloseFolder,
         {QStringLiteral("Close Folder?"),
          QStringLiteral("Are you sure that you want to close this folder?"),
          QStringLiteral("If you would rather return this folder view to filmstrip mode, then "
                         "click \"No\" and then click \"File | Return to Filmstrip\"."),
          QStringLiteral("Yes"),
          QStringLiteral("No"),
          {},
          false},
         "ShowCloseFolderPrompt"},
        {NotificationPrompt::EnableFullScreen,
         &TNotificationDlg::AskEnableFullScreen,
         {QStringLiteral("Enable Full-Screen Mode?"),
          QStringLiteral("You are enabling \"Full-Screen\" mode."),
          QStringLiteral("To exit from Full Screen mode, press \"Esc\" or \"F11\"."),
          QStringLiteral("OK"),
          QStringLiteral("Cancel"),
          {},
          false},
         "ShowFullScreenPrompt"},
        {NotificationPrompt::BeginSlideShow,
         &TNotificationDlg::AskBeginSlideShow,
         {QStringLiteral("Begin Slide Show?"),
          QStringLiteral("You are starting a slide show, which is shown in \"Full-Screen\" mode."),
          QStringLiteral("To stop the Slide Show, press \"Esc\" or \"S\"."),
          QStringLiteral("OK"),
          QStringLiteral("Cancel"),
          {},
          false},
         "ShowSlideShowPrompt"},
    };
    TNotificationDlg dialog;
    for (const auto& c : cases) {
        Seen seen;
        QString settingWhileShown;
        // The box was ticked last time: every show starts unticked.
        dialog.CbDoNotPrompt()->setChecked(true);
        WhenModalShown([&](QWidget* modal) {
            seen = Look(dialog);
            settingWhileShown = dialog.PromptSettingName();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        EXPECT_EQ((dialog.*c.ask)(), 1);
        EXPECT_EQ(seen.caption, c.expected.caption);
        EXPECT_EQ(seen.mainText, c.expected.mainText);
        EXPECT_EQ(seen.detailText, c.expected.detailText);
        EXPECT_EQ(seen.okCaption, c.expected.okCaption);
        EXPECT_EQ(seen.cancelCaption, c.expected.cancelCaption);
        EXPECT_EQ(seen.checkCaption, QStringLiteral("Do not prompt me again."));
        EXPECT_FALSE(seen.checked);
        EXPECT_EQ(settingWhileShown, QString::fromLatin1(c.setting));
        EXPECT_TRUE(dialog.PromptSettingName().isEmpty());
    }
}

TEST(NotificationDlgTest, SettingIsWrittenOnEveryCloseWhateverTheAnswer) {
    const auto tickThen = [](std::function<void(QWidget*)> answer) {
        return [answer](QWidget* modal) {
            QTest::mouseClick(modal->findChild<QCheckBox*>(), Qt::LeftButton, {},
                              QPoint(4, modal->findChild<QCheckBox*>()->height() / 2));
            ASSERT_TRUE(modal->findChild<QCheckBox*>()->isChecked());
            answer(modal);
        };
    };
    const struct {
        const char* what;
        std::function<void(QWidget*)> answer;
        int expected;
        const char* stored;
    } cases[] = {
        {"Enter", PressKey(Qt::Key_Return), 1, "True"},
        {"Esc", PressKey(Qt::Key_Escape), 2, "True"},
        {"ticked, Yes", tickThen(ClickButton("SBtnOkay")), 1, "False"},
        {"ticked, No", tickThen(ClickButton("SBtnCancel")), 2, "False"},
        {"ticked, Esc", tickThen(PressKey(Qt::Key_Escape)), 2, "False"},
        {"ticked, close box", tickThen([](QWidget* w) { w->close(); }), 2, "False"},
        {"unticked, close box", [](QWidget* w) { w->close(); }, 2, "True"},
    };
    const QString setting = QStringLiteral("ShowCloseFolderPrompt");
    TNotificationDlg dialog;
    for (const auto& c : cases) {
        WriteRegString(setting, QStringLiteral("unset"));
        WhenModalShown(c.answer);
        EXPECT_EQ(dialog.AskCloseFolder(), c.expected) << c.what;
        EXPECT_EQ(ReadRegString(setting), QString::fromLatin1(c.stored)) << c.what;
    }
}

TEST(NotificationDlgTest, SwitchedOffPromptActsAsOk) {
    TNotificationDlg dialog;
    const QString setting = QStringLiteral("ShowFullScreenPrompt");
    // Shown while switched on; "Do not prompt me again." with Cancel switches it off ...
    WriteRegString(setting, QStringLiteral("True"));
    EXPECT_TRUE(TNotificationDlg::ShouldPrompt(setting));
    WhenModalShown([](QWidget* modal) {
        modal->findChild<QCheckBox*>()->setChecked(true);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_FALSE(dialog.Confirm(NotificationPrompt::EnableFullScreen));
    EXPECT_FALSE(TNotificationDlg::ShouldPrompt(setting));

    // ... and from then on the step goes on without a question.
    bool shown = false;
    QTimer guard; // fires only if a modal loop runs
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&shown] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = true;
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    guard.start(0);
    EXPECT_TRUE(dialog.Confirm(NotificationPrompt::EnableFullScreen));
    EXPECT_FALSE(shown);
    guard.stop();

    // A missing setting means switched on.
    EXPECT_TRUE(TNotificationDlg::ShouldPrompt(QStringLiteral("NoSuchPromptSetting")));
}

TEST(NotificationDlgTest, PartsAreStackedBelowTheWrappedQuestion) {
    TNotificationDlg dialog;
    WhenModalShown([&dialog](QWidget* modal) {
        const QLabel* main = dialog.LblMain();
        const QLabel* detail = dialog.LblDetail();
        const QCheckBox* check = dialog.CbDoNotPrompt();
        EXPECT_EQ(main->pos(), QPoint(16, 16));
        EXPECT_EQ(detail->y(), main->y() + main->height() + 16);
        EXPECT_EQ(check->y(), detail->y() + detail->height() + 16);
        EXPECT_EQ(dialog.SBtnOkay()->y(), check->y() + check->height() + 16);
        EXPECT_EQ(dialog.height(), dialog.SBtnOkay()->y() + 25 + 8);
        QTest::keyClick(modal, Qt::Key_Return);
    });
    dialog.AskCloseFolder();
}

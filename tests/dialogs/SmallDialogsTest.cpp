// SPDX-License-Identifier: MIT
// The rename and create-folder dialogs' fields and keys, and the about window as splash.
#include "ModalDriver.h"
#include "dialogs/AboutInfo.h"
#include "dialogs/AboutUnit.h"
#include "dialogs/NewFolderUnit.h"
#include "dialogs/RenameDlgUnit.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

TEST(RenameDlgTest, OldNameIsSelectedSoTypingReplacesIt) {
    TRenameDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Rename Image File"));
    EXPECT_EQ(dialog.LblFileType()->text(), QStringLiteral("[File Type]"));
    dialog.Prepare(QStringLiteral("holiday"), QStringLiteral("JPEG Image"));
    QString selected, fileType;
    WhenModalShown([&](QWidget*) {
        selected = dialog.EdtNewFileName()->selectedText();
        fileType = dialog.LblFileType()->text();
        QTest::keyClicks(dialog.EdtNewFileName(), QStringLiteral("b"));
        // Enter in the edit box answers OK.
        QTest::keyClick(dialog.EdtNewFileName(), Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_EQ(selected, QStringLiteral("holiday"));
    EXPECT_EQ(fileType, QStringLiteral("JPEG Image"));
    EXPECT_EQ(dialog.NewFileName(), QStringLiteral("b"));
}

TEST(RenameDlgTest, CancelAnswersTwoAndShowingAgainKeepsTheTypedText) {
    const struct {
        const char* what;
        std::function<void(QWidget*)> answer;
        int expected;
    } cases[] = {
        {"Esc in the edit box",
         [](QWidget* w) { QTest::keyClick(w->findChild<QLineEdit*>(), Qt::Key_Escape); }, 2},
        {"Cancel button", ClickButton("SBtnCancel"), 2},
        {"close box", [](QWidget* w) { w->close(); }, 2},
        {"OK button", ClickButton("SBtnOkay"), 1},
    };
    TRenameDlg dialog;
    dialog.Prepare(QStringLiteral("a"), QStringLiteral("PNG Image"));
    dialog.EdtNewFileName()->setText(QStringLiteral("typed"));
    for (const auto& c : cases) {
        WhenModalShown(c.answer);
        EXPECT_EQ(dialog.ShowModal(), c.expected) << c.what;
        EXPECT_EQ(dialog.NewFileName(), QStringLiteral("typed")) << c.what;
    }
}

TEST(NewFolderDlgTest, ShowsTheParentLiterallyAndJoinsTheTypedName) {
    TNewFolderDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create Folder"));
    dialog.EdtNewFolderName()->setText(QStringLiteral("old"));
    dialog.Prepare(QStringLiteral("/home/u/Tom & Jerry"));
    EXPECT_EQ(dialog.LblCurFolder()->text(), QStringLiteral("/home/u/Tom & Jerry"));
    EXPECT_EQ(dialog.LblCurFolder()->textFormat(), Qt::PlainText);
    EXPECT_TRUE(dialog.NewFolderName().isEmpty());

    bool focused = false;
    WhenModalShown([&](QWidget* modal) {
        focused = modal->focusWidget() == dialog.EdtNewFolderName();
        QTest::keyClicks(dialog.EdtNewFolderName(), QStringLiteral("Cartoons"));
        QTest::keyClick(dialog.EdtNewFolderName(), Qt::Key_Enter);
    });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_TRUE(focused);
    EXPECT_EQ(dialog.NewFolderPath(), QStringLiteral("/home/u/Tom & Jerry/Cartoons"));

    // An empty name is accepted; the caller then finds the parent itself.
    dialog.Prepare(QStringLiteral("/home/u"));
    WhenModalShown(PressKey(Qt::Key_Return));
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_EQ(dialog.NewFolderPath(), QStringLiteral("/home/u/"));

    WhenModalShown(PressKey(Qt::Key_Escape));
    EXPECT_EQ(dialog.ShowModal(), 2);
}

TEST(AboutDlgTest, SplashIsSkippedOnlyForTheExactSwitch) {
    const struct {
        QStringList arguments;
        bool splash;
    } cases[] = {
        {{}, true},
        {{QStringLiteral("/nosplash")}, false},
        {{QStringLiteral("/NOSPLASH")}, true},
        {{QStringLiteral("/nosplash"), QStringLiteral("/p/a.jpg")}, false},
        {{QStringLiteral("/p/a.jpg"), QStringLiteral("/nosplash")}, true},
    };
    TAboutDlg dialog;
    for (const auto& c : cases) {
        EXPECT_EQ(SplashWanted(c.arguments), c.splash)
            << c.arguments.join(QLatin1Char(' ')).toStdString();
        dialog.ShowSplashAtStart(c.arguments);
        EXPECT_EQ(dialog.isVisible(), c.splash);
        if (c.splash) {
            EXPECT_TRUE(dialog.SBtnClose()->isHidden());
            EXPECT_TRUE(dialog.AutoCloseTimer()->isActive());
            EXPECT_EQ(dialog.AutoCloseTimer()->interval(), 3500);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            EXPECT_FALSE(dialog.isVisible());
        }
        // Every close brings the button back and stops the timer.
        EXPECT_FALSE(dialog.SBtnClose()->isHidden());
        EXPECT_FALSE(dialog.AutoCloseTimer()->isActive());
    }
}

TEST(AboutDlgTest, SplashClosesItselfWhenItsTimerFires) {
    TAboutDlg dialog;
    dialog.ShowSplash();
    ASSERT_TRUE(dialog.isVisible());
    dialog.AutoCloseTimer()->start(1); // the same timer, made to fire at once
    QElapsedTimer waited;
    waited.start();
    while (dialog.isVisible() && waited.elapsed() < 10000)
        QTest::qWait(5);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.SBtnClose()->isHidden());
}

TEST(AboutDlgTest, AboutWindowHasItsCloseButtonAlsoRightAfterTheSplash) {
    TAboutDlg dialog;
    dialog.ShowSplash();
    bool closeVisible = false, timerActive = true;
    WhenModalShown([&](QWidget* modal) {
        closeVisible = dialog.SBtnClose()->isVisible();
        timerActive = dialog.AutoCloseTimer()->isActive();
        ClickButton("SBtnClose")(modal);
    });
    dialog.ShowAbout();
    EXPECT_TRUE(closeVisible);
    EXPECT_FALSE(timerActive);
    EXPECT_FALSE(dialog.isVisible());

    WhenModalShown(PressKey(Qt::Key_Return));
    dialog.ShowAbout();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(AboutDlgTest, CloseButtonIsCentredOnScaledX350) {
    const struct {
        int resolution, left, width;
    } cases[] = {
        {96, 314, 73},  // 350 - 36.5 = 313.5 -> 314
        {144, 484, 82}, // 525 - 41
        {120, 399, 78}, // 437.5 -> 438, width 77.56 -> 78
    };
    for (const auto& c : cases) {
        const CloseButtonPlace place = AboutCloseButtonPlace(c.resolution);
        EXPECT_EQ(place.width, c.width) << c.resolution;
        EXPECT_EQ(place.left, c.left) << c.resolution;
    }
}

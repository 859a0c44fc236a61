// SPDX-License-Identifier: MIT
// The message box: canned contents, which buttons show with which captions, Enter and Esc, the
// return to a single "OK" after every close, the layout for long headings, and the error box.
#include "ModalDriver.h"
#include "dialogs/Dialogs.h"
#include "dialogs/HelpDlgUnit.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// What the box showed while it was on screen.
struct Seen {
    QString caption, heading, detail;
    HelpIcon icon = HelpIcon::Info;
    QStringList buttons; // captions of the visible buttons, left to right
};

Seen Look(THelpDlg& dialog) {
    Seen seen{dialog.windowTitle(),
              dialog.LblHelpText()->text(),
              dialog.DetailText(),
              dialog.IconKind(),
              {}};
    for (QPushButton* button : {dialog.SbtnOkay(), dialog.SBtnCancel(), dialog.SbtnOptional()})
        if (button->isVisible())
            seen.buttons << button->text();
    return seen;
}

QString Lines(std::initializer_list<const char*> lines) {
    QStringList list;
    for (const char* line : lines)
        list << QString::fromUtf8(line);
    return list.join(QLatin1Char('\n'));
}

// Shows the box through `show`, notes what it shows and answers with `answer`.
Seen ShowAndLook(THelpDlg& dialog, const std::function<int(THelpDlg&)>& show,
                 const std::function<void(QWidget*)>& answer, int* result = nullptr) {
    Seen seen;
    WhenModalShown([&](QWidget* modal) {
        EXPECT_EQ(modal, &dialog);
        seen = Look(dialog);
        answer(modal);
    });
    const int answered = show(dialog);
    if (result)
        *result = answered;
    return seen;
}

const char* const OverwriteCaption =
    "Overwrite current image file with modified image before continuing?";
const char* const OverwriteHeading =
    "The current image has been modified. Do you want to overwrite the current image file with "
    "these changes before continuing?";

} // namespace

TEST(HelpDlgTest, CannedMessagesShowTheirTextsIconsAndButtons) {
    const struct {
        const char* what;
        std::function<int(THelpDlg&)> show;
        const char* caption;
        const char* heading;
        QString detail;
        HelpIcon icon;
        QStringList buttons;
    } cases[] = {
        {"error message",
         [](THelpDlg& d) { return d.ShowErrorMessage(QStringLiteral("Disk full.")); },
         "Error",
         "The following error has occurred:",
         QStringLiteral("Disk full."),
         HelpIcon::Error,
         {QStringLiteral("OK")}},
        {"overwrite prompt",
         [](THelpDlg& d) {
             d.PrepareOverwritePrompt();
             return d.ShowModal();
         },
         OverwriteCaption,
         OverwriteHeading,
         Lines({"Whenever an image is resized or modified and then saved, its quality can "
                "diminish.",
                "We recommend saving a modified image to a new file name so that the original "
                "file can be reused without loss of quality.",
                "", "Selecting \"Yes\" will cause the current file to be overwritten.",
                "Selecting \"No\" will allow you to choose a new file name."}),
         HelpIcon::Question,
         {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Discard Changes")}},
        {"small image overwrite prompt",
         [](THelpDlg& d) {
             d.PrepareSmallImageOverwritePrompt();
             return d.ShowModal();
         },
         OverwriteCaption,
         OverwriteHeading,
         Lines({"Rotating or flipping an image of this small size can compromise its quality.",
                "We recommend saving a rotated or flipped image of this size to a new file name "
                "so that the original file can be reused without loss of quality.",
                "", "Selecting \"Yes\" will cause the current file to be overwritten.",
                "Selecting \"No\" will allow you to choose a new file name."}),
         HelpIcon::Question,
         {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Discard Changes")}},
        {"unsupported format",
         [](THelpDlg& d) {
             d.PrepareUnsupportedFormat(QStringLiteral("notes.txt"));
             return d.ShowModal();
         },
         "Unsupported File Format",
         "notes.txt is not in a supported image format.",
         Lines({"The following image formats are supported:", " - JPEG (.jpeg, .jpg)",
                " - Bitmap (.bmp)", " - Icon (.ico) (Read-only)", " - PNG (.png)",
                " - Windows Metafile (.wmf)", " - Enhanced Metafile (.emf)", " - GIF (.gif)",
                " - PCX (.pcx)"}),
         HelpIcon::Alert,
         {QStringLiteral("OK")}},
        {"default handler error",
         [](THelpDlg& d) {
             d.PrepareDefaultHandlerError(QStringLiteral(".png"));
             return d.ShowModal();
         },
         "Unable to Set as Default Handler",
         "Orvo Image Browser could not be set as the default handler for .png images.",
         Lines({"Orvo Image Browser may not have been installed properly, or you may not have "
                "the access permissions required to perform this operation."}),
         HelpIcon::Alert,
         {QStringLiteral("OK")}},
        {"e-mail results",
         [](THelpDlg& d) {
             d.PrepareEmailResults({QStringLiteral("a.jpg: 40 KB"), QStringLiteral("b.jpg: 12 KB")},
                                   false);
             return d.ShowModal();
         },
         "Results of Email Optimization",
         "Results of Email Optimization:",
         Lines({"a.jpg: 40 KB", "b.jpg: 12 KB"}),
         HelpIcon::Info,
         {QStringLiteral("Continue")}},
        {"e-mail results with an error",
         [](THelpDlg& d) {
             d.PrepareEmailResults({QStringLiteral("a.jpg: failed")}, true);
             return d.ShowModal();
         },
         "Results of Email Optimization",
         "Results of Email Optimization:",
         Lines({"a.jpg: failed"}),
         HelpIcon::Error,
         {QStringLiteral("Continue")}},
    };
    THelpDlg dialog; // one box reused for every message, as in the program
    for (const auto& c : cases) {
        int result = 0;
        const Seen seen = ShowAndLook(dialog, c.show, PressKey(Qt::Key_Return), &result);
        EXPECT_EQ(result, 1) << c.what;
        EXPECT_EQ(seen.caption, QString::fromUtf8(c.caption)) << c.what;
        EXPECT_EQ(seen.heading, QString::fromUtf8(c.heading)) << c.what;
        EXPECT_EQ(seen.detail, c.detail) << c.what;
        EXPECT_EQ(seen.icon, c.icon) << c.what;
        EXPECT_EQ(seen.buttons, c.buttons) << c.what;
        // Back to its single "OK" after the close.
        EXPECT_TRUE(dialog.SBtnCancel()->isHidden()) << c.what;
        EXPECT_TRUE(dialog.SbtnOptional()->isHidden()) << c.what;
        EXPECT_EQ(dialog.SbtnOkay()->text(), QStringLiteral("OK")) << c.what;
    }
}

TEST(HelpDlgTest, EnterAnswersOkAndEscCancelsExceptInThreeWayQuestions) {
    enum Kind { Single, TwoWay, ThreeWay };
    const struct {
        const char* what;
        Kind kind;
        std::function<void(QWidget*)> answer;
        int expected;
    } cases[] = {
        {"Enter, single", Single, PressKey(Qt::Key_Return), 1},
        {"keypad Enter, single", Single, PressKey(Qt::Key_Enter), 1},
        {"Esc, single", Single, PressKey(Qt::Key_Escape), 2},
        {"close box, single", Single, [](QWidget* w) { w->close(); }, 2},
        {"Esc, two-way", TwoWay, PressKey(Qt::Key_Escape), 2},
        {"Cancel button, two-way", TwoWay, ClickButton("SBtnCancel"), 2},
        {"Enter, three-way", ThreeWay, PressKey(Qt::Key_Return), 1},
        {"Enter on the detail text, three-way", ThreeWay,
         [](QWidget* w) { QTest::keyClick(w->findChild<QPlainTextEdit*>(), Qt::Key_Return); }, 1},
        {"Esc does nothing, then Discard Changes", ThreeWay,
         [](QWidget* w) {
             QTest::keyClick(w, Qt::Key_Escape);
             EXPECT_TRUE(w->isVisible());
             ClickButton("SbtnOptional")(w);
         },
         3},
        {"No, three-way", ThreeWay, ClickButton("SBtnCancel"), 2},
    };
    THelpDlg dialog;
    for (const auto& c : cases) {
        int result = 0;
        ShowAndLook(
            dialog,
            [&c](THelpDlg& d) {
                if (c.kind == ThreeWay) {
                    d.PrepareOverwritePrompt();
                    return d.ShowModal();
                }
                if (c.kind == TwoWay)
                    d.ShowCancelButton(QStringLiteral("Ignore"));
                return d.ShowErrorMessage(QStringLiteral("x"));
            },
            c.answer, &result);
        EXPECT_EQ(result, c.expected) << c.what;
    }
}

TEST(HelpDlgTest, TwoWayErrorBoxReturnsToOkAfterItsClose) {
    THelpDlg dialog;
    int result = 0;
    dialog.SetOkCaption(QStringLiteral("Delete"));
    dialog.ShowCancelButton(QStringLiteral("Skip"));
    Seen seen = ShowAndLook(
        dialog, [](THelpDlg& d) { return d.ShowErrorMessage(QStringLiteral("a.jpg")); },
        ClickButton("SBtnCancel"), &result);
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("Delete"), QStringLiteral("Skip")}));
    EXPECT_EQ(result, 2);

    seen = ShowAndLook(
        dialog, [](THelpDlg& d) { return d.ShowErrorMessage(QStringLiteral("b.jpg")); },
        PressKey(Qt::Key_Return), &result);
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(seen.detail, QStringLiteral("b.jpg"));
}

TEST(HelpDlgTest, FolderDeletedPromptOffersSavingOnlyWhenAsked) {
    THelpDlg dialog;
    for (bool offer : {true, false}) {
        int result = 0;
        const Seen seen = ShowAndLook(
            dialog, [offer](THelpDlg& d) { return d.ShowFolderDeletedPrompt(offer); },
            offer ? ClickButton("SBtnCancel") : ClickButton("SbtnOkay"), &result);
        EXPECT_EQ(seen.caption, QStringLiteral("Error"));
        EXPECT_EQ(seen.detail, QStringLiteral("The Image Folder you have open has been deleted."));
        EXPECT_EQ(seen.icon, HelpIcon::Error);
        if (offer) {
            EXPECT_EQ(seen.buttons,
                      (QStringList{QStringLiteral("Close Folder"), QStringLiteral("Save Image")}));
            EXPECT_EQ(result, 2);
        } else {
            EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("Close Folder")});
            EXPECT_EQ(result, 1);
        }
    }
}

TEST(HelpDlgTest, LongHeadingMovesDetailAndButtonsDown) {
    THelpDlg dialog;
    struct Placed {
        int headingHeight, detailTop, bevelBottom, buttonTop, clientHeight;
    };
    const auto place = [&dialog](const QString& heading) {
        Placed placed{};
        WhenModalShown([&](QWidget* modal) {
            placed = {dialog.LblHelpText()->height(), dialog.MmoHelpDetail()->y(),
                      dialog.Bevel1()->geometry().bottom() + 1, dialog.SbtnOkay()->y(),
                      dialog.height()};
            QTest::keyClick(modal, Qt::Key_Return);
        });
        dialog.ShowHelpBox(QStringLiteral("Caption"), heading, QStringLiteral("detail"));
        return placed;
    };
    const Placed shortOne = place(QStringLiteral("One line."));
    EXPECT_EQ(shortOne.headingHeight, 32);
    const Placed longOne = place(QStringLiteral("A heading long enough to wrap onto several lines "
                                                "of the message box, so that everything below it "
                                                "has to move down to make room for it."));
    EXPECT_GT(longOne.headingHeight, 32);
    for (const Placed& p : {shortOne, longOne}) {
        EXPECT_EQ(p.detailTop, 16 + p.headingHeight + 16);
        EXPECT_EQ(p.buttonTop, p.bevelBottom + 8);
        EXPECT_EQ(p.clientHeight, p.buttonTop + 25 + 8);
    }
    EXPECT_EQ(longOne.clientHeight - shortOne.clientHeight,
              longOne.headingHeight - shortOne.headingHeight);
    // The single OK button sits in the middle.
    EXPECT_EQ(dialog.SbtnOkay()->x(), 168);
}

TEST(HelpDlgTest, ApplicationErrorsUseTheSharedBoxOrAnotherWhileItIsBusy) {
    THelpDlg& shared = HelpDlg();
    QString nestedDetail;
    bool nestedWasShared = true;
    WhenModalShown([&](QWidget* modal) {
        EXPECT_EQ(modal, &shared);
        EXPECT_EQ(shared.DetailText(), QStringLiteral("first"));
        // A second error while the shared box is on screen gets a box of its own.
        WhenModalShown([&](QWidget* inner) {
            nestedWasShared = inner == &shared;
            nestedDetail = static_cast<THelpDlg*>(inner)->DetailText();
            QTest::keyClick(inner, Qt::Key_Return);
        });
        ShowApplicationError(QStringLiteral("second"));
        EXPECT_TRUE(shared.isVisible());
        QTest::keyClick(modal, Qt::Key_Return);
    });
    ShowApplicationError(QStringLiteral("first"));
    EXPECT_FALSE(nestedWasShared);
    EXPECT_EQ(nestedDetail, QStringLiteral("second"));
    EXPECT_EQ(shared.windowTitle(), QStringLiteral("Error"));
    EXPECT_EQ(shared.LblHelpText()->text(), QStringLiteral("The following error has occurred:"));
}

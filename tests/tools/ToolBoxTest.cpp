// SPDX-License-Identifier: MIT
// The image tools window: its controls and hints, typing into the size edits, the buttons'
// calls into the main window, enabling, and closing.
#include "../dialogs/ModalDriver.h"
#include "imaging/AppError.h"
#include "tools/ToolBoxHost.h"
#include "tools/ToolsFormUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusTipEvent>

namespace {

// The main window as the tools window sees it: a shown 1024 x 768 picture, commands recorded.
class FakeToolBoxHost : public ToolBoxHost {
public:
    bool HasImage() const override { return hasImage; }
    QSize PictureSize() const override { return picture; }
    bool ImageModified() const override { return modified; }
    bool ChangesDiscarded() const override { return discarded; }
    void ClearChangesDiscarded() override {
        calls.append(QStringLiteral("ask again"));
        discarded = false;
    }
    bool SlideShowActive() const override { return slideShow; }
    void TransformImage(int code) override { transforms.append(code); }
    bool ResizeImage(int width, int height) override {
        if (width <= 0 || height <= 0)
            throw AppError(QStringLiteral("Invalid Image Size Constraints"));
        if (resizeFails)
            return false; // as the main window answers once it has shown the error itself
        picture = QSize(width, height);
        return true;
    }
    void ReloadImage() override { calls.append(QStringLiteral("reload")); }
    // Asks unless the changes were declined before; the user then declines them or not.
    bool PromptSaveModified() override {
        calls.append(QStringLiteral("save"));
        if (!discarded) {
            calls.append(QStringLiteral("asked"));
            discarded = userDeclines;
        }
        return false;
    }
    void ShowLongHint(const QString& text) override { hint = text; }

    bool hasImage = true;
    QSize picture{1024, 768};
    bool modified = false;
    bool discarded = false;
    bool userDeclines = false;
    bool resizeFails = false;
    bool slideShow = false;
    QList<int> transforms;
    QStringList calls;
    QString hint;
};

class ToolBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        toolBox.ResetSizes();
        toolBox.EnableTools(true);
    }
    QPushButton* Button(const char* name) const {
        return toolBox.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // Replaces the text of an edit by typing, as the user does.
    static void TypeInto(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    FakeToolBoxHost host;
    TToolBox toolBox{host};
};

} // namespace

TEST_F(ToolBoxTest, IsAStayOnTopToolWindowWithItsDesignState) {
    TToolBox fresh(host);
    EXPECT_EQ(fresh.windowTitle(), QStringLiteral("Image Tools"));
    EXPECT_TRUE(fresh.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(fresh.windowType(), Qt::Tool);
    EXPECT_EQ(fresh.minimumSize(), fresh.maximumSize());
    EXPECT_EQ(fresh.CmbWidthType()->currentText(), QStringLiteral("Pixels"));
    EXPECT_EQ(fresh.CmbHeightType()->itemText(1), QStringLiteral("Percent"));
    EXPECT_EQ(fresh.CbProportional()->text(), QStringLiteral("Constrain Proportions"));
    EXPECT_TRUE(fresh.CbProportional()->isChecked());
    EXPECT_FALSE(fresh.SBtnSave()->isEnabled());
    EXPECT_EQ(fresh.SBtnSave()->text(), QStringLiteral("Save to File"));
    EXPECT_EQ(Button("SBtnReload")->text(), QStringLiteral("Reload from File"));
    EXPECT_EQ(fresh.SBtnCancel()->text(), QStringLiteral("Close"));
}

TEST_F(ToolBoxTest, HintsSplitIntoTooltipAndStatusBarText) {
    const struct {
        const char* button;
        const char* tip;
        const char* status;
    } cases[] = {
        {"SBtnRotateCW", "90\u00B0 Clockwise", "Rotate Image 90\u00B0 Clockwise"},
        {"SBtnRotateCCW", "90\u00B0 Counter Clockwise", "Rotate Image 90\u00B0 Counter Clockwise"},
        {"SBtnRotateFull", "Full 180\u00B0", "Rotate Image Full 180\u00B0"},
        {"SBtnFlipHorz", "Flip Horizontally", "Flip Image Horizontally"},
        {"SBtnFlipVert", "Flip Vertically", "Flip Image Vertically"},
        {"SBtnResize", "Resize Image", "Resize Image"},
        {"SBtnResetSizes", "Revert Width and Height",
         "Revert Width and Height to Current Image Width and Height"},
        {"SBtnReload", "Reload Image from File", "Reload Image from File"},
        {"SBtnSave", "Save Image to File", "Save Image to File"},
    };
    for (const auto& c : cases) {
        QPushButton* button = Button(c.button);
        ASSERT_NE(button, nullptr) << c.button;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(c.tip)) << c.button;
        EXPECT_EQ(button->statusTip(), QString::fromUtf8(c.status)) << c.button;
    }
    // The long text goes to the main window's status bar.
    QStatusTipEvent tip(Button("SBtnFlipVert")->statusTip());
    QApplication::sendEvent(Button("SBtnFlipVert"), &tip);
    EXPECT_EQ(host.hint, QStringLiteral("Flip Image Vertically"));
}

TEST_F(ToolBoxTest, RotateAndFlipButtonsCallTheViewerWithTheirCodes) {
    for (const char* name :
         {"SBtnRotateCW", "SBtnRotateCCW", "SBtnRotateFull", "SBtnFlipHorz", "SBtnFlipVert"})
        QTest::mouseClick(Button(name), Qt::LeftButton);
    EXPECT_EQ(host.transforms, (QList<int>{1, 3, 2, 4, 5}));
    // The edits are not rewritten: they still show the earlier size.
    EXPECT_EQ(toolBox.EditWidth()->text(), QStringLiteral("1024"));
}

TEST_F(ToolBoxTest, TypingKeepsProportionsAndOffersResize) {
    EXPECT_EQ(toolBox.EditWidth()->text(), QStringLiteral("1024"));
    EXPECT_FALSE(toolBox.SBtnResize()->isEnabled());

    TypeInto(toolBox.EditWidth(), QStringLiteral("800"));
    EXPECT_EQ(toolBox.EditHeight()->text(), QStringLiteral("600"));
    EXPECT_TRUE(toolBox.SBtnResize()->isEnabled());
    EXPECT_TRUE(toolBox.SBtnResetSizes()->isEnabled());

    toolBox.CmbWidthType()->setCurrentIndex(1);
    EXPECT_EQ(toolBox.EditWidth()->text(), QStringLiteral("78"));
    EXPECT_EQ(toolBox.EditHeight()->text(), QStringLiteral("599"));

    // Under half a percent away from the image size: nothing to apply.
    toolBox.CmbWidthType()->setCurrentIndex(0);
    TypeInto(toolBox.EditWidth(), QStringLiteral("1028"));
    EXPECT_EQ(toolBox.EditHeight()->text(), QStringLiteral("771"));
    EXPECT_FALSE(toolBox.SBtnResize()->isEnabled());

    // Unticked, the other edit stays.
    QTest::mouseClick(toolBox.CbProportional(), Qt::LeftButton);
    TypeInto(toolBox.EditHeight(), QStringLiteral("300"));
    EXPECT_EQ(toolBox.EditWidth()->text(), QStringLiteral("1028"));
}

TEST_F(ToolBoxTest, EditsDropEveryTypedCharacterButDigitsAndPoint) {
    TypeInto(toolBox.EditWidth(), QStringLiteral("8a-0 x.0"));
    EXPECT_EQ(toolBox.EditWidth()->text(), QStringLiteral("80.0"));
    // A point makes the number 0.
    EXPECT_EQ(toolBox.EditHeight()->text(), QStringLiteral("0"));
    // Keys that type nothing still edit.
    QTest::keyClick(toolBox.EditWidth(), Qt::Key_Home);
    QTest::keyClick(toolBox.EditWidth(), Qt::Key_Delete);
    EXPECT_EQ(toolBox.EditWidth()->text(), QStringLiteral("0.0"));
}

TEST_F(ToolBoxTest, ResizeAppliesThePixelSizeAndShowsTheNewImageSize) {
    toolBox.CmbWidthType()->setCurrentIndex(1);
    TypeInto(toolBox.EditWidth(), QStringLiteral("50"));
    EXPECT_EQ(toolBox.EditHeight()->text(), QStringLiteral("384"));
    QTest::mouseClick(toolBox.SBtnResize(), Qt::LeftButton);
    EXPECT_EQ(host.picture, QSize(512, 384));
    EXPECT_EQ(toolBox.EditWidth()->text(), QStringLiteral("100"));
    EXPECT_EQ(toolBox.EditHeight()->text(), QStringLiteral("384"));
    EXPECT_FALSE(toolBox.SBtnResize()->isEnabled());
}

TEST_F(ToolBoxTest, AZeroSizeIsReportedInTheErrorBoxAndChangesNothing) {
    TypeInto(toolBox.EditWidth(), QStringLiteral("12.5"));
    ASSERT_TRUE(toolBox.SBtnResize()->isEnabled());
    QString caption, detail;
    WhenModalShown([&](QWidget* box) {
        caption = box->windowTitle();
        detail = box->findChild<QPlainTextEdit*>()->toPlainText();
        ClickButton("SbtnOkay")(box);
    });
    QTest::mouseClick(toolBox.SBtnResize(), Qt::LeftButton);
    EXPECT_EQ(caption, QStringLiteral("Error"));
    EXPECT_EQ(detail, QStringLiteral("Invalid Image Size Constraints"));
    EXPECT_EQ(host.picture, QSize(1024, 768));
    EXPECT_EQ(toolBox.EditWidth()->text(), QStringLiteral("12.5"));
}

// The main window refused the size and said why: the typed size stays to be corrected.
TEST_F(ToolBoxTest, AResizeTheMainWindowRefusedKeepsTheTypedSize) {
    host.resizeFails = true;
    TypeInto(toolBox.EditWidth(), QStringLiteral("800"));
    QTest::mouseClick(toolBox.SBtnResize(), Qt::LeftButton);
    EXPECT_EQ(host.picture, QSize(1024, 768));
    EXPECT_EQ(toolBox.EditWidth()->text(), QStringLiteral("800"));
    EXPECT_EQ(toolBox.EditHeight()->text(), QStringLiteral("600"));
    EXPECT_TRUE(toolBox.SBtnResize()->isEnabled());
}

TEST_F(ToolBoxTest, SaveReloadsWhenTheChangesWereDeclined) {
    for (bool declines : {false, true}) {
        host.calls.clear();
        host.modified = true;
        host.discarded = false;
        host.userDeclines = declines;
        toolBox.EnableTools(true);
        QTest::mouseClick(toolBox.SBtnSave(), Qt::LeftButton);
        QStringList expected{QStringLiteral("ask again"), QStringLiteral("save"),
                             QStringLiteral("asked")};
        if (declines)
            expected << QStringLiteral("reload");
        EXPECT_EQ(host.calls, expected) << declines;
    }
    QTest::mouseClick(Button("SBtnReload"), Qt::LeftButton);
    EXPECT_EQ(host.calls.last(), QStringLiteral("reload"));
}

// Changes declined once (leaving the image answered "Discard Changes") are still offered for
// saving by the button; they are reloaded away only when the user declines them again.
TEST_F(ToolBoxTest, SaveAsksAgainAfterTheChangesWereDeclinedOnce) {
    for (bool declinesAgain : {false, true}) {
        host.calls.clear();
        host.modified = true;
        host.discarded = true;
        host.userDeclines = declinesAgain;
        toolBox.EnableTools(true);
        QTest::mouseClick(toolBox.SBtnSave(), Qt::LeftButton);
        EXPECT_TRUE(host.calls.contains(QStringLiteral("asked"))) << declinesAgain;
        EXPECT_EQ(host.calls.contains(QStringLiteral("reload")), declinesAgain) << declinesAgain;
    }
}

TEST_F(ToolBoxTest, EnableToolsFollowsImageChangesAndSlideShow) {
    const struct {
        const char* what;
        bool hasImage, modified, slideShow, enabled, sizeTyped;
        bool edits, save, resize;
    } cases[] = {
        {"image, unchanged", true, false, false, true, false, true, false, false},
        {"image modified", true, true, false, true, false, true, true, false},
        {"modified during a slide show", true, true, true, true, false, true, false, false},
        {"a size typed", true, false, false, true, true, true, false, true},
        {"disabled", true, true, false, false, true, false, false, false},
        {"no image", false, true, false, true, true, true, false, false},
    };
    for (const auto& c : cases) {
        host.hasImage = true;
        toolBox.EnableTools(true);
        toolBox.ResetSizes();
        if (c.sizeTyped)
            TypeInto(toolBox.EditWidth(), QStringLiteral("800"));
        host.hasImage = c.hasImage;
        host.modified = c.modified;
        host.slideShow = c.slideShow;
        toolBox.EnableTools(c.enabled);
        EXPECT_EQ(toolBox.EditWidth()->isEnabled(), c.edits) << c.what;
        EXPECT_EQ(toolBox.SBtnSave()->isEnabled(), c.save) << c.what;
        EXPECT_EQ(toolBox.SBtnResize()->isEnabled(), c.resize) << c.what;
        EXPECT_EQ(toolBox.SBtnResetSizes()->isEnabled(), c.resize) << c.what;
        EXPECT_TRUE(toolBox.SBtnCancel()->isEnabled()) << c.what;
    }
    // The main window switches the save button directly.
    toolBox.SetSaveEnabled(true);
    EXPECT_TRUE(toolBox.SBtnSave()->isEnabled());
}

TEST_F(ToolBoxTest, EscapeClosesAndTheNextOpeningStartsFromTheImageSize) {
    toolBox.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolBox));
    TypeInto(toolBox.EditWidth(), QStringLiteral("800"));
    QTest::keyClick(toolBox.EditWidth(), Qt::Key_Escape);
    EXPECT_FALSE(toolBox.isVisible());
    EXPECT_EQ(toolBox.EditWidth()->text(), QStringLiteral("1024"));
    EXPECT_EQ(toolBox.EditHeight()->text(), QStringLiteral("768"));

    toolBox.show();
    QTest::mouseClick(toolBox.SBtnCancel(), Qt::LeftButton);
    EXPECT_FALSE(toolBox.isVisible());
}

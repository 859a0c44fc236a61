// SPDX-License-Identifier: MIT
// Zoom commands in the window, full screen with its control choices, and the slide show.
#include "ViewerFixture.h"

#include "viewer/ControlVisibility.h"
#include "viewer/ImageBox.h"
#include "viewer/SlideShowState.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

class ViewerModesTest : public ViewerFixture {
protected:
    QAction* Item(const char* name) {
        return Form().findChild<QAction*>(QString::fromLatin1(name));
    }
    bool MenuShown() { return !Form().menuBar()->isHidden(); }
    bool StatusShown() { return Form().statusBar()->height() > 0; }
    bool FilmstripShown() { return !Form().ThumbPageControl()->isHidden(); }
};

// --- zoom ---

TEST_F(ViewerModesTest, ZoomKeysAskToLeaveAutoFitAndZoomOnYes) {
    WriteRegString("ShowAutoFitPrompt", QStringLiteral("True"));
    OpenImages({QStringLiteral("a.png")});
    QString title;
    AnswerNextModal(2, &title); // No
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_FALSE(title.isEmpty());
    EXPECT_TRUE(Form().AutoFit());
    EXPECT_EQ(Form().ZoomPercent(), 100);
    AnswerNextModal(1); // Yes
    Key(Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_FALSE(Form().AutoFit());
    EXPECT_EQ(Form().ZoomPercent(), 110);
    EXPECT_FALSE(Item("ToggleAutofit1")->isChecked());
    // The main keyboard's minus does nothing; the keypad's zooms out.
    Key(Qt::Key_Minus);
    EXPECT_EQ(Form().ZoomPercent(), 110);
    Key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(Form().ZoomPercent(), 100);
    EXPECT_EQ(Form().CmbZoomPercent()->currentText(), QStringLiteral("100%"));
}

TEST_F(ViewerModesTest, TheZoomBoxTakesWholePercentagesAndPutsBackTheCurrentOne) {
    OpenImages({QStringLiteral("a.png")});
    ASSERT_FALSE(Form().LeaveAutoFit());
    const struct {
        const char* text;
        int percent;
    } cases[] = {{"150%", 150}, {"250", 250}, {"40%", 40},  {" 40% ", 40},
                 {"0%", 40},    {"abc", 40},  {"10001", 40}};
    for (const auto& c : cases) {
        Form().ZoomTextChanged(QString::fromLatin1(c.text));
        EXPECT_EQ(Form().ZoomPercent(), c.percent) << c.text;
        EXPECT_EQ(Form().CmbZoomPercent()->currentText(),
                  QString::number(c.percent) + QLatin1Char('%'))
            << c.text;
    }
    // 8 x 6 at 40 %.
    EXPECT_EQ(Form().Image1()->size(), QSize(3, 2));
}

TEST_F(ViewerModesTest, ATypedPercentageAppliesOnEnterAndAListChoiceAtOnce) {
    OpenImages({QStringLiteral("a.png")});
    ASSERT_FALSE(Form().LeaveAutoFit());
    QComboBox* box = Form().CmbZoomPercent();
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("250"));
    EXPECT_EQ(Form().ZoomPercent(), 100); // nothing while typing
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Form().ZoomPercent(), 250);
    // A listed text typed and confirmed zooms once (the question would come once).
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("150%"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(Form().ZoomPercent(), 150);
    box->textActivated(QStringLiteral("50%"));
    QCoreApplication::processEvents();
    EXPECT_EQ(Form().ZoomPercent(), 50);
}

TEST_F(ViewerModesTest, AutoFitToggledByF12ShowsSmallPicturesAtTheirSize) {
    OpenImages({QStringLiteral("a.png")});
    EXPECT_EQ(Form().Image1()->size(), QSize(8, 6));
    Key(Qt::Key_F12);
    EXPECT_FALSE(Form().AutoFit());
    Form().ApplyZoom(200);
    EXPECT_EQ(Form().Image1()->size(), QSize(16, 12));
    Key(Qt::Key_F12);
    EXPECT_TRUE(Form().AutoFit());
    EXPECT_EQ(Form().Image1()->size(), QSize(8, 6));
}

// --- full screen ---

TEST_F(ViewerModesTest, FullScreenAppliesItsOwnChoicesAndEscLeavesIt) {
    OpenImages({QStringLiteral("a.png")});
    Key(Qt::Key_F11);
    EXPECT_TRUE(Form().FullScreen());
    EXPECT_TRUE(Form().windowState().testFlag(Qt::WindowFullScreen));
    EXPECT_FALSE(MenuShown());
    EXPECT_FALSE(StatusShown());
    EXPECT_TRUE(FilmstripShown());
    EXPECT_TRUE(Item("ViewFullScreen1")->isChecked());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Form().FullScreen());
    EXPECT_TRUE(MenuShown());
    EXPECT_TRUE(StatusShown());
    EXPECT_TRUE(Form().isVisible());
}

TEST_F(ViewerModesTest, AFullScreenChoiceChangedInAWindowCountsOnlyInFullScreen) {
    OpenImages({QStringLiteral("a.png")});
    Item("FullThumbsVisible")->trigger();
    EXPECT_TRUE(FilmstripShown());
    EXPECT_FALSE(Item("FullThumbsVisible")->isChecked());
    Key(Qt::Key_F11);
    EXPECT_FALSE(FilmstripShown());
    // And a windowed choice changed in full screen waits for the window.
    Item("RegStatusVisible")->trigger();
    EXPECT_FALSE(StatusShown());
    Key(Qt::Key_F11);
    EXPECT_FALSE(StatusShown());
    EXPECT_TRUE(FilmstripShown());
}

TEST_F(ViewerModesTest, HidingTheMenuInAWindowOffersItInThePopupMenu) {
    Form();
    Item("RegMenuVisible")->trigger();
    EXPECT_FALSE(MenuShown());
    EXPECT_TRUE(Item("ViewMainMenu1")->isVisible());
    Item("ViewMainMenu1")->trigger();
    EXPECT_TRUE(MenuShown());
    EXPECT_FALSE(Item("ViewMainMenu1")->isVisible());
}

TEST_F(ViewerModesTest, AMaximisedWindowComesBackMaximised) {
    Form().setWindowState(Qt::WindowMaximized);
    Form().SetFullScreen(true, false);
    Form().SetFullScreen(false, false);
    EXPECT_TRUE(Form().windowState().testFlag(Qt::WindowMaximized));
    Form().setWindowState(Qt::WindowNoState);
    Form().SetFullScreen(true, false);
    Form().SetFullScreen(false, false);
    EXPECT_FALSE(Form().windowState().testFlag(Qt::WindowMaximized));
}

TEST_F(ViewerModesTest, TheFullScreenQuestionAnsweredCancelChangesNothing) {
    WriteRegString("ShowFullScreenPrompt", QStringLiteral("True"));
    Form();
    AnswerNextModal(2);
    Key(Qt::Key_F11);
    EXPECT_FALSE(Form().FullScreen());
    AnswerNextModal(1);
    Key(Qt::Key_F11);
    EXPECT_TRUE(Form().FullScreen());
}

// --- slide show ---

TEST_F(ViewerModesTest, ASlideShowGoesOnFromTheCurrentImageAndWraps) {
    TFolderViewForm* view =
        OpenImages({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")});
    view->Model().SelectFile(QStringLiteral("b.png"));
    Key(Qt::Key_S);
    ASSERT_TRUE(Form().SlideShowActive());
    EXPECT_TRUE(Form().SlideShowTimer()->isActive());
    EXPECT_TRUE(Form().FullScreen());
    EXPECT_FALSE(FilmstripShown());
    EXPECT_EQ(Shown(), QStringLiteral("b.png"));
    QStringList order;
    for (int tick = 0; tick < 3; ++tick) {
        Form().SlideShowTimerTimer();
        order << Shown();
    }
    EXPECT_EQ(order, (QStringList{QStringLiteral("c.png"), QStringLiteral("a.png"),
                                  QStringLiteral("b.png")}));
    Key(Qt::Key_S);
    EXPECT_FALSE(Form().SlideShowActive());
    EXPECT_FALSE(Form().FullScreen());
    EXPECT_TRUE(FilmstripShown());
}

TEST_F(ViewerModesTest, AReverseShowStartsAtTheLastImageAndWrapsToIt) {
    OpenImages({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")});
    Form().SetPlayInReverse(true);
    Form().SetStartAtBeginning(true);
    Form().StartSlideShow();
    EXPECT_EQ(Shown(), QStringLiteral("c.png"));
    QStringList order;
    for (int tick = 0; tick < 3; ++tick) {
        Form().SlideShowTimerTimer();
        order << Shown();
    }
    EXPECT_EQ(order, (QStringList{QStringLiteral("b.png"), QStringLiteral("a.png"),
                                  QStringLiteral("c.png")}));
}

TEST_F(ViewerModesTest, PauseStopsTheTimerAndReleasesTheCommands) {
    OpenImages({QStringLiteral("a.png"), QStringLiteral("b.png")});
    Form().StartSlideShow();
    EXPECT_FALSE(Item("Delete1")->isEnabled());
    EXPECT_TRUE(Form().CursorHidden());
    Key(Qt::Key_P);
    EXPECT_TRUE(Form().SlideShowActive());
    EXPECT_FALSE(Form().SlideShowTimer()->isActive());
    EXPECT_EQ(Item("PauseHoldH1")->text(), QStringLiteral("Continue Silde Show [P]"));
    EXPECT_FALSE(Form().CursorHidden());
    EXPECT_TRUE(Item("Delete1")->isEnabled());
    Key(Qt::Key_P);
    EXPECT_TRUE(Form().SlideShowTimer()->isActive());
    EXPECT_EQ(Item("PauseHoldH1")->text(), QStringLiteral("Pause Silde Show [P]"));
    EXPECT_TRUE(Form().CursorHidden());
}

TEST_F(ViewerModesTest, EscStopsTheShowThenLeavesFullScreenThenCloses) {
    OpenImages({QStringLiteral("a.png"), QStringLiteral("b.png")});
    Form().SetFullScreen(true, false);
    Form().StartSlideShow();
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Form().SlideShowActive());
    EXPECT_TRUE(Form().FullScreen());
    EXPECT_TRUE(FilmstripShown()); // the full-screen choices are back
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Form().FullScreen());
    Key(Qt::Key_Escape);
    EXPECT_TRUE(WaitFor([this] { return Form().ShuttingDown(); }));
}

TEST_F(ViewerModesTest, AShowWhoseFirstImageIsSkippedEndsCleanly) {
    const QString folder = MakeFolder(QStringLiteral("S"), {QStringLiteral("b.png")});
    QFile bad(folder + QStringLiteral("/a.png"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("broken");
    bad.close();
    AnswerNextModal(2); // Skip, when the folder opens on a.png
    Open(folder);
    ASSERT_TRUE(WaitFor([this] { return Shown() == QStringLiteral("b.png"); }));
    Form().SetStartAtBeginning(true);
    AnswerNextModal(2); // Skip again, for the show's first image
    Form().StartSlideShow();
    EXPECT_FALSE(Form().SlideShowActive());
    EXPECT_FALSE(Form().SlideShowTimer()->isActive());
    EXPECT_FALSE(Form().CursorHidden());
}

TEST_F(ViewerModesTest, AFitOfATinyPictureKeepsTheZoomWithinRange) {
    const QString folder = MakeFolder(QStringLiteral("T"), {QStringLiteral("b.png")});
    QImage tiny(2, 2, QImage::Format_RGB32);
    tiny.fill(Qt::red);
    ASSERT_TRUE(tiny.save(folder + QStringLiteral("/a.png"), "PNG"));
    Open(folder);
    ASSERT_EQ(Shown(), QStringLiteral("a.png"));
    ASSERT_FALSE(Form().LeaveAutoFit());
    Form().ZoomToFit(); // a 2 x 2 picture over the whole viewing area: far beyond 10000 %
    EXPECT_EQ(Form().ZoomPercent(), 10000);
    Key(Qt::Key_Right);
    EXPECT_EQ(Shown(), QStringLiteral("b.png"));
    EXPECT_EQ(Form().Image1()->size(), QSize(800, 600)); // 8 x 6 at 10000 %
    Key(Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(Form().ZoomPercent(), 9990);
}

TEST_F(ViewerModesTest, TheFilmstripsRememberedTabComesBackOnceOnly) {
    TFolderViewForm* first = Open(MakeFolder(QStringLiteral("A"), {QStringLiteral("a.png")}));
    TFolderViewForm* second = Open(MakeFolder(QStringLiteral("B"), {QStringLiteral("b.png")}));
    ASSERT_EQ(Form().CurrentFolder(), second);
    Item("RegThumbsVisible")->trigger(); // hidden: B remembered
    Item("RegThumbsVisible")->trigger(); // shown: B again
    Form().ThumbPageControl()->setCurrentWidget(first);
    ASSERT_EQ(Form().CurrentFolder(), first);
    Form().SetFullScreen(true, false);
    Form().SetFullScreen(false, false);
    EXPECT_EQ(Form().CurrentFolder(), first);
}

TEST_F(ViewerModesTest, KeysTypedIntoTheZoomBoxStayThere) {
    const TFolderViewForm* view = OpenImages({QStringLiteral("a.png"), QStringLiteral("b.png")});
    QLineEdit* edit = Form().CmbZoomPercent()->lineEdit();
    edit->setFocus();
    QApplication::setActiveWindow(&Form());
    for (int key : {Qt::Key_S, Qt::Key_Delete, Qt::Key_Right, Qt::Key_Space})
        QTest::keyClick(edit, Qt::Key(key));
    EXPECT_FALSE(Form().SlideShowActive());
    EXPECT_EQ(Shown(), QStringLiteral("a.png"));
    EXPECT_TRUE(QFileInfo::exists(JoinPath(view->FolderPath(), QStringLiteral("a.png"))));
}

TEST_F(ViewerModesTest, HintsGoToTheFirstStatusPanelAndLeaveTheImageText) {
    OpenImages({QStringLiteral("a.png")});
    auto* button = Form().findChild<QToolButton*>(QStringLiteral("SBtnNext"));
    QStatusTipEvent tip(button->statusTip());
    QApplication::sendEvent(button, &tip);
    QStringList texts;
    for (const QLabel* label : Form().statusBar()->findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("View Next Image. [N]")));
    EXPECT_TRUE(texts.contains(QStringLiteral("a.png (8x6)")));
}

TEST_F(ViewerModesTest, TheSlideShowQuestionAnsweredCancelStartsNothing) {
    WriteRegString("ShowSlideShowPrompt", QStringLiteral("True"));
    OpenImages({QStringLiteral("a.png")});
    AnswerNextModal(2);
    Form().StartSlideShow();
    EXPECT_FALSE(Form().SlideShowActive());
    EXPECT_FALSE(Form().FullScreen());
}

TEST_F(ViewerModesTest, NoShowStartsWithoutAFolder) {
    Form().StartSlideShow();
    EXPECT_FALSE(Form().SlideShowActive());
}

// --- the plain state classes ---

TEST(ControlVisibilityTest, DefaultsAndWhatShowsInEachMode) {
    TControlVisibility visibility;
    const struct {
        ViewControl control;
        bool windowed, full;
    } defaults[] = {{ViewControl::MainMenu, true, false},
                    {ViewControl::Filmstrip, true, true},
                    {ViewControl::ToolBar, true, false},
                    {ViewControl::StatusBar, true, false},
                    {ViewControl::AdvancedViews, true, false}};
    for (const auto& d : defaults) {
        EXPECT_EQ(visibility.Shown(d.control, false, false), d.windowed) << int(d.control);
        EXPECT_EQ(visibility.Shown(d.control, true, false), d.full) << int(d.control);
        EXPECT_FALSE(visibility.Shown(d.control, true, true)) << int(d.control);
        EXPECT_EQ(visibility.Shown(d.control, false, true), d.windowed) << int(d.control);
    }
    // Floating views always show in a window.
    visibility.SetWindowed(ViewControl::AdvancedViews, false);
    EXPECT_TRUE(visibility.Windowed(ViewControl::AdvancedViews));
}

TEST(ControlVisibilityTest, AClickOnTheOtherModesChoiceOnlyFlipsIt) {
    TControlVisibility visibility;
    EXPECT_FALSE(visibility.ClickTakesEffect(ViewControl::Filmstrip, true, false));
    EXPECT_FALSE(visibility.Full(ViewControl::Filmstrip));
    EXPECT_TRUE(visibility.ClickTakesEffect(ViewControl::Filmstrip, false, false));
    EXPECT_TRUE(visibility.Windowed(ViewControl::Filmstrip));
}

TEST(SlideShowStateTest, PointerComesBackAfterMovingMoreThanFivePixels) {
    TSlideShowState state;
    EXPECT_FALSE(state.PointerMovedFar(QPoint(5, 5)));
    EXPECT_TRUE(state.PointerMovedFar(QPoint(6, 0)));
    EXPECT_FALSE(state.PointerMovedFar(QPoint(1, 5)));
    EXPECT_TRUE(state.PointerMovedFar(QPoint(6, 11)));
}

TEST(SlideShowStateTest, StatesAndTheirTexts) {
    TSlideShowState state;
    EXPECT_FALSE(TSlideShowState::CanStart(false, 3, false));
    EXPECT_FALSE(TSlideShowState::CanStart(true, 0, false));
    EXPECT_FALSE(TSlideShowState::CanStart(true, 3, true));
    EXPECT_TRUE(TSlideShowState::CanStart(true, 1, false));
    state.TogglePause();
    EXPECT_FALSE(state.Active());
    state.Start(true);
    EXPECT_TRUE(state.TimerRunning());
    EXPECT_EQ(state.SlideShowCaption(), QStringLiteral("&Stop Slide Show [S]"));
    state.TogglePause();
    EXPECT_TRUE(state.Active());
    EXPECT_FALSE(state.TimerRunning());
    EXPECT_EQ(state.WindowHint(),
              QStringLiteral("Slide Show Paused|Slide Show Paused (Press [P] to Continue)"));
    state.Stop();
    EXPECT_EQ(state.SlideShowCaption(), QStringLiteral("&Start Slide Show [S]"));
    EXPECT_TRUE(state.FullScreenBefore());
}

} // namespace

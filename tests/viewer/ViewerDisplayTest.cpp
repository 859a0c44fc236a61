// SPDX-License-Identifier: MIT
// Showing and stepping through images in the main window: keys, wrap-around, the error
// questions of a file that cannot be shown, a folder gone from under the viewer, the caption and
// status text, the background colour and GIF animation.
#include "ViewerFixture.h"

#include "imaging/GifImage.h"
#include "viewer/GifAnimator.h"
#include "viewer/ImageBox.h"
#include "viewer/PleaseWaitPanel.h"

#include <QBuffer>
#include <QLabel>
#include <QStatusBar>

namespace {

class ViewerDisplayTest : public ViewerFixture {};

QString SamplesFolder() {
    return QStringLiteral(ORVO_TEST_DATA_DIR) + QStringLiteral("/../../samples");
}

TEST_F(ViewerDisplayTest, StepKeysMoveOneImageAndWrapAround) {
    OpenImages({QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")});
    EXPECT_EQ(Shown(), QStringLiteral("a.png"));
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* expected;
    } steps[] = {
        {Qt::Key_Right, Qt::NoModifier, "b.png"},      {Qt::Key_Space, Qt::NoModifier, "c.png"},
        {Qt::Key_Space, Qt::NoModifier, "a.png"},      {Qt::Key_Left, Qt::NoModifier, "c.png"},
        {Qt::Key_Space, Qt::ControlModifier, "b.png"}, {Qt::Key_Left, Qt::NoModifier, "a.png"},
    };
    for (const auto& step : steps) {
        Key(step.key, step.modifiers);
        EXPECT_EQ(Shown(), QLatin1String(step.expected)) << step.key;
    }
    // The typed letters went nowhere.
    EXPECT_TRUE(Form().EdtKeyGrab()->text().isEmpty());
}

TEST_F(ViewerDisplayTest, AnImageChangedAfterItWasLoadedAheadShowsAsItIsNow) {
    const TFolderViewForm* view = OpenImages({QStringLiteral("a.png"), QStringLiteral("b.png")});
    QTest::qWait(300); // b.png is loaded ahead meanwhile
    QImage wider(20, 6, QImage::Format_RGB32);
    wider.fill(Qt::green);
    QTest::qWait(20);
    ASSERT_TRUE(wider.save(JoinPath(view->FolderPath(), QStringLiteral("b.png")), "PNG"));
    Key(Qt::Key_Right);
    EXPECT_EQ(Shown(), QStringLiteral("b.png"));
    EXPECT_EQ(Form().Picture().Width(), 20);
}

TEST_F(ViewerDisplayTest, CaptionAndStatusNameTheShownImage) {
    const TFolderViewForm* view = OpenImages({QStringLiteral("a.png")});
    EXPECT_EQ(Form().windowTitle(), QStringLiteral("Orvo Image Browser - ") +
                                        JoinPath(view->FolderPath(), QStringLiteral("a.png")));
    const QStringList texts = [&] {
        QStringList all;
        for (const QLabel* label : Form().statusBar()->findChildren<QLabel*>())
            all << label->text();
        return all;
    }();
    EXPECT_TRUE(texts.contains(QStringLiteral("a.png (8x6)")))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(Form().PnlPleaseWait()->isHidden());
}

TEST_F(ViewerDisplayTest, AnUndecodableFileAnsweredSkipEmptiesTheViewerAndShowsTheNext) {
    const QString folder =
        MakeFolder(QStringLiteral("F"), {QStringLiteral("a.png"), QStringLiteral("c.png")});
    QFile bad(folder + QStringLiteral("/b.png"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    Open(folder);
    ASSERT_EQ(Shown(), QStringLiteral("a.png"));
    QString title;
    AnswerNextModal(2, &title); // Skip
    Key(Qt::Key_Right);
    EXPECT_EQ(title, QStringLiteral("File Error"));
    EXPECT_EQ(Shown(), QStringLiteral("c.png"));
    EXPECT_TRUE(bad.exists());
}

TEST_F(ViewerDisplayTest, ACutOffJpegIsReportedThoughOnlyAReducedScaleIsShown) {
    const QString folder = MakeFolder(QStringLiteral("J"), {QStringLiteral("a.png")});
    QImage photo(1600, 1200, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    ASSERT_TRUE(photo.save(&bytes, "JPEG"));
    QFile cut(folder + QStringLiteral("/b.jpg"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.data().left(bytes.data().size() / 2));
    cut.close();
    Open(folder);
    QString title;
    AnswerNextModal(2, &title); // Skip
    Key(Qt::Key_Right);
    EXPECT_EQ(title, QStringLiteral("File Error"));
}

TEST_F(ViewerDisplayTest, AnUndecodableFileAnsweredDeleteGoesAndItsNeighbourShows) {
    TFolderViewForm* view = OpenImages({QStringLiteral("a.png"), QStringLiteral("c.png")});
    QFile bad(JoinPath(view->FolderPath(), QStringLiteral("b.png")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    view->Model().RescanFolder(TFolderModel::rmFull);
    AnswerNextModal(1); // Delete
    view->Model().SelectFile(QStringLiteral("b.png"));
    EXPECT_FALSE(QFileInfo::exists(bad.fileName()));
    EXPECT_EQ(view->Model().FileCount(), 2);
    EXPECT_TRUE(Form().HasImage());
    EXPECT_NE(Shown(), QStringLiteral("b.png"));
}

TEST_F(ViewerDisplayTest, DeletingTheLastUndecodableFileLeavesTheEmptyViewerWithItsHints) {
    const TFolderViewForm* view = OpenImages({QStringLiteral("only.png")});
    QFile bad(JoinPath(view->FolderPath(), QStringLiteral("only.png")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("broken");
    bad.close();
    AnswerNextModal(1); // Delete
    Key(Qt::Key_F5);
    ASSERT_TRUE(WaitFor([&] { return !bad.exists(); }));
    EXPECT_FALSE(Form().HasImage());
    EXPECT_FALSE(Form().PnlPleaseWait()->isHidden());
    EXPECT_FALSE(Form().PnlPleaseWait()->LblToOpenImage()->isHidden());
}

TEST_F(ViewerDisplayTest, AFolderGoneFromUnderTheViewerOffersToCloseIt) {
    TFolderViewForm* view = OpenImages({QStringLiteral("a.png")}, QStringLiteral("gone"));
    QPointer<TFolderViewForm> watched = view;
    // The folder is renamed away; the change reports are not waited for, F5 finds it first.
    ASSERT_TRUE(QDir(root.path()).rename(QStringLiteral("gone"), QStringLiteral("elsewhere")));
    QString title;
    AnswerNextModal(1, &title); // Close Folder
    Key(Qt::Key_F5);
    EXPECT_TRUE(WaitFor([&] { return watched.isNull() || watched->IsClosing(); }));
    EXPECT_TRUE(Form().OpenFolders().isEmpty() || !Form().OpenFolders().contains(view));
}

TEST_F(ViewerDisplayTest, BackgroundColourSetsThePanelTextColour) {
    Form();
    const struct {
        QColor colour;
        QColor text;
    } cases[] = {
        {Qt::white, Qt::black}, {Qt::black, Qt::white}, {QColor(0x80, 0x80, 0x80), Qt::black}};
    for (const auto& c : cases) {
        Form().SetBackgroundColor(c.colour);
        EXPECT_EQ(Form().BackgroundColor(), c.colour);
        EXPECT_EQ(Form().PnlPleaseWait()->LblToOpen()->palette().color(QPalette::WindowText),
                  c.text);
    }
}

TEST_F(ViewerDisplayTest, AnimatedGifsPlayOnlyWhenAnimationIsOnAndNoShowRuns) {
    const QString gif = SamplesFolder() + QStringLiteral("/spinner.gif");
    ASSERT_TRUE(QFileInfo::exists(gif));
    Form().OpenImagePath(QFileInfo(gif).canonicalFilePath(), false);
    ASSERT_TRUE(
        WaitFor([this] { return Form().CurrentImageName() == QStringLiteral("spinner.gif"); }));
    EXPECT_FALSE(Form().GifAnimator()->isHidden());
    EXPECT_TRUE(Form().Image1()->isHidden());
    EXPECT_TRUE(Form().GifAnimator()->Animating());
    Form().SetAnimateGif(false);
    EXPECT_FALSE(Form().GifAnimator()->Animating());
    Form().SetAnimateGif(true);
    EXPECT_TRUE(Form().GifAnimator()->Animating());
    // A still picture hides the player.
    Form().OpenImagePath(
        QFileInfo(SamplesFolder() + QStringLiteral("/badge.gif")).canonicalFilePath(), false);
    ASSERT_TRUE(
        WaitFor([this] { return Form().CurrentImageName() == QStringLiteral("badge.gif"); }));
    EXPECT_FALSE(Form().GifAnimator()->Animating());
}

TEST(GifAnimatorTest, ZeroAndTinyDelaysPlayAtATenthOfASecond) {
    EXPECT_EQ(TGifAnimator::EffectiveDelayMs(0), 100);
    EXPECT_EQ(TGifAnimator::EffectiveDelayMs(10), 100);
    EXPECT_EQ(TGifAnimator::EffectiveDelayMs(20), 20);
    EXPECT_EQ(TGifAnimator::EffectiveDelayMs(500), 500);
}

} // namespace

// SPDX-License-Identifier: MIT
// The main window's start and close: settings read and written back, command-line files, the
// temporary folder emptied, and the hand-off from a second start.
#include "ViewerFixture.h"

#include "imaging/GenUtilUnit.h"
#include "viewer/ControlVisibility.h"

#include <QMenuBar>
#include <QTimer>

namespace {

class ViewerStartCloseTest : public ViewerFixture {};

TEST_F(ViewerStartCloseTest, StoredSettingsAreAppliedAndWrittenBackAtClose) {
    WriteRegString("SlideShowInterval", QStringLiteral("7000"));
    WriteRegString("PlayInReverse", QStringLiteral("True"));
    WriteRegString("AnimateGif", QStringLiteral("False"));
    WriteRegString("MenuVisible", QStringLiteral("False"));
    WriteRegString("FullScreenThumbsVisible", QStringLiteral("False"));
    WriteRegString(BackgroundColorValueName(), QStringLiteral("16777215"));
    EXPECT_EQ(Form().SlideShowTimer()->interval(), 7000);
    EXPECT_TRUE(Form().PlayInReverse());
    EXPECT_FALSE(Form().AnimateGif());
    EXPECT_TRUE(Form().menuBar()->isHidden());
    EXPECT_FALSE(Form().Visibility().Full(ViewControl::Filmstrip));
    EXPECT_EQ(Form().BackgroundColor(), QColor(Qt::white));

    Form().SetStartAtBeginning(true);
    Form().SetBackgroundColor(QColor(0x80, 0x80, 0x80));
    Form().Visibility().SetFull(ViewControl::StatusBar, true);
    Form().close();
    const struct {
        QString name;
        const char* value;
    } written[] = {
        {QStringLiteral("SlideShowInterval"), "7000"},
        {QStringLiteral("StartAtBeginning"), "True"},
        {QStringLiteral("PlayInReverse"), "True"},
        {BackgroundColorValueName(), "8421504"},
        {QStringLiteral("AnimateGif"), "False"},
        {QStringLiteral("AutoSaveImages"), "True"},
        {QStringLiteral("HideFolderTab"), "False"},
        {QStringLiteral("MenuVisible"), "False"},
        {QStringLiteral("ThumbsVisible"), "True"},
        {QStringLiteral("NavVisible"), "True"},
        {QStringLiteral("StatusVisible"), "True"},
        {QStringLiteral("FullScreenMenuVisible"), "False"},
        {QStringLiteral("FullScreenThumbsVisible"), "False"},
        {QStringLiteral("FullScreenListVisible"), "False"},
        {QStringLiteral("FullScreenNavVisible"), "False"},
        {QStringLiteral("FullScreenStatusVisible"), "True"},
        {QStringLiteral("FileMruMaxItems"), "20"},
    };
    for (const auto& w : written)
        EXPECT_EQ(ReadRegString(w.name), QLatin1String(w.value)) << w.name.toStdString();
}

TEST_F(ViewerStartCloseTest, APauseThatIsNotPositiveFallsBackToFiveSeconds) {
    for (const char* stored : {"0", "-20", "x"}) {
        WriteRegString("SlideShowInterval", QString::fromLatin1(stored));
        form.reset();
        EXPECT_EQ(Form().SlideShowTimer()->interval(), 5000) << stored;
    }
}

TEST_F(ViewerStartCloseTest, TheDesignedCaptionStandsUntilAFolderOpens) {
    EXPECT_EQ(Form().windowTitle(), QStringLiteral("Orvo Image Browser by Tamblin, Inc."));
}

TEST_F(ViewerStartCloseTest, ATextFileOnTheCommandLineIsReportedOnceAndStartUpGoesOn) {
    const QString text = root.filePath(QStringLiteral("notes.txt"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    int boxes = 0;
    QString title;
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ++boxes;
            title = dialog->windowTitle();
            dialog->done(1);
        }
    });
    poll->start();
    Form({text});
    QTest::qWait(50);
    delete poll;
    EXPECT_EQ(boxes, 1);
    EXPECT_FALSE(Form().HasImage());
    EXPECT_TRUE(Form().OpenFolders().isEmpty());
}

TEST_F(ViewerStartCloseTest, OfTwoImagesOnTheCommandLineOnlyTheLastOpens) {
    const QString first = MakeFolder(QStringLiteral("one"), {QStringLiteral("a.png")});
    const QString second =
        MakeFolder(QStringLiteral("two"), {QStringLiteral("b.png"), QStringLiteral("c.png")});
    Form({root.filePath(QStringLiteral("missing.png")), first + QStringLiteral("/a.png"),
          second + QStringLiteral("/c.png")});
    ASSERT_EQ(Form().OpenFolders().size(), 1);
    EXPECT_EQ(Form().CurrentImageName(), QStringLiteral("c.png"));
}

TEST_F(ViewerStartCloseTest, ClosingEmptiesTheTemporaryFolderOfImageFiles) {
    Form();
    const QString temp = TempFolder();
    for (const char* name : {"strip1.bmp", "mail.jpg", "keep.txt"}) {
        QFile file(temp + QLatin1Char('/') + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Form().close();
    EXPECT_FALSE(QFileInfo::exists(temp + QStringLiteral("/strip1.bmp")));
    EXPECT_FALSE(QFileInfo::exists(temp + QStringLiteral("/mail.jpg")));
    EXPECT_TRUE(QFileInfo::exists(temp + QStringLiteral("/keep.txt")));
    // With nothing else left the folder goes too (another program's leftovers keep it).
    QFile::remove(temp + QStringLiteral("/keep.txt"));
    form.reset();
    Form();
    const bool onlyImages =
        QDir(temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty();
    Form().close();
    if (onlyImages)
        EXPECT_FALSE(QFileInfo::exists(temp));
}

TEST_F(ViewerStartCloseTest, AHandedOverImageShowsInItsFolderAndExitCloses) {
    const QString folder =
        MakeFolder(QStringLiteral("H"), {QStringLiteral("a.png"), QStringLiteral("b.png")});
    Open(folder);
    Form().PXD_MainExecuteMacro(folder + QStringLiteral("/b.png"));
    EXPECT_EQ(Form().OpenFolders().size(), 1);
    EXPECT_EQ(Form().CurrentImageName(), QStringLiteral("b.png"));
    Form().PXD_MainExecuteMacro(QStringLiteral("EXIT"));
    EXPECT_TRUE(Form().ShuttingDown());
}

} // namespace

// SPDX-License-Identifier: MIT
// The Open Image Folder dialog on a temporary folder: only images are listed, the preview and
// its labels, the answer with and without an image, the recent folders (an "&" in a path comes
// back intact), Enter and Esc, Create New Folder and Refresh.
#include "ModalDriver.h"
#include "dialogs/OpenFolderRules.h"
#include "dialogs/OpenFolderUnit.h"
#include "imaging/Bitmap.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/PictureSaving.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

class OpenFolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenResolutionOverride(96);
        ASSERT_TRUE(temp.isValid());
        root = temp.path();
        photos = Folder(QStringLiteral("Photos"));
        MakeImage(photos, QStringLiteral("b.png"), 40, 30);
        MakeImage(photos, QStringLiteral("A.bmp"), 300, 20);
        MakeImage(photos, QStringLiteral("c.jpg"), 64, 48);
        MakeImage(photos, QStringLiteral("d.jpg"), 8, 8);
        for (const char* other : {"notes.txt", ".hidden.png", "readme"}) {
            QFile file(JoinPath(photos, QString::fromLatin1(other)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QDir(photos).mkdir(QStringLiteral("folder.png")));
    }
    void TearDown() override { SetScreenResolutionOverride(0); }

    QString Folder(const QString& name) {
        const QString path = JoinPath(root, name);
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }
    static void MakeImage(const QString& folder, const QString& name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        SavePictureAs(TBitmap(image), JoinPath(folder, name));
    }
    static QStringList ListedNames(const TOpenFolderForm& dialog) {
        QStringList names;
        for (int i = 0; i < dialog.ImageListBox()->count(); ++i)
            names << dialog.ImageListBox()->item(i)->text();
        return names;
    }
    static QStringList Labels(const TOpenFolderForm& dialog) {
        return {dialog.LblImageNOf()->text(), dialog.LblImageType()->text(),
                dialog.LblDimensions()->text(), dialog.LblSize()->text(),
                dialog.LblModified()->text()};
    }
    // Picks the folder in the tree, as a click would.
    static void PickFolder(TOpenFolderForm& dialog, const QString& folder) {
        ASSERT_TRUE(dialog.SelectTreeFolder(folder));
        ASSERT_EQ(dialog.TreeFolderPath(), folder);
        EXPECT_EQ(dialog.CmbFileName()->currentText(), folder);
    }

    QTemporaryDir temp;
    QString root, photos;
};

} // namespace

TEST_F(OpenFolderDialogTest, ListsOnlyTheFoldersImagesWithOneIconPerExtension) {
    TOpenFolderForm dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Open Image Folder"));
    PickFolder(dialog, photos);
    EXPECT_EQ(ListedNames(dialog), (QStringList{QStringLiteral("A.bmp"), QStringLiteral("b.png"),
                                                QStringLiteral("c.jpg"), QStringLiteral("d.jpg")}));
    // The first image is selected; both JPEG files share one icon.
    EXPECT_EQ(dialog.SelectedImageName(), QStringLiteral("A.bmp"));
    EXPECT_EQ(dialog.ShellIconCount(), 3);
    EXPECT_EQ(dialog.ImageListBox()->item(2)->icon().cacheKey(),
              dialog.ImageListBox()->item(3)->icon().cacheKey());
}

TEST_F(OpenFolderDialogTest, PreviewShowsTheSelectedImageAndItsLabels) {
    TOpenFolderForm dialog;
    PickFolder(dialog, photos);
    dialog.ImageListBox()->setCurrentRow(1); // b.png, 40 x 30
    EXPECT_EQ(dialog.PreviewPath(), JoinPath(photos, QStringLiteral("b.png")));
    const QFileInfo info(dialog.PreviewPath());
    EXPECT_EQ(Labels(dialog),
              (QStringList{QStringLiteral("Image #: 2 of 4"), QStringLiteral("Type: PNG Image"),
                           QStringLiteral("Dimensions: 40x30"),
                           QStringLiteral("Size: ") + KilobyteText(info.size(), QLocale()),
                           QStringLiteral("Modified Date: ") +
                               QLocale().toString(info.lastModified(), QLocale::ShortFormat)}));
    EXPECT_EQ(dialog.ImagePreview()->geometry(), QRect(412, 92 + (169 - 30) / 2, 40, 30));

    // A wide image is fitted into the 185 x 169 box; JPEG dimensions are approximate.
    dialog.ImageListBox()->setCurrentRow(0);
    EXPECT_EQ(dialog.ImagePreview()->size(), QSize(185, 12));
    dialog.ImageListBox()->setCurrentRow(2);
    EXPECT_EQ(dialog.LblDimensions()->text(), QStringLiteral("Approx. Dimensions: 64x48"));
    EXPECT_EQ(dialog.LblImageNOf()->text(), QStringLiteral("Image #: 3 of 4"));
}

TEST_F(OpenFolderDialogTest, FolderWithoutImagesAnswersTheFolder) {
    const QString empty = Folder(QStringLiteral("Empty"));
    TOpenFolderForm dialog;
    PickFolder(dialog, empty);
    EXPECT_EQ(dialog.ImageListBox()->count(), 0);
    EXPECT_EQ(Labels(dialog), (QStringList{QStringLiteral("Image #:"), QStringLiteral("Type:"),
                                           QStringLiteral("Dimensions:"), QStringLiteral("Size:"),
                                           QStringLiteral("Modified Date:")}));
    EXPECT_EQ(dialog.ImagePreview()->size(), QSize(0, 0));
    WhenModalShown(PressKey(Qt::Key_Return));
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_EQ(dialog.GetSelectedPath(), empty + QStringLiteral("/"));
}

TEST_F(OpenFolderDialogTest, AnswerIsTheFolderAndTheSelectedImage) {
    TOpenFolderForm dialog;
    PickFolder(dialog, photos);
    dialog.ImageListBox()->setCurrentRow(3);
    // Enter on the list answers OK; the selection survives the show.
    WhenModalShown([&dialog](QWidget*) { QTest::keyClick(dialog.ImageListBox(), Qt::Key_Return); });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_EQ(dialog.GetSelectedPath(), JoinPath(photos, QStringLiteral("d.jpg")));

    // Esc changes nothing and answers Cancel.
    WhenModalShown(PressKey(Qt::Key_Escape));
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_EQ(dialog.SelectedImageName(), QStringLiteral("d.jpg"));
}

TEST_F(OpenFolderDialogTest, TypedFolderAndEnterMovesTheTreeThere) {
    const QString other = Folder(QStringLiteral("Other"));
    MakeImage(other, QStringLiteral("z.png"), 4, 4);
    MakeImage(other, QStringLiteral("y.gif"), 4, 4);
    TOpenFolderForm dialog;
    PickFolder(dialog, photos);
    WhenModalShown([&dialog, &other](QWidget*) {
        QLineEdit* edit = dialog.CmbFileName()->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, other);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_EQ(dialog.TreeFolderPath(), other);
    EXPECT_EQ(dialog.GetSelectedPath(), JoinPath(other, QStringLiteral("y.gif")));
    EXPECT_TRUE(dialog.RecentFolderEntries().contains(other));
}

TEST_F(OpenFolderDialogTest, InvalidFolderIsRefusedAndTheDialogStaysOpen) {
    TOpenFolderForm dialog;
    const QString gone = JoinPath(root, QStringLiteral("gone"));
    dialog.FillRecentFolders({gone, photos});
    PickFolder(dialog, photos);
    dialog.CmbFileName()->setEditText(gone);
    SeenMessage message;
    bool stayedOpen = false;
    WhenModalShown([&](QWidget* modal) {
        WhenModalShown(NoteAndCloseMessageBox(message));
        QTest::keyClick(modal, Qt::Key_Return);
        stayedOpen = modal->isVisible();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_TRUE(message.shown);
    EXPECT_EQ(message.text, QStringLiteral("Please choose a valid Folder"));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(dialog.RecentFolderEntries(), QStringList{photos});
}

TEST_F(OpenFolderDialogTest, RecentFolderWithAmpersandComesBackIntact) {
    const QString cartoons = Folder(QStringLiteral("Tom & Jerry"));
    MakeImage(cartoons, QStringLiteral("chase.png"), 10, 10);
    const QString gone = JoinPath(root, QStringLiteral("R&D gone"));

    TOpenFolderForm dialog({gone, cartoons});
    // The first recent folder that exists is where the tree starts.
    EXPECT_EQ(dialog.TreeFolderPath(), cartoons);
    EXPECT_EQ(dialog.RecentFolderEntries(), (QStringList{gone, cartoons}));

    PickFolder(dialog, photos);
    bool checked = false;
    dialog.SetFolderCheck([&checked](const QString& path) {
        checked = true;
        return QFileInfo(path).isDir();
    });
    WhenModalShown([&dialog](QWidget* modal) {
        QComboBox* box = dialog.CmbFileName();
        box->setCurrentIndex(1);
        emit box->activated(1);
        QTest::keyClick(modal, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_TRUE(checked);
    EXPECT_EQ(dialog.CmbFileName()->currentText(), cartoons);
    EXPECT_EQ(dialog.GetSelectedPath(), JoinPath(cartoons, QStringLiteral("chase.png")));

    // Refilling keeps what is typed in the box.
    EXPECT_EQ(dialog.FillRecentFolders({photos, cartoons}), photos);
    EXPECT_EQ(dialog.CmbFileName()->currentText(), cartoons);
    dialog.RemoveRecentFolder(photos);
    EXPECT_EQ(dialog.RecentFolderEntries(), QStringList{cartoons});
}

TEST_F(OpenFolderDialogTest, CreateNewFolderMakesAndSelectsIt) {
    TOpenFolderForm dialog;
    PickFolder(dialog, photos);
    const QString fresh = JoinPath(photos, QStringLiteral("Fresh"));
    WhenModalShown([](QWidget* modal) {
        QTest::keyClicks(modal->findChild<QLineEdit*>(), QStringLiteral("Fresh"));
        QTest::keyClick(modal, Qt::Key_Return);
    });
    dialog.SBtnNewFolderClick();
    EXPECT_TRUE(QFileInfo(fresh).isDir());
    EXPECT_EQ(dialog.TreeFolderPath(), fresh);
    EXPECT_EQ(dialog.CmbFileName()->currentText(), fresh);
    EXPECT_EQ(dialog.ImageListBox()->count(), 0);

    // The same name again under Photos: reported, and the existing folder is selected.
    dialog.CmbFileName()->setEditText(photos);
    SeenMessage message;
    WhenModalShown([&message](QWidget* modal) {
        WhenModalShown(NoteAndCloseMessageBox(message));
        QTest::keyClicks(modal->findChild<QLineEdit*>(), QStringLiteral("Fresh"));
        QTest::keyClick(modal, Qt::Key_Return);
    });
    dialog.SBtnNewFolderClick();
    EXPECT_EQ(message.text, fresh + QStringLiteral(" already exists."));
    EXPECT_EQ(dialog.TreeFolderPath(), fresh);

    // Cancel creates nothing.
    dialog.CmbFileName()->setEditText(photos);
    WhenModalShown(PressKey(Qt::Key_Escape));
    dialog.SBtnNewFolderClick();
    EXPECT_EQ(dialog.CmbFileName()->currentText(), photos);
}

TEST_F(OpenFolderDialogTest, RefreshFollowsNewFilesAndEmptiesADeletedFolder) {
    const QString doomed = Folder(QStringLiteral("Doomed"));
    MakeImage(doomed, QStringLiteral("m.png"), 5, 5);
    TOpenFolderForm dialog;
    PickFolder(dialog, doomed);
    dialog.ImageListBox()->setCurrentRow(0);
    MakeImage(doomed, QStringLiteral("a.png"), 5, 5);
    dialog.RefreshView();
    EXPECT_EQ(ListedNames(dialog), (QStringList{QStringLiteral("a.png"), QStringLiteral("m.png")}));
    EXPECT_EQ(dialog.SelectedImageName(), QStringLiteral("m.png")); // the selection is kept

    ASSERT_TRUE(QDir(doomed).removeRecursively());
    dialog.RefreshView();
    EXPECT_EQ(dialog.ImageListBox()->count(), 0);
    EXPECT_TRUE(dialog.PreviewPath().isEmpty());
    EXPECT_EQ(dialog.LblImageNOf()->text(), QStringLiteral("Image #:"));
}

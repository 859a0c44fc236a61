// SPDX-License-Identifier: MIT
// The Save Image dialog on a temporary folder: opening it on a file, the type filter and the
// name's extension, the preview, the checks on confirming (unsupported names, the replace
// question), double-clicks, F5 and Delete, up one level, new folder and the view styles.
#include "ModalDriver.h"
#include "dialogs/PreviewControls.h"
#include "dialogs/SaveAsUnit.h"
#include "dialogs/ShellFolderCombo.h"
#include "dialogs/ShellListModel.h"
#include "imaging/Bitmap.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "imaging/PictureSaving.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

class SaveAsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenResolutionOverride(96);
        ASSERT_TRUE(temp.isValid());
        photos = JoinPath(temp.path(), QStringLiteral("Photos"));
        ASSERT_TRUE(QDir().mkpath(JoinPath(photos, QStringLiteral("sub"))));
        MakeImage(QStringLiteral("b.png"), 40, 30);
        MakeImage(QStringLiteral("c.jpg"), 64, 48);
        MakeImage(QStringLiteral("e.jpeg"), 8, 8);
        MakeImage(QStringLiteral("i.ico"), 16, 16);
        QFile notes(In("notes.txt"));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    }
    void TearDown() override { SetScreenResolutionOverride(0); }

    QString In(const char* name) const { return JoinPath(photos, QString::fromUtf8(name)); }
    void MakeImage(const QString& name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        if (name.endsWith(QStringLiteral(".ico")))
            ASSERT_TRUE(image.save(JoinPath(photos, name), "ICO"));
        else
            SavePictureAs(TBitmap(image), JoinPath(photos, name));
    }
    // Types `name`, confirms with Enter and leaves with Esc; what the refusal said, and whether
    // the dialog stayed open after the confirmation.
    struct Refusal {
        bool stayedOpen = false;
        QString message;
    };
    static Refusal ConfirmRefused(TSaveAsForm& dialog, const QString& name) {
        Refusal refusal;
        SeenMessage seen;
        WhenModalShown([&](QWidget* modal) {
            TypeName(dialog, name);
            WhenModalShown(NoteAndCloseMessageBox(seen));
            QTest::keyClick(modal, Qt::Key_Return);
            refusal.stayedOpen = modal->isVisible();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        EXPECT_EQ(dialog.ShowModal(), 2);
        refusal.message = seen.text;
        return refusal;
    }
    static QStringList Listed(const TSaveAsForm& dialog) {
        const TShellListModel* model = dialog.StShellList()->Model();
        QStringList names;
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->Entry(row).name;
        return names;
    }
    static void Select(TSaveAsForm& dialog, const char* name) {
        const int row = dialog.StShellList()->Model()->RowOf(QString::fromUtf8(name));
        ASSERT_GE(row, 0) << name;
        dialog.StShellList()->SelectRow(row);
    }
    static QStringList Labels(const TSaveAsForm& dialog) {
        return {dialog.LblDimensions()->text(), dialog.LblSize()->text(),
                dialog.LblModified()->text()};
    }
    static void TypeName(TSaveAsForm& dialog, const QString& name) {
        dialog.EdtFileName()->setText(name);
    }
    // Answers the message box on screen with `button`, noting its text.
    static std::function<void(QWidget*)> Answer(QMessageBox::StandardButton button, QString* text) {
        return [button, text](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr) << "expected a message box";
            *text = box->text();
            box->button(button)->click();
        };
    }

    QTemporaryDir temp;
    QString photos;
};

} // namespace

TEST_F(SaveAsDialogTest, OpeningOnAFileShowsItsFolderNameAndFilter) {
    TSaveAsForm dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Save Image"));
    EXPECT_EQ(dialog.CmbFilter()->count(), 7);
    EXPECT_EQ(dialog.CmbFilter()->itemText(3), QStringLiteral("Windows Metafile Image (*.wmf)"));
    EXPECT_TRUE(dialog.OpenSavedImage());

    dialog.SetInitialFile(In("c.jpg"));
    EXPECT_EQ(dialog.StShellList()->Folder(), photos);
    EXPECT_EQ(dialog.StShellCombo()->Folder(), photos);
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("c.jpg"));
    EXPECT_EQ(dialog.CmbFilter()->currentIndex(), 0);
    EXPECT_EQ(Listed(dialog), (QStringList{QStringLiteral("sub"), QStringLiteral("c.jpg"),
                                           QStringLiteral("e.jpeg")}));
    // The file's row has the focus mark but is not selected: nothing is previewed.
    EXPECT_EQ(dialog.StShellList()->CurrentRow(), 1);
    EXPECT_EQ(dialog.StShellList()->SelectedRow(), -1);
    EXPECT_TRUE(dialog.SavePreviewFile().isEmpty());
    EXPECT_EQ(dialog.GetSavePath(), In("c.jpg"));

    dialog.SetInitialFile(In("b.png"));
    EXPECT_EQ(dialog.CmbFilter()->currentIndex(), 2);
    EXPECT_EQ(Listed(dialog), (QStringList{QStringLiteral("sub"), QStringLiteral("b.png")}));

    // ".jpeg" is no item's default extension: filter and list stay as they were.
    dialog.SetInitialFile(In("e.jpeg"));
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("e.jpeg"));
    EXPECT_EQ(dialog.CmbFilter()->currentIndex(), 2);
    EXPECT_EQ(dialog.StShellList()->Mask(), QStringLiteral("*.png"));

    // An icon selects the bitmap filter and keeps its own name.
    dialog.SetInitialFile(In("i.ico"));
    EXPECT_EQ(dialog.CmbFilter()->currentIndex(), 1);
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("i.ico"));

    // A file that does not exist is still named, in its folder.
    dialog.SetInitialFile(JoinPath(temp.path(), QStringLiteral("gone.jpg")));
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("gone.jpg"));
    EXPECT_EQ(dialog.StShellList()->Folder(), temp.path());
}

// The shown image's folder was deleted: the dialog opens in the nearest folder still there,
// with the image's name, instead of the folder and name of its last use.
TEST_F(SaveAsDialogTest, AFileWhoseFolderHasGoneIsOfferedInTheNearestExistingParent) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("c.jpg"));
    ASSERT_TRUE(QDir(In("sub")).removeRecursively());
    dialog.SetInitialFile(JoinPath(In("sub"), QStringLiteral("deeper/shown.png")));
    EXPECT_EQ(dialog.StShellList()->Folder(), photos);
    EXPECT_EQ(dialog.StShellCombo()->Folder(), photos);
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("shown.png"));
    EXPECT_EQ(dialog.CmbFilter()->currentIndex(), 2);
    EXPECT_EQ(dialog.GetSavePath(), In("shown.png"));
}

TEST_F(SaveAsDialogTest, FilterChangeRewritesTheExtensionAndTheList) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("c.jpg"));
    dialog.CmbFilter()->setCurrentIndex(2);
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("c.png"));
    EXPECT_EQ(dialog.StShellList()->Mask(), QStringLiteral("*.png"));
    EXPECT_EQ(Listed(dialog), (QStringList{QStringLiteral("sub"), QStringLiteral("b.png")}));

    TypeName(dialog, QString());
    dialog.CmbFilter()->setCurrentIndex(5);
    EXPECT_TRUE(dialog.EdtFileName()->text().isEmpty());
    TypeName(dialog, QStringLiteral("holiday"));
    dialog.CmbFilter()->setCurrentIndex(6);
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("holiday.pcx"));
}

TEST_F(SaveAsDialogTest, PreviewShowsTheSelectedWritableFile) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("b.png"));
    TypeName(dialog, QStringLiteral("typed.png"));
    Select(dialog, "b.png");
    EXPECT_EQ(dialog.SavePreviewFile(), In("b.png"));
    EXPECT_EQ(dialog.ImagePreview()->geometry(), QRect(412, 48 + (169 - 30) / 2, 40, 30));
    EXPECT_EQ(dialog.LblDimensions()->text(), QStringLiteral("Dimensions: 40x30"));
    EXPECT_TRUE(dialog.LblSize()->text().endsWith(QStringLiteral(" KB")));
    EXPECT_TRUE(dialog.LblModified()->text().startsWith(QStringLiteral("Modified Date: ")));
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("b.png"));

    // A folder empties the preview and leaves the name as it was.
    TypeName(dialog, QStringLiteral("typed.png"));
    Select(dialog, "sub");
    EXPECT_TRUE(dialog.SavePreviewFile().isEmpty());
    EXPECT_EQ(dialog.ImagePreview()->size(), QSize(0, 0));
    EXPECT_EQ(Labels(dialog), (QStringList{QStringLiteral("Dimensions:"), QStringLiteral("Size:"),
                                           QStringLiteral("Modified Date:")}));
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("typed.png"));

    // JPEG dimensions come from a reduced decode.
    dialog.CmbFilter()->setCurrentIndex(0);
    Select(dialog, "c.jpg");
    EXPECT_EQ(dialog.LblDimensions()->text(), QStringLiteral("Approx. Dimensions: 64x48"));
}

TEST_F(SaveAsDialogTest, NameWithoutExtensionTakesTheFiltersOnSave) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("c.jpg"));
    dialog.CBOpenSavedImage()->setChecked(false);
    dialog.CmbFilter()->setCurrentIndex(5); // GIF
    WhenModalShown([&dialog](QWidget* modal) {
        QLineEdit* edit = dialog.EdtFileName();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("photo"));
        QTest::keyClick(modal, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("photo.gif"));
    EXPECT_EQ(dialog.GetSavePath(), In("photo.gif"));
    EXPECT_FALSE(dialog.OpenSavedImage()); // kept between uses, like the filter

    WhenModalShown(ClickButton("SBtnCancel"));
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_EQ(dialog.CmbFilter()->currentIndex(), 5);
}

TEST_F(SaveAsDialogTest, UnwritableNamesAreRefusedAndTheDialogStaysOpen) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("i.ico"));
    for (const char* name : {"i.ico", "my.picture"}) {
        SCOPED_TRACE(name);
        const Refusal refusal = ConfirmRefused(dialog, QString::fromUtf8(name));
        EXPECT_TRUE(refusal.stayedOpen);
        EXPECT_EQ(refusal.message, In(name) + QStringLiteral(" is not a supported save format!"));
    }

    // An empty name keeps the dialog open without a word.
    bool emptyStayedOpen = false;
    WhenModalShown([&](QWidget* modal) {
        TypeName(dialog, QString());
        ClickButton("SBtnSave")(modal);
        emptyStayedOpen = QApplication::activeModalWidget() == modal && modal->isVisible();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_TRUE(emptyStayedOpen);
}

// A folder of the typed name cannot take the picture: the dialog says so and stays open,
// rather than answering with a path the save then fails on.
TEST_F(SaveAsDialogTest, AFolderOfTheTypedNameIsRefusedAndTheDialogStaysOpen) {
    ASSERT_TRUE(QDir(photos).mkdir(QStringLiteral("album.png")));
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("b.png"));
    const Refusal refusal = ConfirmRefused(dialog, QStringLiteral("album.png"));
    EXPECT_TRUE(refusal.stayedOpen);
    EXPECT_EQ(refusal.message, In("album.png") + QStringLiteral(" is a folder."));
}

// A preview that failed leaves no trace: once the file is readable, selecting it again shows it.
TEST_F(SaveAsDialogTest, AFailedPreviewIsClearedAndTriedAgain) {
    QFile damaged(In("d.png"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a picture");
    damaged.close();
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("b.png"));
    QString caption;
    WhenModalShown([&caption](QWidget* box) {
        caption = box->windowTitle();
        ClickButton("SbtnOkay")(box);
    });
    Select(dialog, "d.png");
    EXPECT_EQ(caption, QStringLiteral("Error"));
    EXPECT_TRUE(dialog.SavePreviewFile().isEmpty());
    EXPECT_EQ(dialog.ImagePreview()->size(), QSize(0, 0));

    QFile::remove(In("d.png"));
    MakeImage(QStringLiteral("d.png"), 20, 10);
    dialog.UpdateSavePreview();
    EXPECT_EQ(dialog.SavePreviewFile(), In("d.png"));
    EXPECT_EQ(dialog.LblDimensions()->text(), QStringLiteral("Dimensions: 20x10"));
}

TEST_F(SaveAsDialogTest, ExistingFileIsReplacedOnlyWhenTheUserSaysYes) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("b.png"));
    QString question;
    bool stayedOpen = false;
    WhenModalShown([&](QWidget* modal) {
        WhenModalShown(Answer(QMessageBox::No, &question));
        QTest::keyClick(modal, Qt::Key_Return);
        stayedOpen = modal->isVisible();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(question,
              In("b.png") + QStringLiteral(" already exists!\n\rDo you you want to replace it?"));
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("b.png"));

    question.clear();
    WhenModalShown([&](QWidget* modal) {
        WhenModalShown(Answer(QMessageBox::Yes, &question));
        QTest::keyClick(modal, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_FALSE(question.isEmpty());
    EXPECT_EQ(dialog.GetSavePath(), In("b.png"));
}

TEST_F(SaveAsDialogTest, DoubleClicksConfirmOnlyWritableFilesAndOpenFolders) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("c.jpg"));
    QString question;
    WhenModalShown([&](QWidget*) {
        QAbstractItemView* view = dialog.StShellList()->CurrentView();
        const QModelIndex row = view->model()->index(1, 0); // c.jpg
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(row).center());
        WhenModalShown(Answer(QMessageBox::Yes, &question));
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(row).center());
    });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_EQ(question.section(QLatin1Char(' '), 0, 0), In("c.jpg"));
    EXPECT_EQ(dialog.GetSavePath(), In("c.jpg"));

    // A folder opens; the dialog stays.
    bool stayedOpen = false;
    WhenModalShown([&](QWidget* modal) {
        QAbstractItemView* view = dialog.StShellList()->CurrentView();
        const QRect sub = view->visualRect(view->model()->index(0, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, sub.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, sub.center());
        stayedOpen = modal->isVisible();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(dialog.StShellList()->Folder(), In("sub"));
    EXPECT_EQ(dialog.StShellCombo()->Folder(), In("sub"));
}

TEST_F(SaveAsDialogTest, DoubleClickOnTheShownPreviewConfirms) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("b.png"));
    TypeName(dialog, QStringLiteral("copy.png"));
    WhenModalShown([&](QWidget*) {
        Select(dialog, "b.png");
        TypeName(dialog, QStringLiteral("copy.png"));
        QTest::mouseDClick(dialog.ImagePreview(), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_EQ(dialog.GetSavePath(), In("copy.png"));
}

TEST_F(SaveAsDialogTest, RefreshFollowsTheFolderAndDeleteUsesTheTrash) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("b.png"));
    MakeImage(QStringLiteral("a.png"), 5, 5);
    EXPECT_EQ(Listed(dialog), (QStringList{QStringLiteral("sub"), QStringLiteral("b.png")}));
    WhenModalShown([&](QWidget* modal) {
        QTest::keyClick(modal, Qt::Key_F5);
        Select(dialog, "a.png");
        QAbstractItemView* view = dialog.StShellList()->CurrentView();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Delete);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_FALSE(QFileInfo::exists(In("a.png")));
    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash/files");
    EXPECT_TRUE(QFileInfo::exists(trash + QStringLiteral("/a.png")));
    EXPECT_EQ(Listed(dialog), (QStringList{QStringLiteral("sub"), QStringLiteral("b.png")}));
    EXPECT_TRUE(dialog.SavePreviewFile().isEmpty());
}

TEST_F(SaveAsDialogTest, WithoutATrashDeletingForGoodIsAskedFirst) {
    // A data folder below a plain file cannot hold a trash.
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", (In("notes.txt") + QStringLiteral("/data")).toUtf8());
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("b.png"));
    for (const bool agree : {false, true}) {
        SCOPED_TRACE(agree ? "agreed" : "refused");
        Select(dialog, "b.png");
        QString question;
        dialog.StShellList()->CurrentView()->setFocus();
        WhenModalShown(Answer(agree ? QMessageBox::Yes : QMessageBox::No, &question));
        dialog.DeleteSelectedEntry();
        EXPECT_FALSE(question.isEmpty());
        EXPECT_EQ(QFileInfo::exists(In("b.png")), !agree);
    }
    qputenv("XDG_DATA_HOME", savedDataHome);
    EXPECT_EQ(Listed(dialog), QStringList{QStringLiteral("sub")});
}

TEST_F(SaveAsDialogTest, UpOneLevelAndNewFolder) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("b.png"));
    dialog.SBtnNewFolderClick();
    EXPECT_TRUE(QFileInfo(In("New Folder")).isDir());
    EXPECT_EQ(dialog.StShellList()->SelectedName(), QStringLiteral("New Folder"));
    dialog.SBtnNewFolderClick();
    EXPECT_TRUE(QFileInfo(In("New Folder (2)")).isDir());
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("b.png"));

    dialog.SBtnBackFolderClick();
    EXPECT_EQ(dialog.StShellList()->Folder(), temp.path());
    EXPECT_EQ(dialog.StShellCombo()->Folder(), temp.path());
    EXPECT_EQ(Listed(dialog), QStringList{QStringLiteral("Photos")});
    // The combo leads back down to any folder above.
    const int photosEntry = dialog.StShellCombo()->findData(temp.path());
    ASSERT_GE(photosEntry, 1);
    emit dialog.StShellCombo()->activated(photosEntry - 1);
    EXPECT_EQ(dialog.StShellList()->Folder(), QFileInfo(temp.path()).path());
}

TEST_F(SaveAsDialogTest, ViewStylesShareOneSelection) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("b.png"));
    Select(dialog, "b.png");
    QAction* details = dialog.ViewModeMenu()->findChild<QAction*>(QStringLiteral("Details"));
    ASSERT_NE(details, nullptr);
    details->trigger();
    EXPECT_TRUE(details->isChecked());
    EXPECT_EQ(dialog.StShellList()->ViewStyle(), ShellViewStyle::Details);
    EXPECT_EQ(dialog.StShellList()->SelectedName(), QStringLiteral("b.png"));
    EXPECT_EQ(dialog.SavePreviewFile(), In("b.png"));

    dialog.SetViewStyle(ShellViewStyle::Thumbnails);
    EXPECT_TRUE(
        dialog.ViewModeMenu()->findChild<QAction*>(QStringLiteral("Thumbnails"))->isChecked());
    EXPECT_FALSE(details->isChecked());
    EXPECT_TRUE(dialog.StShellList()->Model()->Thumbnails());
}

TEST_F(SaveAsDialogTest, EnterWhileRenamingInPlaceEndsTheEditNotTheDialog) {
    TSaveAsForm dialog;
    dialog.SetInitialFile(In("b.png"));
    bool stayedOpen = false;
    WhenModalShown([&](QWidget* modal) {
        Select(dialog, "b.png");
        QAbstractItemView* view = dialog.StShellList()->CurrentView();
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F2);
        auto* editor = view->viewport()->findChild<QLineEdit*>();
        if (!editor) {
            ADD_FAILURE() << "no editor";
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("renamed.png"));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the edit is committed after the key
        stayedOpen = modal->isVisible();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(QFileInfo::exists(In("renamed.png")));
    EXPECT_FALSE(QFileInfo::exists(In("b.png")));
    // The renamed file is previewed and named under its new name.
    EXPECT_EQ(dialog.SavePreviewFile(), In("renamed.png"));
    EXPECT_EQ(dialog.EdtFileName()->text(), QStringLiteral("renamed.png"));
}

// SPDX-License-Identifier: MIT
// Opening a folder: what is listed, in which order, what is selected; the folder path and
// caption; the rows of the advanced list; byte totals, status texts and menu states; icons.
#include "FakeFolderViewHost.h"

#include "folderview/FolderListModel.h"

#include <QAbstractItemModelTester>

namespace {

class FolderModelTest : public FolderModelFixture {};

TEST_F(FolderModelTest, ListsImageFilesInLocaleOrderAndSelectsTheFirst) {
    MakeFiles({QStringLiteral("b.jpg"), QStringLiteral("A.jpg"), QStringLiteral("a.jpg"),
               QStringLiteral("C.png"), QStringLiteral("icon.ICO"), QStringLiteral("notes.txt"),
               QStringLiteral(".hidden.jpg"), QStringLiteral("noext")});
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.jpg")));

    OpenFolder();

    // Letter case orders names that differ only by it, and does not split the alphabet.
    const QStringList expected{QStringLiteral("a.jpg"), QStringLiteral("A.jpg"),
                               QStringLiteral("b.jpg"), QStringLiteral("C.png"),
                               QStringLiteral("icon.ICO")};
    EXPECT_EQ(model->ImageFiles(), expected);
    EXPECT_EQ(model->ListOrder(), expected);
    EXPECT_EQ(model->ListModel().rowCount(), 5);
    EXPECT_EQ(model->Cache().ThumbnailCount(), 5);
    EXPECT_EQ(model->SelectedFiles(), QStringList{QStringLiteral("a.jpg")});
    EXPECT_EQ(host.shown, QStringList{QStringLiteral("a.jpg")});
    EXPECT_EQ(model->TotalBytes(), 5 * 16);
    EXPECT_EQ(host.progressPeak, 5);
    EXPECT_EQ(host.progressValue, 0);
    EXPECT_EQ(host.progressMaximum, 5);
    EXPECT_TRUE(model->LoadedFiles().isEmpty());
}

TEST_F(FolderModelTest, SelectsARequestedFileOnlyOnAnExactMatch) {
    MakeFiles({QStringLiteral("a.jpg"), QStringLiteral("A.jpg"), QStringLiteral("b.jpg")});
    const struct {
        const char* requested;
        const char* selected; // nullptr: nothing
    } cases[] = {{"b.jpg", "b.jpg"},
                 {"A.jpg", "A.jpg"},
                 {"a.jpg", "a.jpg"},
                 {"B.jpg", nullptr},
                 {"b.jpeg", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.requested);
        FakeFolderViewHost viewer;
        viewer.folder = dir.path();
        TFolderModel opened(viewer, std::make_unique<TThumbnailCacheMgr>(cacheDir.path()));
        opened.OpenFolder(PathOf(QString::fromLatin1(c.requested)));
        EXPECT_EQ(opened.FileCount(), 3);
        if (c.selected) {
            EXPECT_EQ(opened.SelectedFiles(), QStringList{QString::fromLatin1(c.selected)});
            EXPECT_EQ(viewer.shown, QStringList{QString::fromLatin1(c.selected)});
        } else {
            EXPECT_EQ(opened.SelectionCount(), 0);
            EXPECT_TRUE(viewer.shown.isEmpty());
            EXPECT_GE(viewer.viewerClears, 1);
        }
    }
}

TEST_F(FolderModelTest, OpensAFolderWithoutImages) {
    MakeFile(QStringLiteral("readme.txt"));
    OpenFolder();
    EXPECT_EQ(model->FileCount(), 0);
    EXPECT_EQ(model->TotalBytes(), 0);
    EXPECT_EQ(model->SelectionCount(), 0);
    EXPECT_EQ(model->FirstSelected(), QString());
    EXPECT_EQ(host.status.filesText, QStringLiteral("0 Images File(s) (0.00 KB)"));
    EXPECT_EQ(host.status.selectionText, QStringLiteral("0 Images File(s) Selected"));
    EXPECT_GE(host.viewerClears, 1);
    EXPECT_TRUE(host.shown.isEmpty());
}

TEST_F(FolderModelTest, FolderPathAndCaption) {
    MakeFile(QStringLiteral("a.jpg"));
    model->OpenFolder(PathOf(QStringLiteral("a.jpg")));
    EXPECT_EQ(model->FolderPath(), dir.path());
    EXPECT_EQ(model->GetFolderPath(), dir.path());
    EXPECT_EQ(model->FolderCaption(), QDir(dir.path()).dirName());
    EXPECT_EQ(host.viewCaption, model->FolderCaption());

    // Moved elsewhere: the viewer's path follows; a floating view shows the full path.
    host.floating = true;
    const QString moved = dir.path() + QStringLiteral("-moved");
    model->SetFolderPath(moved);
    EXPECT_EQ(host.imagePath, JoinPath(moved, QStringLiteral("a.jpg")));
    EXPECT_EQ(host.viewCaption, moved);
    EXPECT_EQ(host.captionUpdates, 1);

    FakeFolderViewHost rootHost;
    TFolderModel root(rootHost, std::make_unique<TThumbnailCacheMgr>(cacheDir.path()));
    root.SetFolderPath(QStringLiteral("/"));
    EXPECT_EQ(root.FolderCaption(), QStringLiteral("/"));
}

TEST_F(FolderModelTest, TotalBytesGoBeyondTwoGibibytes) {
    OpenFolder();
    const qint64 big = Q_INT64_C(1536) * 1024 * 1024; // 1.5 GiB each
    for (const char* name : {"x.jpg", "y.jpg", "z.jpg"})
        model->AddFile(QString::fromLatin1(name), big, QDateTime::currentDateTime(), false, true);
    EXPECT_EQ(model->TotalBytes(), 3 * big);
    EXPECT_EQ(model->Status().filesText, QStringLiteral("3 Images File(s) (4,718,592.00 KB)"));
    EXPECT_EQ(model->ListModel()
                  .data(model->ListModel().index(0, FolderListModel::SizeColumn),
                        FolderListModel::ByteSizeRole)
                  .toLongLong(),
              big);

    model->RemoveFile(QStringLiteral("y.jpg"), false, false, true);
    EXPECT_EQ(model->TotalBytes(), 2 * big);
    // Adding a listed name again changes nothing.
    model->AddFile(QStringLiteral("x.jpg"), 5, QDateTime::currentDateTime(), false, true);
    EXPECT_EQ(model->TotalBytes(), 2 * big);
    EXPECT_EQ(model->FileCount(), 2);
}

TEST_F(FolderModelTest, StatusTextsAndMenuCaptionsFollowTheSelection) {
    MakeFile(QStringLiteral("a.jpg"), 2048);
    MakeFile(QStringLiteral("b.png"), 1024);
    model->OpenFolder(PathOf(QStringLiteral("none.jpg")));

    const struct {
        QStringList selection;
        const char* selectionText;
        const char* plural; // "Image" or "Images"
    } cases[] = {
        {{}, "0 Images File(s) Selected", "Images"},
        {{QStringLiteral("a.jpg")}, "Type: JPEG Image (2.00 KB)", "Image"},
        {{QStringLiteral("b.png"), QStringLiteral("a.jpg")}, "2 Images File(s) Selected", "Images"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selectionText);
        model->SelectAll();
        for (const QString& name : model->ImageFiles())
            model->RemoveFromSelection(name);
        for (const QString& name : c.selection)
            model->AddToSelection(name);
        const FolderStatus& s = host.status;
        const int n = static_cast<int>(c.selection.size());
        const QString noun = QString::fromLatin1(c.plural);
        EXPECT_EQ(s, model->Status());
        EXPECT_EQ(s.filesText, QStringLiteral("2 Images File(s) (3.00 KB)"));
        EXPECT_EQ(s.selectionText, QString::fromLatin1(c.selectionText));
        EXPECT_EQ(s.rename, (MenuItemState{n == 1, QStringLiteral("Rename... [Ctrl+ENTER]")}));
        EXPECT_EQ(s.remove, (MenuItemState{n > 0, QStringLiteral("Delete %1 [Del]").arg(noun)}));
        EXPECT_EQ(s.email, (MenuItemState{n > 0, QStringLiteral("Email %1 [Ctrl+E]").arg(noun)}));
        EXPECT_EQ(s.copy, (MenuItemState{n > 0, QStringLiteral("Copy %1 [Ctrl+C]").arg(noun)}));
        EXPECT_EQ(s.cut, (MenuItemState{n > 0, QStringLiteral("Cut %1 [Ctrl+X]").arg(noun)}));
    }
}

TEST_F(FolderModelTest, RowsCarryTheColumnsOfTheAdvancedList) {
    const QDateTime written(QDate(2021, 3, 4), QTime(15, 6, 7));
    MakeFile(QStringLiteral("photo.jpg"), 1234567, written);
    MakeFile(QStringLiteral("art.gif"), 10);
    OpenFolder();
    const FolderListModel& rows = model->ListModel();

    const char* captions[] = {"Name", "Size", "Type", "Modified", "Approx. Dimensions"};
    const int widths[] = {170, 80, 90, 150, 105};
    ASSERT_EQ(rows.columnCount(), 5);
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(rows.headerData(column, Qt::Horizontal).toString(),
                  QString::fromLatin1(captions[column]));
        EXPECT_EQ(FolderListModel::ColumnWidth(column), widths[column]);
    }

    const int row = rows.RowOf(QStringLiteral("photo.jpg"));
    ASSERT_EQ(row, 1);
    auto text = [&](int column) { return rows.data(rows.index(row, column)).toString(); };
    EXPECT_EQ(text(FolderListModel::NameColumn), QStringLiteral("photo.jpg"));
    EXPECT_EQ(text(FolderListModel::SizeColumn), QStringLiteral("1,205.63 KB"));
    EXPECT_EQ(rows.data(rows.index(row, FolderListModel::SizeColumn), Qt::TextAlignmentRole)
                      .value<Qt::Alignment>() &
                  Qt::AlignRight,
              Qt::AlignRight);
    EXPECT_EQ(text(FolderListModel::TypeColumn), QStringLiteral("JPEG Image"));
    EXPECT_EQ(text(FolderListModel::ModifiedColumn), FolderListModel::ModifiedText(written));
    EXPECT_TRUE(text(FolderListModel::ModifiedColumn).startsWith(QStringLiteral("3/4/21 3:06:07")));
    EXPECT_EQ(text(FolderListModel::DimensionsColumn), QString());
    EXPECT_EQ(rows.data(rows.index(row, 0), FolderListModel::ModifiedTimeRole).toDateTime(),
              written);

    // The loader's dimension text, and a list order set for sorting.
    model->MarkLoaded(QStringLiteral("photo.jpg"), QStringLiteral("4000x3000"));
    EXPECT_EQ(text(FolderListModel::DimensionsColumn), QStringLiteral("4000x3000"));
    EXPECT_TRUE(model->IsLoaded(QStringLiteral("photo.jpg")));
    ASSERT_TRUE(
        model->ListModel().SetOrder({QStringLiteral("photo.jpg"), QStringLiteral("art.gif")}));
    EXPECT_EQ(model->ListOrder(),
              (QStringList{QStringLiteral("photo.jpg"), QStringLiteral("art.gif")}));
    EXPECT_EQ(model->ImageFiles(),
              (QStringList{QStringLiteral("art.gif"), QStringLiteral("photo.jpg")}));
    EXPECT_FALSE(
        model->ListModel().SetOrder({QStringLiteral("photo.jpg"), QStringLiteral("photo.jpg")}));
    EXPECT_FALSE(model->ListModel().SetOrder({QStringLiteral("photo.jpg")}));
}

TEST_F(FolderModelTest, RowChangesAreAnnouncedToViews) {
    // The tester fails the test on any change a view could not follow.
    QAbstractItemModelTester tester(&model->ListModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    MakeFiles({QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), QStringLiteral("c.jpg")});
    OpenFolder();
    QPersistentModelIndex cRow = model->ListModel().index(2, 0);
    ASSERT_TRUE(model->ListModel().SetOrder(
        {QStringLiteral("c.jpg"), QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));
    EXPECT_EQ(cRow.row(), 0);
    QFile::rename(PathOf(QStringLiteral("a.jpg")), PathOf(QStringLiteral("z.jpg")));
    model->RenameEntry(QStringLiteral("a.jpg"), QStringLiteral("z.jpg"), false);
    MakeFile(QStringLiteral("d.jpg"));
    QFile::remove(PathOf(QStringLiteral("b.jpg")));
    model->RescanFolder(TFolderModel::rmFull);
    EXPECT_EQ(model->ListOrder(), (QStringList{QStringLiteral("c.jpg"), QStringLiteral("z.jpg"),
                                               QStringLiteral("d.jpg")}));
    EXPECT_EQ(model->ImageFiles(), (QStringList{QStringLiteral("z.jpg"), QStringLiteral("c.jpg"),
                                                QStringLiteral("d.jpg")}));
    EXPECT_EQ(cRow.data().toString(), QStringLiteral("c.jpg"));
}

TEST_F(FolderModelTest, RemoveFileThroughTheTrash) {
    MakeFiles({QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), QStringLiteral("c.jpg")});
    OpenFolder();
    model->SelectOnly(QStringLiteral("b.jpg"));

    host.trashWorks = false;
    EXPECT_EQ(model->RemoveFile(QStringLiteral("b.jpg"), true, true, true), QStringLiteral("-"));
    EXPECT_EQ(model->FileCount(), 3);
    EXPECT_TRUE(model->IsSelected(QStringLiteral("b.jpg")));

    host.trashWorks = true;
    EXPECT_EQ(model->RemoveFile(QStringLiteral("b.jpg"), true, true, true),
              QStringLiteral("c.jpg"));
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("b.jpg"))));
    EXPECT_EQ(model->ImageFiles(), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("c.jpg")}));
    EXPECT_EQ(model->ListOrder(), model->ImageFiles());
    EXPECT_EQ(model->ListModel().rowCount(), 2);
    EXPECT_EQ(model->Cache().ThumbnailCount(), 2);
    EXPECT_EQ(host.shown.last(), QStringLiteral("c.jpg"));
    // Not listed: nothing happens.
    EXPECT_EQ(model->RemoveFile(QStringLiteral("zz.jpg"), true, true, true), QString());
}

TEST_F(FolderModelTest, IconsAreSharedPerExtensionExceptForIconFiles) {
    TShellIcons icons;
    const int jpg = icons.ShellIconIndex(PathOf(QStringLiteral("a.jpg")));
    EXPECT_EQ(icons.ShellIconIndex(PathOf(QStringLiteral("b.JPG"))), jpg);
    const int png = icons.ShellIconIndex(PathOf(QStringLiteral("c.png")));
    EXPECT_NE(png, jpg);
    const int ico1 = icons.ShellIconIndex(PathOf(QStringLiteral("d.ico")));
    const int ico2 = icons.ShellIconIndex(PathOf(QStringLiteral("d.ico")));
    EXPECT_NE(ico1, ico2);
    EXPECT_EQ(icons.ShellIconList().size(), 4);
}

} // namespace

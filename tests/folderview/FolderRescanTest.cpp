// SPDX-License-Identifier: MIT
// Keeping the listing in step with the disk: rescans in each mode, the resumed date checks,
// files that appear, vanish or change, and renamed entries.
#include "FakeFolderViewHost.h"

#include <QSet>

namespace {

const QDateTime Early(QDate(2020, 1, 1), QTime(10, 0, 0));
const QDateTime Later(QDate(2022, 6, 1), QTime(11, 30, 0));

class FolderRescanTest : public FolderModelFixture {};

TEST_F(FolderRescanTest, ModesAddRemoveAndCheckDates) {
    const struct {
        TFolderModel::RescanMode mode;
        bool adds, removes, updates;
    } cases[] = {
        {TFolderModel::rmAddNew, true, false, false},
        {TFolderModel::rmRemoveGone, false, true, false},
        {TFolderModel::rmUpdateChanged, false, false, true},
        {TFolderModel::rmFull, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        QTemporaryDir folder;
        FakeFolderViewHost viewer;
        TFolderModel listed(viewer, std::make_unique<TThumbnailCacheMgr>(cacheDir.path()));
        auto path = [&](const char* name) {
            return JoinPath(folder.path(), QString::fromLatin1(name));
        };
        auto make = [&](const char* name, int bytes, const QDateTime& time) {
            QFile file(path(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(bytes, 'x'));
            file.flush(); // before the time is set, or the write sets it anew
            ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
        };
        make("a.jpg", 100, Early);
        make("b.jpg", 200, Early);
        make("c.jpg", 300, Early);
        listed.OpenFolder(folder.path() + QLatin1Char('/'));
        listed.SelectOnly(QStringLiteral("a.jpg"));
        for (const QString& name : listed.ImageFiles())
            listed.MarkLoaded(name);

        make("0new.jpg", 50, Early); // sorts first, but comes in at the end
        QFile::remove(path("b.jpg"));
        make("c.jpg", 1000, Later);
        listed.RescanFolder(c.mode);

        QStringList expected = Names({"a.jpg"});
        if (!c.removes)
            expected << QStringLiteral("b.jpg");
        expected << QStringLiteral("c.jpg");
        if (c.adds)
            expected << QStringLiteral("0new.jpg");
        EXPECT_EQ(listed.ImageFiles(), expected);
        EXPECT_EQ(listed.ListOrder(), expected);
        EXPECT_EQ(listed.ListModel().rowCount(), expected.size());
        EXPECT_EQ(listed.Cache().ThumbnailCount(), expected.size());
        const qint64 cBytes = c.updates ? 1000 : 300;
        EXPECT_EQ(listed.TotalBytes(), 100 + (c.removes ? 0 : 200) + cBytes + (c.adds ? 50 : 0));
        EXPECT_EQ(listed.ListModel().Find(QStringLiteral("c.jpg"))->modifiedText,
                  FolderListModel::ModifiedText(c.updates ? Later : Early));
        // A changed file is rendered anew; the others stay done.
        EXPECT_EQ(listed.IsLoaded(QStringLiteral("c.jpg")), !c.updates);
        EXPECT_TRUE(listed.IsLoaded(QStringLiteral("a.jpg")));
        EXPECT_EQ(listed.SelectedFiles(), Names({"a.jpg"})); // the selection stays
    }
}

TEST_F(FolderRescanTest, AFileCreatedLaterIsAppendedAndSelectedOnlyIntoAnEmptySelection) {
    MakeFiles(Names({"b.jpg", "c.jpg"}));
    OpenFolder();
    MakeFile(QStringLiteral("a.jpg"));
    model->RescanFolder(TFolderModel::rmAddNew);
    EXPECT_EQ(model->ImageFiles(), Names({"b.jpg", "c.jpg", "a.jpg"}));
    EXPECT_EQ(model->SelectedFiles(), Names({"b.jpg"}));

    // With nothing selected, the first file that comes in is selected.
    model->RemoveFromSelection(QStringLiteral("b.jpg"));
    MakeFile(QStringLiteral("d.jpg"));
    model->RescanFolder(TFolderModel::rmAddNew);
    EXPECT_EQ(model->SelectedFiles(), Names({"d.jpg"}));
    EXPECT_EQ(host.imageName, QStringLiteral("d.jpg"));
}

TEST_F(FolderRescanTest, AFullRescanSelectsTheFirstFileWhenNothingIsSelected) {
    MakeFiles(Names({"a.jpg", "b.jpg"}));
    OpenFolder();
    model->RemoveFromSelection(QStringLiteral("a.jpg"));
    QFile::remove(PathOf(QStringLiteral("b.jpg")));
    model->RescanFolder(TFolderModel::rmFull);
    EXPECT_EQ(model->SelectedFiles(), Names({"a.jpg"}));
}

TEST_F(FolderRescanTest, ResumedRescansCheckDatesInStepsOf200) {
    for (int i = 0; i < 450; ++i)
        MakeFile(QStringLiteral("f%1.jpg").arg(i, 3, 10, QLatin1Char('0')), 10, Early);
    OpenFolder();
    ASSERT_EQ(model->FileCount(), 450);

    // Every file changes; each resumed rescan takes the next 200 of them, in disk order.
    auto changeAll = [&] {
        for (const QString& name : model->ImageFiles())
            SetModified(name, model->ListModel().Find(name)->modified.addSecs(3600));
        MarkAllLoaded();
    };
    auto updated = [&] {
        QSet<QString> names;
        for (const QString& name : model->ImageFiles())
            if (!model->IsLoaded(name))
                names.insert(name);
        return names;
    };
    changeAll();
    model->RescanFolder(TFolderModel::rmFull, true);
    const QSet<QString> first = updated();
    EXPECT_EQ(first.size(), 200);
    EXPECT_EQ(model->RescanResumeIndex(), 200);

    model->RescanFolder(TFolderModel::rmFull, true);
    EXPECT_EQ(updated().size(), 400);
    EXPECT_EQ(model->RescanResumeIndex(), 400);

    model->RescanFolder(TFolderModel::rmFull, true);
    EXPECT_EQ(updated().size(), 450);
    EXPECT_EQ(model->RescanResumeIndex(), 0);

    changeAll();
    model->RescanFolder(TFolderModel::rmUpdateChanged, true);
    EXPECT_EQ(updated(), first); // starts at 0 again

    // Without the resume flag every file is checked.
    model->RescanFolder(TFolderModel::rmUpdateChanged);
    EXPECT_EQ(updated().size(), 450);
    EXPECT_EQ(model->RescanResumeIndex(), 0);
}

TEST_F(FolderRescanTest, RefreshFileInfoReadsTheDisk) {
    MakeFile(QStringLiteral("a.jpg"), 100, Early);
    OpenFolder();
    MarkAllLoaded();
    MakeFile(QStringLiteral("a.jpg"), 4096, Later);
    model->RefreshFileInfo(QStringLiteral("a.jpg"));
    EXPECT_EQ(model->TotalBytes(), 4096);
    EXPECT_EQ(model->ListModel().Find(QStringLiteral("a.jpg"))->sizeText,
              QStringLiteral("4.00 KB"));
    EXPECT_FALSE(model->IsLoaded(QStringLiteral("a.jpg")));
}

TEST_F(FolderRescanTest, RenameEntryKeepsThePlaceAndIsFollowedByTheViewer) {
    MakeFiles(Names({"a.jpg", "b.jpg", "c.jpg"}));
    OpenFolder();
    model->SelectOnly(QStringLiteral("b.jpg"));
    model->ShowSelection();
    ASSERT_EQ(host.imageName, QStringLiteral("b.jpg"));
    MarkAllLoaded();
    model->MarkLoaded(QStringLiteral("b.jpg"), QStringLiteral("10x20"));

    QFile::rename(PathOf(QStringLiteral("b.jpg")), PathOf(QStringLiteral("B.png")));
    model->RenameEntry(QStringLiteral("b.jpg"), QStringLiteral("B.png"), false);
    EXPECT_EQ(model->ImageFiles(), Names({"a.jpg", "B.png", "c.jpg"}));
    EXPECT_EQ(model->ListOrder(), model->ImageFiles());
    EXPECT_EQ(model->SelectedFiles(), Names({"B.png"}));
    EXPECT_TRUE(model->IsLoaded(QStringLiteral("B.png")));
    EXPECT_EQ(host.imageName, QStringLiteral("B.png"));
    EXPECT_EQ(host.imagePath, PathOf(QStringLiteral("B.png")));
    const FolderListModel::FileRow* row = model->ListModel().Find(QStringLiteral("B.png"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->typeName, QStringLiteral("PNG Image"));
    EXPECT_EQ(row->dimensions, QStringLiteral("10x20"));
    EXPECT_EQ(model->Cache().ThumbnailCount(), 3);
}

TEST_F(FolderRescanTest, RenameOntoAListedNameLeavesOneEntry) {
    MakeFile(QStringLiteral("a.jpg"), 100);
    MakeFile(QStringLiteral("b.jpg"), 200);
    MakeFile(QStringLiteral("c.jpg"), 300);
    OpenFolder();
    QFile::remove(PathOf(QStringLiteral("c.jpg")));
    QFile::rename(PathOf(QStringLiteral("a.jpg")), PathOf(QStringLiteral("c.jpg")));
    model->RenameEntry(QStringLiteral("a.jpg"), QStringLiteral("c.jpg"), false);
    EXPECT_EQ(model->ImageFiles(), Names({"c.jpg", "b.jpg"}));
    EXPECT_EQ(model->ListOrder(), model->ImageFiles());
    EXPECT_EQ(model->Cache().ThumbnailCount(), 2);
    EXPECT_EQ(model->TotalBytes(), 300);
    EXPECT_EQ(model->SelectedFiles(), Names({"c.jpg"}));
}

} // namespace

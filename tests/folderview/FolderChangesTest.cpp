// SPDX-License-Identifier: MIT
// The folder model following changes made on disk behind its back, reported by the real
// folder watcher: files created, deleted, renamed, moved in and out, and the folder itself
// renamed or deleted.
#include "FakeFolderViewHost.h"

#include "folderview/FolderChangeHandler.h"

namespace {

class FolderChangesTest : public FolderModelFixture {
protected:
    QTemporaryDir elsewhere; // another folder on the same file system

    void SetUp() override {
        FolderModelFixture::SetUp();
        ASSERT_TRUE(elsewhere.isValid());
        MakeFiles(Names({"a.jpg", "b.jpg", "c.jpg"}));
        OpenFolder();
        ASSERT_EQ(model->ImageFiles(), Names({"a.jpg", "b.jpg", "c.jpg"}));
    }
    QString Elsewhere(const char* name) const {
        return JoinPath(elsewhere.path(), QString::fromLatin1(name));
    }
    bool Lists(const QStringList& names) {
        return WaitUntil([&] { return model->ImageFiles() == names; });
    }
};

TEST_F(FolderChangesTest, ACreatedFileIsAppendedWithoutChangingTheSelection) {
    MakeFile(QStringLiteral("0first.jpg"));
    MakeFile(QStringLiteral("notes.txt"));
    EXPECT_TRUE(Lists(Names({"a.jpg", "b.jpg", "c.jpg", "0first.jpg"})));
    EXPECT_EQ(model->SelectedFiles(), Names({"a.jpg"}));
    EXPECT_EQ(model->ListModel().rowCount(), 4);
}

TEST_F(FolderChangesTest, ADeletedSelectedFileMakesWayForItsNeighbour) {
    model->SelectOnly(QStringLiteral("b.jpg"));
    ASSERT_TRUE(QFile::remove(PathOf(QStringLiteral("b.jpg"))));
    EXPECT_TRUE(Lists(Names({"a.jpg", "c.jpg"})));
    EXPECT_EQ(model->SelectedFiles(), Names({"c.jpg"}));
    EXPECT_TRUE(host.errors.isEmpty());
}

TEST_F(FolderChangesTest, ARenameWithinTheFolderIsFollowedByTheViewer) {
    model->SelectOnly(QStringLiteral("b.jpg"));
    model->ShowSelection();
    ASSERT_EQ(host.imageName, QStringLiteral("b.jpg"));
    ASSERT_TRUE(
        QFile::rename(PathOf(QStringLiteral("b.jpg")), PathOf(QStringLiteral("renamed.png"))));
    EXPECT_TRUE(Lists(Names({"a.jpg", "renamed.png", "c.jpg"})));
    EXPECT_EQ(host.imageName, QStringLiteral("renamed.png"));
    EXPECT_EQ(host.imagePath, PathOf(QStringLiteral("renamed.png")));
    EXPECT_EQ(model->SelectedFiles(), Names({"renamed.png"}));
}

TEST_F(FolderChangesTest, RenamingToANameThatIsNoImageIsIgnored) {
    ASSERT_TRUE(QFile::rename(PathOf(QStringLiteral("c.jpg")), PathOf(QStringLiteral("c.txt"))));
    MakeFile(QStringLiteral("d.jpg")); // a later report that is seen
    EXPECT_TRUE(Lists(Names({"a.jpg", "b.jpg", "c.jpg", "d.jpg"})));
}

TEST_F(FolderChangesTest, FilesMovedInAndOutAreListedAndDropped) {
    QFile(Elsewhere("in.gif")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::rename(Elsewhere("in.gif"), PathOf(QStringLiteral("in.gif"))));
    EXPECT_TRUE(Lists(Names({"a.jpg", "b.jpg", "c.jpg", "in.gif"})));

    ASSERT_TRUE(QFile::rename(PathOf(QStringLiteral("a.jpg")), Elsewhere("a.jpg")));
    EXPECT_TRUE(Lists(Names({"b.jpg", "c.jpg", "in.gif"})));
    EXPECT_EQ(model->SelectedFiles(), Names({"b.jpg"}));
}

TEST_F(FolderChangesTest, TheFolderRenamedIsFollowed) {
    model->ShowSelection();
    const QString renamed = JoinPath(elsewhere.path(), QStringLiteral("renamed folder"));
    ASSERT_TRUE(QDir().rename(dir.path(), renamed));
    EXPECT_TRUE(WaitUntil([&] { return model->FolderPath() == renamed; }));
    EXPECT_EQ(model->FolderCaption(), QStringLiteral("renamed folder"));
    EXPECT_EQ(host.imagePath, JoinPath(renamed, QStringLiteral("a.jpg")));

    // Still watched under the new name.
    QFile(JoinPath(renamed, QStringLiteral("new.jpg"))).open(QIODevice::WriteOnly);
    EXPECT_TRUE(Lists(Names({"a.jpg", "b.jpg", "c.jpg", "new.jpg"})));
    QDir().rename(renamed, dir.path()); // for the clean-up
}

TEST_F(FolderChangesTest, TheFolderDeletedIsToldToTheHost) {
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    EXPECT_TRUE(WaitUntil([&] { return host.folderDeletions == 1; }));
    EXPECT_TRUE(host.errors.isEmpty());
}

TEST_F(FolderChangesTest, AClosingViewIgnoresReports) {
    model->BeginClosing();
    EXPECT_TRUE(model->IsClosing());
    MakeFile(QStringLiteral("late.jpg"));
    QFile::remove(PathOf(QStringLiteral("a.jpg")));
    // Direct reports too, as if they had been queued before the close.
    TFolderChangeHandler handler(*model, host);
    handler.FileCreated(PathOf(QStringLiteral("late.jpg")));
    handler.FileDeleted(PathOf(QStringLiteral("a.jpg")));
    handler.FolderUpdated(dir.path());
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    EXPECT_EQ(model->ImageFiles(), Names({"a.jpg", "b.jpg", "c.jpg"}));
}

} // namespace

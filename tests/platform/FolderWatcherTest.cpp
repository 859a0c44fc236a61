// SPDX-License-Identifier: MIT
#include "platform/FolderWatcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure messages.
void PrintTo(const QStringList& lines, std::ostream* out) {
    *out << '[' << lines.join(QStringLiteral(" | ")).toStdString() << ']';
}

namespace {

// Every report as one line, in the order received: "created <path>", "renamed <old> > <new>".
class Recorder {
public:
    explicit Recorder(FolderWatcher& watcher) {
        QObject::connect(&watcher, &FolderWatcher::fileCreated,
                         [this](const QString& p) { Note(QStringLiteral("created ") + p); });
        QObject::connect(&watcher, &FolderWatcher::fileDeleted,
                         [this](const QString& p) { Note(QStringLiteral("deleted ") + p); });
        QObject::connect(&watcher, &FolderWatcher::fileRenamed,
                         [this](const QString& from, const QString& to) {
                             Note(QStringLiteral("renamed ") + from + QStringLiteral(" > ") + to);
                         });
        QObject::connect(&watcher, &FolderWatcher::fileChanged,
                         [this](const QString& p) { Note(QStringLiteral("changed ") + p); });
        QObject::connect(&watcher, &FolderWatcher::folderUpdated,
                         [this](const QString& p) { Note(QStringLiteral("folder updated ") + p); });
        QObject::connect(&watcher, &FolderWatcher::folderDeleted,
                         [this](const QString& p) { Note(QStringLiteral("folder deleted ") + p); });
        QObject::connect(&watcher, &FolderWatcher::folderRenamed,
                         [this](const QString& from, const QString& to) {
                             Note(QStringLiteral("folder renamed ") + from + QStringLiteral(" > ") +
                                  to);
                         });
    }

    // Waits for at least `n` reports, then a while longer so that any stray report shows too.
    QStringList Take(int n) {
        (void)QTest::qWaitFor([&] { return reports.size() >= n; }, 10000);
        QTest::qWait(4 * FolderWatcher::DeliveryDelay);
        return std::exchange(reports, {});
    }

    QStringList reports;
    std::function<void()> onReport;

private:
    void Note(const QString& line) {
        reports.append(line);
        if (onReport)
            onReport();
    }
};

void WriteFile(const QString& path, const QByteArray& bytes = "x") {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append)) << path.toStdString();
    file.write(bytes);
}

class FolderWatcherTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        base = QFileInfo(root.path()).canonicalFilePath();
        folder = base + QStringLiteral("/watched");
        other = base + QStringLiteral("/other");
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QDir().mkpath(other));
    }
    QString In(const QString& dir, const char* name) const {
        return dir + QLatin1Char('/') + QLatin1String(name);
    }
    void Watch(FolderWatcher& watcher, const QString& path) {
        watcher.setFolder(path);
        watcher.setActive(true);
        ASSERT_TRUE(watcher.isWatching());
    }

    QTemporaryDir root;
    QString base, folder, other;
};

TEST_F(FolderWatcherTest, ReportsEachChangeWithFullPaths) {
    // Each step runs against a folder holding "old.jpg"; the file moved in waits in the other
    // folder.
    const auto f = [&](const char* name) { return In(folder, name); };
    const auto o = [&](const char* name) { return In(other, name); };
    const struct {
        const char* what;
        std::function<void()> act;
        const char* expected; // %1 is the folder
    } cases[] = {
        {"create", [&] { WriteFile(f("new.jpg")); }, "created %1/new.jpg"},
        {"delete", [&] { QFile::remove(f("old.jpg")); }, "deleted %1/old.jpg"},
        {"rename within", [&] { QFile::rename(f("old.jpg"), f("new.jpg")); },
         "renamed %1/old.jpg > %1/new.jpg"},
        {"move in", [&] { QFile::rename(o("in.jpg"), f("in.jpg")); }, "created %1/in.jpg"},
        {"move out", [&] { QFile::rename(f("old.jpg"), o("old.jpg")); }, "deleted %1/old.jpg"},
        {"write", [&] { WriteFile(f("old.jpg"), "more"); }, "changed %1/old.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(folder).removeRecursively();
        QDir(other).removeRecursively();
        QDir().mkpath(folder);
        QDir().mkpath(other);
        WriteFile(In(folder, "old.jpg"));
        WriteFile(In(other, "in.jpg"));

        FolderWatcher watcher;
        Recorder recorder(watcher);
        Watch(watcher, folder);
        c.act();
        EXPECT_EQ(recorder.Take(1), QStringList{QString::fromLatin1(c.expected).arg(folder)});
    }
}

TEST_F(FolderWatcherTest, KeepsTheOrderAndMergesWhatCameAndWent) {
    WriteFile(In(folder, "kept.jpg"));
    FolderWatcher watcher;
    Recorder recorder(watcher);
    Watch(watcher, folder);
    // All of this happens before the watcher gets to read: one delivery.
    WriteFile(In(folder, "a.jpg"));
    WriteFile(In(folder, "save.tmp"));
    QFile::rename(In(folder, "a.jpg"), In(folder, "b.jpg"));
    QFile::remove(In(folder, "save.tmp"));
    WriteFile(In(folder, "kept.jpg"), "1");
    WriteFile(In(folder, "kept.jpg"), "2");
    QFile::remove(In(folder, "kept.jpg"));
    EXPECT_EQ(recorder.Take(3), (QStringList{
                                    QStringLiteral("created ") + In(folder, "a.jpg"),
                                    QStringLiteral("renamed ") + In(folder, "a.jpg") +
                                        QStringLiteral(" > ") + In(folder, "b.jpg"),
                                    QStringLiteral("deleted ") + In(folder, "kept.jpg"),
                                }));
}

TEST_F(FolderWatcherTest, IgnoresSubFoldersAndWhatHappensInThem) {
    FolderWatcher watcher;
    Recorder recorder(watcher);
    Watch(watcher, folder);
    ASSERT_TRUE(QDir().mkpath(In(folder, "sub")));
    WriteFile(In(folder, "sub/inside.jpg"));
    QFile::rename(In(folder, "sub"), In(folder, "folder.jpg"));
    WriteFile(In(folder, "folder.jpg/again.jpg"));
    QFile::remove(In(folder, "folder.jpg/again.jpg"));
    WriteFile(In(folder, "marker.jpg"));
    EXPECT_EQ(recorder.Take(1), QStringList{QStringLiteral("created ") + In(folder, "marker.jpg")});
}

TEST_F(FolderWatcherTest, ABurstOfCreationsIsReportedOneByOneOrAsOneFolderUpdate) {
    for (int total : {10, 2000}) {
        SCOPED_TRACE(total);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        FolderWatcher watcher;
        Recorder recorder(watcher);
        Watch(watcher, folder);
        QStringList created;
        for (int i = 0; i < total; ++i) {
            const QString path =
                folder + QStringLiteral("/img%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
            WriteFile(path);
            created.append(QStringLiteral("created ") + path);
        }
        const QStringList reports = recorder.Take(1);
        if (total <= FolderWatcher::BurstLimit)
            EXPECT_EQ(reports, created);
        else
            EXPECT_EQ(reports, QStringList{QStringLiteral("folder updated ") + folder});
    }
}

TEST_F(FolderWatcherTest, FollowsTheFolderWhenItIsRenamed) {
    FolderWatcher watcher;
    Recorder recorder(watcher);
    Watch(watcher, folder + QStringLiteral("/")); // a trailing slash is dropped
    const QString renamed = In(other, "renamed");
    ASSERT_TRUE(QDir().rename(folder, renamed));
    EXPECT_EQ(recorder.Take(1), QStringList{QStringLiteral("folder renamed ") + folder +
                                            QStringLiteral(" > ") + renamed});
    EXPECT_EQ(watcher.folder(), renamed);

    // The owner re-points the watcher at the new path, which it already watches.
    watcher.setFolder(renamed);
    WriteFile(In(renamed, "later.jpg"));
    EXPECT_EQ(recorder.Take(1), QStringList{QStringLiteral("created ") + In(renamed, "later.jpg")});

    // Its new neighbours come and go unreported; its own end is seen in its new place.
    ASSERT_TRUE(QDir().mkpath(In(other, "sibling")));
    ASSERT_TRUE(QDir(In(other, "sibling")).removeRecursively());
    ASSERT_TRUE(QDir(renamed).removeRecursively());
    EXPECT_EQ(recorder.Take(2), (QStringList{QStringLiteral("deleted ") + In(renamed, "later.jpg"),
                                             QStringLiteral("folder deleted ") + renamed}));
}

TEST_F(FolderWatcherTest, AChangeToTheFolderItselfAsksForAFullLook) {
    FolderWatcher watcher;
    Recorder recorder(watcher);
    Watch(watcher, folder);
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ReadGroup));
    EXPECT_EQ(recorder.Take(1), QStringList{QStringLiteral("folder updated ") + folder});
}

TEST_F(FolderWatcherTest, ReportsTheFolderDeletedOrMovedToTheTrash) {
    const QString trash = base + QStringLiteral("/data/Trash/files");
    ASSERT_TRUE(QDir().mkpath(trash));
    const struct {
        const char* what;
        std::function<bool()> act;
    } cases[] = {
        {"deleted", [&] { return QDir(folder).removeRecursively(); }},
        {"moved to the trash", [&] { return QDir().rename(folder, In(trash, "watched")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(trash).removeRecursively();
        QDir().mkpath(trash);
        QDir().mkpath(folder);
        FolderWatcher watcher;
        Recorder recorder(watcher);
        Watch(watcher, folder);
        ASSERT_TRUE(c.act());
        EXPECT_EQ(recorder.Take(1), QStringList{QStringLiteral("folder deleted ") + folder});
        EXPECT_FALSE(watcher.isWatching());
        // Nothing that happens to it afterwards is reported.
        if (QFileInfo(In(trash, "watched")).isDir()) {
            WriteFile(In(trash, "watched/late.jpg"));
            EXPECT_EQ(recorder.Take(0), QStringList());
        }
    }
}

TEST_F(FolderWatcherTest, ReportsOnlyTheFolderItIsPointedAtWhileActive) {
    FolderWatcher watcher;
    QSignalSpy created(&watcher, &FolderWatcher::fileCreated);
    Watch(watcher, folder);
    watcher.setFolder(other);
    WriteFile(In(folder, "old-folder.jpg"));
    WriteFile(In(other, "new-folder.jpg"));
    ASSERT_TRUE(created.wait(10000));
    QTest::qWait(4 * FolderWatcher::DeliveryDelay);
    ASSERT_EQ(created.size(), 1);
    EXPECT_EQ(created.takeFirst().at(0).toString(), In(other, "new-folder.jpg"));

    watcher.setActive(false);
    EXPECT_FALSE(watcher.isWatching());
    WriteFile(In(other, "inactive.jpg"));
    EXPECT_FALSE(created.wait(4 * FolderWatcher::DeliveryDelay));
}

TEST_F(FolderWatcherTest, AReceiverMayStopOrDeleteTheWatcherWhileReportsArrive) {
    for (bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "deleted" : "stopped");
        auto* watcher = new FolderWatcher;
        Recorder recorder(*watcher);
        recorder.onReport = [&] {
            if (destroy) {
                delete watcher;
                watcher = nullptr;
            } else {
                watcher->setActive(false);
            }
        };
        Watch(*watcher, folder);
        WriteFile(In(folder, destroy ? "d1.jpg" : "s1.jpg"));
        WriteFile(In(folder, destroy ? "d2.jpg" : "s2.jpg"));
        EXPECT_EQ(recorder.Take(1).size(), 1);
        delete watcher;
    }
}

} // namespace

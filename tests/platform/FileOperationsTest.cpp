// SPDX-License-Identifier: MIT
// Copying, moving and deleting files without ever losing one: the replace question, cancelling,
// failures half-way, and the desktop trash under the tests' temporary HOME.
#include "platform/FileOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

constexpr qint64 MiB = 1 << 20;

QString Name(const char* name) {
    return QString::fromLatin1(name);
}

QByteArray Content(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Bytes that differ from file to file, so a copy of the wrong file or a truncated one shows.
QByteArray Pattern(char seed, qint64 size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i % 251);
    return bytes;
}

class FileOperationsTest : public testing::Test {
protected:
    QTemporaryDir from;
    QTemporaryDir to;

    void SetUp() override { ASSERT_TRUE(from.isValid() && to.isValid()); }

    static QString In(const QTemporaryDir& dir, const char* name) {
        return dir.filePath(Name(name));
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    // Sources a.jpg, b.jpg and c.jpg in `from`; b.jpg is big enough to be written in blocks.
    QStringList MakeSources() {
        Write(In(from, "a.jpg"), Pattern('a', 1000));
        Write(In(from, "b.jpg"), Pattern('b', 3 * MiB + 17));
        Write(In(from, "c.jpg"), Pattern('c', 20));
        return {In(from, "a.jpg"), In(from, "b.jpg"), In(from, "c.jpg")};
    }
    // Fresh source and target folders with the source files made anew; returns their paths.
    QStringList FreshFolders() {
        QTemporaryDir source, target;
        from.swap(source);
        to.swap(target);
        return MakeSources();
    }
    static QList<QByteArray> Contents(const QStringList& paths) {
        QList<QByteArray> contents;
        for (const QString& path : paths)
            contents << Content(path);
        return contents;
    }
    // Every entry of the target folder, hidden ones included (a stray temporary copy shows).
    QStringList TargetEntries() const {
        return QDir(to.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                                         QDir::Name);
    }
};

// Copy, and move both by rename and (across file systems) by copying.
struct KindCase {
    const char* label;
    FileOpKind kind;
    bool crossDevice;
};
const KindCase kKinds[] = {
    {"copy", FileOpKind::Copy, false},
    {"move", FileOpKind::Move, false},
    {"move across file systems", FileOpKind::Move, true},
};

FileOpCallbacks ForKind(const KindCase& c) {
    FileOpCallbacks callbacks;
    if (c.crossDevice)
        callbacks.fault = [](FileOpFault fault, const QString&) {
            return fault == FileOpFault::CrossDevice;
        };
    return callbacks;
}

TEST_F(FileOperationsTest, CopiesAndMovesSeveralFilesWhole) {
    for (const KindCase& c : kKinds) {
        SCOPED_TRACE(c.label);
        const QStringList sources = FreshFolders();
        const QList<QByteArray> originals = Contents(sources);

        FileOpCallbacks callbacks = ForKind(c);
        qint64 lastDone = -1, total = -1;
        callbacks.progress = [&](const FileProgress& p) {
            EXPECT_GE(p.bytesDone, lastDone);
            lastDone = p.bytesDone;
            total = p.bytesTotal;
            return true;
        };
        const FileOpResult result = RunFileOperation(c.kind, sources, to.path(), callbacks);

        EXPECT_TRUE(result.Success());
        EXPECT_EQ(result.Sources(FileOpStatus::Done), sources);
        EXPECT_EQ(total, 1000 + 3 * MiB + 17 + 20);
        EXPECT_EQ(TargetEntries(), (QStringList{Name("a.jpg"), Name("b.jpg"), Name("c.jpg")}));
        for (int i = 0; i < sources.size(); ++i) {
            EXPECT_EQ(Content(result.items[i].target), originals[i]);
            EXPECT_EQ(QFileInfo::exists(sources[i]), c.kind == FileOpKind::Copy);
        }
        if (c.kind == FileOpKind::Copy) {
            EXPECT_EQ(QFileInfo(result.items[0].target).lastModified(),
                      QFileInfo(sources[0]).lastModified());
        }
    }
}

// The first replace question is answered with `first`, any later one with `later`.
struct ReplaceCase {
    const char* label;
    ReplaceAnswer first;
    ReplaceAnswer later;
    int questions;
    FileOpStatus b, c; // what became of b.jpg and c.jpg, which exist in the target
    bool cancelled;
};
const ReplaceCase kReplaceCases[] = {
    {"No keeps both files", ReplaceAnswer::No, ReplaceAnswer::No, 2, FileOpStatus::Skipped,
     FileOpStatus::Skipped, false},
    {"No to All asks once", ReplaceAnswer::NoToAll, ReplaceAnswer::Yes, 1, FileOpStatus::Skipped,
     FileOpStatus::Skipped, false},
    {"Yes asks again", ReplaceAnswer::Yes, ReplaceAnswer::No, 2, FileOpStatus::Done,
     FileOpStatus::Skipped, false},
    {"Yes to All asks once", ReplaceAnswer::YesToAll, ReplaceAnswer::No, 1, FileOpStatus::Done,
     FileOpStatus::Done, false},
    {"Cancel stops", ReplaceAnswer::Cancel, ReplaceAnswer::Yes, 1, FileOpStatus::Cancelled,
     FileOpStatus::Cancelled, true},
};

TEST_F(FileOperationsTest, AsksBeforeReplacingAndDoesWhatTheAnswerSays) {
    for (const KindCase& k : kKinds) {
        for (const ReplaceCase& c : kReplaceCases) {
            SCOPED_TRACE(std::string(k.label) + ": " + c.label);
            const QStringList sources = FreshFolders();
            const QByteArray newB = Content(sources[1]), newC = Content(sources[2]);
            Write(In(to, "b.jpg"), "old b");
            Write(In(to, "c.jpg"), "old c");

            FileOpCallbacks callbacks = ForKind(k);
            QStringList asked;
            callbacks.askReplace = [&](const ReplaceQuery& q) {
                asked << QFileInfo(q.target).fileName();
                EXPECT_EQ(q.targetSize, 5);
                EXPECT_EQ(q.sourceSize, QFileInfo(q.source).size());
                return asked.size() == 1 ? c.first : c.later;
            };
            const FileOpResult result = RunFileOperation(k.kind, sources, to.path(), callbacks);

            EXPECT_EQ(asked.size(), c.questions);
            EXPECT_EQ(result.cancelled, c.cancelled);
            EXPECT_EQ(result.items[0].status, FileOpStatus::Done); // a.jpg had no rival
            EXPECT_EQ(result.items[1].status, c.b);
            EXPECT_EQ(result.items[2].status, c.c);
            const bool moved = k.kind == FileOpKind::Move;
            EXPECT_EQ(Content(In(to, "b.jpg")), c.b == FileOpStatus::Done ? newB : "old b");
            EXPECT_EQ(Content(In(to, "c.jpg")), c.c == FileOpStatus::Done ? newC : "old c");
            // A file that was not replaced stays at its source, whole.
            EXPECT_EQ(QFileInfo::exists(sources[1]), !moved || c.b != FileOpStatus::Done);
            if (c.c != FileOpStatus::Done) {
                EXPECT_EQ(Content(sources[2]), newC);
            }
            EXPECT_EQ(TargetEntries(), (QStringList{Name("a.jpg"), Name("b.jpg"), Name("c.jpg")}));
        }
    }
}

TEST_F(FileOperationsTest, ReplacesOnlyOnceTheNewFileIsComplete) {
    for (const KindCase& k : kKinds) {
        if (k.kind == FileOpKind::Move && !k.crossDevice)
            continue; // a rename replaces at once; there is no moment in between to look at
        SCOPED_TRACE(k.label);
        const QStringList sources = FreshFolders();
        const QByteArray fresh = Content(sources[1]);
        Write(In(to, "b.jpg"), "old b");

        FileOpCallbacks callbacks = ForKind(k);
        callbacks.askReplace = [](const ReplaceQuery&) { return ReplaceAnswer::Yes; };
        int looks = 0;
        callbacks.progress = [&](const FileProgress& p) {
            if (p.fileIndex == 1 && p.bytesDone > 1000 && p.bytesDone < 1000 + fresh.size()) {
                ++looks; // half-way through b.jpg: the old one is still there, whole
                EXPECT_EQ(Content(In(to, "b.jpg")), "old b");
            }
            return true;
        };
        EXPECT_TRUE(RunFileOperation(k.kind, sources, to.path(), callbacks).Success());
        EXPECT_GT(looks, 0);
        EXPECT_EQ(Content(In(to, "b.jpg")), fresh);
        EXPECT_EQ(TargetEntries(), (QStringList{Name("a.jpg"), Name("b.jpg"), Name("c.jpg")}));
    }
}

TEST_F(FileOperationsTest, CancelLeavesEveryFileWhole) {
    for (const KindCase& k : kKinds) {
        SCOPED_TRACE(k.label);
        const QStringList sources = FreshFolders();
        const QList<QByteArray> originals = Contents(sources);

        FileOpCallbacks callbacks = ForKind(k);
        // Cancelled in the middle of b.jpg where it is copied in blocks, else just before it.
        const bool byBlocks = k.kind == FileOpKind::Copy || k.crossDevice;
        qint64 cancelledAt = -1;
        callbacks.progress = [&](const FileProgress& p) {
            if (p.fileIndex != 1 || (byBlocks && p.bytesDone <= 1000 + MiB))
                return true;
            cancelledAt = p.bytesDone;
            return false;
        };
        const FileOpResult result = RunFileOperation(k.kind, sources, to.path(), callbacks);

        EXPECT_EQ(cancelledAt > 1000, byBlocks);
        EXPECT_TRUE(result.cancelled);
        EXPECT_FALSE(result.Success());
        EXPECT_EQ(result.Sources(FileOpStatus::Done), QStringList{sources[0]});
        EXPECT_EQ(result.Sources(FileOpStatus::Cancelled), (QStringList{sources[1], sources[2]}));
        // No partial file and no leftover temporary one; the others whole at their sources.
        EXPECT_EQ(TargetEntries(), QStringList{Name("a.jpg")});
        EXPECT_EQ(Content(In(to, "a.jpg")), originals[0]);
        EXPECT_EQ(Content(sources[1]), originals[1]);
        EXPECT_EQ(Content(sources[2]), originals[2]);
    }
}

TEST_F(FileOperationsTest, AMoveThatFailsHalfWaySaysWhichFileIsWhere) {
    const QStringList sources = MakeSources();
    const QString movedAway = to.path() + QStringLiteral("-elsewhere");
    FileOpCallbacks callbacks;
    // After the first file the target folder is moved away by someone else.
    callbacks.progress = [&](const FileProgress& p) {
        if (p.fileIndex == 1 && !QFileInfo::exists(movedAway)) {
            EXPECT_TRUE(QDir().rename(to.path(), movedAway));
        }
        return true;
    };
    const FileOpResult result = MoveFiles(sources, to.path(), callbacks);
    QDir(movedAway).removeRecursively();

    EXPECT_FALSE(result.Success());
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.Sources(FileOpStatus::Done), QStringList{sources[0]});
    EXPECT_EQ(result.Sources(FileOpStatus::Failed), (QStringList{sources[1], sources[2]}));
    EXPECT_FALSE(QFileInfo::exists(sources[0]));
    EXPECT_TRUE(QFileInfo::exists(sources[1]) && QFileInfo::exists(sources[2]));
    const QStringList problems = result.ProblemLines();
    ASSERT_EQ(problems.size(), 2);
    EXPECT_TRUE(problems[0].startsWith(sources[1] + QStringLiteral(" was not moved: ")));
    EXPECT_TRUE(problems[0].contains(QStringLiteral("target folder does not exist")));
}

TEST_F(FileOperationsTest, FailuresLeaveEachFileAtItsSourceOrCompleteAtItsTarget) {
    struct Case {
        const char* label;
        FileOpKind kind;
        FileOpFault fault; // made to happen for b.jpg only
        FileOpStatus b;
        bool bAtSource, bAtTarget;
    };
    const Case cases[] = {
        {"copy, disk full", FileOpKind::Copy, FileOpFault::WriteBlock, FileOpStatus::Failed, true,
         false},
        {"move, disk full", FileOpKind::Move, FileOpFault::WriteBlock, FileOpStatus::Failed, true,
         false},
        {"move, original cannot be removed", FileOpKind::Move, FileOpFault::RemoveSource,
         FileOpStatus::SourceKept, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QStringList sources = FreshFolders();
        const QByteArray originalB = Content(sources[1]);
        FileOpCallbacks callbacks;
        callbacks.fault = [&](FileOpFault fault, const QString& path) {
            return fault == FileOpFault::CrossDevice || (fault == c.fault && path == sources[1]);
        };
        const FileOpResult result = RunFileOperation(c.kind, sources, to.path(), callbacks);

        EXPECT_FALSE(result.Success());
        EXPECT_EQ(result.items[0].status, FileOpStatus::Done);
        EXPECT_EQ(result.items[1].status, c.b);
        EXPECT_FALSE(result.items[1].error.isEmpty());
        EXPECT_EQ(result.items[2].status, FileOpStatus::Done); // the rest goes on
        EXPECT_EQ(QFileInfo::exists(sources[1]), c.bAtSource);
        if (c.bAtSource) {
            EXPECT_EQ(Content(sources[1]), originalB);
        }
        EXPECT_EQ(TargetEntries().contains(Name("b.jpg")), c.bAtTarget);
        if (c.bAtTarget) {
            EXPECT_EQ(Content(In(to, "b.jpg")), originalB);
        }
        EXPECT_FALSE(TargetEntries().join(QLatin1Char(' ')).contains(QLatin1String(".orvo")));
        EXPECT_EQ(result.ProblemLines().size(), 1);
    }
}

TEST_F(FileOperationsTest, ATargetFolderThatIsAFileFailsEveryFile) {
    const QStringList sources = MakeSources();
    Write(In(to, "not-a-folder"), "x");
    const FileOpResult result = MoveFiles(sources, In(to, "not-a-folder"));
    EXPECT_EQ(result.Sources(FileOpStatus::Failed), sources);
    for (const QString& path : sources)
        EXPECT_TRUE(QFileInfo::exists(path));
}

TEST_F(FileOperationsTest, ACopyIntoItsOwnFolderTakesAFreeNameAndAMoveIsSkipped) {
    Write(In(from, "a.jpg"), "a");
    Write(In(from, "notes"), "n");
    const QStringList a{In(from, "a.jpg")};
    EXPECT_EQ(CopyFiles(a, from.path()).items[0].target, In(from, "a (copy).jpg"));
    EXPECT_EQ(CopyFiles(a, from.path()).items[0].target, In(from, "a (copy 2).jpg"));
    EXPECT_EQ(CopyFiles({In(from, "notes")}, from.path()).items[0].target,
              In(from, "notes (copy)"));
    EXPECT_EQ(Content(In(from, "a (copy 2).jpg")), "a");

    const FileOpResult moved = MoveFiles(a, from.path() + QLatin1Char('/'));
    EXPECT_EQ(moved.items[0].status, FileOpStatus::Skipped);
    EXPECT_EQ(Content(a[0]), "a");
}

TEST_F(FileOperationsTest, TotalsAreSixtyFourBit) {
    // A sparse file of 5 GiB: the total is reported whole, and a cancel before the first block
    // leaves nothing behind.
    QFile big(In(from, "big.bmp"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(5 * 1024 * MiB));
    big.close();
    qint64 total = 0;
    FileOpCallbacks callbacks;
    callbacks.progress = [&](const FileProgress& p) {
        total = p.bytesTotal;
        return false;
    };
    const FileOpResult result = CopyFiles({big.fileName()}, to.path(), callbacks);
    EXPECT_EQ(total, 5 * 1024 * MiB);
    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(TargetEntries().isEmpty());
}

// --- deleting ---

TEST_F(FileOperationsTest, DeleteMovesFilesToTheDesktopTrash) {
    Write(In(from, "a.jpg"), "a");
    Write(In(from, "b.jpg"), "b");
    bool asked = false;
    const DeleteResult result =
        DeleteFiles({In(from, "a.jpg"), In(from, "b.jpg"), In(from, "gone.jpg")},
                    [&](const QStringList&, const QString&) { return asked = true; });

    const QString trash = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash");
    EXPECT_TRUE(trash.startsWith(QDir::homePath())); // the tests' temporary HOME
    ASSERT_EQ(result.items.size(), 3);
    EXPECT_EQ(result.items[0].status, DeleteStatus::Trashed);
    EXPECT_EQ(result.items[1].status, DeleteStatus::Trashed);
    EXPECT_EQ(result.items[2].status, DeleteStatus::Failed); // never there: no question
    EXPECT_FALSE(asked);
    EXPECT_FALSE(result.AllGone());
    EXPECT_FALSE(QFileInfo::exists(In(from, "a.jpg")));
    EXPECT_EQ(Content(trash + QStringLiteral("/files/a.jpg")), "a");
    EXPECT_EQ(Content(trash + QStringLiteral("/files/b.jpg")), "b");
    EXPECT_TRUE(QFileInfo::exists(trash + QStringLiteral("/info/a.jpg.trashinfo")));
}

TEST_F(FileOperationsTest, WithoutATrashFilesAreDeletedForGoodOnlyWhenTheUserAgrees) {
    // A data folder below a plain file cannot hold a trash.
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    Write(In(to, "plain"), "x");
    qputenv("XDG_DATA_HOME", (In(to, "plain") + QStringLiteral("/data")).toUtf8());
    for (const bool agree : {false, true}) {
        SCOPED_TRACE(agree ? "agreed" : "refused");
        Write(In(from, "a.jpg"), "a");
        QStringList asked;
        const DeleteResult result =
            DeleteFiles({In(from, "a.jpg")}, [&](const QStringList& paths, const QString& why) {
                asked << paths;
                EXPECT_FALSE(why.isEmpty());
                return agree;
            });
        EXPECT_EQ(asked, QStringList{In(from, "a.jpg")});
        EXPECT_EQ(result.items[0].status,
                  agree ? DeleteStatus::DeletedForGood : DeleteStatus::Kept);
        EXPECT_EQ(QFileInfo::exists(In(from, "a.jpg")), !agree);
        EXPECT_EQ(result.AllGone(), agree);
    }
    // Without anyone to ask, nothing is deleted for good.
    Write(In(from, "a.jpg"), "a");
    const DeleteResult unasked = DeleteFiles({In(from, "a.jpg")});
    qputenv("XDG_DATA_HOME", savedDataHome);
    EXPECT_EQ(unasked.items[0].status, DeleteStatus::Kept);
    EXPECT_TRUE(QFileInfo::exists(In(from, "a.jpg")));
}

} // namespace

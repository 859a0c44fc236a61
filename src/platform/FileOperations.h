// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Deleting to the desktop trash, and copying or moving files into a folder, without ever losing
// a file:
// - A copy is written under a hidden temporary name in the target folder and renamed into place
//   only when it is complete, so a cancelled or failed copy leaves no partial file and an
//   existing target untouched.
// - A move is a rename when source and target share a file system; otherwise the file is
//   copied as above and the original removed only after the copy is in place. Each file thus
//   ends either at its source or complete at its target (both, when the original could not be
//   removed), and the result says which.
// - An existing file is replaced only when the replace question says so.
// Everything runs on the caller's thread; the progress callback may process events.

enum class FileOpKind { Copy, Move };

// What became of one source file.
enum class FileOpStatus {
    Done,       // copied or moved: complete at its target
    Skipped,    // left alone: the user kept the existing file, or it was moved onto itself
    Cancelled,  // not done because the operation was cancelled; the file is at its source
    Failed,     // an error stopped it (see `error`); the file is at its source, target untouched
    SourceKept, // moved by copying, complete at its target, but the original could not be
                // removed (see `error`): the file is in both places
};

struct FileOpItem {
    QString source;
    QString target; // where it went, or would have gone
    FileOpStatus status = FileOpStatus::Cancelled;
    QString error; // the reason, for Failed and SourceKept
};

struct FileOpResult {
    FileOpKind kind = FileOpKind::Copy;
    QList<FileOpItem> items; // one per source, in the order given
    bool cancelled = false;  // the user cancelled (in the replace question or the progress)

    // True when nothing failed and nothing was cancelled (kept files count as success).
    bool Success() const;
    // The sources that ended with `status`.
    QStringList Sources(FileOpStatus status) const;
    // One line per file that failed or stayed behind, with its reason; empty when none.
    QStringList ProblemLines() const;
};

// The question before an existing file is replaced.
struct ReplaceQuery {
    FileOpKind kind = FileOpKind::Copy;
    QString source;
    QString target;
    qint64 sourceSize = 0;
    qint64 targetSize = 0;
    QDateTime sourceModified;
    QDateTime targetModified;
    int remaining = 0; // files still to come after this one ("to all" answers matter then)
};
enum class ReplaceAnswer { Yes, YesToAll, No, NoToAll, Cancel };

// Where a copy or move stands; sent before each file and after each block written.
struct FileProgress {
    FileOpKind kind = FileOpKind::Copy;
    int fileIndex = 0; // the file being worked on, from 0
    int fileCount = 0;
    QString source;
    QString targetFolder;
    qint64 bytesDone = 0;
    qint64 bytesTotal = 0;
};

// Steps that tests can make fail as a real file system would.
enum class FileOpFault {
    CrossDevice,  // the rename of a move is refused as across file systems (so it copies)
    WriteBlock,   // writing the copy fails (disk full)
    RemoveSource, // the original of a copied move cannot be removed
};

struct FileOpCallbacks {
    // Asked before a file is replaced. Without it no file is replaced (as if answered No).
    std::function<ReplaceAnswer(const ReplaceQuery&)> askReplace;
    // Progress; returning false cancels. The file being copied is left whole at its source.
    std::function<bool(const FileProgress&)> progress;
    // For tests: true makes that step fail for that source.
    std::function<bool(FileOpFault, const QString& source)> fault;
};

// Copies or moves each file of `sources` (full paths) into `targetFolder` under its own name.
// A file copied into its own folder gets a free name such as "a (copy).jpg"; one moved into its
// own folder is skipped. Folders among the sources are not copied (they fail).
FileOpResult RunFileOperation(FileOpKind kind, const QStringList& sources,
                              const QString& targetFolder, const FileOpCallbacks& callbacks = {});
inline FileOpResult CopyFiles(const QStringList& sources, const QString& targetFolder,
                              const FileOpCallbacks& callbacks = {}) {
    return RunFileOperation(FileOpKind::Copy, sources, targetFolder, callbacks);
}
inline FileOpResult MoveFiles(const QStringList& sources, const QString& targetFolder,
                              const FileOpCallbacks& callbacks = {}) {
    return RunFileOperation(FileOpKind::Move, sources, targetFolder, callbacks);
}

// The name a copy of `name` gets in a folder that already holds `name`: "a (copy).jpg",
// "a (copy 2).jpg", ... the first that `taken` says is free.
QString FreeCopyName(const QString& name, const std::function<bool(const QString&)>& taken);

// Renames `from` to `to` (full paths) without ever replacing an existing `to`. False with the
// reason in `error` when it cannot.
bool RenameWithoutReplacing(const QString& from, const QString& to, QString* error = nullptr);

// --- deleting ---

enum class DeleteStatus {
    Trashed,        // moved to the desktop trash
    DeletedForGood, // the trash could not take it and the user agreed to delete it for good
    Kept,           // the trash could not take it and the user kept it
    Failed,         // it could not be removed at all (see `error`)
};

struct DeleteItem {
    QString path;
    DeleteStatus status = DeleteStatus::Failed;
    QString error;
};

struct DeleteResult {
    QList<DeleteItem> items; // one per path, in the order given
    // True when every file is gone (trashed or deleted for good).
    bool AllGone() const;
    QStringList ProblemLines() const;
};

// Asked once, with every file the trash refused and the reason; true deletes them for good.
using DeleteForGoodQuestion = std::function<bool(const QStringList& paths, const QString& reason)>;

// Moves each file to the desktop trash. Files the trash cannot take are deleted for good only
// when `askDeleteForGood` agrees (never without it). A file that is gone already, or whose
// folder does not let it be removed, fails without a question.
DeleteResult DeleteFiles(const QStringList& paths,
                         const DeleteForGoodQuestion& askDeleteForGood = {});

// SPDX-License-Identifier: MIT
#include "platform/FileOperations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 BlockSize = 1 << 20;

QString ErrnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString JoinFolder(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool PathExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink(); // a dangling link still takes the name
}

// Renames `from` to `to`; an existing `to` is replaced (atomically) only with `replace`.
// Returns 0 or the error number.
int RenamePath(const QString& from, const QString& to, bool replace) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (replace)
        return ::rename(source.constData(), target.constData()) == 0 ? 0 : errno;
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
#endif
    // A file system without no-replace renames: check first (a narrow race remains there).
    if (PathExists(to))
        return EEXIST;
    return ::rename(source.constData(), target.constData()) == 0 ? 0 : errno;
}

QString VerbPast(FileOpKind kind) {
    return kind == FileOpKind::Copy ? QStringLiteral("copied") : QStringLiteral("moved");
}

class Runner {
public:
    Runner(FileOpKind kind, const QString& targetFolder, const FileOpCallbacks& callbacks)
        : kind_(kind), targetFolder_(targetFolder), callbacks_(callbacks) {}

    FileOpResult Run(const QStringList& sources) {
        FileOpResult result;
        result.kind = kind_;
        sizes_.reserve(sources.size());
        for (const QString& source : sources) {
            const QFileInfo info(source);
            const qint64 size = info.isFile() ? info.size() : 0;
            sizes_ << size;
            total_ += size;
        }
        count_ = static_cast<int>(sources.size());
        for (index_ = 0; index_ < count_; ++index_) {
            const QString& source = sources.at(index_);
            const qint64 before = done_;
            FileOpItem item{source,
                            JoinFolder(targetFolder_, QFileInfo(source).fileName()),
                            FileOpStatus::Cancelled,
                            {}};
            if (!cancelled_ && !Report(source, 0))
                cancelled_ = true;
            if (!cancelled_)
                One(item);
            done_ = before + sizes_.at(index_);
            result.items << item;
        }
        result.cancelled = cancelled_;
        return result;
    }

private:
    bool Fault(FileOpFault fault, const QString& source) const {
        return callbacks_.fault && callbacks_.fault(fault, source);
    }

    bool Report(const QString& source, qint64 fileBytes) {
        if (!callbacks_.progress)
            return true;
        return callbacks_.progress(
            {kind_, index_, count_, source, targetFolder_, done_ + fileBytes, total_});
    }

    static void Fail(FileOpItem& item, const QString& why) {
        item.status = FileOpStatus::Failed;
        item.error = why;
    }

    void One(FileOpItem& item) {
        const QFileInfo source(item.source);
        if (!source.exists())
            return Fail(item, QStringLiteral("The file does not exist any more."));
        if (!source.isFile())
            return Fail(item, QStringLiteral("It is not a file."));
        if (!QFileInfo(targetFolder_).isDir())
            return Fail(item, QStringLiteral("The target folder does not exist."));

        bool replace = false;
        const QFileInfo target(item.target);
        if (PathExists(item.target)) {
            if (target.canonicalFilePath() == source.canonicalFilePath()) {
                // Onto itself: a move has nothing to do, a copy takes a free name beside it.
                if (kind_ == FileOpKind::Move) {
                    item.status = FileOpStatus::Skipped;
                    return;
                }
                item.target = JoinFolder(
                    targetFolder_, FreeCopyName(source.fileName(), [this](const QString& name) {
                        return PathExists(JoinFolder(targetFolder_, name));
                    }));
            } else if (target.isDir()) {
                return Fail(item, QStringLiteral("A folder of the same name is in the way."));
            } else {
                const ReplaceAnswer answer = AskReplace(source, target);
                if (answer == ReplaceAnswer::Cancel) {
                    cancelled_ = true;
                    return; // the item stays Cancelled
                }
                if (answer == ReplaceAnswer::No) {
                    item.status = FileOpStatus::Skipped;
                    return;
                }
                replace = true;
            }
        }

        if (kind_ == FileOpKind::Move) {
            const int error = Fault(FileOpFault::CrossDevice, item.source)
                                  ? EXDEV
                                  : RenamePath(item.source, item.target, replace);
            if (error == 0) {
                item.status = FileOpStatus::Done;
                return;
            }
            if (error != EXDEV)
                return Fail(item, QStringLiteral("Cannot move it: %1").arg(ErrnoText(error)));
        }
        Copy(item, source, replace);
        if (kind_ == FileOpKind::Move && item.status == FileOpStatus::Done) {
            QFile original(item.source);
            if (Fault(FileOpFault::RemoveSource, item.source)) {
                item.status = FileOpStatus::SourceKept;
                item.error = ErrnoText(EACCES);
            } else if (!original.remove()) {
                item.status = FileOpStatus::SourceKept;
                item.error = original.errorString();
            }
        }
    }

    // Asks before `target` is replaced: Yes, No or Cancel. The "to all" answers are remembered
    // and give Yes or No from then on.
    ReplaceAnswer AskReplace(const QFileInfo& source, const QFileInfo& target) {
        if (replaceAll_)
            return ReplaceAnswer::Yes;
        if (keepAll_ || !callbacks_.askReplace)
            return ReplaceAnswer::No;
        const ReplaceAnswer answer = callbacks_.askReplace(
            {kind_, source.absoluteFilePath(), target.absoluteFilePath(), source.size(),
             target.size(), source.lastModified(), target.lastModified(), count_ - index_ - 1});
        if (answer == ReplaceAnswer::YesToAll) {
            replaceAll_ = true;
            return ReplaceAnswer::Yes;
        }
        if (answer == ReplaceAnswer::NoToAll) {
            keepAll_ = true;
            return ReplaceAnswer::No;
        }
        return answer;
    }

    // Copies the source into a hidden temporary file beside the target and renames that into
    // place once complete. On any failure or a cancel the temporary file goes and the target
    // stays as it was.
    void Copy(FileOpItem& item, const QFileInfo& source, bool replace) {
        QFile in(item.source);
        if (!in.open(QIODevice::ReadOnly))
            return Fail(item, QStringLiteral("Cannot read it: %1").arg(in.errorString()));
        QTemporaryFile out(JoinFolder(targetFolder_, QStringLiteral(".orvo-copy-XXXXXX")));
        out.setAutoRemove(true);
        if (!out.open())
            return Fail(
                item,
                QStringLiteral("Cannot write in the target folder: %1").arg(out.errorString()));

        QByteArray block(BlockSize, Qt::Uninitialized);
        qint64 copied = 0;
        for (;;) {
            const qint64 got = in.read(block.data(), BlockSize);
            if (got < 0)
                return Fail(item, QStringLiteral("Cannot read it: %1").arg(in.errorString()));
            if (got == 0)
                break;
            if (Fault(FileOpFault::WriteBlock, item.source))
                return Fail(item,
                            QStringLiteral("Cannot write the copy: %1").arg(ErrnoText(ENOSPC)));
            if (out.write(block.constData(), got) != got)
                return Fail(item,
                            QStringLiteral("Cannot write the copy: %1").arg(out.errorString()));
            copied += got;
            if (!Report(item.source, copied)) {
                cancelled_ = true;
                item.status = FileOpStatus::Cancelled;
                return;
            }
        }
        // The copy is on the disk before its name is, and keeps the original's permissions and
        // time (set after the last write, which would change the time again).
        if (!out.flush())
            return Fail(item, QStringLiteral("Cannot write the copy: %1").arg(out.errorString()));
        if (::fsync(out.handle()) != 0)
            return Fail(item, QStringLiteral("Cannot write the copy: %1").arg(ErrnoText(errno)));
        out.setPermissions(in.permissions());
        out.setFileTime(source.lastModified(), QFileDevice::FileModificationTime);
        out.close();
        const int error = RenamePath(out.fileName(), item.target, replace);
        if (error != 0) {
            return Fail(
                item,
                error == EEXIST
                    ? QStringLiteral("A file of the same name appeared meanwhile.")
                    : QStringLiteral("Cannot put the copy in place: %1").arg(ErrnoText(error)));
        }
        out.setAutoRemove(false); // its name is the target's now
        item.status = FileOpStatus::Done;
    }

    const FileOpKind kind_;
    const QString targetFolder_;
    const FileOpCallbacks& callbacks_;
    QList<qint64> sizes_;
    qint64 total_ = 0;
    qint64 done_ = 0;
    int index_ = 0;
    int count_ = 0;
    bool replaceAll_ = false;
    bool keepAll_ = false;
    bool cancelled_ = false;
};

} // namespace

bool FileOpResult::Success() const {
    if (cancelled)
        return false;
    for (const FileOpItem& item : items) {
        if (item.status != FileOpStatus::Done && item.status != FileOpStatus::Skipped)
            return false;
    }
    return true;
}

QStringList FileOpResult::Sources(FileOpStatus status) const {
    QStringList sources;
    for (const FileOpItem& item : items) {
        if (item.status == status)
            sources << item.source;
    }
    return sources;
}

QStringList FileOpResult::ProblemLines() const {
    QStringList lines;
    for (const FileOpItem& item : items) {
        if (item.status == FileOpStatus::Failed) {
            lines
                << QStringLiteral("%1 was not %2: %3").arg(item.source, VerbPast(kind), item.error);
        } else if (item.status == FileOpStatus::SourceKept) {
            lines << QStringLiteral(
                         "%1 was copied to %2, but the original could not be removed: %3")
                         .arg(item.source, item.target, item.error);
        }
    }
    return lines;
}

FileOpResult RunFileOperation(FileOpKind kind, const QStringList& sources,
                              const QString& targetFolder, const FileOpCallbacks& callbacks) {
    return Runner(kind, targetFolder, callbacks).Run(sources);
}

QString FreeCopyName(const QString& name, const std::function<bool(const QString&)>& taken) {
    // The extension is what follows the last period, unless that period starts the name.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString ext = dot > 0 ? name.mid(dot) : QString();
    for (int n = 1;; ++n) {
        const QString candidate = n == 1
                                      ? QStringLiteral("%1 (copy)%2").arg(base, ext)
                                      : QStringLiteral("%1 (copy %2)%3").arg(base).arg(n).arg(ext);
        if (!taken(candidate))
            return candidate;
    }
}

bool RenameWithoutReplacing(const QString& from, const QString& to, QString* error) {
    const int result = RenamePath(from, to, false);
    if (result != 0 && error)
        *error = ErrnoText(result);
    return result == 0;
}

bool DeleteResult::AllGone() const {
    for (const DeleteItem& item : items) {
        if (item.status != DeleteStatus::Trashed && item.status != DeleteStatus::DeletedForGood)
            return false;
    }
    return true;
}

QStringList DeleteResult::ProblemLines() const {
    QStringList lines;
    for (const DeleteItem& item : items) {
        if (item.status == DeleteStatus::Failed)
            lines << QStringLiteral("%1 was not deleted: %2").arg(item.path, item.error);
    }
    return lines;
}

namespace {

// The user's home trash, $XDG_DATA_HOME/Trash.
QString HomeTrash() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Trash");
}

// True when `trashed` (where the file went) lies in the files folder of a desktop trash: the
// home trash, $topdir/.Trash/$uid or $topdir/.Trash-$uid.
bool IsInATrash(const QString& trashed) {
    const QDir files = QFileInfo(trashed).dir();
    if (files.dirName() != QLatin1String("files"))
        return false;
    const QString trash = QFileInfo(files.absolutePath()).absolutePath();
    const QString trashName = QFileInfo(trash).fileName();
    return trash == QDir(HomeTrash()).absolutePath() ||
           trashName.startsWith(QLatin1String(".Trash-")) ||
           QFileInfo(QFileInfo(trash).absolutePath()).fileName() == QLatin1String(".Trash");
}

enum class TrashOutcome { Trashed, Refused, Misplaced };

// Moves the file to a desktop trash. Refused (the file stays where it was) or, when the
// platform put it somewhere that is no trash and it cannot be put back, Misplaced; `reason`
// says why or where.
TrashOutcome MoveToTrash(const QString& path, QString* reason) {
    // Without a home trash the platform's trash call would put the file somewhere else (the
    // working folder), so the home trash is made first and the result checked.
    const QString home = HomeTrash();
    if (!QDir().mkpath(home)) {
        *reason = QStringLiteral("The trash folder %1 cannot be created.").arg(home);
        return TrashOutcome::Refused;
    }
    QFile file(path);
    if (!file.moveToTrash()) {
        *reason = file.errorString();
        return TrashOutcome::Refused;
    }
    const QString trashed = file.fileName();
    if (IsInATrash(trashed))
        return TrashOutcome::Trashed;
    // Not a trash: put it back and drop the stray record of it.
    if (!RenameWithoutReplacing(trashed, path)) {
        *reason = QStringLiteral("It was moved to %1.").arg(trashed);
        return TrashOutcome::Misplaced;
    }
    const QFileInfo stray(trashed);
    QFile::remove(QFileInfo(stray.absolutePath()).absolutePath() + QStringLiteral("/info/") +
                  stray.fileName() + QStringLiteral(".trashinfo"));
    *reason = QStringLiteral("No desktop trash is available for it.");
    return TrashOutcome::Refused;
}

} // namespace

DeleteResult DeleteFiles(const QStringList& paths, const DeleteForGoodQuestion& askDeleteForGood) {
    DeleteResult result;
    QList<qsizetype> refused; // indexes of the items the trash did not take
    QString reason;
    for (const QString& path : paths) {
        DeleteItem item{path, DeleteStatus::Failed, {}};
        const QFileInfo info(path);
        if (!PathExists(path)) {
            item.error = QStringLiteral("The file does not exist any more.");
        } else if (!QFileInfo(info.absolutePath()).isWritable()) {
            item.error = QStringLiteral("Its folder does not allow removing files.");
        } else {
            QString why;
            switch (MoveToTrash(path, &why)) {
            case TrashOutcome::Trashed:
                item.status = DeleteStatus::Trashed;
                break;
            case TrashOutcome::Refused:
                refused << result.items.size();
                reason = why;
                break;
            case TrashOutcome::Misplaced:
                item.error = why;
                break;
            }
        }
        result.items << item;
    }
    if (refused.isEmpty())
        return result;

    QStringList refusedPaths;
    for (qsizetype i : refused)
        refusedPaths << result.items.at(i).path;
    const bool forGood = askDeleteForGood && askDeleteForGood(refusedPaths, reason);
    for (qsizetype i : refused) {
        DeleteItem& item = result.items[i];
        if (!forGood) {
            item.status = DeleteStatus::Kept;
            continue;
        }
        QFile file(item.path);
        if (file.remove()) {
            item.status = DeleteStatus::DeletedForGood;
        } else {
            item.error = file.errorString();
        }
    }
    return result;
}

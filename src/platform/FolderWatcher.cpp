// SPDX-License-Identifier: MIT
#include "platform/FolderWatcher.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr quint32 WatchMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE |
                              IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR |
                              IN_EXCL_UNLINK;

// Collected reports beyond which the details are dropped and one folderUpdated stands for them,
// so a flood of events cannot grow without bound between two deliveries.
constexpr int PendingLimit = 4096;

QString WithoutTrailingSlash(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QString ChildPath(const QString& folder, const QString& name) {
    return folder == QLatin1String("/") ? folder + name : folder + QLatin1Char('/') + name;
}

// True for a path inside the files folder of a desktop trash: the user's own
// (.../Trash/files/name) or a volume's (.Trash-uid/files/name, .Trash/uid/files/name).
bool IsInTrash(const QString& path) {
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const qsizetype n = parts.size();
    if (n < 3 || parts[n - 2] != QLatin1String("files"))
        return false;
    const QString& holder = parts[n - 3];
    if (holder == QLatin1String("Trash") || holder.startsWith(QLatin1String(".Trash-")))
        return true;
    return n >= 4 && parts[n - 4] == QLatin1String(".Trash");
}

} // namespace

FolderWatcher::FolderWatcher(QObject* parent) : QObject(parent) {
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(DeliveryDelay);
    connect(&flushTimer_, &QTimer::timeout, this, &FolderWatcher::Flush);
}

FolderWatcher::~FolderWatcher() {
    Stop();
}

void FolderWatcher::setFolder(const QString& path) {
    const QString folder = WithoutTrailingSlash(path);
    if (folder == folder_ && (!active_ || watch_ >= 0))
        return;
    Stop();
    folder_ = folder;
    if (active_)
        Start();
}

void FolderWatcher::setActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (active_)
        Start();
    else
        Stop();
}

void FolderWatcher::Start() {
    if (folder_.isEmpty())
        return;
    // Watching is a convenience: without it (no folder, the system's watch limit reached) the
    // caller's periodic rescans still notice changes, so failures only leave isWatching false.
    inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify_ < 0)
        return;
    const QByteArray native = QFile::encodeName(folder_);
    watch_ = inotify_add_watch(inotify_, native.constData(), WatchMask);
    if (watch_ < 0) {
        Stop();
        return;
    }
    folderHandle_ = open(native.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    WatchParent();
    notifier_ = new QSocketNotifier(inotify_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        ReadEvents();
        if ((!pending_.isEmpty() || overflow_) && !flushTimer_.isActive())
            flushTimer_.start();
    });
}

void FolderWatcher::Stop() {
    delete notifier_;
    notifier_ = nullptr;
    if (inotify_ >= 0)
        close(inotify_); // also removes the watch
    if (folderHandle_ >= 0)
        close(folderHandle_);
    inotify_ = watch_ = parentWatch_ = folderHandle_ = -1;
    flushTimer_.stop();
    pending_.clear();
    overflow_ = false;
    outbox_.clear();
}

void FolderWatcher::ReadEvents() {
    // Everything queued is read in one go, so a burst costs one activation, not one per event.
    alignas(inotify_event) char buffer[64 * 1024];
    while (inotify_ >= 0) {
        const ssize_t length = read(inotify_, buffer, sizeof buffer);
        if (length <= 0) {
            if (length < 0 && errno == EINTR)
                continue;
            return; // EAGAIN: nothing more queued
        }
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event)) + event->len;
            if (event->mask & IN_Q_OVERFLOW) {
                overflow_ = true;
                continue;
            }
            const QString name = event->len ? QFile::decodeName(event->name) : QString();
            if (event->wd == watch_)
                Collect(event->mask, event->cookie, name);
            else if (event->wd == parentWatch_ && watch_ >= 0 && IsOwnDeletion(event->mask, name))
                FolderGone();
        }
    }
}

void FolderWatcher::Collect(quint32 mask, quint32 cookie, const QString& name) {
    if (!pending_.isEmpty() && pending_.last().kind == Kind::FolderDeleted)
        return; // nothing after the folder's end matters
    if (name.isEmpty()) {
        // The folder itself.
        if (mask & (IN_DELETE_SELF | IN_UNMOUNT)) {
            FolderGone();
        } else if (mask & IN_MOVE_SELF) {
            const QString moved = ResolveMovedFolder();
            if (moved.isEmpty() || IsInTrash(moved)) {
                FolderGone();
            } else if (moved != folder_) {
                Add({Kind::FolderRenamed, folder_, moved});
                folder_ = moved; // the watch follows the folder, so later names are below it
                WatchParent();
            }
        } else if (mask & IN_ATTRIB) {
            Add({Kind::FolderUpdated, folder_});
        }
        return;
    }
    if (mask & IN_ISDIR)
        return; // sub-folders are not files of the folder
    const QString path = ChildPath(folder_, name);
    if (mask & IN_MOVED_TO) {
        // The other half of a rename within the folder is still pending: pair them. Without
        // one, the file came from elsewhere.
        for (qsizetype i = pending_.size() - 1; i >= 0; --i) {
            Report& from = pending_[i];
            if (from.kind == Kind::MovedFrom && from.cookie == cookie) {
                from.kind = Kind::Renamed;
                from.newPath = path;
                return;
            }
        }
        Add({Kind::Created, path});
    } else if (mask & IN_MOVED_FROM) {
        Add({Kind::MovedFrom, path, QString(), cookie});
    } else if (mask & IN_CREATE) {
        Add({Kind::Created, path});
    } else if (mask & IN_DELETE) {
        Add({Kind::Deleted, path});
    } else if (mask & (IN_CLOSE_WRITE | IN_ATTRIB)) {
        Add({Kind::Changed, path});
    }
}

void FolderWatcher::FolderGone() {
    Add({Kind::FolderDeleted, folder_});
    // Whatever happens to the folder from now on (a trash being emptied) is no longer ours.
    inotify_rm_watch(inotify_, watch_);
    if (parentWatch_ >= 0)
        inotify_rm_watch(inotify_, parentWatch_);
    watch_ = parentWatch_ = -1;
}

void FolderWatcher::WatchParent() {
    // While the handle that finds a moved folder is open, the system reports the folder's own
    // deletion only once that handle is closed; its parent tells at once.
    const QString parent = QFileInfo(folder_).path();
    int watch = -1;
    if (parent != folder_)
        watch = inotify_add_watch(inotify_, QFile::encodeName(parent).constData(),
                                  IN_DELETE | IN_ONLYDIR);
    if (parentWatch_ >= 0 && parentWatch_ != watch)
        inotify_rm_watch(inotify_, parentWatch_);
    parentWatch_ = watch;
}

bool FolderWatcher::IsOwnDeletion(quint32 mask, const QString& name) const {
    if (!(mask & IN_DELETE) || !(mask & IN_ISDIR) || name != QFileInfo(folder_).fileName())
        return false;
    // A folder that is really gone has no links left.
    struct stat info {};
    return folderHandle_ < 0 || fstat(folderHandle_, &info) != 0 || info.st_nlink == 0;
}

void FolderWatcher::Add(Report report) {
    const bool aboutFolder = report.kind == Kind::FolderUpdated ||
                             report.kind == Kind::FolderDeleted ||
                             report.kind == Kind::FolderRenamed;
    if (overflow_ && !aboutFolder)
        return;
    pending_.append(std::move(report));
    if (pending_.size() > PendingLimit) {
        overflow_ = true;
        pending_.removeIf([](const Report& r) {
            return r.kind != Kind::FolderDeleted && r.kind != Kind::FolderRenamed;
        });
    }
}

void FolderWatcher::Flush() {
    flushTimer_.stop();
    // The second half of a rename queued just now would otherwise be taken for a move out.
    ReadEvents();

    // Reports whose outcome for the listing is the same as fewer reports are merged:
    // repeated changes of a file, a change of a file just created, and a file that came and
    // went again. The last report about each path is kept at hand for that.
    QList<Report> out;
    QHash<QString, qsizetype> lastAbout;
    bool folderGone = false;
    int fileReports = 0;
    for (Report& report : pending_) {
        if (report.kind == Kind::MovedFrom)
            report.kind = Kind::Deleted; // moved out of the folder
        Report* last = nullptr;
        if (const auto it = lastAbout.constFind(report.path); it != lastAbout.cend())
            last = &out[*it];
        switch (report.kind) {
        case Kind::Changed:
            if (last && (last->kind == Kind::Created || last->kind == Kind::Changed) &&
                last->path == report.path)
                continue;
            break;
        case Kind::Deleted:
            if (last && last->path == report.path) {
                if (last->kind == Kind::Created) {
                    last->kind = Kind::Dropped;
                    --fileReports;
                    lastAbout.remove(report.path);
                    continue;
                }
                if (last->kind == Kind::Changed) {
                    last->kind = Kind::Dropped;
                    --fileReports;
                }
            }
            break;
        case Kind::FolderUpdated:
            // One look at the whole folder, the latest, does for all.
            out.removeIf([](const Report& r) { return r.kind == Kind::FolderUpdated; });
            lastAbout.clear();
            for (qsizetype i = 0; i < out.size(); ++i) {
                lastAbout.insert(out[i].path, i);
                if (!out[i].newPath.isEmpty())
                    lastAbout.insert(out[i].newPath, i);
            }
            break;
        case Kind::FolderDeleted:
            folderGone = true;
            break;
        default:
            break;
        }
        const bool aboutFile = report.kind == Kind::Created || report.kind == Kind::Deleted ||
                               report.kind == Kind::Renamed || report.kind == Kind::Changed;
        fileReports += aboutFile ? 1 : 0;
        lastAbout.insert(report.path, out.size());
        if (!report.newPath.isEmpty())
            lastAbout.insert(report.newPath, out.size());
        out.append(std::move(report));
        if (folderGone)
            break;
    }
    pending_.clear();

    if (overflow_ || fileReports > BurstLimit) {
        // Too much to follow one by one: the folder's own renames and end stay, and a single
        // look at the whole folder, under its final path, stands for the rest.
        out.removeIf([](const Report& r) {
            return r.kind != Kind::FolderRenamed && r.kind != Kind::FolderDeleted;
        });
        if (!folderGone)
            out.append({Kind::FolderUpdated, folder_});
    }
    overflow_ = false;
    out.removeIf([](const Report& r) { return r.kind == Kind::Dropped; });
    outbox_.append(out);
    Deliver();
}

void FolderWatcher::Deliver() {
    // A receiver may open a dialog whose event loop brings in newer reports: those queue behind
    // the ones still waiting here, so the order holds. It may also re-point, stop or delete
    // the watcher; stopping empties the outbox.
    if (delivering_)
        return;
    delivering_ = true;
    const QPointer<FolderWatcher> self(this);
    while (!outbox_.isEmpty()) {
        const Report report = outbox_.takeFirst();
        switch (report.kind) {
        case Kind::Created:
            emit fileCreated(report.path);
            break;
        case Kind::Deleted:
            emit fileDeleted(report.path);
            break;
        case Kind::Renamed:
            emit fileRenamed(report.path, report.newPath);
            break;
        case Kind::Changed:
            emit fileChanged(report.path);
            break;
        case Kind::FolderUpdated:
            emit folderUpdated(report.path);
            break;
        case Kind::FolderDeleted:
            emit folderDeleted(report.path);
            break;
        case Kind::FolderRenamed:
            emit folderRenamed(report.path, report.newPath);
            break;
        case Kind::MovedFrom:
        case Kind::Dropped:
            break;
        }
        if (!self)
            return;
    }
    delivering_ = false;
}

QString FolderWatcher::ResolveMovedFolder() const {
    if (folderHandle_ < 0)
        return {};
    char target[PATH_MAX];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(folderHandle_);
    const ssize_t length = readlink(link.constData(), target, sizeof target - 1);
    if (length <= 0)
        return {};
    const QString path = QFile::decodeName(QByteArray(target, length));
    // A folder that is gone reads as its last path followed by " (deleted)"; a real folder of
    // that name is told apart by existing.
    if (path.endsWith(QLatin1String(" (deleted)")) && !QFileInfo(path).isDir())
        return {};
    return path;
}

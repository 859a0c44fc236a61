// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

// Watches one folder (not its sub-folders) and reports what others do in it, on the thread that
// owns the watcher (the UI thread), in the order it happened, with full paths.
//
// Events are collected for a short while (DeliveryDelay) and then delivered together, which
// pairs the two halves of a rename and lets a burst be told apart from single changes:
// - A rename within the folder is fileRenamed(old path, new path).
// - A file moved in from elsewhere is fileCreated(path); one moved out is fileDeleted(path).
//   The other folder of such a move is unknown here, and for the listing the outcome is the
//   same as a creation or a deletion.
// - Entries that are folders (sub-folders created, deleted or renamed) are not reported, nor is
//   anything that happens inside a sub-folder.
// - fileChanged(path) follows a write that was closed, and a change of a file's attributes
//   (times, permissions).
// - folderUpdated(folder) means "look at the whole folder again": its own attributes changed,
//   the system dropped events, or more than BurstLimit file reports came in one delivery (a
//   big copy), which then stand in for all of them.
// - folderDeleted(folder) when the folder itself is deleted, moved to a desktop trash, or its
//   file system goes away; folderRenamed(old, new) when it is renamed or moved, after which
//   the watcher follows it under its new path.
// Every name is reported: telling image files from others is the caller's business.
class FolderWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int DeliveryDelay = 50; // ms from the first event to its delivery
    static constexpr int BurstLimit = 32;    // file reports per delivery before folderUpdated

    explicit FolderWatcher(QObject* parent = nullptr);
    ~FolderWatcher() override;

    // Points the watcher at another folder (a trailing "/" is dropped). Events of the old one
    // that were not yet delivered are dropped. Pointing it at the folder it already watches
    // changes nothing.
    void setFolder(const QString& path);
    QString folder() const { return folder_; }
    // Starts or stops watching. An inactive watcher reports nothing.
    void setActive(bool active);
    bool isActive() const { return active_; }
    // True while a watch is in place (active, and the folder could be watched).
    bool isWatching() const { return watch_ >= 0; }

signals:
    void fileCreated(const QString& path);
    void fileDeleted(const QString& path);
    void fileRenamed(const QString& oldPath, const QString& newPath);
    void fileChanged(const QString& path);
    void folderUpdated(const QString& folderPath);
    void folderDeleted(const QString& folderPath);
    void folderRenamed(const QString& oldPath, const QString& newPath);

private:
    enum class Kind {
        Created,
        Deleted,
        MovedFrom, // until its other half turns it into Renamed
        Renamed,
        Changed,
        FolderUpdated,
        FolderDeleted,
        FolderRenamed,
        Dropped, // cancelled by a later report
    };
    struct Report {
        Kind kind;
        QString path = {};
        QString newPath = {};
        quint32 cookie = 0;
    };

    void Start();
    void Stop();
    void ReadEvents();
    void Collect(quint32 mask, quint32 cookie, const QString& name);
    void FolderGone();
    void WatchParent();
    bool IsOwnDeletion(quint32 mask, const QString& name) const;
    void Add(Report report);
    void Flush();
    void Deliver();
    QString ResolveMovedFolder() const;

    QString folder_;
    bool active_ = false;
    int inotify_ = -1;
    int watch_ = -1;
    int parentWatch_ = -1;  // the parent folder, for the folder's own deletion
    int folderHandle_ = -1; // O_PATH handle that finds the folder again after it moved
    QSocketNotifier* notifier_ = nullptr;
    QTimer flushTimer_;
    QList<Report> pending_; // collected, not yet delivered
    bool overflow_ = false; // pending_ stands for more than it holds
    QList<Report> outbox_;  // being delivered
    bool delivering_ = false;
};

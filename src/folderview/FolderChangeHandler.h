// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

class FolderViewHost;
class FolderWatcher;
class TFolderModel;

// Keeps a folder model in step with what other programs do in its folder: watches the folder and
// turns each report into the model's operations. Reports about names that are not image files
// are ignored (for a rename: when the new name is not one), and so is everything once the view
// is closing. Errors of the steps a report starts are shown through the host, except after a
// "folder updated" report, whose full rescan is only a catch-up.
class TFolderChangeHandler : public QObject {
    Q_OBJECT
public:
    TFolderChangeHandler(TFolderModel& model, FolderViewHost& host, QObject* parent = nullptr);
    ~TFolderChangeHandler() override;

    // Starts watching `folder` (after it has been listed).
    void Watch(const QString& folder);
    // Follows the folder to its new path.
    void Repoint(const QString& folder);
    // Stops watching for good (the view is closing).
    void Stop();
    bool IsWatching() const;

    // The reactions, one per report.
    void FileCreated(const QString& path);
    void FileDeleted(const QString& path);
    void FileRenamed(const QString& oldPath, const QString& newPath);
    // A listed file was written to: its row and thumbnail follow. (A file can be reported as
    // created while another program is still writing it; this renders it again once complete.)
    void FileChanged(const QString& path);
    void FolderUpdated(const QString& path);
    void FolderDeleted(const QString& path);
    void FolderRenamed(const QString& oldPath, const QString& newPath);

private:
    // Runs a step started by a report; errors are shown when `showErrors`, else dropped.
    template <typename Step> void Run(Step step, bool showErrors);
    bool IsWatchedFolder(const QString& path) const;

    TFolderModel& model_;
    FolderViewHost& host_;
    FolderWatcher* watcher_; // child object
};

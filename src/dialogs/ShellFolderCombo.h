// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>

// A folder browser's folder combo: the folders from the root down to the current one, each
// indented under its parent, then the user's places (home, documents, pictures, desktop).
// Picking an entry reports its folder; every entry keeps its path as data, never read back from
// its caption.
class TShellFolderCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TShellFolderCombo(QWidget* parent = nullptr);

    // Shows `folder` as the current entry.
    void SetFolder(const QString& folder);
    QString Folder() const;
    // The folder of entry `index`.
    QString FolderAt(int index) const;

    // The user's places offered below the current folder's line.
    static QStringList UserPlaces();

signals:
    void FolderPicked(const QString& folder);
};

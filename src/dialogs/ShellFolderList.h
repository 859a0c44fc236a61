// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QMenu;
class QStackedLayout;
class QTreeView;
class TShellListModel;

// How the folder list shows its entries.
enum class ShellViewStyle { Thumbnails, Icons, List, Details };

// A folder browser's list: the sub-folders of one folder and its files that match a mask, in
// one of four view styles. Single selection; names can be edited in place (F2 or a click on the
// selected name); a double-click on a folder opens it. The three list styles and the details
// table share one model and one selection.
class TShellFolderList : public QWidget {
    Q_OBJECT
public:
    explicit TShellFolderList(QWidget* parent = nullptr);

    // Lists `folder` (under `mask`); false (nothing changes) when it is no folder.
    bool SetFolder(const QString& folder);
    bool SetFolder(const QString& folder, const QString& mask);
    QString Folder() const;
    // Lists the folder again under `mask` ("*.jpeg;*.jpg").
    void SetMask(const QString& mask);
    QString Mask() const;
    // Reads the folder again; the same name stays selected.
    void Refresh();
    // Opens the parent folder; false at the root.
    bool GoUp();

    void SetViewStyle(ShellViewStyle style);
    ShellViewStyle ViewStyle() const { return style_; }

    // Re-reads the folder, creates a sub-folder under the first free default name ("New
    // Folder", "New Folder (2)" ...), selects it and opens its name for editing. Returns its
    // path; throws AppError when it cannot be created.
    QString CreateNewFolder();

    // The selected entry: its row, -1 when none.
    int SelectedRow() const;
    QString SelectedPath() const;
    QString SelectedName() const;
    bool SelectedIsFolder() const;
    void SelectRow(int row);
    void ClearSelection();
    // Gives the focus mark (not the selection) to the entry named `name`, letter case ignored;
    // false when there is none.
    bool FocusName(const QString& name);
    // The entry with the focus mark, -1 when none.
    int CurrentRow() const;

    // The view of the current style.
    QAbstractItemView* CurrentView() const;
    // Shown on a right-click in the list.
    void SetContextMenu(QMenu* menu);

    TShellListModel* Model() const { return model_; }

signals:
    // The list has been filled anew (a change of folder or mask, a refresh).
    void ListFilled();
    void FolderChanged(const QString& folder);
    void SelectionChanged();
    // A double-click on a file (folders open instead).
    void FileDoubleClicked(const QString& path);
    void RenameFailed(const QString& message);
    // Delete pressed while the list has the keyboard focus.
    void DeletePressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Relist(const QString& folder, const QString& mask);
    void EntryDoubleClicked(int row);

    TShellListModel* model_ = nullptr;
    QItemSelectionModel* selection_ = nullptr;
    QStackedLayout* stack_ = nullptr;
    QListView* listView_ = nullptr;
    QTreeView* detailsView_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    ShellViewStyle style_ = ShellViewStyle::List;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/DialogControls.h"
#include "dialogs/OpenFolderRules.h"
#include "dialogs/PreviewControls.h"
#include "folderview/ShellIcons.h"

#include <functional>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTreeView;

// "Open Image Folder": the program's folder picker. A folder tree, the chosen folder's image
// files, a preview of the selected image with its number, type, dimensions, size and date, and
// above them an editable folder box whose list holds the recent folders. The user picks a
// folder, or a folder and one of its images; the main window shows the dialog modally and on 1
// opens GetSelectedPath(). The dialog can also create a sub-folder. One instance lives for the
// whole run (OpenFolderForm() in dialogs/Dialogs.h) and keeps its tree position between uses.
class TOpenFolderForm : public TModalDialog {
    Q_OBJECT
public:
    // `recentFolders`: the recent-folder list, most recent first. The first of them that exists
    // is the start folder; without one the user's pictures folder, else the documents folder.
    explicit TOpenFolderForm(const QStringList& recentFolders = {}, QWidget* parent = nullptr);
    ~TOpenFolderForm() override;

    // The main window's folder check (true when the text names an existing folder; otherwise it
    // reports "Please choose a valid Folder" and forgets the text as a recent folder). Without
    // one the dialog checks and reports by itself and drops the text from its folder box list.
    using FolderCheck = std::function<bool(const QString& path)>;
    void SetFolderCheck(FolderCheck check);

    int ShowModal();

    // The answer after a close with 1: the folder with a trailing "/", or the folder followed by
    // the selected image's name.
    QString GetSelectedPath() const;

    // Replaces the folder box's list with `recentFolders` (the typed text stays) and returns the
    // first of them that exists as a folder (empty when none does). Each entry keeps its path
    // as data: the path comes back exactly, whatever characters it holds.
    QString FillRecentFolders(const QStringList& recentFolders);
    // Drops `path` from the folder box's list (the main window's check found it gone).
    void RemoveRecentFolder(const QString& path);
    QStringList RecentFolderEntries() const;

    // Rebuilds the image list of the tree's folder; with `keepSelection` the same name stays
    // selected. The first image is selected when nothing else is.
    void PopulateFileList(bool keepSelection);
    // Shows the selected image and its labels. Throws AppError when the image cannot be read
    // (the preview is then empty).
    void UpdatePreview();
    void ClearPreview();
    // The icon of the file in the list's icon set: one per extension, one per icon file.
    int GetFileIconIndex(const QString& path);
    // F5 and "Refresh [F5]": the tree's folder again, or an empty list when it is gone.
    void RefreshView();

    // Selects `path` in the tree and opens the nodes above it; false when it is no folder.
    bool SelectTreeFolder(const QString& path);
    // The tree's selected folder, empty when none.
    QString TreeFolderPath() const;
    // The selected image's name, empty when none.
    QString SelectedImageName() const;
    const QString& PreviewPath() const { return previewPath_; }
    int ShellIconCount() const;

    // The two picture buttons.
    void SBtnAssignFolderClick();
    void SBtnNewFolderClick();

    QComboBox* CmbFileName() const { return cmbFileName_; }
    QTreeView* StShellTree() const { return stShellTree_; }
    QListWidget* ImageListBox() const { return imageListBox_; }
    TImagePreview* ImagePreview() const { return imagePreview_; }
    QLabel* LblImageNOf() const { return lblImageNOf_; }
    QLabel* LblImageType() const { return lblImageType_; }
    QLabel* LblDimensions() const { return lblDimensions_; }
    QLabel* LblSize() const { return lblSize_; }
    QLabel* LblModified() const { return lblModified_; }
    QPushButton* SBtnOpen() const { return sbtnOpen_; }
    QPushButton* SBtnCancel() const { return sbtnCancel_; }
    QPushButton* SBtnAssignFolder() const { return sbtnAssignFolder_; }
    QPushButton* SBtnNewFolder() const { return sbtnNewFolder_; }

public slots:
    // The close with 1: the folder box must name a folder, which the tree then shows.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void EnterPressed() override;

private:
    void CreateControls();
    void ChooseStartFolder(const QStringList& recentFolders);
    bool CheckFolder(const QString& text);
    void StShellTreeFolderSelected();
    void ShowPreviewLabels(const PreviewLabels& labels);

    FolderCheck folderCheck_;
    QString previewPath_;
    TShellIcons shellIcons_;
    bool constructing_ = true;

    QFileSystemModel* folderModel_ = nullptr;
    QComboBox* cmbFileName_ = nullptr;
    QTreeView* stShellTree_ = nullptr;
    QListWidget* imageListBox_ = nullptr;
    TImagePreview* imagePreview_ = nullptr;
    QLabel* lblImageNOf_ = nullptr;
    QLabel* lblImageType_ = nullptr;
    QLabel* lblDimensions_ = nullptr;
    QLabel* lblSize_ = nullptr;
    QLabel* lblModified_ = nullptr;
    QPushButton* sbtnOpen_ = nullptr;
    QPushButton* sbtnCancel_ = nullptr;
    QPushButton* sbtnAssignFolder_ = nullptr;
    QPushButton* sbtnNewFolder_ = nullptr;
    QMenu* refreshMenu_ = nullptr;
};

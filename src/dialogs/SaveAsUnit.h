// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/DialogControls.h"
#include "dialogs/SaveAsRules.h"
#include "dialogs/ShellFolderList.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class TImagePreview;
class TShellFolderCombo;

// "Save Image": the program's save dialog. A folder browser (folder combo, list of the folder's
// sub-folders and of its files of the chosen type), a file-name box, a type filter that also
// sets the name's extension, and a preview of the selected existing image with its dimensions,
// size and date. It decides nothing about the image being saved: it answers with a path whose
// extension can be written and that the user agreed to replace when a file is there, and with
// the state of "Open Saved Image". One instance lives for the whole run (SaveAsForm() in
// dialogs/Dialogs.h) and keeps its folder, filter, view style and check box between uses;
// nothing is stored in the settings.
//
// The viewer's Save As: SetInitialFile(shown image), ShowModal(); on 1 save to GetSavePath()
// and open the saved file when OpenSavedImage() and it is not the shown one.
class TSaveAsForm : public TModalDialog {
    Q_OBJECT
public:
    explicit TSaveAsForm(QWidget* parent = nullptr);
    ~TSaveAsForm() override;

    // Starts a use on the file at `path`: the list shows its folder with its name in the
    // file-name box (and the focus mark on its row), and the type filter follows its extension
    // when one of the items has it (".ico" counting as ".bmp"). A file that does not exist is
    // named in the nearest of its parent folders that still exists (else in the user's
    // pictures, documents or home folder).
    void SetInitialFile(const QString& path);
    // 1 Save, 2 Cancel.
    int ShowModal();
    // The list's folder joined with the file-name box.
    QString GetSavePath() const;
    // "Open Saved Image", ticked at start.
    bool OpenSavedImage() const;

    // The type filter changed to item `index`: the list's mask and the name's extension follow.
    void CmbFilterChange(int index);
    // Shows the selected entry when it is an existing file of a writable type, and puts its
    // name in the file-name box; otherwise the preview is emptied. Throws when the picture
    // cannot be read (AppError for a damaged file); the preview is then empty.
    void UpdateSavePreview();
    void ClearSavePreview();
    // F5 and "Refresh [F5]": the folder again, then the preview.
    void RefreshView();
    // "Up One Level".
    void SBtnBackFolderClick();
    // "Create New Folder": a new sub-folder under the default name, its name open for editing.
    void SBtnNewFolderClick();
    // Delete in the list: the selected entry goes to the desktop trash; when the trash cannot
    // take it the user is asked before it is deleted for good.
    void DeleteSelectedEntry();
    // "Thumbnails", "Icons", "List", "Details".
    void SetViewStyle(ShellViewStyle style);

    // The full path of the previewed file, empty when none.
    const QString& SavePreviewFile() const { return savePreviewFile_; }

    TShellFolderCombo* StShellCombo() const { return stShellCombo_; }
    TShellFolderList* StShellList() const { return stShellList_; }
    QLineEdit* EdtFileName() const { return edtFileName_; }
    QComboBox* CmbFilter() const { return cmbFilter_; }
    TImagePreview* ImagePreview() const { return imagePreview_; }
    QLabel* LblDimensions() const { return lblDimensions_; }
    QLabel* LblSize() const { return lblSize_; }
    QLabel* LblModified() const { return lblModified_; }
    QCheckBox* CBOpenSavedImage() const { return cbOpenSavedImage_; }
    QPushButton* SBtnSave() const { return sbtnSave_; }
    QPushButton* SBtnCancel() const { return sbtnCancel_; }
    QPushButton* SBtnBackFolder() const { return sbtnBackFolder_; }
    QPushButton* SBtnNewFolder() const { return sbtnNewFolder_; }
    QPushButton* SBtnViewMode() const { return sbtnViewMode_; }
    QMenu* ViewModeMenu() const { return viewModeMenu_; }

public slots:
    // Confirming: runs the checks on the typed name and closes with 1 only when they pass.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void EnterPressed() override;

private:
    void CreateControls();
    void CreateToolButtons();
    void CreateViewModeMenu();
    void ShowLabels(const SavePreviewLabels& labels);
    bool AskReplace(const QString& path);
    void FileDoubleClicked(const QString& path);

    QString savePreviewFile_;

    TShellFolderCombo* stShellCombo_ = nullptr;
    TShellFolderList* stShellList_ = nullptr;
    QPushButton* sbtnBack_ = nullptr;
    QPushButton* sbtnBackFolder_ = nullptr;
    QPushButton* sbtnNewFolder_ = nullptr;
    QPushButton* sbtnViewMode_ = nullptr;
    QMenu* viewModeMenu_ = nullptr;
    QMenu* refreshMenu_ = nullptr;
    QLineEdit* edtFileName_ = nullptr;
    QComboBox* cmbFilter_ = nullptr;
    TImagePreview* imagePreview_ = nullptr;
    QLabel* lblDimensions_ = nullptr;
    QLabel* lblSize_ = nullptr;
    QLabel* lblModified_ = nullptr;
    QCheckBox* cbOpenSavedImage_ = nullptr;
    QPushButton* sbtnSave_ = nullptr;
    QPushButton* sbtnCancel_ = nullptr;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/FileClipboard.h"
#include "settings/RecentFolders.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QScrollArea;
class QTabWidget;
class QTimer;
class QToolButton;
class TAboutDlg;
class TFileProgressDialog;
class TFolderModel;
class TFolderViewForm;

// The main window: the viewer, the open folders and every command around them. The first
// window the program creates; closing it ends the program.
//
// Its definition is split by concern: MainUnit.cpp (creation, layout, the viewer's state and
// closing), MainFolders.cpp (open folders and the folder tab area), MainMenus.cpp (menus, tool
// bar and popup menus), MainRecent.cpp (the recent-folder menu).
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `arguments` are the program's command-line arguments: the last folder, or the folder of
    // the last image, among them opens as a tab.
    explicit TMainForm(const QStringList& arguments = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- the open folders (MainFolders.cpp) ---
    // Every open folder view, docked or floating, in the order opened (not owned by the list).
    const QList<TFolderViewForm*>& OpenFolders() const { return openFolders_; }
    // The folder view the viewer follows, or null.
    TFolderViewForm* CurrentFolder() const { return currentFolder_; }
    void SetCurrentFolder(TFolderViewForm* view) { currentFolder_ = view; }
    // Opens a folder (path with or without a trailing "/") or the folder of an image file as a
    // new tab and makes it current; null when the path names nothing.
    TFolderViewForm* OpenFolderTab(const QString& path);
    // Shows the image at a full path: in the tab of its folder when that is open, else in a
    // new tab. With `rescan` the folder is listed again first.
    void OpenImagePath(const QString& path, bool rescan);
    // The Open Image Folder command.
    void ShowOpenFolderDialog();
    // Called by a folder view while it closes.
    void FolderClosed(TFolderViewForm* view);
    // Called by a folder view as it is destroyed: its tab goes (an active tab hands over to the
    // following one, the first after the last) and it leaves every list of this window.
    void ForgetFolder(TFolderViewForm* view);
    // Recomputes the height of the folder tab area, leaving out `leaving` (a view that goes).
    void FitTabArea(TFolderViewForm* leaving = nullptr);
    // Floats the current folder as the advanced window, or only shows it when it floats.
    void FloatCurrentFolder();
    // Closes the current folder without the close prompt.
    void CloseCurrentFolder();
    QTabWidget* ThumbPageControl() const { return thumbPageControl_; }
    // Makes the tab of a docked view the active one.
    void ActivateTab(TFolderViewForm* view);
    // A view leaves the folder tab area to float, or comes back as the last tab, made active.
    void RemoveFolderTab(TFolderViewForm* view);
    void AddFolderTab(TFolderViewForm* view);
    bool HideFolderTab() const { return hideFolderTab_; }
    void SetHideFolderTab(bool hide);
    // The tab height the folder tab area reserves while its headers show.
    int TabHeight() const;
    static constexpr int ClientBorderWidth = 2;

    // --- the "Windows" menu (MainFolders.cpp) ---
    // A new entry for `window`, captioned `caption` or, when empty, the folder path of a folder
    // view (the window's caption otherwise).
    void AddWindowMenuEntry(QWidget* window, const QString& caption = QString());
    void RemoveWindowMenuEntry(QWidget* window);
    const QList<QWidget*>& WindowMenuForms() const { return windowMenuForms_; }
    QMenu* WindowsMenu() const { return windows1_; }

    // --- recent folders (MainRecent.cpp) ---
    TRecentFolders& FileMruList() { return fileMruList_; }
    void RebuildRecentMenu();
    // True when the folder exists; otherwise reports it and drops it from the recent list and
    // menu.
    bool CheckFolderValid(const QString& path);
    QMenu* OpenRecentMenu() const { return openRecent1_; }
    // A click on a recent-folder entry.
    void RecentFolderClick(const QString& path);

    // --- the file clipboard (MainFolders.cpp) ---
    TFileClipboard& FileClipboard() { return fileClipboard_; }
    // Copies or cuts the selection of a folder into the file clipboard.
    void CopyToFileClipboard(const TFolderModel& model, bool cut);
    // Pastes the file clipboard into a folder view; false when the operation did not fully
    // succeed.
    bool PasteFileClipboard(TFolderViewForm* target);
    // Every open folder view follows a change of the file clipboard.
    void FileClipboardChanged(bool refresh, const QString& sourceFolder,
                              const QString& targetFolder);

    // --- the other windows ---
    void ShowAbout();

    // --- the viewer (its own work arrives with the viewer; here its state) ---
    const QString& CurrentImageName() const { return currentImageName_; }
    const QString& CurrentImagePath() const { return currentImagePath_; }
    void SetCurrentImage(const QString& name, const QString& path);
    bool HasImage() const { return !currentImagePath_.isEmpty(); }
    // Shows a file of a folder view.
    void ShowImage(TFolderViewForm* view, const QString& name);
    void ClearViewer();
    void UpdateCaption();
    // Enabled state of the commands that depend on the folders and the image.
    void UpdateCommands();
    // Offers to save a modified image; true when the caller must abandon its step.
    bool PromptSaveModified();
    bool ImageModified() const { return imageModified_; }
    // The Save Image command (for the folder-deleted question).
    void SaveImage();
    bool FilmstripVisible() const;
    bool AdvancedViewsVisible() const;
    bool SlideShowActive() const { return false; }
    bool ShuttingDown() const { return shuttingDown_; }
    void SetKeyFocus();
    void BeginBusy(bool showPanel);
    void EndBusy();
    // The progress bar while a folder is listed.
    void SetProgress(int value, int maximum);
    // A long hint in the status bar (empty clears it).
    void ShowLongHint(const QString& text);
    // The e-mail wizard for the current folder's selection.
    void EmailSelection();
    // The program's error box for a message (caption "Error").
    void ShowErrorMessage(const QString& message);

public slots:
    // A macro handed over by a second start: "EXIT" closes the window; any other text brings
    // the window to the front, after opening the image it names.
    void PXD_MainExecuteMacro(const QString& macro);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // MainUnit.cpp
    void CreateLayout();
    void OpenCommandLine(const QStringList& arguments);
    void ReadPlacement();
    void WritePlacement();
    // MainMenus.cpp
    void CreateMenus();
    // Creates BigControlPanel with the tool bar in it.
    void CreateToolBar(QWidget* parent);
    void CreatePopupMenus();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption, bool enabled = false);
    // MainFolders.cpp
    void ThumbPageControlChange(int index);
    void TabHackTimerTimer();
    void WindowsMenuClick(QAction* item);

    // folders
    QList<TFolderViewForm*> openFolders_;
    TFolderViewForm* currentFolder_ = nullptr;
    QList<QWidget*> windowMenuForms_;
    bool hideFolderTab_ = false;
    // Set while the program changes tabs itself (the tab-change rule is for the user's changes
    // and for a closed tab).
    bool changingTabs_ = false;
    TRecentFolders fileMruList_;
    TFileClipboard fileClipboard_;
    TAboutDlg* aboutDlg_ = nullptr;
    TFileProgressDialog* fileProgress_ = nullptr; // created at the first paste, then reused

    // viewer state
    QString currentImageName_;
    QString currentImagePath_;
    bool imageModified_ = false;
    bool shuttingDown_ = false;
    int busyDepth_ = 0;

    // controls
    QScrollArea* scrollBox1_ = nullptr;
    QTabWidget* thumbPageControl_ = nullptr;
    QTimer* tabHackTimer_ = nullptr;
    QWidget* bigControlPanel_ = nullptr;
    QWidget* smallControlPanel_ = nullptr;
    QLabel* statusPanel0_ = nullptr;
    QLabel* statusPanel1_ = nullptr;
    QProgressBar* mainProgressBar_ = nullptr;
    QToolButton* sBtnOpen_ = nullptr;
    QToolButton* sBtnEmail_ = nullptr;
    QComboBox* cmbZoomPercent_ = nullptr;

    // menu items whose state changes here
    QAction* openImage1_ = nullptr;
    QMenu* openRecent1_ = nullptr;
    QAction* closeCurrentFolder1_ = nullptr;
    QAction* advancedFolderView1_ = nullptr;
    QAction* delete1_ = nullptr;
    QMenu* windows1_ = nullptr;
    QMenu* mainPopupMenu_ = nullptr;
    QMenu* tabPopupMenu_ = nullptr;
    QAction* tabAdvancedFolderView_ = nullptr;
    QAction* closeFolder1_ = nullptr;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/FilmstripOwner.h"
#include "folderview/FolderViewHost.h"

#include <QSize>
#include <QWidget>
#include <memory>

class QAbstractItemView;
class QActionGroup;
class QItemSelection;
class QLabel;
class QListView;
class QMenu;
class QMenuBar;
class QAction;
class QStackedWidget;
class QStatusBar;
class QTimer;
class QTreeView;
class TFilmstrip;
class TFolderListProxy;
class TFolderFileOps;
class TFolderModel;
class TMainForm;

// One open folder. Docked, it is a page of the main window's folder tab area and shows the
// filmstrip; floating, it is the always-on-top "Advanced Folder View" window with its menu, the
// sortable list ImageView and a status bar. It owns the folder model (with its thumbnail cache
// and loader) and answers what the model and the filmstrip ask of the windows, handing the
// viewer's part on to the main window.
class TFolderViewForm : public QWidget, public FolderViewHost, public FilmstripOwner {
    Q_OBJECT
public:
    // Size of the floating window's client area the first time it floats.
    static constexpr int UndockedWidth = 599;
    static constexpr int UndockedHeight = 382;

    // A new view, not yet docked anywhere and listing nothing; the main window docks it and
    // calls OpenFolder.
    explicit TFolderViewForm(TMainForm& mainForm);
    ~TFolderViewForm() override;

    TFolderModel& Model() { return *model_; }
    const TFolderModel& Model() const { return *model_; }
    TFilmstrip& Filmstrip() { return *filmstrip_; }
    QString FolderPath() const;
    QString FolderCaption() const;
    // Lists the folder (a path ending in "/") or the folder of a file (that file is selected).
    void OpenFolder(const QString& path);

    // --- docking ---
    // Switches the presentation when the floating state changed since the last call; with
    // `refresh` the selection is shown again.
    void ApplyDockState(bool refresh);
    // "Advanced Folder View": floats the docked view centred on the screen at its undocked size.
    void FloatView() override;
    // "Return to Filmstrip": docks the floating view back into the folder tab area.
    void DockView();
    bool IsFloating() const override;
    // Height of the filmstrip panel (what the folder tab area makes room for).
    int FilmPanelHeight() const;

    // --- closing ---
    // Closes the view without the close prompt.
    void CloseFolder() override;
    bool IsClosing() const;

    // --- the advanced list ---
    QStackedWidget* ImageView() const { return imageView_; }
    QTreeView* DetailsView() const { return detailsView_; }
    QListView* IconsView() const { return iconsView_; }
    // The list control of the current style.
    QAbstractItemView* ActiveListView() const;
    void SetListStyle(ListStyle style);
    // A click on a column header: sorts by it, reversing when it is clicked again.
    void SortByColumn(int column);
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return sortAscending_; }
    // The caption of the row `oldName` was edited to `newName`: renames the file in place.
    // On an error the row keeps its name and the message is shown.
    void RenameInPlace(const QString& oldName, const QString& newName);
    QStatusBar* StatusBar1() const { return statusBar_; }
    QMenuBar* MainMenu1() const { return menuBar_; }

    // --- the file clipboard ---
    void SetPasteState(bool enabled, const QStringList& paths, bool cut);
    TFolderFileOps& FileOps() { return *fileOps_; }

    // --- FolderViewHost ---
    int ThumbScrollPosition() const override;
    int ThumbImageWidth() const override;
    void RedrawStrip() override;
    void DrawFrames() override;
    void UpdateScrollRange() override;
    void ScrollIntoView(const QString& name) override;
    ListStyle AdvancedListStyle() const override { return listStyle_; }
    int ListTopRow() const override;
    QPoint ListViewOrigin() const override;
    QRect ListItemsBounds() const override;
    QPoint ListRowPosition(int index) const override;
    void SyncListSelection() override;
    void SetViewCaption(const QString& caption) override;
    bool FilmstripVisible() const override;
    bool FolderTabAreaHidden() const override;
    bool IsCurrentFolder() const override;
    void MakeCurrentFolder() override;
    QString CurrentImageName() const override;
    QString CurrentImagePath() const override;
    void SetCurrentImage(const QString& name, const QString& path) override;
    void UpdateCaption() override;
    void ShowImage(const QString& name) override;
    void ClearViewer() override;
    bool PromptSaveModified() override;
    void SetProgress(int value, int maximum) override;
    void SetBusy(bool busy) override;
    bool DeleteFileToTrash(const QString& path) override;
    void ShowStatus(const FolderStatus& status) override;
    void ShowErrorMessage(const QString& message) override;
    void FolderWasDeleted() override;

    // --- FilmstripOwner ---
    void ShowLongHint(const QString& text) override;
    void StartThumbDrag(const QStringList& names) override;
    bool CanAcceptDrop(const QMimeData& data) const override;
    void DropOnView(const QMimeData& data) override;
    void RenameSelected() override;
    void DeleteSelected() override;
    void EmailSelection() override;
    void CopySelected() override;
    void CutSelected() override;
    void PasteHere() override;
    void RefreshFolder() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenu();
    void CreateList();
    // Shows the controls of the current presentation.
    void ArrangeControls(bool floating);
    void ListSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    void ScrollSelectedRowIntoView();
    // The caption of the current presentation: the folder path floating, its name docked.
    void ShowViewCaption();
    // The open folder view whose files are being dragged, or null.
    TFolderViewForm* DragSource(const QMimeData& data) const;
    // The window's keys (while it floats); true when the key was one of them.
    bool HandleKey(QKeyEvent* event);

    TMainForm& main_;
    std::unique_ptr<TFolderModel> model_;
    TFolderFileOps* fileOps_ = nullptr; // paste state, dimmed rows, the delay timer
    int pasteCount_ = 0;
    TFilmstrip* filmstrip_ = nullptr; // LargeFilmPanel
    QMenuBar* menuBar_ = nullptr;     // MainMenu1
    QAction* dock1_ = nullptr;
    QAction* closeFolder1_ = nullptr;
    QActionGroup* styleGroup_ = nullptr;
    QStackedWidget* imageView_ = nullptr; // ImageView
    TFolderListProxy* listProxy_ = nullptr;
    QTreeView* detailsView_ = nullptr;
    QListView* iconsView_ = nullptr;
    QStatusBar* statusBar_ = nullptr; // StatusBar1
    QLabel* filesPanel_ = nullptr;
    QLabel* selectionPanel_ = nullptr;
    QTimer* hackTimer_ = nullptr; // HackTimer

    ListStyle listStyle_ = ListStyle::Details;
    bool floating_ = false; // created docked: the main window docks it at once
    bool wasFloating_ = false;
    bool closeWithoutPrompt_ = false;
    bool syncingList_ = false;
    bool removingRows_ = false;
    QSize undockedSize_{UndockedWidth, UndockedHeight};
    int sortColumn_ = 0;
    int lastSortColumn_ = 0;
    bool sortAscending_ = true;
};

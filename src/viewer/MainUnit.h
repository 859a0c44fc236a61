// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/FileClipboard.h"
#include "imaging/Picture.h"
#include "settings/RecentFolders.h"
#include "viewer/ControlVisibility.h"
#include "viewer/ImagePreloader.h"
#include "viewer/KeyMap.h"
#include "viewer/SlideShowState.h"
#include "viewer/ZoomMath.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QMenuBar;
class QWheelEvent;
class QLabel;
class QMenu;
class QProgressBar;
class QScrollArea;
class QTabWidget;
class QTimer;
class QToolButton;
class TAboutDlg;
class TEmailSizeDlg;
class TFileProgressDialog;
class TMainEmailHost;
class QPrinter;
class TMainOptionsHost;
class TMainToolBoxHost;
class TOptionsForm;
class TToolBox;
class TFolderModel;
class TFolderViewForm;
class TGifAnimator;
class TImageBox;
class TPleaseWaitPanel;

// The main window: the viewer, the open folders and every command around them. The first
// window the program creates; closing it ends the program.
//
// Its definition is split by concern: MainUnit.cpp (creation, layout, hand-off and closing),
// MainSettings.cpp (the stored settings), MainFolders.cpp (open folders and the folder tab area),
// MainMenus.cpp (menus, tool bar and popup menus), MainCommandStates.cpp (which commands are
// enabled), MainRecent.cpp (the recent-folder menu), MainDisplay.cpp (showing and stepping
// through images), MainModify.cpp (changing and saving the image), MainZoom.cpp,
// MainFullScreen.cpp, MainSlideShow.cpp and MainKeys.cpp.
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

    // --- the viewer (MainDisplay.cpp) ---
    const QString& CurrentImageName() const { return currentImageName_; }
    const QString& CurrentImagePath() const { return currentImagePath_; }
    void SetCurrentImage(const QString& name, const QString& path);
    bool HasImage() const { return !currentImagePath_.isEmpty(); }
    // The picture shown (Image1's picture); empty when none.
    const TPicture& Picture() const { return picture_; }
    // Loads and shows a file of a folder view, with the error questions of a failed load.
    void ShowImage(TFolderViewForm* view, const QString& name);
    void ClearViewer();
    // Shows the current file again as stored; unsaved changes are dropped without a question.
    void ReloadImage();
    void NextImage();
    void PreviousImage();
    void UpdateCaption();
    // Enabled state of the commands that depend on the folders, the image and the slide show.
    void UpdateCommands();
    // Shows the picture still, or plays it when it is an animated GIF and animation is on.
    void SetupAnimation();
    bool AnimateGif() const;
    void SetAnimateGif(bool on);
    // The viewing area's colour (also the please-wait panel's).
    void SetBackgroundColor(const QColor& color);
    QColor BackgroundColor() const;
    void BeginBusy(bool showPanel);
    void EndBusy();
    // The progress bar while a folder is listed.
    void SetProgress(int value, int maximum);
    // A long hint in the status bar (empty clears it).
    void ShowLongHint(const QString& text);
    // Offers to save a modified image; true when the caller must abandon its step.
    bool PromptSaveModified();
    bool ImageModified() const { return imageModified_; }
    // The Save Image command (for the folder-deleted question).
    void SaveImage();
    bool ShuttingDown() const { return shuttingDown_; }

    // --- modifying and saving the image (MainModify.cpp) ---
    // Resizes the shown picture to width x height (the image tools window); from then on leaving
    // the image always asks before saving. False when it could not be resized (the error has
    // been shown; the picture is as it was).
    bool ResizeImage(int width, int height);
    // The Save As command: saves the shown picture where the user chooses. True when the saved
    // copy is now the shown image (the caller abandons what it was about to do).
    bool SaveImageAs();
    // The user declined to keep this image's changes; no further save questions for it.
    bool ChangesDiscarded() const { return changesDiscarded_; }
    // The next save question is asked even though the user declined these changes before (the
    // image tools window's save button always offers the save).
    void ClearChangesDiscarded() { changesDiscarded_ = false; }
    // The shown image is the file CurrentImageName of the current folder. Not so while another
    // folder has become current (a floating view was activated) and the viewer still shows an
    // image of the folder before.
    bool ShowsCurrentFolderFile() const;
    bool ImageResized() const { return imageResized_; }
    // What the Save Image dialog answers: where to save, and whether to show the saved copy.
    struct SavePathChoice {
        QString path;
        bool openSavedImage = true;
    };
    // Asks where to save the shown image, starting at its path; nothing when cancelled.
    using SavePathChooser =
        std::function<std::optional<SavePathChoice>(const QString& initialPath)>;
    // The question Save As asks (the Save Image dialog); unset, Save As asks nothing and saves
    // nothing.
    void SetSavePathChooser(SavePathChooser chooser) { savePathChooser_ = std::move(chooser); }

    // --- zoom and fit (MainZoom.cpp) ---
    bool AutoFit() const { return autoFit_; }
    int ZoomPercent() const { return zoomPercent_; }
    void SetZoomPercent(int percent) { zoomPercent_ = percent; }
    void ApplyZoom(quint32 percent);
    void ZoomBy(int step);
    void ZoomToFit();
    void ZoomToWidth();
    void ZoomToHeight();
    // Leaves auto-fit, asking first when the prompt is on; true when auto-fit is still on.
    bool LeaveAutoFit();
    void ToggleAutoFit();
    // Moves a scroll bar of the viewing area by a percentage of its range.
    void ScrollHorizontal(int percent);
    void ScrollVertical(int percent);
    // A new text in the zoom box (typed and confirmed, or chosen from its list).
    void ZoomTextChanged(const QString& text);
    // The same, once the event that brought the text is over (Enter on a listed text reports
    // it twice).
    void QueueZoomText(const QString& text);
    QScrollArea* ScrollBox1() const { return scrollBox1_; }
    // Image1: the picture control inside the viewing area, and the GIF player over it.
    TImageBox* Image1() const { return image1_; }
    TGifAnimator* GifAnimator() const { return gifAnimator_; }
    TPleaseWaitPanel* PnlPleaseWait() const { return pnlPleaseWait_; }
    QComboBox* CmbZoomPercent() const { return cmbZoomPercent_; }

    // --- full screen and control visibility (MainFullScreen.cpp) ---
    bool FullScreen() const { return fullScreen_; }
    void SetFullScreen(bool on, bool promptAllowed);
    void ToggleFullScreen();
    TControlVisibility& Visibility() { return visibility_; }
    // Whether a control shows in the mode in force.
    bool MainMenuVisible() const;
    bool FilmstripVisible() const;
    bool ToolBarVisible() const;
    bool StatusBarVisible() const;
    bool AdvancedViewsVisible() const;
    void ShowMainMenu(bool on);
    void ShowFilmstrip(bool on);
    void ShowToolBar(bool on);
    void ShowStatusBar(bool on);
    void ShowAdvancedViews(bool on);
    // A click on a choice of the "Controls" (windowed) or "Full Screen Controls" menu.
    void VisibilityItemClick(ViewControl control, bool fullScreenSet);

    // --- slide show (MainSlideShow.cpp) ---
    bool SlideShowActive() const { return slideShow_.Active(); }
    // The slide-show timer runs (a paused show does not count).
    bool SlideShowRunning() const;
    void StartSlideShow();
    void StopSlideShow();
    void PauseSlideShow();
    QTimer* SlideShowTimer() const { return slideShowTimer_; }
    // One tick of the slide show: the next (or, in reverse, the previous) image.
    void SlideShowTimerTimer();
    bool StartAtBeginning() const { return startAtBeginning_; }
    void SetStartAtBeginning(bool on) { startAtBeginning_ = on; }
    bool PlayInReverse() const { return playInReverse_; }
    void SetPlayInReverse(bool on) { playInReverse_ = on; }
    bool CursorHidden() const { return cursorHidden_; }
    void HideCursor();
    void RevealCursor();

    // --- keys (MainKeys.cpp) ---
    // Gives the keyboard focus to the invisible key-grab field, so letters act as commands.
    void SetKeyFocus();
    QLineEdit* EdtKeyGrab() const { return edtKeyGrab_; }
    // The key handler: runs the command the key table names for the key; never consumes it.
    void FormKeyDown(QKeyEvent* event);

    // --- the other windows and commands (MainCommands.cpp) ---
    // Rotates (1 clockwise, 2 half a turn, 3 counter-clockwise) or flips (4 horizontally,
    // 5 vertically) the shown picture.
    void TransformImage(int code);
    void RenameImage();
    // Prints the shown picture on the printer chosen in the print dialog.
    void PrintImage();
    // The image tools window, shown beside the main window.
    void ShowToolbox();
    TToolBox* ToolBox() const { return toolBox_; }
    TOptionsForm* OptionsForm() const { return optionsForm_; }
    // The e-mail wizard for the current folder's selection.
    void EmailSelection();
    // The program's error box for a message (caption "Error").
    void ShowErrorMessage(const QString& message);
    // The Options dialog, on the page used last or on the slide-show page.
    static constexpr int LastOptionsPage = -1;
    static constexpr int SlideShowOptionsPage = 1;
    void ShowOptions(int page = LastOptionsPage);

    // --- handing the image to the desktop (MainDesktop.cpp) ---
    void SetAsDesktopWallpaper();
    void CopyToClipboard();
    void PrinterSetup();
    void FileProperties();
    void CheckForUpdatesClick();
    QPrinter& Printer();
    TEmailSizeDlg* EmailWizard() const { return emailDlg_; }

    // --- settings (MainSettings.cpp) ---
    bool AutoSaveImages() const { return autoSaveImages_; }
    void SetAutoSaveImages(bool on) { autoSaveImages_ = on; }

public slots:
    // A macro handed over by a second start: "EXIT" closes the window; any other text brings
    // the window to the front, after opening the image it names.
    void PXD_MainExecuteMacro(const QString& macro);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // MainUnit.cpp
    void CreateLayout();
    void CreateViewingArea(QWidget* parent);
    // A field the user types text into (other than the key-grab field).
    bool IsTextField(const QWidget* widget) const;
    void OpenCommandLine(const QStringList& arguments);
    void ReadPlacement();
    void WritePlacement();
    // MainSettings.cpp
    void ReadSettings();
    void WriteSettings();
    // Deletes the image files of the program's temporary folder and the folder when it is empty.
    void EmptyTempFolder();
    // MainMenus.cpp
    void CreateMenus();
    // Creates BigControlPanel with the tool bar in it.
    void CreateToolBar(QWidget* parent);
    void CreatePopupMenus();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption, bool enabled = false);
    void ConnectViewerCommands();
    // The check items of a visibility choice in both sets.
    QAction* VisibilityItem(ViewControl control, bool fullScreenSet) const;
    void SyncVisibilityChecks();
    // MainFolders.cpp
    void ThumbPageControlChange(int index);
    void TabHackTimerTimer();
    void WindowsMenuClick(QAction* item);
    // MainDisplay.cpp
    // One pass of loading the current file; throws on failure.
    void LoadCurrentImage(TFolderViewForm* view);
    // A failed load: true when the loop goes on with the file now selected.
    bool AnswerLoadError(TFolderViewForm* view, const QString& message, bool& stop);
    void PleaseWaitClick();
    // Loads the image a step in the last direction would show, while the user looks at this one.
    void PreloadNeighbour();
    void ChooseCustomColor();
    // MainZoom.cpp
    ZoomMath::ZoomInput CurrentZoomInput() const;
    // Runs a zoom computation under the re-entry guard and puts its result on screen.
    template <typename Compute> void RunZoom(Compute compute);
    void PlaceImage(const ZoomMath::ZoomLayout& layout);
    void ShowZoomText();
    // A zoom command: leaves auto-fit first and does nothing when it stays on.
    void ManualZoom(int step);
    bool HandleWheel(QWheelEvent* event);
    // MainFullScreen.cpp
    void ApplyWindowedLayout();
    // MainSlideShow.cpp
    void EnableFloatingViews(bool enabled);
    void SetScreenCursor(std::optional<Qt::CursorShape> shape);
    void PointerMoved(QPoint globalPosition);
    void SetWindowHint(const QString& hint);
    // MainKeys.cpp
    KeyContext CurrentKeyContext() const;
    void RunKeyCommand(const KeyAction& action);
    void StepTab(int direction);
    // MainModify.cpp
    // Abandoned: the shown picture changed while the user was asked (or nobody could be asked);
    // nothing was written or decided.
    enum class SaveOutcome { Cancelled, Failed, Saved, SavedAndShown, Abandoned };
    // A rotated, flipped or resized copy of the shown picture replaces it, marked modified; an
    // error is shown and leaves the picture as it was (false then).
    using PictureChange = std::function<std::unique_ptr<TGraphic>(const TGraphic&)>;
    bool ModifyPicture(const PictureChange& change, bool resized);
    // PromptSaveModified's question and its answers, run while the slide show is held.
    bool AskSaveModified();
    // What a question about the shown picture was asked about: a dialog's event loop can show
    // another image or change this one before the answer comes.
    struct ShownPicture {
        QString path;
        int modification = 0;
        bool modified = false;
        bool operator==(const ShownPicture&) const = default;
    };
    ShownPicture CurrentPicture() const;
    // SaveImage's work without the slide-show test: true when the file was written (a failure
    // is reported).
    bool SaveOverCurrentFile();
    // SaveImageAs's work without the slide-show test, telling a failure from a cancel.
    SaveOutcome SaveCopyAs();
    // Every open folder view of the written file's folder lists it anew; an image loaded ahead
    // from it is dropped.
    void FileWritten(const QString& path);
    void ForgetPreloaded(const QString& path);
    SavePathChooser savePathChooser_;
    // Set while PromptSaveModified runs; a call from inside it is abandoned.
    bool promptingSave_ = false;
    // Counts the changes to the picture; an automatic save that failed is not tried again for
    // the same change (the question is asked instead).
    int modification_ = 0;
    int failedAutoSave_ = -1;

    // A child control or menu item by object name.
    QObject* Control(const char* name) const;
    QAction* Item(const char* name) const;

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
    std::unique_ptr<TMainToolBoxHost> toolBoxHost_;
    std::unique_ptr<TMainOptionsHost> optionsHost_;
    TToolBox* toolBox_ = nullptr;
    TOptionsForm* optionsForm_ = nullptr;
    std::unique_ptr<TMainEmailHost> emailHost_;
    TEmailSizeDlg* emailDlg_ = nullptr;
    std::unique_ptr<QPrinter> printer_;

    // viewer state
    TPicture picture_;
    QString currentImageName_;
    QString currentImagePath_;
    bool imageModified_ = false;
    bool changesDiscarded_ = false;
    bool imageResized_ = false;
    bool shuttingDown_ = false;
    int busyDepth_ = 0;
    TImagePreloader preloader_;
    QTimer* preloadTimer_ = nullptr;
    bool lastStepBackward_ = false;
    int showImageCalls_ = 0; // counts ShowImage calls, to notice one made by a nested step
    bool autoSaveImages_ = true;

    // zoom
    bool autoFit_ = true;
    int zoomPercent_ = 100;
    bool zoomGuard_ = false;
    bool zoomTextQueued_ = false;
    QString queuedZoomText_;

    // full screen
    bool fullScreen_ = false;
    Qt::WindowStates rememberedState_ = Qt::WindowNoState;
    QPointer<QWidget> rememberedTab_;
    TControlVisibility visibility_;
    bool hintsEnabled_ = true;

    // slide show
    TSlideShowState slideShow_;
    QTimer* slideShowTimer_ = nullptr;
    bool startAtBeginning_ = false;
    bool playInReverse_ = false;
    bool cursorHidden_ = false;
    bool screenCursorSet_ = false;

    // controls
    QScrollArea* scrollBox1_ = nullptr;
    QWidget* canvas_ = nullptr; // the scrolled content holding Image1
    TImageBox* image1_ = nullptr;
    TGifAnimator* gifAnimator_ = nullptr;
    TPleaseWaitPanel* pnlPleaseWait_ = nullptr;
    QLineEdit* edtKeyGrab_ = nullptr;
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
    QMenuBar* mainMenu1_ = nullptr;

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

// SPDX-License-Identifier: MIT
// The open folders: opening them as tabs, which one the viewer follows, closing them, the
// folder tab area's height and the "Windows" menu.
#include "viewer/MainUnit.h"

#include "dialogs/FileProgressDialog.h"
#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <exception>

namespace {

// A folder given as the path to list: absolute, clean, ending in exactly one "/"; a file keeps
// its name.
QString PathToList(const QFileInfo& info) {
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (!info.isDir() || clean.endsWith(QLatin1Char('/')))
        return clean;
    return clean + QLatin1Char('/');
}

// A menu caption showing `text` as it is ("&" would otherwise mark a shortcut letter).
QString MenuCaption(const QString& text) {
    QString caption = text;
    return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Changes the active tab without running the tab-change rule.
class TabChangeGuard {
public:
    explicit TabChangeGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~TabChangeGuard() { flag_ = old_; }

private:
    bool& flag_;
    bool old_;
};

} // namespace

TFolderViewForm* TMainForm::OpenFolderTab(const QString& path) {
    zoomPercent_ = 100;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return nullptr;
    auto* view = new TFolderViewForm(*this);
    {
        TabChangeGuard guard(changingTabs_);
        thumbPageControl_->addTab(view, QString());
        thumbPageControl_->setCurrentWidget(view);
    }
    // A thumbnail strip that cannot be written does not stop the folder from opening; the error
    // is passed on once the tab is complete.
    std::exception_ptr openError;
    try {
        view->OpenFolder(PathToList(info));
    } catch (...) {
        openError = std::current_exception();
    }
    view->SetPasteState(fileClipboard_.CanPaste(), fileClipboard_.Paths(),
                        fileClipboard_.Mode() == FileClipboardMode::Cut);
    openFolders_.append(view);
    currentFolder_ = view;
    ActivateTab(view);
    fileMruList_.Add(view->FolderPath());
    RebuildRecentMenu();
    UpdateCommands();
    UpdateCaption();
    AddWindowMenuEntry(view);
    FitTabArea();
    if (openError)
        std::rethrow_exception(openError);
    return view;
}

void TMainForm::OpenImagePath(const QString& path, bool rescan) {
    if (SlideShowActive())
        StopSlideShow();
    PromptSaveModified();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir())
        return;
    const QString folder = QDir::cleanPath(info.absolutePath());
    const QString name = info.fileName();
    for (TFolderViewForm* view : std::as_const(openFolders_)) {
        if (view->FolderPath() != folder)
            continue;
        if (rescan)
            view->Model().RescanFolder(TFolderModel::rmFull);
        view->Model().SelectFile(name);
        if (view->IsFloating()) {
            view->activateWindow();
            view->setFocus();
        } else {
            ActivateTab(view);
            SetKeyFocus();
        }
        return;
    }
    OpenFolderTab(path);
}

void TMainForm::ActivateTab(TFolderViewForm* view) {
    const int index = thumbPageControl_->indexOf(view);
    if (index < 0)
        return;
    TabChangeGuard guard(changingTabs_);
    thumbPageControl_->setCurrentIndex(index);
}

void TMainForm::FolderClosed(TFolderViewForm* view) {
    // The last folder going takes the shown image with it: its changes are offered for saving
    // while the folder they belong to is still current (saving needs it).
    const bool lastGoes = openFolders_.size() == 1 && openFolders_.contains(view);
    if (lastGoes && view == currentFolder_)
        PromptSaveModified();
    if (view == currentFolder_)
        currentFolder_ = nullptr;
    const int index = static_cast<int>(openFolders_.indexOf(view));
    if (index >= 0)
        openFolders_.removeAt(index);
    RemoveWindowMenuEntry(view);
    // The view now at the closed one's place, or the last one when it was last.
    if (!currentFolder_ && !openFolders_.isEmpty())
        currentFolder_ = openFolders_.at(std::clamp<qsizetype>(index, 0, openFolders_.size() - 1));
    if (currentFolder_) {
        // A docked view's tab goes when the view is destroyed, and the tab that becomes
        // active then makes its folder current. A floating view has no tab.
        if (view->IsFloating()) {
            ActivateTab(currentFolder_);
            currentFolder_->ApplyDockState(true);
        }
    } else {
        if (!lastGoes)
            PromptSaveModified();
        ClearViewer();
        UpdateCaption();
    }
    UpdateCommands();
}

void TMainForm::ForgetFolder(TFolderViewForm* view) {
    // The tab goes now. When it was the active one, the following tab becomes active (the
    // first after the last one) and its folder becomes current by the tab-change rule.
    if (const int index = thumbPageControl_->indexOf(view); index >= 0 && !shuttingDown_) {
        const int count = thumbPageControl_->count();
        const bool wasActive = thumbPageControl_->currentIndex() == index;
        {
            TabChangeGuard guard(changingTabs_);
            thumbPageControl_->removeTab(index);
            if (wasActive && count > 1)
                thumbPageControl_->setCurrentIndex(index < count - 1 ? index : 0);
        }
        if (wasActive && count > 1)
            ThumbPageControlChange(thumbPageControl_->currentIndex());
    }
    openFolders_.removeAll(view);
    if (currentFolder_ == view)
        currentFolder_ = nullptr;
    if (windowMenuForms_.contains(view))
        RemoveWindowMenuEntry(view);
}

void TMainForm::ThumbPageControlChange(int index) {
    if (changingTabs_ || shuttingDown_)
        return;
    auto* view = qobject_cast<TFolderViewForm*>(thumbPageControl_->widget(index));
    if (!view || view->IsClosing() || !openFolders_.contains(view))
        return;
    currentFolder_ = view;
    view->ApplyDockState(true);
    SetKeyFocus();
    UpdateCommands();
}

int TMainForm::TabHeight() const {
    return thumbPageControl_->tabBar()->sizeHint().height();
}

void TMainForm::FitTabArea(TFolderViewForm* leaving) {
    const int pages = thumbPageControl_->count();
    const auto holdsOther = [&](int i) {
        QWidget* page = thumbPageControl_->widget(i);
        return page && page != leaving;
    };
    int height = 0;
    if (pages == 0 || (pages == 1 && !holdsOther(0))) {
        height = ScaleForDpi(10);
    } else {
        int film = 0;
        if (currentFolder_ && currentFolder_ != leaving)
            film = currentFolder_->FilmPanelHeight();
        for (int i = 0; film == 0 && i < pages; ++i)
            if (auto* view = qobject_cast<TFolderViewForm*>(thumbPageControl_->widget(i));
                view && view != leaving)
                film = view->FilmPanelHeight();
        const bool singleFolder = pages == 1 || (pages == 2 && (!holdsOther(0) || !holdsOther(1)));
        if (hideFolderTab_ && singleFolder)
            height = film + 2 * ClientBorderWidth + 2;
        else
            height = TabHeight() + film + 2 * ClientBorderWidth + 1;
    }
    if (thumbPageControl_->maximumHeight() != height ||
        thumbPageControl_->minimumHeight() != height)
        thumbPageControl_->setFixedHeight(height);
    // The headers are shown or hidden once the tab change that called this has settled.
    tabHackTimer_->start();
}

void TMainForm::TabHackTimerTimer() {
    tabHackTimer_->stop();
    thumbPageControl_->tabBar()->setVisible(!(hideFolderTab_ && thumbPageControl_->count() == 1));
}

void TMainForm::SetHideFolderTab(bool hide) {
    hideFolderTab_ = hide;
    FitTabArea();
}

void TMainForm::FloatCurrentFolder() {
    if (!currentFolder_)
        return;
    if (currentFolder_->IsFloating()) {
        currentFolder_->show();
        currentFolder_->raise();
        currentFolder_->activateWindow();
        return;
    }
    currentFolder_->FloatView();
}

void TMainForm::CloseCurrentFolder() {
    if (currentFolder_)
        currentFolder_->CloseFolder();
}

// --- the "Windows" menu ---

void TMainForm::AddWindowMenuEntry(QWidget* window, const QString& caption) {
    if (!window)
        return;
    if (windowMenuForms_.isEmpty())
        windows1_->clear();
    auto* view = qobject_cast<TFolderViewForm*>(window);
    QString text = caption;
    if (text.isEmpty())
        text = view ? view->FolderPath() : window->windowTitle();
    auto* item = new QAction(MenuCaption(text), windows1_);
    connect(item, &QAction::triggered, this, [this, item] { WindowsMenuClick(item); });
    if (view) {
        windows1_->addAction(item);
        windowMenuForms_.append(window);
    } else {
        const QList<QAction*> items = windows1_->actions();
        windows1_->insertAction(items.isEmpty() ? nullptr : items.first(), item);
        windowMenuForms_.prepend(window);
    }
}

void TMainForm::RemoveWindowMenuEntry(QWidget* window) {
    const qsizetype k = windowMenuForms_.indexOf(window);
    if (k >= 0) {
        const QList<QAction*> items = windows1_->actions();
        if (k < items.size()) {
            windows1_->removeAction(items.at(k));
            delete items.at(k);
        }
        windowMenuForms_.removeAt(k);
    }
    if (windowMenuForms_.isEmpty()) {
        windows1_->clear();
        windows1_->addAction(QStringLiteral("[Empty]"))->setEnabled(false);
    }
}

void TMainForm::WindowsMenuClick(QAction* item) {
    const qsizetype k = windows1_->actions().indexOf(item);
    if (k < 0 || k >= windowMenuForms_.size())
        return;
    QWidget* window = windowMenuForms_.at(k);
    auto* view = qobject_cast<TFolderViewForm*>(window);
    if (!view) {
        window->show();
        window->raise();
        window->activateWindow();
        return;
    }
    if (view->IsFloating()) {
        view->show();
        view->raise();
        view->activateWindow();
    } else {
        ActivateTab(view);
    }
    currentFolder_ = view;
    view->ApplyDockState(true);
    UpdateCommands();
}

void TMainForm::RemoveFolderTab(TFolderViewForm* view) {
    const int index = thumbPageControl_->indexOf(view);
    if (index < 0)
        return;
    TabChangeGuard guard(changingTabs_);
    thumbPageControl_->removeTab(index);
}

void TMainForm::AddFolderTab(TFolderViewForm* view) {
    TabChangeGuard guard(changingTabs_);
    thumbPageControl_->addTab(view, QString());
    thumbPageControl_->setCurrentWidget(view);
}

// --- the file clipboard ---

void TMainForm::CopyToFileClipboard(const TFolderModel& model, bool cut) {
    BeginBusy(false);
    const bool put = cut ? fileClipboard_.CutSelection(model) : fileClipboard_.CopySelection(model);
    EndBusy();
    if (put)
        FileClipboardChanged(false, QString(), QString());
}

bool TMainForm::PasteFileClipboard(TFolderViewForm* target) {
    if (!target || !fileClipboard_.CanPaste())
        return false;
    const QString source = fileClipboard_.SourceFolder();
    const QString folder = target->FolderPath();
    if (!fileProgress_)
        fileProgress_ = new TFileProgressDialog(this);
    target->setFocus();
    // The listings follow also when the operation failed half-way or raised an error.
    std::optional<FileOpResult> result;
    try {
        result = fileProgress_->Paste(fileClipboard_, folder);
    } catch (...) {
        FileClipboardChanged(true, source, folder);
        throw;
    }
    FileClipboardChanged(true, source, folder);
    return result && result->Success();
}

void TMainForm::FileClipboardChanged(bool refresh, const QString& sourceFolder,
                                     const QString& targetFolder) {
    QList<TFolderFileOps*> views;
    for (TFolderViewForm* view : std::as_const(openFolders_))
        views.append(&view->FileOps());
    ::FileClipboardChanged(fileClipboard_, refresh, sourceFolder, targetFolder, views);
}

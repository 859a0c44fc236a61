// SPDX-License-Identifier: MIT
// Full screen and the visibility of the main menu, filmstrip, tool bar, status bar and floating
// folder views in each mode.
#include "viewer/MainUnit.h"

#include "dialogs/Dialogs.h"
#include "dialogs/NotificationDlgUnit.h"
#include "folderview/FolderViewUnit.h"
#include "settings/RegistryUnit.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>

namespace {

constexpr int ToolBarHeight = 33;
constexpr int ToolBarInnerHeight = 31;
constexpr int StatusBarHeight = 19;

} // namespace

bool TMainForm::MainMenuVisible() const {
    return visibility_.Shown(ViewControl::MainMenu, fullScreen_, SlideShowActive());
}

bool TMainForm::FilmstripVisible() const {
    return visibility_.Shown(ViewControl::Filmstrip, fullScreen_, SlideShowActive());
}

bool TMainForm::ToolBarVisible() const {
    return visibility_.Shown(ViewControl::ToolBar, fullScreen_, SlideShowActive());
}

bool TMainForm::StatusBarVisible() const {
    return visibility_.Shown(ViewControl::StatusBar, fullScreen_, SlideShowActive());
}

bool TMainForm::AdvancedViewsVisible() const {
    if (fullScreen_ && SlideShowActive())
        return false;
    return fullScreen_ ? visibility_.Full(ViewControl::AdvancedViews) : true;
}

QAction* TMainForm::VisibilityItem(ViewControl control, bool fullScreenSet) const {
    static const char* const Windowed[] = {"RegMenuVisible", "RegThumbsVisible", "RegNavVisible",
                                           "RegStatusVisible", nullptr};
    static const char* const Full[] = {"FullMenuVisible", "FullThumbsVisible", "FullNavVisible",
                                       "FullStatusVisible", "FullAdvancedWindowsVisible"};
    const char* name = (fullScreenSet ? Full : Windowed)[int(control)];
    return name ? Item(name) : nullptr;
}

void TMainForm::SyncVisibilityChecks() {
    for (ViewControl control : {ViewControl::MainMenu, ViewControl::Filmstrip, ViewControl::ToolBar,
                                ViewControl::StatusBar, ViewControl::AdvancedViews}) {
        if (QAction* item = VisibilityItem(control, false))
            item->setChecked(visibility_.Windowed(control));
        VisibilityItem(control, true)->setChecked(visibility_.Full(control));
    }
}

namespace {

// The setters tick the choice of the mode in force, except during a slide show, which hides
// controls without touching the choices.
void Tick(TControlVisibility& visibility, ViewControl control, bool fullScreen,
          bool slideShowActive, bool on) {
    if (slideShowActive)
        return;
    if (fullScreen)
        visibility.SetFull(control, on);
    else
        visibility.SetWindowed(control, on);
}

} // namespace

void TMainForm::ShowMainMenu(bool on) {
    Tick(visibility_, ViewControl::MainMenu, fullScreen_, SlideShowActive(), on);
    mainMenu1_->setVisible(on);
    // Without a menu in a window, the popup menu offers to bring it back.
    const bool offer = !on && !fullScreen_;
    Item("ViewMainMenu1")->setVisible(offer);
    Item("ViewMainMenuSep")->setVisible(offer);
    SyncVisibilityChecks();
}

void TMainForm::ShowFilmstrip(bool on) {
    Tick(visibility_, ViewControl::Filmstrip, fullScreen_, SlideShowActive(), on);
    if (on) {
        // The tab active when the area was hidden comes back, once.
        if (thumbPageControl_->isHidden() && rememberedTab_ &&
            thumbPageControl_->indexOf(rememberedTab_) >= 0)
            thumbPageControl_->setCurrentWidget(rememberedTab_);
        rememberedTab_ = nullptr;
        thumbPageControl_->show();
    } else {
        if (!thumbPageControl_->isHidden())
            rememberedTab_ = thumbPageControl_->currentWidget();
        thumbPageControl_->hide();
    }
    SyncVisibilityChecks();
}

void TMainForm::ShowToolBar(bool on) {
    Tick(visibility_, ViewControl::ToolBar, fullScreen_, SlideShowActive(), on);
    bigControlPanel_->setFixedHeight(on ? ToolBarHeight : 0);
    smallControlPanel_->resize(smallControlPanel_->width(), on ? ToolBarInnerHeight : 0);
    SyncVisibilityChecks();
}

void TMainForm::ShowStatusBar(bool on) {
    Tick(visibility_, ViewControl::StatusBar, fullScreen_, SlideShowActive(), on);
    statusBar()->setFixedHeight(on ? StatusBarHeight : 0);
    SyncVisibilityChecks();
}

void TMainForm::ShowAdvancedViews(bool on) {
    for (TFolderViewForm* view : openFolders_) {
        if (view->IsFloating())
            view->setVisible(on);
    }
    if (fullScreen_ && !SlideShowActive())
        visibility_.SetFull(ViewControl::AdvancedViews, on);
    SyncVisibilityChecks();
}

void TMainForm::VisibilityItemClick(ViewControl control, bool fullScreenSet) {
    if (!visibility_.ClickTakesEffect(control, fullScreenSet, fullScreen_)) {
        SyncVisibilityChecks();
        return;
    }
    switch (control) {
    case ViewControl::MainMenu:
        ShowMainMenu(!MainMenuVisible());
        break;
    case ViewControl::Filmstrip:
        ShowFilmstrip(!FilmstripVisible());
        break;
    case ViewControl::ToolBar:
        ShowToolBar(!ToolBarVisible());
        break;
    case ViewControl::StatusBar:
        ShowStatusBar(!StatusBarVisible());
        break;
    case ViewControl::AdvancedViews:
        ShowAdvancedViews(!AdvancedViewsVisible());
        break;
    }
}

void TMainForm::ApplyWindowedLayout() {
    ShowMainMenu(visibility_.Windowed(ViewControl::MainMenu));
    ShowFilmstrip(visibility_.Windowed(ViewControl::Filmstrip));
    ShowAdvancedViews(true);
    ShowToolBar(visibility_.Windowed(ViewControl::ToolBar));
    ShowStatusBar(visibility_.Windowed(ViewControl::StatusBar));
}

void TMainForm::SetFullScreen(bool on, bool promptAllowed) {
    if (on) {
        if (!SlideShowActive() && promptAllowed &&
            TNotificationDlg::ShouldPrompt(QString::fromLatin1(RegNames::ShowFullScreenPrompt)) &&
            NotificationDlg().AskEnableFullScreen() != 1)
            return;
        // The state to come back to; a re-entry (a slide show stopping) keeps the first one.
        const Qt::WindowStates state = windowState() & ~Qt::WindowFullScreen;
        if (!fullScreen_)
            rememberedState_ = state;
        fullScreen_ = true;
        const auto choice = [this](ViewControl control) {
            return !SlideShowActive() && visibility_.Full(control);
        };
        ShowMainMenu(choice(ViewControl::MainMenu));
        ShowToolBar(choice(ViewControl::ToolBar));
        ShowStatusBar(choice(ViewControl::StatusBar));
        ShowFilmstrip(choice(ViewControl::Filmstrip));
        ShowAdvancedViews(choice(ViewControl::AdvancedViews));
        // A frameless window over the whole screen.
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
        hintsEnabled_ = false;
    } else {
        fullScreen_ = false;
        setWindowState(rememberedState_);
        ShowMainMenu(visibility_.Windowed(ViewControl::MainMenu));
        ShowToolBar(visibility_.Windowed(ViewControl::ToolBar));
        ShowStatusBar(visibility_.Windowed(ViewControl::StatusBar));
        ShowFilmstrip(visibility_.Windowed(ViewControl::Filmstrip));
        ShowAdvancedViews(true);
        hintsEnabled_ = true;
    }
    for (const char* name : {"ViewFullScreen1", "ViewFullScreen2"})
        Item(name)->setChecked(fullScreen_);
    SetKeyFocus();
}

void TMainForm::ToggleFullScreen() {
    SetFullScreen(!fullScreen_, true);
}

// SPDX-License-Identifier: MIT
// The main window's menus, tool bar and popup menus. Items whose commands belong to the viewer,
// zoom, slide show, modification and the other windows are present and stay disabled until
// those commands exist.
#include "viewer/MainUnit.h"

#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"
#include "imaging/PictureTransforms.h"
#include "platform/HelpLinks.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>

namespace {

// A panel filled with a vertical gradient from silver to white.
class TGradientPanel : public QWidget {
public:
    TGradientPanel(const char* name, QWidget* parent) : QWidget(parent) {
        setObjectName(QString::fromLatin1(name));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, QColor(192, 192, 192));
        gradient.setColorAt(1, Qt::white);
        painter.fillRect(rect(), gradient);
    }
};

// The tool bar's outer panel: keeps the inner panel centred (at the left edge when narrower).
class TBigControlPanel : public TGradientPanel {
public:
    using TGradientPanel::TGradientPanel;
    QWidget* inner = nullptr;

protected:
    void resizeEvent(QResizeEvent*) override {
        if (inner)
            inner->move(inner->width() < width() ? (width() - inner->width()) / 2 : 0, inner->y());
    }
};

struct ButtonSpec {
    const char* name;
    int left;
    const char* glyph; // text shown when no standard icon fits
    QStyle::StandardPixmap icon;
    const char* hint; // short text | long text
};

constexpr QStyle::StandardPixmap NoIcon = QStyle::SP_CustomBase;

const ButtonSpec ToolButtons[] = {
    {"SBtnOpen", 5, "", QStyle::SP_DirOpenIcon,
     "Open Image Folder|Open a Folder of Images to Browse. [Ctrl+O]"},
    {"SBtnSave", 40, "", QStyle::SP_DialogSaveButton, "Save|Save Current Image. [Ctrl+S]"},
    {"SBtnPrint", 75, "Pr", NoIcon, "Print|Print Current Image. [Ctrl+P]"},
    {"SBtnEmail", 110, "@", NoIcon, "Email|Email Selected Image(s). [Ctrl+E]"},
    {"SBtnPrevious", 150, "\u25C0", NoIcon, "Previous Image|View Previous Image. [P]"},
    {"SBtnNext", 185, "\u25B6", NoIcon, "Next Image|View Next Image. [N]"},
    {"SBtnSlideShow", 220, "\u25B7", NoIcon,
     "Start/Stop Slide Show.|Slide Show: Press [S] to Start and Stop, [P] to Pause, [V] to "
     "View Options."},
    {"SBtnZoomOut", 260, "\u2212", NoIcon, "Zoom Out|Zoom Out from Image. [-]"},
    {"SBtnZoomIn", 295, "+", NoIcon, "Zoom In|Zoom In on Image. [+]"},
    {"SBtnRotateCCW", 395, "\u21BA", NoIcon,
     "Rotate 90\u00B0 Counter Clockwise|Rotate Image 90\u00B0 Counter Clockwise [Ctrl+L]"},
    {"SBtnRotateCW", 430, "\u21BB", NoIcon,
     "Rotate 90\u00B0 Clockwise|Rotate Image 90\u00B0 Clockwise [Ctrl+R]"},
    {"SBtnTools", 470, "T", NoIcon,
     "Open Toolbox Window|Use the Toolbox to Flip, Rotate, or Resize the Current Image. "
     "[Ctrl+T]"},
    {"SBtnAutoFit", 510, "\u2922", NoIcon,
     "Auto-fit|Automatically Fit Image to Viewing Window. [F12]"},
    {"SBtnHide", 545, "\u25A3", NoIcon,
     "Full Screen Mode|Hide Everything but the Currrent Image. [F11]"},
};

bool IsNamed(const ButtonSpec& spec, const char* name) {
    return qstrcmp(spec.name, name) == 0;
}

// The invisible field that holds the keyboard focus: whatever is typed into it is dropped (Tab
// included, so the focus stays), leaving every key to the window's key handler.
class TKeyGrabEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
            event->type() == QEvent::InputMethod) {
            event->accept();
            return true;
        }
        return QLineEdit::event(event);
    }
};

// Splits a hint into the tooltip (before "|") and the status-bar text (after it).
void ApplyHint(QWidget* control, const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    control->setToolTip(hint.left(bar));
    control->setStatusTip(hint.mid(bar + 1));
}

} // namespace

QAction* TMainForm::AddItem(QMenu* menu, const char* name, const QString& caption, bool enabled) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setEnabled(enabled);
    return item;
}

void TMainForm::CreateToolBar(QWidget* parent) {
    auto* big = new TBigControlPanel("BigControlPanel", parent);
    bigControlPanel_ = big;
    big->setFixedHeight(33);
    auto* small = new TGradientPanel("SmallControlPanel", big);
    small->setGeometry(0, 1, 582, 31);
    big->inner = small;
    smallControlPanel_ = small;
    for (const ButtonSpec& spec : ToolButtons) {
        auto* button = new QToolButton(small);
        button->setObjectName(QString::fromLatin1(spec.name));
        button->setGeometry(spec.left, 4, 30, 25);
        button->setAutoRaise(true);
        if (spec.icon != NoIcon)
            button->setIcon(style()->standardIcon(spec.icon));
        else
            button->setText(QString::fromUtf8(spec.glyph));
        ApplyHint(button, QString::fromUtf8(spec.hint));
        button->setEnabled(IsNamed(spec, "SBtnOpen") || IsNamed(spec, "SBtnAutoFit") ||
                           IsNamed(spec, "SBtnHide"));
        button->setFocusPolicy(Qt::NoFocus);
        // Toggle buttons show their state: auto-fit on, a slide show running.
        if (IsNamed(spec, "SBtnAutoFit") || IsNamed(spec, "SBtnSlideShow"))
            button->setCheckable(true);
        if (IsNamed(spec, "SBtnAutoFit"))
            button->setChecked(true);
        const QString name = button->objectName();
        if (name == QLatin1String("SBtnPrevious") || name == QLatin1String("SBtnNext"))
            button->setAutoRepeat(true);
        if (name == QLatin1String("SBtnOpen"))
            sBtnOpen_ = button;
        else if (name == QLatin1String("SBtnEmail"))
            sBtnEmail_ = button;
    }
    cmbZoomPercent_ = new QComboBox(small);
    cmbZoomPercent_->setObjectName(QStringLiteral("CmbZoomPercent"));
    cmbZoomPercent_->setEditable(true);
    cmbZoomPercent_->setGeometry(330, 4, 55, 23);
    // "10000%" has to fit the narrow box beside its arrow.
    QFont zoomFont = cmbZoomPercent_->font();
    zoomFont.setPixelSize(11);
    cmbZoomPercent_->setFont(zoomFont);
    for (const char* percent : {"10%", "20%", "25%", "50%", "75%", "80%", "90%", "100%", "110%",
                                "120%", "125%", "150%", "200%", "300%"})
        cmbZoomPercent_->addItem(QString::fromLatin1(percent));
    cmbZoomPercent_->setEditText(QStringLiteral("0%"));
    cmbZoomPercent_->setEnabled(false);
    cmbZoomPercent_->setInsertPolicy(QComboBox::NoInsert);
    cmbZoomPercent_->setFocusPolicy(Qt::ClickFocus);
    ApplyHint(cmbZoomPercent_, QStringLiteral("Zoom Percentage|Adjust the Zoom Percentage."));
    edtKeyGrab_ = new TKeyGrabEdit(small);
    edtKeyGrab_->setObjectName(QStringLiteral("EdtKeyGrab"));
    edtKeyGrab_->setGeometry(0, 0, 0, 0);
    edtKeyGrab_->setFrame(false);
    setFocusProxy(edtKeyGrab_);
    connect(sBtnOpen_, &QToolButton::clicked, this, &TMainForm::ShowOpenFolderDialog);
}

void TMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    mainMenu1_ = bar;

    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    openImage1_ =
        AddItem(file, "OpenImage1", QStringLiteral("&Open Image Folder... [Ctrl+O]"), true);
    connect(openImage1_, &QAction::triggered, this, &TMainForm::ShowOpenFolderDialog);
    openRecent1_ = file->addMenu(QStringLiteral("Open Recent"));
    openRecent1_->setObjectName(QStringLiteral("OpenRecent1"));
    closeCurrentFolder1_ =
        AddItem(file, "CloseCurrentFolder1", QStringLiteral("Close Folder"), false);
    connect(closeCurrentFolder1_, &QAction::triggered, this, &TMainForm::CloseCurrentFolder);
    advancedFolderView1_ =
        AddItem(file, "AdvancedFolderView1", QStringLiteral("Advanced Folder View"), false);
    connect(advancedFolderView1_, &QAction::triggered, this, &TMainForm::FloatCurrentFolder);
    file->addSeparator();
    AddItem(file, "SaveCtrlS1", QStringLiteral("Save [Ctrl+S]"));
    AddItem(file, "SaveAs1", QStringLiteral("Save As..."));
    file->addSeparator();
    AddItem(file, "Rename1", QStringLiteral("Rename... [Ctrl+ENTER]"));
    delete1_ = AddItem(file, "Delete1", QStringLiteral("Delete Image(s) [Del]"));
    connect(delete1_, &QAction::triggered, this, [this] {
        if (currentFolder_)
            currentFolder_->DeleteSelected();
    });
    file->addSeparator();
    AddItem(file, "SetasDesktopWallpaper1", QStringLiteral("Set as Desktop Wallpaper"));
    AddItem(file, "CopyToClipboard1", QStringLiteral("Copy To Clipboard"));
    AddItem(file, "FileProperties1", QStringLiteral("File Properties..."));
    file->addSeparator();
    AddItem(file, "PrinterSetup1", QStringLiteral("Printer Setup..."));
    AddItem(file, "PrintCtrlP1", QStringLiteral("Print... [Ctrl+P]"));
    file->addSeparator();
    QAction* exit1 = AddItem(file, "Exit1", QStringLiteral("Exit [Esc]"), true);
    connect(exit1, &QAction::triggered, this, &QWidget::close);

    QMenu* view = bar->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("View1"));
    AddItem(view, "ReloadImageF51", QStringLiteral("Reload Image [F5]"));
    view->addSeparator();
    QMenu* controls = view->addMenu(QStringLiteral("Controls"));
    controls->setObjectName(QStringLiteral("Controls1"));
    for (const auto& [name, caption] :
         {std::pair{"RegMenuVisible", "Main Menu"},
          std::pair{"RegThumbsVisible", "Thumbnail Filmstrip"},
          std::pair{"RegNavVisible", "Tool Bar"}, std::pair{"RegStatusVisible", "Status Bar"}}) {
        QAction* item = AddItem(controls, name, QString::fromLatin1(caption), true);
        item->setCheckable(true);
        item->setChecked(true);
    }
    AddItem(view, "ViewFullScreen2", QStringLiteral("&Full Screen [F11]"), true)
        ->setCheckable(true);
    QAction* autoFit = AddItem(view, "ToggleAutofit1", QStringLiteral("Auto-fit [F12]"), true);
    autoFit->setCheckable(true);
    autoFit->setChecked(true);

    QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Tools1"));
    AddItem(tools, "oolBox1", QStringLiteral("Image Toolbox... [Ctrl+T]"));
    AddItem(tools, "Options1", QStringLiteral("Options... [F8]"), true);

    windows1_ = bar->addMenu(QStringLiteral("Windows"));
    windows1_->setObjectName(QStringLiteral("Windows1"));
    windows1_->addAction(QStringLiteral("[Empty]"))->setEnabled(false);

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    AddItem(help, "VisitWebsite1", QStringLiteral("Visit Website..."), true);
    AddItem(help, "CheckforUpdates1", QStringLiteral("Check for Updates..."), true);
    AddItem(help, "KeyboardShortcutGuide1", QStringLiteral("Keyboard Shortcut Guide..."), true);
    help->addSeparator();
    QAction* about1 = AddItem(help, "About1", QStringLiteral("About... [F1]"), true);
    connect(about1, &QAction::triggered, this, &TMainForm::ShowAbout);
}

void TMainForm::CreatePopupMenus() {
    mainPopupMenu_ = new QMenu(this);
    mainPopupMenu_->setObjectName(QStringLiteral("MainPopupMenu"));
    QMenu* m = mainPopupMenu_;
    AddItem(m, "ViewMainMenu1", QStringLiteral("View Main Menu"), true)->setVisible(false);
    m->addSeparator()->setObjectName(QStringLiteral("ViewMainMenuSep"));
    m->actions().last()->setVisible(false);
    AddItem(m, "PreviousImage1", QStringLiteral("&Previous Image [<-]"));
    AddItem(m, "NextImage1", QStringLiteral("&Next Image [->]"));
    QMenu* slideShow = m->addMenu(QStringLiteral("Slide Show"));
    slideShow->setObjectName(QStringLiteral("SlideShowMenu1"));
    AddItem(slideShow, "SlideShow1", QStringLiteral("&Start Slide Show [S]"));
    AddItem(slideShow, "PauseHoldH1", QStringLiteral("Pause Silde Show [P]"));
    AddItem(slideShow, "SlideShowOptions2", QStringLiteral("&View Options"), true);
    QMenu* fullControls = m->addMenu(QStringLiteral("Full Screen Controls"));
    fullControls->setObjectName(QStringLiteral("VisibleFullScreenControls1"));
    for (const auto& [name, caption, checked] :
         {std::tuple{"FullMenuVisible", "Main Menu", false},
          std::tuple{"FullThumbsVisible", "Thumbnail Filmstrip", true},
          std::tuple{"FullAdvancedWindowsVisible", "Advanced Folder Views", false},
          std::tuple{"FullNavVisible", "Tool Bar", false},
          std::tuple{"FullStatusVisible", "Status Bar", false}}) {
        QAction* item = AddItem(fullControls, name, QString::fromLatin1(caption), true);
        item->setCheckable(true);
        item->setChecked(checked);
    }
    m->addSeparator();
    QMenu* zoom = m->addMenu(QStringLiteral("Zoom"));
    zoom->setObjectName(QStringLiteral("Zoom1"));
    AddItem(zoom, "ZoomIn101", QStringLiteral("Zoom In 10%"), true);
    AddItem(zoom, "ZoomOut101", QStringLiteral("Zoom Out 10%"), true);
    AddItem(zoom, "ZoomToFit1", QStringLiteral("Zoom To Fit"), true);
    AddItem(zoom, "ZoomTo1001", QStringLiteral("Zoom To 100%"), true);
    AddItem(zoom, "ZoomToWidth1", QStringLiteral("Zoom To Width"), true);
    AddItem(zoom, "ZoomToHeight1", QStringLiteral("Zoom To Height"), true);
    QMenu* rotate = m->addMenu(QStringLiteral("&Rotate"));
    rotate->setObjectName(QStringLiteral("Rotate1"));
    rotate->setEnabled(false);
    AddItem(rotate, "N90Clockwise1", QStringLiteral("90\u00B0 Clockwise"));
    AddItem(rotate, "N90CounterClockwise1", QStringLiteral("90\u00B0 Counter Clockwise"));
    AddItem(rotate, "N180Rotation1", QStringLiteral("180\u00B0 Rotation"));
    QMenu* flip = m->addMenu(QStringLiteral("Flip"));
    flip->setObjectName(QStringLiteral("Flip1"));
    flip->setEnabled(false);
    AddItem(flip, "Horizontal1", QStringLiteral("Horizontal"));
    AddItem(flip, "Vertical1", QStringLiteral("Vertical"));
    m->addSeparator();
    AddItem(m, "SetAsDesktopWallpaper2", QStringLiteral("Set as Desktop Wallpaper"));
    AddItem(m, "CopyToClipboard2", QStringLiteral("Copy To Clipboard"));
    QMenu* background = m->addMenu(QStringLiteral("Background Color"));
    background->setObjectName(QStringLiteral("BackgroundColor1"));
    AddItem(background, "Black1", QStringLiteral("Black"), true);
    AddItem(background, "White1", QStringLiteral("White"), true);
    AddItem(background, "Gray1", QStringLiteral("Gray"), true);
    AddItem(background, "Custom1", QStringLiteral("Custom..."), true);
    m->addSeparator();
    AddItem(m, "ViewFullScreen1", QStringLiteral("&Full Screen [F11]"), true)->setCheckable(true);
    QAction* autoFit = AddItem(m, "ToggleAutofit2", QStringLiteral("Auto-fit [F12]"), true);
    autoFit->setCheckable(true);
    autoFit->setChecked(true);
    QAction* animate = AddItem(m, "AnimateGif1", QStringLiteral("Enable Gif Animatation"), true);
    animate->setCheckable(true);
    animate->setChecked(true);

    for (QWidget* panel :
         {static_cast<QWidget*>(scrollBox1_), bigControlPanel_, smallControlPanel_}) {
        panel->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(panel, &QWidget::customContextMenuRequested, this,
                [this, panel](const QPoint& p) { mainPopupMenu_->popup(panel->mapToGlobal(p)); });
    }

    tabPopupMenu_ = new QMenu(this);
    tabPopupMenu_->setObjectName(QStringLiteral("TabPopupMenu"));
    tabAdvancedFolderView_ =
        AddItem(tabPopupMenu_, "AdvancedFolderView2", QStringLiteral("Advanced Folder View"));
    connect(tabAdvancedFolderView_, &QAction::triggered, this, &TMainForm::FloatCurrentFolder);
    closeFolder1_ = AddItem(tabPopupMenu_, "CloseFolder1", QStringLiteral("Close Folder"));
    connect(closeFolder1_, &QAction::triggered, this, &TMainForm::CloseCurrentFolder);
}

void TMainForm::ConnectViewerCommands() {
    const auto onButton = [this](const char* name, auto slot) {
        if (auto* button = findChild<QToolButton*>(QString::fromLatin1(name)))
            connect(button, &QToolButton::clicked, this, slot);
    };
    const auto onItem = [this](const char* name, auto slot) {
        if (QAction* item = Item(name))
            connect(item, &QAction::triggered, this, slot);
    };
    const auto slideShowToggle = [this] {
        if (SlideShowActive())
            StopSlideShow();
        else
            StartSlideShow();
        // A refused start leaves the button up.
        if (auto* button = findChild<QToolButton*>(QStringLiteral("SBtnSlideShow")))
            button->setChecked(SlideShowActive());
    };
    const auto fullScreenToggle = [this] {
        ToggleFullScreen();
        for (const char* name : {"ViewFullScreen1", "ViewFullScreen2"})
            Item(name)->setChecked(fullScreen_);
    };
    const auto autoFitToggle = [this] {
        ToggleAutoFit();
        if (auto* button = findChild<QToolButton*>(QStringLiteral("SBtnAutoFit")))
            button->setChecked(autoFit_);
    };

    onButton("SBtnSave", [this] { SaveImage(); });
    onButton("SBtnPrint", [this] { PrintImage(); });
    onButton("SBtnEmail", [this] { EmailSelection(); });
    onButton("SBtnPrevious", [this] { PreviousImage(); });
    onButton("SBtnNext", [this] { NextImage(); });
    onButton("SBtnSlideShow", slideShowToggle);
    onButton("SBtnZoomOut", [this] { ManualZoom(-ZoomMath::ZoomStep); });
    onButton("SBtnZoomIn", [this] { ManualZoom(ZoomMath::ZoomStep); });
    onButton("SBtnRotateCCW",
             [this] { TransformImage(int(TransformMode::Rotate90CounterClockwise)); });
    onButton("SBtnRotateCW", [this] { TransformImage(int(TransformMode::Rotate90Clockwise)); });
    onButton("SBtnTools", [this] { ShowToolbox(); });
    onButton("SBtnAutoFit", autoFitToggle);
    onButton("SBtnHide", fullScreenToggle);

    onItem("SaveCtrlS1", [this] { SaveImage(); });
    onItem("ReloadImageF51", [this] { ReloadImage(); });
    onItem("ViewFullScreen1", fullScreenToggle);
    onItem("ViewFullScreen2", fullScreenToggle);
    onItem("ToggleAutofit1", autoFitToggle);
    onItem("ToggleAutofit2", autoFitToggle);
    onItem("oolBox1", [this] { ShowToolbox(); });
    onItem("Options1", [this] { ShowOptions(); });
    onItem("ViewMainMenu1", [this] { ShowMainMenu(true); });
    onItem("PreviousImage1", [this] { PreviousImage(); });
    onItem("NextImage1", [this] { NextImage(); });
    onItem("SlideShow1", slideShowToggle);
    onItem("PauseHoldH1", [this] { PauseSlideShow(); });
    onItem("SlideShowOptions2", [this] { ShowOptions(SlideShowOptionsPage); });
    onItem("ZoomIn101", [this] { ManualZoom(ZoomMath::ZoomStep); });
    onItem("ZoomOut101", [this] { ManualZoom(-ZoomMath::ZoomStep); });
    onItem("ZoomTo1001", [this] {
        if (!LeaveAutoFit())
            ApplyZoom(100);
    });
    onItem("ZoomToFit1", [this] {
        if (!LeaveAutoFit())
            ZoomToFit();
    });
    onItem("ZoomToWidth1", [this] {
        if (!LeaveAutoFit())
            ZoomToWidth();
    });
    onItem("ZoomToHeight1", [this] {
        if (!LeaveAutoFit())
            ZoomToHeight();
    });
    onItem("N90Clockwise1", [this] { TransformImage(int(TransformMode::Rotate90Clockwise)); });
    onItem("N180Rotation1", [this] { TransformImage(int(TransformMode::Rotate180)); });
    onItem("N90CounterClockwise1",
           [this] { TransformImage(int(TransformMode::Rotate90CounterClockwise)); });
    onItem("Horizontal1", [this] { TransformImage(int(TransformMode::FlipHorizontal)); });
    onItem("Vertical1", [this] { TransformImage(int(TransformMode::FlipVertical)); });
    onItem("Black1", [this] { SetBackgroundColor(QColor(Qt::black)); });
    onItem("White1", [this] { SetBackgroundColor(QColor(Qt::white)); });
    onItem("Gray1", [this] { SetBackgroundColor(QColor(0x80, 0x80, 0x80)); });
    onItem("Custom1", [this] { ChooseCustomColor(); });
    onItem("SetasDesktopWallpaper1", [this] { SetAsDesktopWallpaper(); });
    onItem("SetAsDesktopWallpaper2", [this] { SetAsDesktopWallpaper(); });
    onItem("CopyToClipboard1", [this] { CopyToClipboard(); });
    onItem("CopyToClipboard2", [this] { CopyToClipboard(); });
    onItem("FileProperties1", [this] { FileProperties(); });
    onItem("PrinterSetup1", [this] { PrinterSetup(); });
    onItem("PrintCtrlP1", [this] { PrintImage(); });
    onItem("VisitWebsite1", [] { VisitWebsite(); });
    onItem("CheckforUpdates1", [this] { CheckForUpdatesClick(); });
    onItem("KeyboardShortcutGuide1", [] { OpenKeyboardGuide(); });
    connect(Item("AnimateGif1"), &QAction::toggled, this, [this](bool on) { SetAnimateGif(on); });

    for (ViewControl control : {ViewControl::MainMenu, ViewControl::Filmstrip, ViewControl::ToolBar,
                                ViewControl::StatusBar, ViewControl::AdvancedViews}) {
        for (bool fullScreenSet : {false, true}) {
            if (QAction* item = VisibilityItem(control, fullScreenSet))
                connect(item, &QAction::triggered, this, [this, control, fullScreenSet] {
                    VisibilityItemClick(control, fullScreenSet);
                });
        }
    }

    // A choice from the list, or a typed text confirmed with Enter (which may also report a
    // matching list entry): one zoom for the pair.
    connect(cmbZoomPercent_, &QComboBox::textActivated, this, &TMainForm::QueueZoomText);
    connect(cmbZoomPercent_->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { QueueZoomText(cmbZoomPercent_->lineEdit()->text()); });
    for (QWidget* panel : {bigControlPanel_, smallControlPanel_})
        panel->installEventFilter(this);

    onItem("SaveAs1", [this] { SaveImageAs(); });
    onItem("Rename1", [this] { RenameImage(); });
}

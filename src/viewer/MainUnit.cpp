// SPDX-License-Identifier: MIT
// The main window's creation and layout, the hand-off from a second start and closing.
#include "viewer/MainUnit.h"

#include "dialogs/AboutUnit.h"
#include "dialogs/Dialogs.h"
#include "dialogs/HelpDlgUnit.h"
#include "dialogs/ModalResult.h"
#include "dialogs/OpenFolderUnit.h"
#include "dialogs/OptionsFormUnit.h"
#include "dialogs/SaveAsUnit.h"
#include "email/EmailSizeFormUnit.h"
#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "settings/RegistryUnit.h"
#include "tools/ToolsFormUnit.h"
#include "viewer/GifAnimator.h"
#include "viewer/ImageBox.h"
#include "viewer/MainHosts.h"
#include "viewer/PleaseWaitPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragMoveEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

const QString PlacementKey = QStringLiteral("WinState\\MainForm");
constexpr int DesignWidth = 640;
constexpr int DesignHeight = 464;

QWidget* BlackPanel(const char* name, QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    panel->setPalette(palette);
    return panel;
}

} // namespace

TMainForm::TMainForm(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), fileMruList_(TRecentFolders::DefaultMaxItems) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Orvo Image Browser by Tamblin, Inc."));
    aboutDlg_ = new TAboutDlg(this);
    toolBoxHost_ = std::make_unique<TMainToolBoxHost>(*this);
    optionsHost_ = std::make_unique<TMainOptionsHost>(*this);
    toolBox_ = new TToolBox(*toolBoxHost_, this);
    optionsForm_ = new TOptionsForm(*optionsHost_, this);
    emailHost_ = std::make_unique<TMainEmailHost>(*this);
    emailDlg_ = new TEmailSizeDlg(emailHost_.get(), this);
    SetSavePathChooser([](const QString& initialPath) -> std::optional<SavePathChoice> {
        TSaveAsForm& dialog = SaveAsForm();
        dialog.SetInitialFile(initialPath);
        if (dialog.ShowModal() != mrOk)
            return std::nullopt;
        return SavePathChoice{dialog.GetSavePath(), dialog.OpenSavedImage()};
    });
    slideShowTimer_ = new QTimer(this);
    slideShowTimer_->setObjectName(QStringLiteral("SlideShowTimer"));
    slideShowTimer_->setInterval(5000);
    connect(slideShowTimer_, &QTimer::timeout, this, &TMainForm::SlideShowTimerTimer);
    // The next image is loaded once the user has looked at this one for a moment.
    preloadTimer_ = new QTimer(this);
    preloadTimer_->setSingleShot(true);
    preloadTimer_->setInterval(100);
    connect(preloadTimer_, &QTimer::timeout, this, &TMainForm::PreloadNeighbour);

    CreateLayout();
    CreateMenus();
    CreatePopupMenus();
    ConnectViewerCommands();
    ReadPlacement();
    ReadSettings();
    ApplyWindowedLayout();

    // The stored recent list is read before a folder of the command line joins it.
    fileMruList_.SetMaxItems(
        ReadRegInteger(RegNames::FileMruMaxItems, TRecentFolders::DefaultMaxItems));
    fileMruList_.Load();
    RebuildRecentMenu();

    OpenCommandLine(arguments);

    UpdateCommands();
    if (!HasImage()) {
        // The empty viewer with its hints; the designed caption stands until a folder opens.
        pnlPleaseWait_->ShowHints(!openFolders_.isEmpty());
        pnlPleaseWait_->SetCaption(QString());
    }
    // Keys reach the window's handler before the control that has the focus.
    qApp->installEventFilter(this);
    aboutDlg_->ShowSplashAtStart(arguments);
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    // The windows that call back through the hosts go before them.
    delete toolBox_;
    delete optionsForm_;
    delete emailDlg_; // writes its settings
    SetScreenCursor(std::nullopt);
    // The folder views go first, while everything they may ask of this window still exists.
    shuttingDown_ = true;
    const QList<TFolderViewForm*> views = openFolders_;
    openFolders_.clear();
    currentFolder_ = nullptr;
    qDeleteAll(views);
}

// Controls are looked up in the window's own parts only: the tool windows it owns have controls
// of the same names.
QObject* TMainForm::Control(const char* name) const {
    const QString wanted = QString::fromLatin1(name);
    for (const QObject* part :
         {static_cast<const QObject*>(centralWidget()), static_cast<const QObject*>(mainMenu1_),
          static_cast<const QObject*>(mainPopupMenu_),
          static_cast<const QObject*>(tabPopupMenu_)}) {
        if (!part)
            continue;
        if (part->objectName() == wanted)
            return const_cast<QObject*>(part);
        if (QObject* found = part->findChild<QObject*>(wanted))
            return found;
    }
    return nullptr;
}

QAction* TMainForm::Item(const char* name) const {
    return qobject_cast<QAction*>(Control(name));
}

void TMainForm::CreateLayout() {
    QWidget* background = BlackPanel("BackgroundPanel", this);
    auto* layout = new QVBoxLayout(background);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    QWidget* content = BlackPanel("MainContentPanel", background);
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(0);
    QWidget* subMain = BlackPanel("SubMainPanel", content);
    CreateViewingArea(subMain);
    contentLayout->addWidget(subMain, 1);

    thumbPageControl_ = new QTabWidget(content);
    thumbPageControl_->setObjectName(QStringLiteral("ThumbPageControl"));
    thumbPageControl_->setTabPosition(QTabWidget::North);
    thumbPageControl_->setFixedHeight(ScaleForDpi(10));
    thumbPageControl_->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    thumbPageControl_->tabBar()->installEventFilter(this);
    thumbPageControl_->tabBar()->setAcceptDrops(true);
    thumbPageControl_->setFocusPolicy(Qt::NoFocus);
    thumbPageControl_->tabBar()->setFocusPolicy(Qt::NoFocus);
    connect(thumbPageControl_, &QTabWidget::currentChanged, this,
            &TMainForm::ThumbPageControlChange);
    contentLayout->addWidget(thumbPageControl_);
    layout->addWidget(content, 1);

    tabHackTimer_ = new QTimer(this);
    tabHackTimer_->setObjectName(QStringLiteral("TabHackTimer"));
    tabHackTimer_->setSingleShot(true);
    tabHackTimer_->setInterval(1);
    connect(tabHackTimer_, &QTimer::timeout, this, &TMainForm::TabHackTimerTimer);

    CreateToolBar(background);
    layout->addWidget(bigControlPanel_);
    setCentralWidget(background);

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    statusPanel0_ = new QLabel(bar);
    statusPanel0_->setMinimumWidth(330);
    statusPanel1_ = new QLabel(bar);
    statusPanel1_->setMinimumWidth(200);
    mainProgressBar_ = new QProgressBar(bar);
    mainProgressBar_->setObjectName(QStringLiteral("MainProgressBar"));
    mainProgressBar_->setFixedWidth(130);
    mainProgressBar_->setRange(0, 100);
    mainProgressBar_->setValue(0);
    mainProgressBar_->setTextVisible(false);
    bar->addWidget(statusPanel0_);
    bar->addWidget(statusPanel1_, 1);
    bar->addPermanentWidget(mainProgressBar_);
}

void TMainForm::CreateViewingArea(QWidget* parent) {
    // The scroll box and the please-wait panel share one cell; the panel covers the box.
    auto* stack = new QGridLayout(parent);
    stack->setContentsMargins(0, 0, 0, 0);
    scrollBox1_ = new QScrollArea(parent);
    scrollBox1_->setObjectName(QStringLiteral("ScrollBox1"));
    scrollBox1_->setFrameShape(QFrame::NoFrame);
    scrollBox1_->setWidgetResizable(false);
    scrollBox1_->viewport()->setAutoFillBackground(true);
    canvas_ = new QWidget;
    canvas_->setObjectName(QStringLiteral("ScrollBoxContent"));
    canvas_->resize(0, 0);
    scrollBox1_->setWidget(canvas_);
    image1_ = new TImageBox(canvas_);
    image1_->setObjectName(QStringLiteral("Image1"));
    gifAnimator_ = new TGifAnimator(canvas_);
    gifAnimator_->setObjectName(QStringLiteral("JvGIFAnimator1"));
    gifAnimator_->hide();
    // Their clicks, moves and wheel turns reach the window's application-wide event filter.
    for (QWidget* control : {scrollBox1_->viewport(), canvas_, static_cast<QWidget*>(image1_),
                             static_cast<QWidget*>(gifAnimator_)})
        control->setMouseTracking(true);
    // The keyboard focus rests on the key-grab field, never on the scroll box.
    scrollBox1_->setFocusPolicy(Qt::NoFocus);
    stack->addWidget(scrollBox1_, 0, 0);
    pnlPleaseWait_ = new TPleaseWaitPanel(parent);
    pnlPleaseWait_->installEventFilter(this);
    connect(pnlPleaseWait_, &TPleaseWaitPanel::Clicked, this, &TMainForm::PleaseWaitClick);
    stack->addWidget(pnlPleaseWait_, 0, 0);
    SetBackgroundColor(Qt::white); // differs from the design colour, so black below applies
    SetBackgroundColor(Qt::black);
}

void TMainForm::OpenCommandLine(const QStringList& arguments) {
    // The last folder or supported image named wins; anything else is left alone.
    QString toOpen;
    for (const QString& argument : arguments) {
        const QFileInfo info(argument);
        if (info.isDir() || IsSupportedImage(argument)) {
            toOpen = argument;
        } else if (!ExtractExtension(argument).isEmpty()) {
            HelpDlg().PrepareUnsupportedFormat(argument);
            HelpDlg().ShowModal();
        }
    }
    if (!toOpen.isEmpty())
        OpenFolderTab(toOpen);
}

void TMainForm::ReadPlacement() {
    resize(DesignWidth, DesignHeight);
    const QScreen* screen = QApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QRect normal((available.width() - DesignWidth) / 2, (available.height() - DesignHeight) / 2,
                 DesignWidth, DesignHeight);
    const QStringList parts =
        ReadRegSubString(PlacementKey, QStringLiteral("NormalPos")).split(QLatin1Char(','));
    if (parts.size() == 4) {
        int edges[4] = {};
        bool ok = true;
        for (int i = 0; i < 4 && ok; ++i)
            edges[i] = parts.at(i).trimmed().toInt(&ok);
        const QRect stored(QPoint(edges[0], edges[1]), QPoint(edges[2] - 1, edges[3] - 1));
        // A placement from another screen layout that would put the window out of reach is
        // not used.
        if (ok && stored.width() >= 100 && stored.height() >= 100 && available.intersects(stored))
            normal = stored;
    }
    setGeometry(normal);
    if (ReadRegSubString(PlacementKey, QStringLiteral("ShowCmd")) == QLatin1String("3"))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::WritePlacement() {
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    try {
        WriteRegSubString(PlacementKey, QStringLiteral("NormalPos"),
                          QStringLiteral("%1,%2,%3,%4")
                              .arg(normal.left())
                              .arg(normal.top())
                              .arg(normal.left() + normal.width())
                              .arg(normal.top() + normal.height()));
        // In full screen the state to come back to is the one before it.
        const bool maximized =
            fullScreen_ ? rememberedState_.testFlag(Qt::WindowMaximized) : isMaximized();
        WriteRegSubString(PlacementKey, QStringLiteral("ShowCmd"),
                          maximized ? QStringLiteral("3") : QStringLiteral("1"));
    } catch (const std::exception&) {
        // A store that cannot be written loses the placement; closing goes on.
    }
}

void TMainForm::ShowErrorMessage(const QString& message) {
    HelpDlg().ShowErrorMessage(message);
}

void TMainForm::ShowAbout() {
    if (!SlideShowRunning())
        aboutDlg_->ShowAbout();
}

void TMainForm::ShowOpenFolderDialog() {
    if (SlideShowActive() || PromptSaveModified())
        return;
    TOpenFolderForm& dialog = OpenFolderForm(fileMruList_.Items());
    dialog.SetFolderCheck([this](const QString& path) { return CheckFolderValid(path); });
    if (dialog.ShowModal() != mrOk)
        return;
    repaint();
    BeginBusy(false);
    try {
        OpenFolderTab(dialog.GetSelectedPath());
    } catch (...) {
        EndBusy();
        throw;
    }
    EndBusy();
}

// --- hand-off, events and closing ---

void TMainForm::PXD_MainExecuteMacro(const QString& macro) {
    // A hand-off that arrives while a dialog is open waits for it: closing the window or
    // showing another image under a question would pull the ground from under its caller.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(200, this, [this, macro] { PXD_MainExecuteMacro(macro); });
        return;
    }
    if (macro == QLatin1String("EXIT")) {
        close();
        return;
    }
    if (!macro.isEmpty())
        OpenImagePath(macro, false);
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        // The window sees every key before the control with the focus: once, when the key is
        // delivered to that control (or to the window when nothing has the focus). Text typed
        // into a field of the window (the zoom box) is left to the field.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this &&
            (widget == QApplication::focusWidget() ||
             (!QApplication::focusWidget() && widget == this)) &&
            !IsTextField(widget))
            FormKeyDown(static_cast<QKeyEvent*>(event));
        return false;
    }
    case QEvent::ToolTip: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!hintsEnabled_ && widget && widget->window() == this)
            return true;
        break;
    }
    case QEvent::StatusTip: {
        // Hints go to the status bar's first panel; the image's name and size stay in view.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && statusPanel0_) {
            if (hintsEnabled_)
                statusPanel0_->setText(static_cast<QStatusTipEvent*>(event)->tip());
            return true;
        }
        break;
    }
    default:
        break;
    }
    if (!thumbPageControl_ || !scrollBox1_)
        return QMainWindow::eventFilter(watched, event); // still being created
    if ((watched == bigControlPanel_ || watched == smallControlPanel_) &&
        event->type() == QEvent::MouseButtonPress)
        SetKeyFocus();
    if (watched == pnlPleaseWait_ && event->type() == QEvent::Resize)
        pnlPleaseWait_->ArrangeHints();
    const bool viewingArea = watched == scrollBox1_->viewport() || watched == canvas_ ||
                             watched == image1_ || watched == gifAnimator_;
    if (viewingArea) {
        if (event->type() == QEvent::MouseButtonPress) {
            SetKeyFocus();
        } else if (event->type() == QEvent::MouseMove) {
            PointerMoved(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        } else if (event->type() == QEvent::Wheel && watched == scrollBox1_->viewport()) {
            // A wheel over the picture climbs to the viewport: handled there, once.
            return HandleWheel(static_cast<QWheelEvent*>(event));
        } else if (watched == scrollBox1_->viewport() && event->type() == QEvent::Resize) {
            ZoomBy(0);
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched == thumbPageControl_->tabBar()) {
        if (event->type() == QEvent::ContextMenu) {
            auto* menuEvent = static_cast<QContextMenuEvent*>(event);
            tabPopupMenu_->popup(menuEvent->globalPos());
            return true;
        }
        // Something dragged over a tab makes that tab active, so a docked folder's filmstrip
        // can be reached; the tab strip itself never takes the drop.
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            const int index = thumbPageControl_->tabBar()->tabAt(drag->position().toPoint());
            if (index >= 0 && index != thumbPageControl_->currentIndex())
                thumbPageControl_->setCurrentIndex(index);
            // Entering is accepted so the moves keep coming; no position takes the drop.
            if (event->type() == QEvent::DragEnter)
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::IsTextField(const QWidget* widget) const {
    if (widget == edtKeyGrab_)
        return false;
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return !edit->isReadOnly();
    return qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    SetKeyFocus();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (shuttingDown_) {
        event->accept();
        return;
    }
    PromptSaveModified();
    SetScreenCursor(Qt::WaitCursor);
    gifAnimator_->SetAnimate(false);
    slideShowTimer_->stop();
    WritePlacement();
    hide();
    shuttingDown_ = true;
    for (qsizetype i = openFolders_.size() - 1; i >= 0; --i)
        openFolders_.at(i)->CloseFolder();
    EmptyTempFolder();
    WriteSettings();
    SetScreenCursor(std::nullopt);
    event->accept();
}

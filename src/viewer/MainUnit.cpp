// SPDX-License-Identifier: MIT
// The main window's creation and layout, the viewer's state, the hand-off from a second start
// and closing.
#include "viewer/MainUnit.h"

#include "dialogs/AboutUnit.h"
#include "dialogs/Dialogs.h"
#include "dialogs/HelpDlgUnit.h"
#include "dialogs/ModalResult.h"
#include "dialogs/OpenFolderUnit.h"
#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "settings/RegistryUnit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragMoveEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

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
    hideFolderTab_ = ReadRegBool(RegNames::HideFolderTab, false);
    aboutDlg_ = new TAboutDlg(this);

    CreateLayout();
    CreateMenus();
    CreatePopupMenus();
    ReadPlacement();

    // The stored recent list is read before a folder of the command line joins it.
    fileMruList_.SetMaxItems(
        ReadRegInteger(RegNames::FileMruMaxItems, TRecentFolders::DefaultMaxItems));
    fileMruList_.Load();
    RebuildRecentMenu();

    OpenCommandLine(arguments);

    UpdateCommands();
    aboutDlg_->ShowSplashAtStart(arguments);
}

TMainForm::~TMainForm() {
    // The folder views go first, while everything they may ask of this window still exists.
    shuttingDown_ = true;
    const QList<TFolderViewForm*> views = openFolders_;
    openFolders_.clear();
    currentFolder_ = nullptr;
    qDeleteAll(views);
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
    auto* subLayout = new QVBoxLayout(subMain);
    subLayout->setContentsMargins(0, 0, 0, 0);
    scrollBox1_ = new QScrollArea(subMain);
    scrollBox1_->setObjectName(QStringLiteral("ScrollBox1"));
    scrollBox1_->setFrameShape(QFrame::NoFrame);
    scrollBox1_->setBackgroundRole(QPalette::Window);
    QPalette palette = scrollBox1_->palette();
    palette.setColor(QPalette::Window, Qt::black);
    scrollBox1_->setPalette(palette);
    scrollBox1_->viewport()->installEventFilter(this);
    subLayout->addWidget(scrollBox1_);
    contentLayout->addWidget(subMain, 1);

    thumbPageControl_ = new QTabWidget(content);
    thumbPageControl_->setObjectName(QStringLiteral("ThumbPageControl"));
    thumbPageControl_->setTabPosition(QTabWidget::North);
    thumbPageControl_->setFixedHeight(ScaleForDpi(10));
    thumbPageControl_->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    thumbPageControl_->tabBar()->installEventFilter(this);
    thumbPageControl_->tabBar()->setAcceptDrops(true);
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
        WriteRegSubString(PlacementKey, QStringLiteral("ShowCmd"),
                          isMaximized() ? QStringLiteral("3") : QStringLiteral("1"));
    } catch (const std::exception&) {
        // A store that cannot be written loses the placement; closing goes on.
    }
}

// --- the viewer's state ---

void TMainForm::SetCurrentImage(const QString& name, const QString& path) {
    currentImageName_ = name;
    currentImagePath_ = path;
}

void TMainForm::ShowImage(TFolderViewForm* view, const QString& name) {
    if (!view || shuttingDown_)
        return;
    currentFolder_ = view;
    currentImageName_ = name;
    currentImagePath_ =
        view->Model().FileCount() > 0 ? JoinPath(view->FolderPath(), name) : QString();
    imageModified_ = false;
    if (view->Model().FileCount() == 0)
        ClearViewer();
    UpdateCommands();
    UpdateCaption();
}

void TMainForm::ClearViewer() {
    currentImageName_.clear();
    currentImagePath_.clear();
    imageModified_ = false;
    UpdateCommands();
    UpdateCaption();
}

void TMainForm::UpdateCaption() {
    statusPanel1_->setText(HasImage() ? currentImageName_ : QString());
    if (currentFolder_)
        setWindowTitle(QStringLiteral("Orvo Image Browser - ") + (currentImagePath_.isEmpty()
                                                                      ? currentFolder_->FolderPath()
                                                                      : currentImagePath_));
    else
        setWindowTitle(QStringLiteral("Orvo Image Browser by Tamblin"));
}

bool TMainForm::PromptSaveModified() {
    // Nothing can be modified before the image commands exist.
    return false;
}

void TMainForm::SaveImage() {
    // Saving a modified image arrives with the image commands; nothing is modified before.
}

bool TMainForm::FilmstripVisible() const {
    return thumbPageControl_->isVisibleTo(const_cast<TMainForm*>(this));
}

bool TMainForm::AdvancedViewsVisible() const {
    return true;
}

void TMainForm::SetKeyFocus() {
    if (isVisible())
        scrollBox1_->setFocus();
}

void TMainForm::BeginBusy(bool showPanel) {
    Q_UNUSED(showPanel); // the please-wait panel arrives with the viewer
    if (busyDepth_++ == 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TMainForm::EndBusy() {
    if (busyDepth_ > 0 && --busyDepth_ == 0)
        QApplication::restoreOverrideCursor();
}

void TMainForm::SetProgress(int value, int maximum) {
    mainProgressBar_->setMaximum(maximum > 0 ? maximum : 100);
    mainProgressBar_->setValue(value);
}

void TMainForm::ShowLongHint(const QString& text) {
    if (text.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(text);
}

void TMainForm::EmailSelection() {
    // The e-mail wizard arrives with its own window.
}

void TMainForm::ShowErrorMessage(const QString& message) {
    HelpDlg().ShowErrorMessage(message);
}

void TMainForm::ShowAbout() {
    if (!SlideShowActive())
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
    if (macro == QLatin1String("EXIT")) {
        close();
        return;
    }
    if (!macro.isEmpty())
        OpenImagePath(macro, false);
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollBox1_->viewport() && event->type() == QEvent::MouseButtonPress) {
        SetKeyFocus();
    } else if (watched == thumbPageControl_->tabBar()) {
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

void TMainForm::closeEvent(QCloseEvent* event) {
    PromptSaveModified();
    WritePlacement();
    hide();
    shuttingDown_ = true;
    for (qsizetype i = openFolders_.size() - 1; i >= 0; --i)
        openFolders_.at(i)->CloseFolder();
    event->accept();
}

// SPDX-License-Identifier: MIT
#include "folderview/FolderViewUnit.h"

#include "dialogs/Dialogs.h"
#include "dialogs/FileProgressDialog.h"
#include "dialogs/HelpDlgUnit.h"
#include "dialogs/ModalResult.h"
#include "dialogs/NotificationDlgUnit.h"
#include "dialogs/RenameDlgUnit.h"
#include "dialogs/ReplaceQuestion.h"
#include "folderview/FileClipboard.h"
#include "folderview/Filmstrip.h"
#include "folderview/FolderListSort.h"
#include "folderview/FolderModel.h"
#include "imaging/AppError.h"
#include "imaging/ImageFormats.h"
#include "settings/RegistryUnit.h"
#include "viewer/MainUnit.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDrag>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Dragged files of a folder view, between the views of this program only: the source view.
const QString DragFormat = QStringLiteral("application/x-orvo-folder-view");

QMimeData* MakeDragData(const TFolderViewForm* source) {
    auto* data = new QMimeData;
    data->setData(DragFormat, QByteArray::number(reinterpret_cast<quintptr>(source)));
    return data;
}

} // namespace

// The advanced list's view of the folder's rows: the names can be edited in place (the edit
// renames the file), rows drag as files of this view, and the rows of cut files look dimmed.
class TFolderListProxy : public QIdentityProxyModel {
public:
    TFolderListProxy(TFolderViewForm& form, const TFolderFileOps& fileOps, QObject* parent)
        : QIdentityProxyModel(parent), form_(form), fileOps_(fileOps) {}

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags flags = QIdentityProxyModel::flags(index);
        if (index.isValid())
            flags |= Qt::ItemIsDragEnabled;
        if (index.isValid() && index.column() == FolderListModel::NameColumn)
            flags |= Qt::ItemIsEditable;
        return flags;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::EditRole)
            role = Qt::DisplayRole;
        if (role == Qt::ForegroundRole && index.isValid() &&
            fileOps_.IsDimmed(form_.Model().ListOrder().value(index.row())))
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return QIdentityProxyModel::data(index, role);
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !index.isValid())
            return false;
        // The rename runs once the editor has closed: its messages are modal.
        const QString oldName = form_.Model().ListOrder().value(index.row());
        const QString newName = value.toString();
        QTimer::singleShot(0, &form_, [form = &form_, oldName, newName] {
            form->RenameInPlace(oldName, newName);
        });
        return false;
    }
    QStringList mimeTypes() const override { return {DragFormat}; }
    QMimeData* mimeData(const QModelIndexList&) const override { return MakeDragData(&form_); }
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    // Tells the views that the rows' looks changed.
    void RowsRestyled() {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                             {Qt::ForegroundRole});
    }

private:
    TFolderViewForm& form_;
    const TFolderFileOps& fileOps_;
};

TFolderViewForm::TFolderViewForm(TMainForm& mainForm) : QWidget(&mainForm), main_(mainForm) {
    setObjectName(QStringLiteral("FolderViewForm"));
    setMinimumSize(100, 100);
    model_ = std::make_unique<TFolderModel>(*this);
    fileOps_ = new TFolderFileOps(*model_, this);
    connect(fileOps_, &TFolderFileOps::pasteStateChanged, this, [this] {
        pasteCount_ = static_cast<int>(main_.FileClipboard().Paths().size());
        filmstrip_->SetPasteItem(fileOps_->PasteItem().enabled, pasteCount_);
        listProxy_->RowsRestyled();
    });
    connect(fileOps_, &TFolderFileOps::rescanFailed, this, &TFolderViewForm::ShowErrorMessage);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateMenu();
    layout->setMenuBar(menuBar_);
    filmstrip_ = new TFilmstrip(*model_, *this, this);
    filmstrip_->setObjectName(QStringLiteral("LargeFilmPanel"));
    layout->addWidget(filmstrip_);
    CreateList();
    layout->addWidget(imageView_, 1);
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    filesPanel_ = new QLabel(statusBar_);
    filesPanel_->setMinimumWidth(300);
    selectionPanel_ = new QLabel(statusBar_);
    selectionPanel_->setMinimumWidth(50);
    statusBar_->addWidget(filesPanel_);
    statusBar_->addWidget(selectionPanel_, 1);
    layout->addWidget(statusBar_);
    layout->addStretch(0);

    hackTimer_ = new QTimer(this);
    hackTimer_->setObjectName(QStringLiteral("HackTimer"));
    hackTimer_->setSingleShot(true);
    hackTimer_->setInterval(1);
    connect(hackTimer_, &QTimer::timeout, this, [this] { ApplyDockState(false); });

    wasFloating_ = floating_;
    ArrangeControls(floating_);
    filmstrip_->DrawSprockets(-1, true);
}

TFolderViewForm::~TFolderViewForm() {
    if (!model_->IsClosing())
        model_->BeginClosing();
    if (!main_.ShuttingDown()) {
        try {
            main_.FitTabArea(this);
        } catch (const std::exception&) {
            // A folder can always be closed.
        }
    }
    main_.ForgetFolder(this);
    // The controls that look at the model go before it; the model waits for its loader.
    hackTimer_->stop();
    delete filmstrip_;
    filmstrip_ = nullptr;
    delete imageView_;
    imageView_ = nullptr;
    detailsView_ = nullptr;
    iconsView_ = nullptr;
    delete listProxy_;
    listProxy_ = nullptr;
    delete fileOps_;
    fileOps_ = nullptr;
    try {
        model_.reset();
    } catch (const std::exception&) {
        // As above: errors while freeing the cache do not keep the folder open.
    }
}

void TFolderViewForm::CreateMenu() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = menuBar_->addMenu(QStringLiteral("File"));
    dock1_ = file->addAction(QStringLiteral("Return to Filmstrip"));
    dock1_->setObjectName(QStringLiteral("Dock1"));
    connect(dock1_, &QAction::triggered, this, &TFolderViewForm::DockView);
    file->addSeparator();
    closeFolder1_ = file->addAction(QStringLiteral("Close Folder"));
    closeFolder1_->setObjectName(QStringLiteral("CloseFolder1"));
    connect(closeFolder1_, &QAction::triggered, this, &TFolderViewForm::CloseFolder);

    QMenu* view = menuBar_->addMenu(QStringLiteral("View"));
    styleGroup_ = new QActionGroup(this);
    const struct {
        const char* name;
        const char* caption;
        ListStyle style;
    } styles[] = {{"SmallIcons1", "Small Icons", ListStyle::SmallIcon},
                  {"List1", "List", ListStyle::List},
                  {"Details1", "Details", ListStyle::Details}};
    for (const auto& s : styles) {
        QAction* item = view->addAction(QString::fromLatin1(s.caption));
        item->setObjectName(QString::fromLatin1(s.name));
        item->setCheckable(true);
        item->setChecked(s.style == ListStyle::Details);
        styleGroup_->addAction(item);
        const ListStyle style = s.style;
        connect(item, &QAction::triggered, this, [this, style] { SetListStyle(style); });
    }
}

void TFolderViewForm::CreateList() {
    imageView_ = new QStackedWidget(this);
    imageView_->setObjectName(QStringLiteral("ImageView"));
    listProxy_ = new TFolderListProxy(*this, *fileOps_, this);
    listProxy_->setSourceModel(&model_->ListModel());
    connect(listProxy_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this] { removingRows_ = true; });
    connect(listProxy_, &QAbstractItemModel::rowsRemoved, this, [this] { removingRows_ = false; });

    detailsView_ = new QTreeView(imageView_);
    detailsView_->setObjectName(QStringLiteral("ImageViewDetails"));
    detailsView_->setRootIsDecorated(false);
    detailsView_->setItemsExpandable(false);
    detailsView_->setUniformRowHeights(true);
    detailsView_->setAllColumnsShowFocus(true);
    detailsView_->setModel(listProxy_);
    for (int column = 0; column < FolderListModel::ColumnCount; ++column)
        detailsView_->setColumnWidth(column, FolderListModel::ColumnWidth(column));
    QHeaderView* header = detailsView_->header();
    header->setSectionsClickable(true);
    header->setSectionsMovable(false);
    connect(header, &QHeaderView::sectionClicked, this, &TFolderViewForm::SortByColumn);

    iconsView_ = new QListView(imageView_);
    iconsView_->setObjectName(QStringLiteral("ImageViewIcons"));
    iconsView_->setModel(listProxy_);
    QItemSelectionModel* own = iconsView_->selectionModel();
    iconsView_->setSelectionModel(detailsView_->selectionModel());
    delete own;
    iconsView_->setViewMode(QListView::ListMode);
    iconsView_->setResizeMode(QListView::Adjust);
    iconsView_->setWrapping(true);
    iconsView_->setUniformItemSizes(true);

    for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(detailsView_),
                                    static_cast<QAbstractItemView*>(iconsView_)}) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        // F2 edits the name in place; a click on a selected row keeps its meaning for the
        // selection (Ctrl+click deselects it).
        list->setEditTriggers(QAbstractItemView::EditKeyPressed);
        list->setDragEnabled(true);
        list->setDragDropMode(QAbstractItemView::DragDrop);
        list->setDefaultDropAction(Qt::CopyAction);
        list->setAcceptDrops(true);
        list->viewport()->setAcceptDrops(true);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& p) {
            filmstrip_->ShowThumbMenu(list->viewport()->mapToGlobal(p));
        });
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
    connect(detailsView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFolderViewForm::ListSelectionChanged);
    imageView_->addWidget(detailsView_);
    imageView_->addWidget(iconsView_);
    imageView_->setCurrentWidget(detailsView_);
}

QString TFolderViewForm::FolderPath() const {
    return model_->FolderPath();
}

QString TFolderViewForm::FolderCaption() const {
    return model_->FolderCaption();
}

void TFolderViewForm::OpenFolder(const QString& path) {
    model_->OpenFolder(path);
}

// --- docking ---

bool TFolderViewForm::IsFloating() const {
    return floating_;
}

bool TFolderViewForm::IsClosing() const {
    return model_->IsClosing();
}

int TFolderViewForm::FilmPanelHeight() const {
    return TFilmstrip::PanelHeight;
}

void TFolderViewForm::ArrangeControls(bool floating) {
    menuBar_->setVisible(floating);
    statusBar_->setVisible(floating);
    imageView_->setVisible(floating);
    filmstrip_->setVisible(!floating);
}

void TFolderViewForm::ShowViewCaption() {
    SetViewCaption(floating_ ? FolderPath() : FolderCaption());
}

void TFolderViewForm::ApplyDockState(bool refresh) {
    const bool changed = floating_ != wasFloating_;
    if (changed) {
        ArrangeControls(floating_);
        ShowViewCaption();
        main_.FitTabArea();
        filmstrip_->MenuItems().AdvancedFolderView1->setVisible(!floating_);
        setVisible(floating_ ? main_.AdvancedViewsVisible() : true);
    }
    if (refresh)
        model_->SelectionChanged(-1, true);
    if (floating_ && changed)
        ScrollSelectedRowIntoView();
    wasFloating_ = floating_;
}

void TFolderViewForm::ScrollSelectedRowIntoView() {
    const QString last = model_->LastSelected();
    const int row = last.isEmpty() ? -1 : model_->ListModel().RowOf(last);
    if (row >= 0)
        ActiveListView()->scrollTo(listProxy_->index(row, 0), QAbstractItemView::EnsureVisible);
}

void TFolderViewForm::FloatView() {
    if (floating_ || IsClosing())
        return;
    main_.RemoveFolderTab(this);
    floating_ = true;
    setParent(&main_, Qt::Window | Qt::WindowStaysOnTopHint);
    resize(undockedSize_);
    const QScreen* screen = main_.screen() ? main_.screen() : QApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    ApplyDockState(true);
    if (isVisible()) {
        activateWindow();
        ActiveListView()->setFocus();
    }
}

void TFolderViewForm::DockView() {
    if (!floating_ || IsClosing())
        return;
    undockedSize_ = size();
    floating_ = false;
    hide();
    setWindowFlags(Qt::Widget);
    main_.AddFolderTab(this);
    ApplyDockState(true);
}

// --- closing ---

void TFolderViewForm::CloseFolder() {
    closeWithoutPrompt_ = true;
    close();
}

void TFolderViewForm::closeEvent(QCloseEvent* event) {
    if (model_->IsClosing()) {
        event->accept();
        return;
    }
    // Only closing a floating window through its title bar asks.
    if (floating_ && !closeWithoutPrompt_ &&
        !NotificationDlg().Confirm(NotificationPrompt::CloseFolder)) {
        event->ignore();
        return;
    }
    model_->BeginClosing();
    hackTimer_->stop();
    if (!main_.ShuttingDown()) {
        try {
            main_.FolderClosed(this);
        } catch (const std::exception&) {
            // A folder can always be closed.
        }
    }
    event->accept();
    deleteLater();
}

void TFolderViewForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (IsClosing())
        return;
    if (!hackTimer_->isActive())
        hackTimer_->start();
}

void TFolderViewForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (IsClosing())
        return;
    ArrangeControls(floating_);
    main_.FitTabArea();
}

// --- the advanced list ---

QAbstractItemView* TFolderViewForm::ActiveListView() const {
    return listStyle_ == ListStyle::Details ? static_cast<QAbstractItemView*>(detailsView_)
                                            : static_cast<QAbstractItemView*>(iconsView_);
}

void TFolderViewForm::SetListStyle(ListStyle style) {
    listStyle_ = style;
    if (style == ListStyle::Details) {
        imageView_->setCurrentWidget(detailsView_);
    } else {
        iconsView_->setFlow(style == ListStyle::List ? QListView::TopToBottom
                                                     : QListView::LeftToRight);
        iconsView_->setWrapping(true);
        imageView_->setCurrentWidget(iconsView_);
    }
    const char* name = style == ListStyle::Details ? "Details1"
                       : style == ListStyle::List  ? "List1"
                                                   : "SmallIcons1";
    for (QAction* item : styleGroup_->actions())
        if (item->objectName() == QLatin1String(name))
            item->setChecked(true);
}

void TFolderViewForm::SortByColumn(int column) {
    sortColumn_ = column;
    sortAscending_ = !(column == lastSortColumn_ && sortAscending_);
    const QStringList order = SortedListOrder(model_->ListModel(), column, sortAscending_);
    syncingList_ = true;
    model_->ListModel().SetOrder(order);
    syncingList_ = false;
    lastSortColumn_ = sortColumn_;
    detailsView_->header()->setSortIndicatorShown(true);
    detailsView_->header()->setSortIndicator(column, sortAscending_ ? Qt::AscendingOrder
                                                                    : Qt::DescendingOrder);
}

void TFolderViewForm::RenameInPlace(const QString& oldName, const QString& newName) {
    if (IsClosing() || oldName.isEmpty() || oldName == newName)
        return;
    try {
        ::RenameInPlace(*model_, oldName, newName);
    } catch (const AppError& error) {
        HelpDlg().ShowErrorMessage(error.Message());
    }
}

void TFolderViewForm::ListSelectionChanged(const QItemSelection& selected,
                                           const QItemSelection& deselected) {
    if (syncingList_ || removingRows_ || IsClosing())
        return;
    const QStringList& order = model_->ListOrder();
    const auto rowsOf = [&order](const QItemSelection& selection) {
        QList<int> rows;
        for (const QItemSelectionRange& range : selection)
            for (int row = range.top(); row <= range.bottom(); ++row)
                if (row >= 0 && row < order.size() && !rows.contains(row))
                    rows.append(row);
        return rows;
    };
    int changedRow = -1;
    for (int row : rowsOf(deselected)) {
        if (model_->IsSelected(order.at(row)))
            model_->RemoveFromSelection(order.at(row));
        changedRow = row;
    }
    for (int row : rowsOf(selected)) {
        if (!model_->IsSelected(order.at(row)))
            model_->AddToSelection(order.at(row));
        changedRow = row;
    }
    if (changedRow >= 0)
        model_->SelectionChanged(changedRow, true);
}

void TFolderViewForm::SyncListSelection() {
    if (!detailsView_)
        return;
    const QStringList& order = model_->ListOrder();
    QHash<QString, int> rowOf;
    rowOf.reserve(order.size());
    for (int row = 0; row < order.size(); ++row)
        rowOf.insert(order.at(row), row);
    QList<int> rows;
    for (const QString& name : model_->SelectedFiles())
        if (const auto it = rowOf.constFind(name); it != rowOf.cend())
            rows.append(*it);
    std::sort(rows.begin(), rows.end());
    QItemSelection selection;
    const int lastColumn = FolderListModel::ColumnCount - 1;
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype j = i;
        while (j + 1 < rows.size() && rows.at(j + 1) == rows.at(j) + 1)
            ++j;
        selection.select(listProxy_->index(rows.at(i), 0),
                         listProxy_->index(rows.at(j), lastColumn));
        i = j + 1;
    }
    syncingList_ = true;
    QItemSelectionModel* selectionModel = detailsView_->selectionModel();
    selectionModel->select(selection, QItemSelectionModel::ClearAndSelect);
    const QString last = model_->LastSelected();
    if (const auto it = rowOf.constFind(last); !last.isEmpty() && it != rowOf.cend())
        selectionModel->setCurrentIndex(listProxy_->index(*it, 0), QItemSelectionModel::NoUpdate);
    syncingList_ = false;
}

int TFolderViewForm::ListTopRow() const {
    const QModelIndex top = ActiveListView()->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : -1;
}

QPoint TFolderViewForm::ListViewOrigin() const {
    const QAbstractItemView* list = ActiveListView();
    return {list->horizontalScrollBar()->value(), list->verticalScrollBar()->value()};
}

QRect TFolderViewForm::ListItemsBounds() const {
    const QAbstractItemView* list = ActiveListView();
    return {0, 0, list->horizontalScrollBar()->maximum() + list->viewport()->width(),
            list->verticalScrollBar()->maximum() + list->viewport()->height()};
}

QPoint TFolderViewForm::ListRowPosition(int index) const {
    const QAbstractItemView* list = ActiveListView();
    return list->visualRect(listProxy_->index(index, 0)).topLeft() + ListViewOrigin();
}

// --- the file commands ---

void TFolderViewForm::SetPasteState(bool enabled, const QStringList& paths, bool cut) {
    pasteCount_ = static_cast<int>(paths.size());
    fileOps_->SetPasteState(enabled, paths, cut);
    filmstrip_->SetPasteItem(fileOps_->PasteItem().enabled, pasteCount_);
    listProxy_->RowsRestyled();
}

void TFolderViewForm::RenameSelected() {
    if (IsClosing())
        return;
    TRenameDlg& dialog = RenameDlg();
    RenameDialogCalls calls;
    calls.abandon = [this](const QString& name) {
        return IsCurrentFolder() && name == main_.CurrentImageName() && main_.PromptSaveModified();
    };
    calls.fill = [&dialog](const RenameDialogFields& fields) {
        dialog.Prepare(fields.baseName, fields.fileType);
    };
    calls.show = [&dialog]() -> std::optional<QString> {
        if (dialog.ShowModal() != mrOk)
            return std::nullopt;
        return dialog.NewFileName();
    };
    calls.showError = [](const QString& message) { HelpDlg().ShowErrorMessage(message); };
    ::RenameSelected(*model_, calls);
}

void TFolderViewForm::DeleteSelected() {
    if (IsClosing() || model_->SelectionCount() == 0)
        return;
    main_.BeginBusy(false);
    DeleteResult result;
    try {
        result = ::DeleteSelected(*model_, [this](const QStringList& paths, const QString& reason) {
            // The question is answered with the normal pointer.
            main_.EndBusy();
            const bool agreed = AskDeleteForGood(this, paths, reason);
            main_.BeginBusy(false);
            return agreed;
        });
    } catch (const AppError& error) {
        main_.EndBusy();
        QMessageBox::critical(this, QStringLiteral("Error"), error.Message());
        return;
    }
    main_.EndBusy();
    ShowFileProblems(this, QStringLiteral("Some files could not be deleted:"),
                     result.ProblemLines());
}

bool TFolderViewForm::DeleteFileToTrash(const QString& path) {
    main_.BeginBusy(false);
    const bool gone = DeleteFiles({path}).AllGone();
    main_.EndBusy();
    return gone;
}

void TFolderViewForm::EmailSelection() {
    main_.EmailSelection();
}

void TFolderViewForm::CopySelected() {
    if (!IsClosing())
        main_.CopyToFileClipboard(*model_, false);
}

void TFolderViewForm::CutSelected() {
    if (!IsClosing())
        main_.CopyToFileClipboard(*model_, true);
}

void TFolderViewForm::PasteHere() {
    if (!IsClosing())
        main_.PasteFileClipboard(this);
}

void TFolderViewForm::RefreshFolder() {
    if (IsClosing())
        return;
    main_.BeginBusy(false);
    try {
        model_->RescanFolder(TFolderModel::rmFull);
    } catch (...) {
        main_.EndBusy();
        throw;
    }
    main_.EndBusy();
    iconsView_->doItemsLayout();
    ActiveListView()->viewport()->update();
}

// --- dragging files between folder views ---

void TFolderViewForm::StartThumbDrag(const QStringList& names) {
    if (names.isEmpty() || IsClosing())
        return;
    auto* drag = new QDrag(filmstrip_);
    drag->setMimeData(MakeDragData(this));
    drag->exec(Qt::CopyAction);
}

TFolderViewForm* TFolderViewForm::DragSource(const QMimeData& data) const {
    if (!data.hasFormat(DragFormat))
        return nullptr;
    const quintptr id = data.data(DragFormat).toULongLong();
    for (TFolderViewForm* view : main_.OpenFolders())
        if (reinterpret_cast<quintptr>(view) == id && !view->IsClosing())
            return view;
    return nullptr;
}

bool TFolderViewForm::CanAcceptDrop(const QMimeData& data) const {
    const TFolderViewForm* source = DragSource(data);
    return source && !IsClosing() && AcceptsFolderDrop(source->FolderPath(), FolderPath());
}

void TFolderViewForm::DropOnView(const QMimeData& data) {
    TFolderViewForm* source = DragSource(data);
    if (!source || !CanAcceptDrop(data))
        return;
    source->CutSelected();
    PasteHere();
}

bool TFolderViewForm::eventFilter(QObject* watched, QEvent* event) {
    const bool onList =
        detailsView_ && (watched == detailsView_->viewport() || watched == iconsView_->viewport());
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (onList) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData() && CanAcceptDrop(*drag->mimeData())) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        break;
    case QEvent::Drop:
        if (onList) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData() && CanAcceptDrop(*drop->mimeData())) {
                drop->setDropAction(Qt::CopyAction);
                drop->accept();
                // The move runs after the drag has ended in the source view.
                const QByteArray id = drop->mimeData()->data(DragFormat);
                QTimer::singleShot(0, this, [this, id] {
                    QMimeData data;
                    data.setData(DragFormat, id);
                    DropOnView(data);
                });
            } else {
                drop->ignore();
            }
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (!onList && HandleKey(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// --- keys ---

void TFolderViewForm::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event))
        QWidget::keyPressEvent(event);
}

bool TFolderViewForm::HandleKey(QKeyEvent* event) {
    if (IsClosing())
        return false;
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool ctrl = modifiers == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_X:
        if (ctrl)
            CutSelected();
        return ctrl;
    case Qt::Key_C:
        if (ctrl)
            CopySelected();
        return ctrl;
    case Qt::Key_V:
        if (ctrl)
            PasteHere();
        return ctrl;
    case Qt::Key_A:
        if (ctrl)
            model_->SelectAll();
        return ctrl;
    case Qt::Key_E:
        if (ctrl)
            main_.EmailSelection();
        return ctrl;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ctrl)
            RenameSelected();
        return ctrl;
    case Qt::Key_F5:
        if (modifiers == Qt::ShiftModifier)
            RefreshFolder();
        return modifiers == Qt::ShiftModifier;
    case Qt::Key_Delete:
        DeleteSelected();
        return true;
    default:
        return false;
    }
}

// --- FolderViewHost: the filmstrip ---

int TFolderViewForm::ThumbScrollPosition() const {
    return filmstrip_ ? filmstrip_->ThumbScrollPosition() : 0;
}

int TFolderViewForm::ThumbImageWidth() const {
    return filmstrip_ ? filmstrip_->ThumbImageWidth() : 0;
}

void TFolderViewForm::RedrawStrip() {
    if (filmstrip_)
        filmstrip_->RedrawStrip();
}

void TFolderViewForm::DrawFrames() {
    if (filmstrip_)
        filmstrip_->DrawFrames();
}

void TFolderViewForm::UpdateScrollRange() {
    if (filmstrip_)
        filmstrip_->UpdateScrollRange();
}

void TFolderViewForm::ScrollIntoView(const QString& name) {
    if (filmstrip_)
        filmstrip_->ScrollIntoView(name);
}

void TFolderViewForm::ShowStatus(const FolderStatus& status) {
    if (!filmstrip_)
        return;
    filesPanel_->setText(status.filesText);
    selectionPanel_->setText(status.selectionText);
    filmstrip_->ShowStatus(status);
    if (IsCurrentFolder())
        main_.UpdateCommands();
}

void TFolderViewForm::ShowLongHint(const QString& text) {
    main_.ShowLongHint(text);
}

// --- FolderViewHost: the caption and the main window ---

void TFolderViewForm::SetViewCaption(const QString& caption) {
    setWindowTitle(caption);
    if (QTabWidget* tabs = main_.ThumbPageControl(); tabs && !floating_) {
        const int index = tabs->indexOf(this);
        if (index >= 0) {
            QString text = caption;
            tabs->setTabText(index, text.replace(QLatin1Char('&'), QStringLiteral("&&")));
        }
    }
}

bool TFolderViewForm::FilmstripVisible() const {
    return main_.FilmstripVisible();
}

bool TFolderViewForm::FolderTabAreaHidden() const {
    return main_.ThumbPageControl()->isHidden();
}

bool TFolderViewForm::IsCurrentFolder() const {
    return main_.CurrentFolder() == this;
}

void TFolderViewForm::MakeCurrentFolder() {
    main_.SetCurrentFolder(this);
}

QString TFolderViewForm::CurrentImageName() const {
    return main_.CurrentImageName();
}

QString TFolderViewForm::CurrentImagePath() const {
    return main_.CurrentImagePath();
}

void TFolderViewForm::SetCurrentImage(const QString& name, const QString& path) {
    main_.SetCurrentImage(name, path);
}

void TFolderViewForm::UpdateCaption() {
    main_.UpdateCaption();
}

void TFolderViewForm::ShowImage(const QString& name) {
    main_.ShowImage(this, name);
}

void TFolderViewForm::ClearViewer() {
    main_.ClearViewer();
}

bool TFolderViewForm::PromptSaveModified() {
    return main_.PromptSaveModified();
}

void TFolderViewForm::SetProgress(int value, int maximum) {
    main_.SetProgress(value, maximum);
}

void TFolderViewForm::SetBusy(bool busy) {
    if (busy)
        main_.BeginBusy(false);
    else
        main_.EndBusy();
}

void TFolderViewForm::ShowErrorMessage(const QString& message) {
    QMessageBox::critical(this, QStringLiteral("Error"), message);
}

void TFolderViewForm::FolderWasDeleted() {
    if (IsClosing())
        return;
    const bool offerSave = IsCurrentFolder() && main_.ImageModified();
    // The folder goes either way; a show over it ends now, so the offered save can run.
    if (IsCurrentFolder() && main_.SlideShowActive())
        main_.StopSlideShow();
    if (HelpDlg().ShowFolderDeletedPrompt(offerSave) == mrCancel && offerSave)
        main_.SaveImageAs();
    CloseFolder();
}

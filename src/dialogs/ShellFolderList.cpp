// SPDX-License-Identifier: MIT
#include "dialogs/ShellFolderList.h"

#include "dialogs/ShellListModel.h"
#include "folderview/BitmapCache.h"
#include "imaging/AppError.h"
#include "imaging/ImageFormats.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QStackedLayout>
#include <QTreeView>

TShellFolderList::TShellFolderList(QWidget* parent) : QWidget(parent) {
    model_ = new TShellListModel(this);
    listView_ = new QListView(this);
    listView_->setObjectName(QStringLiteral("ShellListView"));
    listView_->setModel(model_);
    selection_ = listView_->selectionModel();
    detailsView_ = new QTreeView(this);
    detailsView_->setObjectName(QStringLiteral("ShellDetailsView"));
    detailsView_->setModel(model_);
    QItemSelectionModel* unused = detailsView_->selectionModel();
    detailsView_->setSelectionModel(selection_);
    delete unused;
    detailsView_->setRootIsDecorated(false);
    detailsView_->setItemsExpandable(false);
    detailsView_->setUniformRowHeights(true);
    detailsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    detailsView_->header()->setStretchLastSection(false);
    detailsView_->setColumnWidth(TShellListModel::NameColumn, 180);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(listView_),
                                    static_cast<QAbstractItemView*>(detailsView_)}) {
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setEditTriggers(QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::SelectedClicked);
        view->setDragEnabled(true);
        view->setDragDropMode(QAbstractItemView::DragOnly);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        // The views would take Delete as a key to search for.
        view->installEventFilter(this);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
            if (contextMenu_)
                contextMenu_->popup(view->viewport()->mapToGlobal(at));
        });
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex& index) { EntryDoubleClicked(index.row()); });
    }
    connect(selection_, &QItemSelectionModel::selectionChanged, this,
            &TShellFolderList::SelectionChanged);
    connect(model_, &TShellListModel::RenameFailed, this, &TShellFolderList::RenameFailed);

    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    stack_->addWidget(listView_);
    stack_->addWidget(detailsView_);
    SetViewStyle(ShellViewStyle::List);
}

bool TShellFolderList::SetFolder(const QString& folder) {
    return SetFolder(folder, model_->Mask());
}

bool TShellFolderList::SetFolder(const QString& folder, const QString& mask) {
    if (!QDir::isAbsolutePath(folder) || !QFileInfo(folder).isDir())
        return false;
    Relist(QDir::cleanPath(folder), mask);
    emit FolderChanged(Folder());
    return true;
}

QString TShellFolderList::Folder() const {
    return model_->Folder();
}

void TShellFolderList::SetMask(const QString& mask) {
    Relist(model_->Folder(), mask);
}

QString TShellFolderList::Mask() const {
    return model_->Mask();
}

void TShellFolderList::Refresh() {
    const QString selected = SelectedName();
    Relist(model_->Folder(), model_->Mask());
    const int row = model_->RowOf(selected);
    if (!selected.isEmpty() && row >= 0)
        SelectRow(row);
}

bool TShellFolderList::GoUp() {
    const QString parent = ParentFolder(Folder());
    return !parent.isEmpty() && SetFolder(parent);
}

void TShellFolderList::Relist(const QString& folder, const QString& mask) {
    model_->List(folder, mask);
    emit ListFilled();
}

void TShellFolderList::SetViewStyle(ShellViewStyle style) {
    style_ = style;
    model_->SetThumbnails(style == ShellViewStyle::Thumbnails);
    if (style == ShellViewStyle::Details) {
        stack_->setCurrentWidget(detailsView_);
    } else {
        const bool icons = style != ShellViewStyle::List;
        const int side = style == ShellViewStyle::Thumbnails ? ThumbSize : icons ? 32 : 16;
        listView_->setViewMode(icons ? QListView::IconMode : QListView::ListMode);
        listView_->setFlow(icons ? QListView::LeftToRight : QListView::TopToBottom);
        listView_->setWrapping(true);
        listView_->setResizeMode(QListView::Adjust);
        listView_->setMovement(QListView::Static);
        listView_->setIconSize(QSize(side, side));
        listView_->setGridSize(style == ShellViewStyle::Thumbnails
                                   ? TShellListModel::ThumbnailCellSize()
                               : icons ? QSize(side + 40, side + 36)
                                       : QSize());
        listView_->setWordWrap(icons);
        // Icon layouts measure one entry for all, so that only the entries on screen load
        // their thumbnails; list columns fit their own names.
        listView_->setUniformItemSizes(icons);
        stack_->setCurrentWidget(listView_);
    }
    // The details table shows the whole row of the selected entry.
    const int row = SelectedRow();
    if (row >= 0)
        SelectRow(row);
}

QString TShellFolderList::CreateNewFolder() {
    Refresh();
    const QString folder = Folder();
    const QString name = FreeNewFolderName(folder);
    const QString path = JoinPath(folder, name);
    if (!QDir(folder).mkdir(name))
        throw AppError(path + QStringLiteral(" could not be created."));
    Refresh();
    const int row = model_->RowOf(name);
    if (row >= 0) {
        SelectRow(row);
        CurrentView()->setFocus();
        CurrentView()->edit(model_->index(row, TShellListModel::NameColumn));
    }
    return path;
}

int TShellFolderList::SelectedRow() const {
    const QModelIndexList selected = selection_->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

QString TShellFolderList::SelectedPath() const {
    return model_->PathOf(SelectedRow());
}

QString TShellFolderList::SelectedName() const {
    const int row = SelectedRow();
    return row < 0 ? QString() : model_->Entry(row).name;
}

bool TShellFolderList::SelectedIsFolder() const {
    const int row = SelectedRow();
    return row >= 0 && model_->Entry(row).folder;
}

void TShellFolderList::SelectRow(int row) {
    const QModelIndex index = model_->index(row, TShellListModel::NameColumn);
    selection_->setCurrentIndex(index,
                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    CurrentView()->scrollTo(index);
}

void TShellFolderList::ClearSelection() {
    selection_->clearSelection();
}

bool TShellFolderList::FocusName(const QString& name) {
    const int row = model_->RowOf(name, Qt::CaseInsensitive);
    if (row < 0)
        return false;
    const QModelIndex index = model_->index(row, TShellListModel::NameColumn);
    selection_->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    CurrentView()->scrollTo(index);
    return true;
}

int TShellFolderList::CurrentRow() const {
    const QModelIndex current = selection_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QAbstractItemView* TShellFolderList::CurrentView() const {
    if (style_ == ShellViewStyle::Details)
        return detailsView_;
    return listView_;
}

void TShellFolderList::SetContextMenu(QMenu* menu) {
    contextMenu_ = menu;
}

void TShellFolderList::EntryDoubleClicked(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    if (model_->Entry(row).folder)
        SetFolder(model_->PathOf(row));
    else
        emit FileDoubleClicked(model_->PathOf(row));
}

bool TShellFolderList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == listView_ || watched == detailsView_)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            emit DeletePressed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

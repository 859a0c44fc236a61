// SPDX-License-Identifier: MIT
#include "dialogs/OpenFolderUnit.h"

#include "dialogs/Dialogs.h"
#include "dialogs/HelpDlgUnit.h"
#include "dialogs/ModalResult.h"
#include "dialogs/NewFolderUnit.h"
#include "imaging/AppError.h"
#include "imaging/GenUtilWidgets.h"
#include "imaging/ImageFormats.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyle>
#include <QTreeView>

namespace {

constexpr int PreviewLeft = 412;
constexpr int PreviewBoxTop = 92;
constexpr int ItemHeight = 20;

} // namespace

TOpenFolderForm::TOpenFolderForm(const QStringList& recentFolders, QWidget* parent)
    : TModalDialog(parent) {
    setObjectName(QStringLiteral("OpenFolderForm"));
    setWindowTitle(QStringLiteral("Open Image Folder"));
    setFixedSize(612, 355);
    CreateControls();
    WidenButtonsForDpi(this);
    ChooseStartFolder(recentFolders);
    constructing_ = false;
}

TOpenFolderForm::~TOpenFolderForm() = default;

void TOpenFolderForm::CreateControls() {
    MakeDialogLabel(this, QStringLiteral("Image Folder:"), 12, 8, "Label1");
    cmbFileName_ = new QComboBox(this);
    cmbFileName_->setObjectName(QStringLiteral("CmbFileName"));
    cmbFileName_->setEditable(true);
    cmbFileName_->setInsertPolicy(QComboBox::NoInsert);
    cmbFileName_->setGeometry(12, 24, 311, 25);
    // A picked entry puts its own path in the box, never a text derived from its caption.
    connect(cmbFileName_, &QComboBox::activated, this, [this](int index) {
        cmbFileName_->setEditText(cmbFileName_->itemData(index).toString());
    });

    sbtnAssignFolder_ = MakePictureButton(this, QStyle::SP_FileDialogContentsView,
                                          QStringLiteral("View Folder Contents"),
                                          QRect(336, 24, 30, 25), "SBtnAssignFolder");
    sbtnNewFolder_ =
        MakePictureButton(this, QStyle::SP_FileDialogNewFolder, QStringLiteral("Create New Folder"),
                          QRect(371, 24, 30, 25), "SBtnNewFolder");
    connect(sbtnAssignFolder_, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { SBtnAssignFolderClick(); }); });
    connect(sbtnNewFolder_, &QPushButton::clicked, this,
            [this] { ReportErrors([this] { SBtnNewFolderClick(); }); });
    sbtnOpen_ = MakeDialogButton(this, QStringLiteral("Open"), QRect(430, 24, 72, 25), "SBtnOpen");
    sbtnCancel_ =
        MakeDialogButton(this, QStringLiteral("Cancel"), QRect(510, 24, 72, 25), "SBtnCancel");
    connect(sbtnOpen_, &QPushButton::clicked, this, &TOpenFolderForm::accept);
    connect(sbtnCancel_, &QPushButton::clicked, this, &TOpenFolderForm::reject);

    refreshMenu_ = new QMenu(this);
    refreshMenu_->setObjectName(QStringLiteral("RefreshMenu"));
    QAction* refresh1 = refreshMenu_->addAction(QStringLiteral("Refresh [F5]"));
    refresh1->setObjectName(QStringLiteral("Refresh1"));
    connect(refresh1, &QAction::triggered, this,
            [this] { ReportErrors([this] { RefreshView(); }); });

    // Folders only, hidden ones included; names can be edited in place.
    folderModel_ = new QFileSystemModel(this);
    folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::Drives);
    folderModel_->setReadOnly(false);
    folderModel_->setRootPath(QDir::rootPath());
    stShellTree_ = new QTreeView(this);
    stShellTree_->setObjectName(QStringLiteral("StShellTree"));
    stShellTree_->setModel(folderModel_);
    for (int column = 1; column < folderModel_->columnCount(); ++column)
        stShellTree_->hideColumn(column);
    stShellTree_->header()->hide();
    stShellTree_->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                  QAbstractItemView::SelectedClicked);
    stShellTree_->setSelectionMode(QAbstractItemView::SingleSelection);
    stShellTree_->setGeometry(12, 60, 210, 281);
    stShellTree_->expand(folderModel_->index(QDir::rootPath()));
    stShellTree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(stShellTree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { StShellTreeFolderSelected(); });
    // The folder itself is the answer: no image goes with it.
    connect(stShellTree_, &QTreeView::doubleClicked, this, [this] {
        imageListBox_->clearSelection();
        ClearPreview();
        accept();
    });

    imageListBox_ = new QListWidget(this);
    imageListBox_->setObjectName(QStringLiteral("ImageListBox"));
    imageListBox_->setSelectionMode(QAbstractItemView::SingleSelection);
    imageListBox_->setIconSize(QSize(16, 16));
    imageListBox_->setUniformItemSizes(true);
    imageListBox_->setGeometry(233, 60, 165, 281);
    imageListBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(imageListBox_, &QListWidget::itemSelectionChanged, this,
            [this] { ReportErrors([this] { UpdatePreview(); }); });
    connect(imageListBox_, &QListWidget::itemDoubleClicked, this, &TOpenFolderForm::accept);

    for (QWidget* widget :
         {static_cast<QWidget*>(stShellTree_), static_cast<QWidget*>(imageListBox_)})
        connect(widget, &QWidget::customContextMenuRequested, this,
                [this, widget](const QPoint& at) { refreshMenu_->popup(widget->mapToGlobal(at)); });

    lblImageNOf_ = MakeDialogLabel(this, QString(), PreviewLeft, 60, "LblImageNOf");
    lblImageType_ = MakeDialogLabel(this, QString(), PreviewLeft, 76, "LblImageType");
    imagePreview_ = new TImagePreview(this, PreviewLeft, PreviewBoxTop);
    connect(imagePreview_, &TImagePreview::PictureDoubleClicked, this, &TOpenFolderForm::accept);
    lblDimensions_ = MakeDialogLabel(this, QString(), PreviewLeft, 265, "LblDimensions");
    lblSize_ = MakeDialogLabel(this, QString(), PreviewLeft, 281, "LblSize");
    lblModified_ = MakeDialogLabel(this, QString(), PreviewLeft, 297, "LblModified");
    MakeLogoLabels(this, 420, 462, 316);
    ClearPreview();
}

void TOpenFolderForm::ChooseStartFolder(const QStringList& recentFolders) {
    const QString recent = FillRecentFolders(recentFolders);
    if (!recent.isEmpty() && SelectTreeFolder(recent))
        return;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    for (const QString& folder : {pictures, documents})
        if (!folder.isEmpty() && QFileInfo(folder).isDir() && SelectTreeFolder(folder))
            return;
}

void TOpenFolderForm::SetFolderCheck(FolderCheck check) {
    folderCheck_ = std::move(check);
}

int TOpenFolderForm::ShowModal() {
    return exec();
}

QString TOpenFolderForm::GetSelectedPath() const {
    return SelectedPathFor(TreeFolderPath(), cmbFileName_->currentText(), SelectedImageName());
}

QString TOpenFolderForm::FillRecentFolders(const QStringList& recentFolders) {
    const QString typed = cmbFileName_->currentText();
    const QSignalBlocker blocker(cmbFileName_);
    cmbFileName_->clear();
    QString firstExisting;
    for (const QString& folder : recentFolders) {
        cmbFileName_->addItem(folder, folder);
        if (firstExisting.isEmpty() && QFileInfo(folder).isDir())
            firstExisting = folder;
    }
    cmbFileName_->setEditText(typed);
    return firstExisting;
}

void TOpenFolderForm::RemoveRecentFolder(const QString& path) {
    const int index = cmbFileName_->findData(path);
    if (index < 0)
        return;
    const QString typed = cmbFileName_->currentText();
    cmbFileName_->removeItem(index);
    cmbFileName_->setEditText(typed);
}

QStringList TOpenFolderForm::RecentFolderEntries() const {
    QStringList entries;
    for (int i = 0; i < cmbFileName_->count(); ++i)
        entries << cmbFileName_->itemData(i).toString();
    return entries;
}

void TOpenFolderForm::PopulateFileList(bool keepSelection) {
    const QString noted = SelectedImageName();
    const QSignalBlocker blocker(imageListBox_);
    shellIcons_ = TShellIcons();
    imageListBox_->clear();
    const QString folder = TreeFolderPath();
    if (!folder.isEmpty()) {
        const int listWidth = imageListBox_->viewport()->width();
        for (const QString& name : ListImageNames(folder)) {
            auto* item = new QListWidgetItem(
                shellIcons_.Icon(GetFileIconIndex(JoinPath(folder, name))), name, imageListBox_);
            item->setSizeHint(QSize(listWidth, ItemHeight));
            if (keepSelection && name == noted)
                imageListBox_->setCurrentItem(item);
        }
    }
    if (imageListBox_->count() > 0 && imageListBox_->selectedItems().isEmpty())
        imageListBox_->setCurrentRow(0);
}

void TOpenFolderForm::UpdatePreview() {
    const QList<QListWidgetItem*> selected = imageListBox_->selectedItems();
    const QString folder = TreeFolderPath();
    if (selected.isEmpty() || folder.isEmpty()) {
        if (!selected.isEmpty()) {
            const QSignalBlocker blocker(imageListBox_);
            imageListBox_->clear();
        }
        ClearPreview();
        return;
    }
    const QString path = JoinPath(folder, selected.first()->text());
    if (path == previewPath_)
        return;
    previewPath_ = path;
    QString dimensionText;
    try {
        dimensionText = imagePreview_->Load(path);
    } catch (const AppError&) {
        ClearPreview();
        throw;
    }
    const QFileInfo info(path);
    ShowPreviewLabels(PreviewLabelsFor(path, imageListBox_->row(selected.first()),
                                       imageListBox_->count(), dimensionText, info.size(),
                                       info.lastModified(), QLocale()));
}

void TOpenFolderForm::ClearPreview() {
    imagePreview_->Clear();
    previewPath_.clear();
    ShowPreviewLabels(EmptyPreviewLabels());
}

void TOpenFolderForm::ShowPreviewLabels(const PreviewLabels& labels) {
    const std::pair<QLabel*, const QString*> pairs[] = {{lblImageNOf_, &labels.imageNOf},
                                                        {lblImageType_, &labels.type},
                                                        {lblDimensions_, &labels.dimensions},
                                                        {lblSize_, &labels.size},
                                                        {lblModified_, &labels.modified}};
    for (const auto& [label, text] : pairs) {
        label->setText(*text);
        label->adjustSize();
    }
}

int TOpenFolderForm::GetFileIconIndex(const QString& path) {
    return shellIcons_.ShellIconIndex(path);
}

int TOpenFolderForm::ShellIconCount() const {
    return static_cast<int>(shellIcons_.ShellIconList().size());
}

void TOpenFolderForm::RefreshView() {
    const QString folder = TreeFolderPath();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        SelectTreeFolder(folder);
        PopulateFileList(true);
        UpdatePreview();
        return;
    }
    {
        const QSignalBlocker blocker(imageListBox_);
        imageListBox_->clear();
    }
    ClearPreview();
}

bool TOpenFolderForm::SelectTreeFolder(const QString& path) {
    if (!QDir::isAbsolutePath(path) || !QFileInfo(path).isDir())
        return false;
    const QModelIndex index = folderModel_->index(QDir::cleanPath(path));
    if (!index.isValid())
        return false;
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent())
        stShellTree_->expand(above);
    stShellTree_->setCurrentIndex(index);
    stShellTree_->scrollTo(index);
    return true;
}

QString TOpenFolderForm::TreeFolderPath() const {
    const QModelIndex current = stShellTree_->currentIndex();
    if (!current.isValid() || !stShellTree_->selectionModel()->isSelected(current))
        return {};
    return folderModel_->filePath(current);
}

QString TOpenFolderForm::SelectedImageName() const {
    const QList<QListWidgetItem*> selected = imageListBox_->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void TOpenFolderForm::StShellTreeFolderSelected() {
    const QString folder = TreeFolderPath();
    if (folder.isEmpty() || SameFolderText(folder, cmbFileName_->currentText()))
        return;
    cmbFileName_->setEditText(folder);
    if (constructing_)
        return; // the first show lists the folder
    PopulateFileList(false);
    ReportErrors([this] { UpdatePreview(); });
}

void TOpenFolderForm::SBtnAssignFolderClick() {
    const QString text = cmbFileName_->currentText();
    if (!CheckFolder(text) || SameFolderText(text, TreeFolderPath()))
        return;
    SelectTreeFolder(text);
    stShellTree_->expand(stShellTree_->currentIndex());
    PopulateFileList(false);
    UpdatePreview();
}

void TOpenFolderForm::SBtnNewFolderClick() {
    const QString text = cmbFileName_->currentText();
    if (!CheckFolder(text))
        return;
    TNewFolderDlg& dialog = NewFolderDlg();
    dialog.Prepare(text);
    for (;;) {
        if (dialog.ShowModal() != mrOk)
            return;
        const QString folder = dialog.NewFolderPath();
        if (QFileInfo(folder).isDir()) {
            ShowStandardErrorBox(folder + QStringLiteral(" already exists."), this);
            SelectTreeFolder(folder);
            return;
        }
        if (QDir().mkdir(folder)) {
            SelectTreeFolder(folder);
            return;
        }
        // Asked again with the typed name still in the field.
        ShowStandardErrorBox(folder + QStringLiteral(" could not be created."), this);
    }
}

bool TOpenFolderForm::CheckFolder(const QString& text) {
    if (folderCheck_)
        return folderCheck_(text);
    if (QDir::isAbsolutePath(text) && QFileInfo(text).isDir())
        return true;
    ShowStandardErrorBox(QStringLiteral("Please choose a valid Folder"), this);
    RemoveRecentFolder(text);
    return false;
}

void TOpenFolderForm::accept() {
    const QString text = cmbFileName_->currentText();
    if (!CheckFolder(text))
        return; // the dialog stays open
    if (cmbFileName_->findData(text) < 0)
        cmbFileName_->addItem(text, text);
    if (!SameFolderText(text, TreeFolderPath())) {
        try {
            SelectTreeFolder(text);
            PopulateFileList(false);
        } catch (const AppError&) {
            // The folder is the answer whatever its listing does.
        }
    }
    done(mrOk);
}

void TOpenFolderForm::EnterPressed() {
    accept();
}

void TOpenFolderForm::showEvent(QShowEvent* event) {
    TModalDialog::showEvent(event);
    PopulateFileList(true);
    ReportErrors([this] { UpdatePreview(); });
}

void TOpenFolderForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F5) {
        ReportErrors([this] { RefreshView(); });
        return;
    }
    TModalDialog::keyPressEvent(event);
}

// SPDX-License-Identifier: MIT
#include "dialogs/SaveAsUnit.h"

#include "dialogs/FileProgressDialog.h"
#include "dialogs/HelpDlgUnit.h"
#include "dialogs/ModalResult.h"
#include "dialogs/PreviewControls.h"
#include "dialogs/ReplaceQuestion.h"
#include "dialogs/ShellFolderCombo.h"
#include "dialogs/ShellListModel.h"
#include "imaging/AppError.h"
#include "imaging/GenUtilWidgets.h"
#include "imaging/ImageFormats.h"
#include "platform/FileOperations.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>

namespace {

constexpr int PreviewLeft = 412;
constexpr int PreviewBoxTop = 48;

// The folder the list starts in: the user's documents, else the home folder.
QString StartFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}

// Where a file goes whose folder and every parent have gone: the user's pictures, else
// documents, else the home folder.
QString FallbackFolder() {
    for (const auto location :
         {QStandardPaths::PicturesLocation, QStandardPaths::DocumentsLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}

} // namespace

TSaveAsForm::TSaveAsForm(QWidget* parent) : TModalDialog(parent) {
    setObjectName(QStringLiteral("SaveAsForm"));
    setWindowTitle(QStringLiteral("Save Image"));
    setFixedSize(612, 375);
    CreateControls();
    WidenButtonsForDpi(this);
    stShellList_->SetFolder(StartFolder(), SaveFilterMasks(0));
}

TSaveAsForm::~TSaveAsForm() = default;

void TSaveAsForm::CreateControls() {
    stShellCombo_ = new TShellFolderCombo(this);
    stShellCombo_->setObjectName(QStringLiteral("StShellCombo"));
    stShellCombo_->setGeometry(12, 12, 250, 25);

    stShellList_ = new TShellFolderList(this);
    stShellList_->setObjectName(QStringLiteral("StShellList"));
    stShellList_->setGeometry(12, 48, 390, 250);
    connect(stShellCombo_, &TShellFolderCombo::FolderPicked, this, [this](const QString& folder) {
        if (!stShellList_->SetFolder(folder))
            stShellCombo_->SetFolder(stShellList_->Folder());
    });
    connect(stShellList_, &TShellFolderList::FolderChanged, stShellCombo_,
            &TShellFolderCombo::SetFolder);
    connect(stShellList_, &TShellFolderList::ListFilled, this, &TSaveAsForm::ClearSavePreview);
    connect(stShellList_, &TShellFolderList::SelectionChanged, this,
            [this] { ReportErrors([this] { UpdateSavePreview(); }); });
    connect(stShellList_, &TShellFolderList::FileDoubleClicked, this,
            &TSaveAsForm::FileDoubleClicked);
    connect(stShellList_, &TShellFolderList::DeletePressed, this,
            &TSaveAsForm::DeleteSelectedEntry);
    connect(stShellList_, &TShellFolderList::RenameFailed, this,
            [this](const QString& message) { ShowStandardErrorBox(message, this); });
    // A renamed file is previewed (and named in the box) under its new name.
    connect(stShellList_->Model(), &TShellListModel::Renamed, this, [this] {
        ClearSavePreview();
        ReportErrors([this] { UpdateSavePreview(); });
    });

    refreshMenu_ = new QMenu(this);
    refreshMenu_->setObjectName(QStringLiteral("RefreshMenu"));
    QAction* refresh1 = refreshMenu_->addAction(QStringLiteral("Refresh [F5]"));
    refresh1->setObjectName(QStringLiteral("Refresh1"));
    connect(refresh1, &QAction::triggered, this, &TSaveAsForm::RefreshView);
    stShellList_->SetContextMenu(refreshMenu_);

    CreateToolButtons();

    MakeDialogLabel(this, QStringLiteral("File Name:"), 12, 314, "Label1");
    edtFileName_ = new QLineEdit(this);
    edtFileName_->setObjectName(QStringLiteral("EdtFileName"));
    edtFileName_->setGeometry(90, 310, 312, 25);
    MakeDialogLabel(this, QStringLiteral("File Type:"), 12, 344, "Label2");
    cmbFilter_ = new QComboBox(this);
    cmbFilter_->setObjectName(QStringLiteral("CmbFilter"));
    cmbFilter_->setGeometry(90, 340, 312, 25);
    cmbFilter_->addItems(SaveFilterItemTexts());
    cmbFilter_->setCurrentIndex(0);
    connect(cmbFilter_, &QComboBox::currentIndexChanged, this, &TSaveAsForm::CmbFilterChange);

    MakeLogoLabels(this, 420, 462, 16);
    imagePreview_ = new TImagePreview(this, PreviewLeft, PreviewBoxTop);
    connect(imagePreview_, &TImagePreview::PictureDoubleClicked, this, &TSaveAsForm::accept);
    lblDimensions_ = MakeDialogLabel(this, QString(), PreviewLeft, 222, "LblDimensions");
    lblSize_ = MakeDialogLabel(this, QString(), PreviewLeft, 238, "LblSize");
    lblModified_ = MakeDialogLabel(this, QString(), PreviewLeft, 254, "LblModified");

    cbOpenSavedImage_ = new QCheckBox(QStringLiteral("Open Saved Image"), this);
    cbOpenSavedImage_->setObjectName(QStringLiteral("CBOpenSavedImage"));
    cbOpenSavedImage_->move(PreviewLeft, 288);
    cbOpenSavedImage_->adjustSize();
    cbOpenSavedImage_->setChecked(true);

    sbtnSave_ = MakeDialogButton(this, QStringLiteral("Save"), QRect(430, 310, 72, 25), "SBtnSave");
    sbtnCancel_ =
        MakeDialogButton(this, QStringLiteral("Cancel"), QRect(430, 340, 72, 25), "SBtnCancel");
    connect(sbtnSave_, &QPushButton::clicked, this, &TSaveAsForm::accept);
    connect(sbtnCancel_, &QPushButton::clicked, this, &TSaveAsForm::reject);
    ClearSavePreview();
}

void TSaveAsForm::CreateToolButtons() {
    sbtnBack_ =
        MakePictureButton(this, QStyle::SP_ArrowBack, QStringLiteral("Go To Last Folder Visited"),
                          QRect(268, 12, 30, 25), "SBtnBack");
    sbtnBack_->hide();
    sbtnBackFolder_ =
        MakePictureButton(this, QStyle::SP_FileDialogToParent, QStringLiteral("Up One Level"),
                          QRect(268, 12, 30, 25), "SBtnBackFolder");
    sbtnNewFolder_ =
        MakePictureButton(this, QStyle::SP_FileDialogNewFolder, QStringLiteral("Create New Folder"),
                          QRect(303, 12, 30, 25), "SBtnNewFolder");
    sbtnViewMode_ =
        MakePictureButton(this, QStyle::SP_FileDialogListView, QStringLiteral("View Menu"),
                          QRect(338, 12, 40, 25), "SBtnViewMode");
    connect(sbtnBackFolder_, &QPushButton::clicked, this, &TSaveAsForm::SBtnBackFolderClick);
    connect(sbtnNewFolder_, &QPushButton::clicked, this, &TSaveAsForm::SBtnNewFolderClick);
    CreateViewModeMenu();
}

void TSaveAsForm::CreateViewModeMenu() {
    viewModeMenu_ = new QMenu(this);
    viewModeMenu_->setObjectName(QStringLiteral("ViewModeMenu"));
    auto* group = new QActionGroup(viewModeMenu_);
    const std::pair<const char*, ShellViewStyle> items[] = {
        {"Thumbnails", ShellViewStyle::Thumbnails},
        {"Icons", ShellViewStyle::Icons},
        {"List", ShellViewStyle::List},
        {"Details", ShellViewStyle::Details}};
    for (const auto& [caption, style] : items) {
        QAction* action = viewModeMenu_->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(caption));
        action->setCheckable(true);
        action->setChecked(style == ShellViewStyle::List);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, style] { SetViewStyle(style); });
    }
    sbtnViewMode_->setMenu(viewModeMenu_);
}

void TSaveAsForm::SetInitialFile(const QString& path) {
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    const std::optional<int> filter = FilterIndexForFile(path);
    if (filter) {
        // Only the list follows: the name keeps its own extension.
        const QSignalBlocker blocker(cmbFilter_);
        cmbFilter_->setCurrentIndex(*filter);
    }
    // A file whose folder has gone (deleted while its image was shown) is offered in the nearest
    // folder still there, under its own name.
    const QString folder = NearestExistingFolder(info.absolutePath()).value_or(FallbackFolder());
    stShellList_->SetFolder(folder, filter ? SaveFilterMasks(*filter) : stShellList_->Mask());
    edtFileName_->setText(info.fileName());
    stShellList_->FocusName(info.fileName());
}

int TSaveAsForm::ShowModal() {
    return exec();
}

QString TSaveAsForm::GetSavePath() const {
    return JoinPath(stShellList_->Folder(), edtFileName_->text());
}

bool TSaveAsForm::OpenSavedImage() const {
    return cbOpenSavedImage_->isChecked();
}

void TSaveAsForm::CmbFilterChange(int index) {
    if (index < 0 || stShellList_->Mask() == SaveFilterMasks(index))
        return;
    stShellList_->SetMask(SaveFilterMasks(index));
    edtFileName_->setText(NameForFilter(edtFileName_->text(), index));
    ClearSavePreview();
}

void TSaveAsForm::UpdateSavePreview() {
    const QString path = stShellList_->SelectedPath();
    if (path.isEmpty() || !IsPreviewableSaveFile(path)) {
        ClearSavePreview();
        return;
    }
    if (path == savePreviewFile_)
        return;
    savePreviewFile_ = path;
    QString dimensionText;
    try {
        dimensionText = imagePreview_->Load(path);
    } catch (const std::exception&) {
        // Any failure (a decoder's error, no memory) leaves no half-shown preview behind, and
        // the same file is tried again on its next selection.
        ClearSavePreview();
        throw;
    }
    const QFileInfo info(path);
    ShowLabels(SavePreviewLabelsFor(path, dimensionText, info.size(), info.lastModified()));
    edtFileName_->setText(stShellList_->SelectedName());
}

void TSaveAsForm::ClearSavePreview() {
    imagePreview_->Clear();
    ShowLabels(EmptySavePreviewLabels());
    savePreviewFile_.clear();
}

void TSaveAsForm::ShowLabels(const SavePreviewLabels& labels) {
    const std::pair<QLabel*, const QString*> pairs[] = {{lblDimensions_, &labels.dimensions},
                                                        {lblSize_, &labels.size},
                                                        {lblModified_, &labels.modified}};
    for (const auto& [label, text] : pairs) {
        label->setText(*text);
        label->adjustSize();
    }
    // A long date and time takes a second line rather than leaving the window.
    FitWrappedLabel(lblModified_, width() - PreviewLeft - 8, 0);
}

void TSaveAsForm::RefreshView() {
    stShellList_->Refresh();
    ReportErrors([this] { UpdateSavePreview(); });
}

void TSaveAsForm::SBtnBackFolderClick() {
    stShellList_->GoUp();
}

void TSaveAsForm::SBtnNewFolderClick() {
    ReportErrors([this] { stShellList_->CreateNewFolder(); });
}

void TSaveAsForm::DeleteSelectedEntry() {
    const QString path = stShellList_->SelectedPath();
    if (path.isEmpty())
        return;
    const DeleteResult result =
        DeleteFiles({path}, [this](const QStringList& paths, const QString& reason) {
            return AskDeleteForGood(this, paths, reason);
        });
    stShellList_->Refresh();
    ReportErrors([this] { UpdateSavePreview(); });
    ShowFileProblems(this, QStringLiteral("The file could not be deleted:"), result.ProblemLines());
}

void TSaveAsForm::SetViewStyle(ShellViewStyle style) {
    stShellList_->SetViewStyle(style);
    const int checked = static_cast<int>(style);
    const QList<QAction*> actions = viewModeMenu_->actions();
    if (checked < actions.size())
        actions.at(checked)->setChecked(true);
}

void TSaveAsForm::accept() {
    const SaveNameDecision decision =
        CheckSaveName(stShellList_->Folder(), edtFileName_->text(), cmbFilter_->currentIndex());
    if (decision.check == SaveNameCheck::Empty)
        return;
    edtFileName_->setText(decision.name);
    if (decision.check == SaveNameCheck::Unsupported) {
        ShowStandardErrorBox(UnsupportedSaveFormatMessage(decision.path), this);
        return;
    }
    if (decision.check == SaveNameCheck::NotAFile) {
        ShowStandardErrorBox(NotAFileMessage(decision.path), this);
        return;
    }
    if (decision.check == SaveNameCheck::Exists && !AskReplace(decision.path))
        return;
    done(mrOk);
}

bool TSaveAsForm::AskReplace(const QString& path) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), ReplaceFileQuestion(path),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("ReplaceFileQuestion"));
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void TSaveAsForm::FileDoubleClicked(const QString& path) {
    if (IsPreviewableSaveFile(path))
        accept();
}

void TSaveAsForm::EnterPressed() {
    accept();
}

void TSaveAsForm::showEvent(QShowEvent* event) {
    TModalDialog::showEvent(event);
    ReportErrors([this] { UpdateSavePreview(); });
}

void TSaveAsForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F5) {
        RefreshView();
        return;
    }
    TModalDialog::keyPressEvent(event);
}

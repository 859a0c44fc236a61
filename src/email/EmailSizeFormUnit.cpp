// SPDX-License-Identifier: MIT
#include "email/EmailSizeFormUnit.h"

#include "dialogs/Dialogs.h"
#include "dialogs/HelpDlgUnit.h"
#include "email/EmailHost.h"
#include "email/EmailOptimizer.h"
#include "email/EmailSizing.h"
#include "email/EmailTexts.h"
#include "email/MailSender.h"
#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/GenUtilWidgets.h"
#include "imaging/PictureUtilUnit.h"
#include "platform/MailHandoff.h"
#include "settings/RegistryUnit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

namespace {

// The hourglass everywhere while files are shrunk, and the normal pointer back afterwards,
// also when something fails.
class BusyScope {
public:
    explicit BusyScope(EmailHost& host) : host_(host) {
        host_.SetBusy(true);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyScope() {
        QApplication::restoreOverrideCursor();
        host_.SetBusy(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    EmailHost& host_;
};

QString ErrorText(const std::exception& error) {
    if (const auto* appError = dynamic_cast<const AppError*>(&error))
        return appError->Message();
    return QString::fromLocal8Bit(error.what());
}

} // namespace

TEmailSizeDlg::TEmailSizeDlg(EmailHost* host, QWidget* parent) : QDialog(parent), host_(host) {
    if (!host_) {
        ownHost_ = std::make_unique<EmailHost>();
        host_ = ownHost_.get();
    }
    setObjectName(QStringLiteral("EmailSizeDlg"));
    setWindowTitle(EmailWizardDesignCaption());
    setModal(false);
    BuildControls();
    WidenButtonsForDpi(this);

    mail_ = new TMailSender(this, this);
    mail_->ErrorMessage = MailErrorMessage();
    mail_->TextToSend.append(EmailFooterLines());
    connect(mail_, &TMailSender::MailSent, this, &TEmailSizeDlg::MailSent);

    connect(cbDontResize_, &QCheckBox::toggled, this, &TEmailSizeDlg::UpdateEmailOptions);
    connect(sbtnShowFiles_, &QPushButton::clicked, this, [this] { SetFilesShown(!FilesShown()); });
    connect(sbtnMoreFiles_, &QPushButton::clicked, this, &QWidget::close);
    connect(sbtnCancel_, &QPushButton::clicked, this, [this] {
        ClearEmailFiles();
        close();
    });
    connect(sbtnContinue_, &QPushButton::clicked, this, &TEmailSizeDlg::OptimizeAndSend);
    connect(sbtnClearList_, &QPushButton::clicked, this, &TEmailSizeDlg::ClearEmailFiles);
    connect(sbtnClearSelection_, &QPushButton::clicked, this,
            &TEmailSizeDlg::RemoveSelectedEmailFiles);
    // A click or a key that moves the current row.
    connect(fileListBox_, &QListWidget::itemSelectionChanged, this, &TEmailSizeDlg::RefreshPreview);
    fileListBox_->installEventFilter(this);

    ReadSettings();
    UpdateEmailOptions();
    SetFilesShown(false);
    UpdateButtons();
    UpdateEmailCaption();
}

TEmailSizeDlg::~TEmailSizeDlg() {
    WriteSettings();
}

void TEmailSizeDlg::ReadSettings() {
    SetSpeedIndex(ReadRegInteger(RegNames::InetSpeed, int(EmailSpeed::Medium)));
    cbShowResults_->setChecked(ReadRegBool(RegNames::ShowOptResults, false));
    cbDontResize_->setChecked(ReadRegBool(RegNames::DontOptimize, false));
}

void TEmailSizeDlg::WriteSettings() {
    try {
        WriteRegString(RegNames::InetSpeed, QString::number(SpeedIndex()));
        WriteRegString(RegNames::ShowOptResults, BoolToRegText(cbShowResults_->isChecked()));
        WriteRegString(RegNames::DontOptimize, BoolToRegText(cbDontResize_->isChecked()));
    } catch (const std::exception&) {
        // The program is ending; the values not yet written keep their stored texts.
    }
}

int TEmailSizeDlg::SpeedIndex() const {
    return speedGroup_->checkedId();
}

void TEmailSizeDlg::SetSpeedIndex(int index) {
    if (QAbstractButton* item = speedGroup_->button(index)) {
        item->setChecked(true);
        return;
    }
    // No choice: an exclusive group only lets go of its checked button when it is not exclusive.
    speedGroup_->setExclusive(false);
    for (QAbstractButton* item : speedGroup_->buttons())
        item->setChecked(false);
    speedGroup_->setExclusive(true);
}

qint64 TEmailSizeDlg::SizeLimit() const {
    return EmailSizeLimit(SpeedIndex());
}

QRadioButton* TEmailSizeDlg::SpeedButton(int index) const {
    return qobject_cast<QRadioButton*>(speedGroup_->button(index));
}

bool TEmailSizeDlg::IsSending() const {
    return mail_->IsSending();
}

void TEmailSizeDlg::EmailSelection() {
    if (host_->SlideShowRunning())
        return;
    const QString folder = host_->CurrentFolderPath();
    const QStringList names = host_->CurrentSelection();
    if (!folder.isEmpty() && !names.isEmpty())
        AddEmailFiles(folder, names);
    ShowWizard();
}

void TEmailSizeDlg::ShowWizard() {
    show();
    raise();
    activateWindow();
}

void TEmailSizeDlg::AddEmailFiles(const QString& folder, const QStringList& names) {
    {
        const QSignalBlocker blocker(fileListBox_);
        fileListBox_->addItems(files_.Add(folder, names));
    }
    UpdateButtons();
    if (fileListBox_->selectedItems().isEmpty() && !files_.IsEmpty()) {
        SelectFirstRow();
        RefreshPreview();
    }
    UpdateEmailCaption();
}

void TEmailSizeDlg::ClearEmailFiles() {
    {
        const QSignalBlocker blocker(fileListBox_);
        files_.Clear();
        fileListBox_->clear();
    }
    UpdateButtons();
    ClearEmailPreview();
    UpdateEmailCaption();
}

void TEmailSizeDlg::RemoveSelectedEmailFiles() {
    QList<int> rows;
    for (const QModelIndex& index : fileListBox_->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty())
        return;
    {
        const QSignalBlocker blocker(fileListBox_);
        std::sort(rows.begin(), rows.end(), std::greater<int>());
        for (int row : rows)
            delete fileListBox_->takeItem(row);
        files_.RemoveRows(rows);
    }
    UpdateButtons();
    if (files_.IsEmpty()) {
        ClearEmailPreview();
    } else {
        SelectFirstRow();
        RefreshPreview();
    }
    UpdateEmailCaption();
}

void TEmailSizeDlg::UpdateEmailCaption() {
    setWindowTitle(EmailWizardCaption(files_.Names()));
}

void TEmailSizeDlg::UpdateEmailOptions() {
    const bool resize = !cbDontResize_->isChecked();
    rgSpeed_->setEnabled(resize);
    cbShowResults_->setEnabled(resize);
}

void TEmailSizeDlg::ClearEmailPreview() {
    previewBitmap_.SetSize(0, 0);
    imagePreview_->clear();
    lblDimensions_->clear();
    lblSize_->clear();
    previewFile_.clear();
}

void TEmailSizeDlg::UpdateEmailPreview() {
    const int row = fileListBox_->currentRow();
    if (fileListBox_->selectedItems().isEmpty() || row < 0 || row >= files_.Count()) {
        ClearEmailPreview();
        return;
    }
    const QString path = files_.Paths().at(row);
    if (path == previewFile_)
        return;
    previewFile_ = path;
    QString dimensions;
    try {
        LoadFittedPreview(path, ScaleForDpi(62), ScaleForDpi(58), &previewBitmap_, dimensions,
                          true);
    } catch (...) {
        // No stale picture or texts of the previous file; trying the row again retries.
        ClearEmailPreview();
        throw;
    }
    imagePreview_->setPixmap(QPixmap::fromImage(previewBitmap_.Image()));
    const QString extension = ExtractExtension(path);
    if (extension == QStringLiteral(".jpeg") || extension == QStringLiteral(".jpg"))
        dimensions += QStringLiteral(" (Approx.)");
    lblDimensions_->setText(dimensions);
    lblSize_->setText(EmailFileSizeText(QFileInfo(path).size()));
    const int left = previewBitmap_.Width() + imagePreview_->x() + 6;
    lblDimensions_->move(left, lblDimensions_->y());
    lblSize_->move(left, lblSize_->y());
}

void TEmailSizeDlg::OptimizeAndSend() {
    if (files_.IsEmpty() || mail_->IsSending())
        return;
    QString copyFolder;
    try {
        copyFolder = MailFolderIn(TempFolder());
        RemoveOldMailFiles(copyFolder, QDateTime::currentDateTime());
    } catch (const std::exception& error) {
        ShowApplicationError(ErrorText(error));
        return;
    }
    const bool showResults = cbShowResults_->isChecked();
    const bool dontResize = cbDontResize_->isChecked();
    const EmailOptimizeOptions options{SizeLimit(), showResults, dontResize};
    try {
        EmailOptimizeResult run;
        resizeProgressBar_->setRange(0, 3 * files_.Count());
        {
            const BusyScope busy(*host_);
            run = OptimizeEmailFiles(files_.Paths(), options, copyFolder, [this](int value) {
                resizeProgressBar_->setValue(value);
                resizeProgressBar_->repaint();
            });
        }
        if (run.hadError || (showResults && !dontResize)) {
            HelpDlg().PrepareEmailResults(run.resultLines, !showResults);
            HelpDlg().ShowModal();
        }
        mail_->FileNames = run.attachments;
        mail_->Subject = run.subject;
        mail_->SendMail();
    } catch (const std::exception& error) {
        ShowApplicationError(ErrorText(error));
    }
    resizeProgressBar_->setValue(0);
    UpdateButtons();
}

void TEmailSizeDlg::MailSent(bool success) {
    if (success && QMessageBox::question(this, QStringLiteral("Confirm"), ClearListQuestion(),
                                         QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::Yes) == QMessageBox::Yes)
        ClearEmailFiles();
    UpdateButtons();
    UpdateEmailCaption();
    if (isVisible()) {
        activateWindow();
        setFocus();
    }
    emit SendFinished(success);
}

void TEmailSizeDlg::UpdateButtons() {
    const bool empty = files_.IsEmpty();
    sbtnContinue_->setEnabled(!empty && !mail_->IsSending());
    sbtnCancel_->setText(CancelCaption(empty));
}

void TEmailSizeDlg::SelectFirstRow() {
    const QSignalBlocker blocker(fileListBox_);
    fileListBox_->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void TEmailSizeDlg::RefreshPreview() {
    try {
        UpdateEmailPreview();
    } catch (const std::exception& error) {
        ShowApplicationError(ErrorText(error));
    }
}

void TEmailSizeDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OptimizeAndSend();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

bool TEmailSizeDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fileListBox_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        RemoveSelectedEmailFiles();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// SPDX-License-Identifier: MIT
#pragma once

#include "email/EmailFileList.h"
#include "imaging/Bitmap.h"

#include <QDialog>
#include <memory>

class EmailHost;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TMailSender;

// "Email Selected Images", the e-mail optimization wizard: a modeless window that collects image
// files from any number of folders, shrinks the large ones for the chosen connection speed
// (bitmaps become JPEG copies), writes the copies into the mail folder of the program's
// temporary folder (MailFolderIn, where they outlive the program for a mail program that reads
// them late; copies older than a day go when the next send starts) and hands everything to the
// user's mail program. The user's files are never changed. One instance lives for the whole
// run; hiding it keeps its list, preview and settings.
//
// Settings: "InetSpeed", "ShowOptResults" and "DontOptimize" are read at creation and written
// at destruction (WriteSettings).
class TEmailSizeDlg : public QDialog {
    Q_OBJECT
public:
    // `host` (the main window) may be null: the wizard then works without one.
    explicit TEmailSizeDlg(EmailHost* host = nullptr, QWidget* parent = nullptr);
    ~TEmailSizeDlg() override;

    // The main window's e-mail command: nothing during a slide show; otherwise the current
    // folder's selection is added to the list, and the wizard is shown (also when nothing was
    // added) without waiting for it.
    void EmailSelection();
    // Shows the wizard modelessly and brings it to the front.
    void ShowWizard();

    // Appends folder/name for every name not yet in the list.
    void AddEmailFiles(const QString& folder, const QStringList& names);
    void ClearEmailFiles();
    void RemoveSelectedEmailFiles();
    void UpdateEmailCaption();
    void UpdateEmailOptions();
    void ClearEmailPreview();
    // Shows the current row's file in the preview with its dimensions and size. Throws
    // AppError when the file cannot be read; the preview is then empty.
    void UpdateEmailPreview();
    // "Send Email": shrinks, reports and hands the files to the mail program. The hand-off's
    // outcome arrives later (SendFinished); meanwhile no second send starts.
    void OptimizeAndSend();

    // Writes the three settings; the first write that fails ends it silently.
    void WriteSettings();

    // The chosen speed: 0 Large, 1 Medium, 2 Small, -1 none; and its byte limit.
    int SpeedIndex() const;
    void SetSpeedIndex(int index);
    qint64 SizeLimit() const;

    const QStringList& EmailFiles() const { return files_.Paths(); }
    const QString& PreviewFile() const { return previewFile_; }
    const TBitmap& PreviewBitmap() const { return previewBitmap_; }
    bool FilesShown() const;
    bool IsSending() const;

    QGroupBox* RGSpeed() const { return rgSpeed_; }
    QRadioButton* SpeedButton(int index) const;
    QCheckBox* CBShowResults() const { return cbShowResults_; }
    QCheckBox* CBDontResize() const { return cbDontResize_; }
    QProgressBar* ResizeProgressBar() const { return resizeProgressBar_; }
    QPushButton* SBtnContinue() const { return sbtnContinue_; }
    QPushButton* SBtnMoreFiles() const { return sbtnMoreFiles_; }
    QPushButton* SBtnCancel() const { return sbtnCancel_; }
    QPushButton* SBtnShowFiles() const { return sbtnShowFiles_; }
    QPushButton* SBtnClearSelection() const { return sbtnClearSelection_; }
    QPushButton* SBtnClearList() const { return sbtnClearList_; }
    QListWidget* FileListBox() const { return fileListBox_; }
    QLabel* LblList() const { return lblList_; }
    QLabel* ImagePreview() const { return imagePreview_; }
    QLabel* LblDimensions() const { return lblDimensions_; }
    QLabel* LblSize() const { return lblSize_; }
    QLabel* StaticText1() const { return staticText1_; }
    TMailSender& Mail() const { return *mail_; }

signals:
    // A send run has ended: the mail program took the message (true) or the hand-off failed
    // and its error box was answered (false).
    void SendFinished(bool success);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ReadSettings();
    void SetFilesShown(bool shown);
    void UpdateButtons();
    // UpdateEmailPreview with its error shown in the program's error box.
    void RefreshPreview();
    void SelectFirstRow();
    void MailSent(bool success);

    EmailHost* host_;
    std::unique_ptr<EmailHost> ownHost_;
    TEmailFileList files_;
    QString previewFile_;
    TBitmap previewBitmap_;
    TMailSender* mail_ = nullptr;

    QLabel* staticText1_ = nullptr;
    QGroupBox* rgSpeed_ = nullptr;
    QButtonGroup* speedGroup_ = nullptr;
    QCheckBox* cbShowResults_ = nullptr;
    QCheckBox* cbDontResize_ = nullptr;
    QProgressBar* resizeProgressBar_ = nullptr;
    QPushButton* sbtnContinue_ = nullptr;
    QPushButton* sbtnMoreFiles_ = nullptr;
    QPushButton* sbtnCancel_ = nullptr;
    QPushButton* sbtnShowFiles_ = nullptr;
    QPushButton* sbtnClearSelection_ = nullptr;
    QPushButton* sbtnClearList_ = nullptr;
    QLabel* lblList_ = nullptr;
    QListWidget* fileListBox_ = nullptr;
    QLabel* imagePreview_ = nullptr;
    QLabel* lblDimensions_ = nullptr;
    QLabel* lblSize_ = nullptr;
};

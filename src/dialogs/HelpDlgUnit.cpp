// SPDX-License-Identifier: MIT
#include "dialogs/HelpDlgUnit.h"

#include "dialogs/DialogControls.h"
#include "dialogs/Dialogs.h"
#include "dialogs/ModalResult.h"
#include "dialogs/PromptLayout.h"
#include "imaging/AppError.h"
#include "imaging/GenUtilWidgets.h"

#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int ClientWidth = 408;
constexpr int HeadingTop = 16;
constexpr int HeadingWidth = 338;
constexpr int HeadingMinHeight = 32;
constexpr int BevelTop = 8;

} // namespace

THelpDlg::THelpDlg(QWidget* parent) : TModalDialog(parent) {
    setObjectName(QStringLiteral("HelpDlg"));
    setWindowTitle(HelpBoxInitialCaption());
    setFixedSize(ClientWidth, 167);

    bevel1_ = new QFrame(this);
    bevel1_->setObjectName(QStringLiteral("Bevel1"));
    bevel1_->setFrameShape(QFrame::StyledPanel);
    bevel1_->setFrameShadow(QFrame::Sunken);
    bevel1_->setGeometry(BevelTop, BevelTop, 394, 125);

    const QStyle::StandardPixmap pictures[4] = {
        QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxWarning,
        QStyle::SP_MessageBoxQuestion, QStyle::SP_MessageBoxCritical};
    const char* names[4] = {"ImgInfo", "ImgAlert", "ImgQuestion", "ImgError"};
    for (int i = 0; i < 4; ++i) {
        icons_[i] = new QLabel(this);
        icons_[i]->setObjectName(QString::fromLatin1(names[i]));
        icons_[i]->setGeometry(16, 16, 32, 32);
        icons_[i]->setPixmap(style()->standardIcon(pictures[i], nullptr, this).pixmap(32, 32));
    }

    lblHelpText_ = MakeDialogLabel(this, QString(), 56, HeadingTop, "LblHelpText");
    QFont bold = lblHelpText_->font();
    bold.setBold(true);
    lblHelpText_->setFont(bold);
    FitWrappedLabel(lblHelpText_, HeadingWidth, HeadingMinHeight);

    mmoHelpDetail_ = new QPlainTextEdit(this);
    mmoHelpDetail_->setObjectName(QStringLiteral("MmoHelpDetail"));
    mmoHelpDetail_->setReadOnly(true);
    mmoHelpDetail_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = mmoHelpDetail_->palette();
    palette.setColor(QPalette::Base, QColor(192, 192, 192));
    mmoHelpDetail_->setPalette(palette);
    mmoHelpDetail_->setGeometry(16, 48, 378, 73);

    sbtnOkay_ = MakeDialogButton(this, DefaultOkCaption(), QRect(168, 138, 73, 25), "SbtnOkay");
    sbtnCancel_ =
        MakeDialogButton(this, DefaultCancelCaption(), QRect(0, 138, 73, 25), "SBtnCancel");
    sbtnOptional_ =
        MakeDialogButton(this, DefaultOptionalCaption(), QRect(0, 138, 99, 25), "SbtnOptional");
    connect(sbtnOkay_, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(sbtnCancel_, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(sbtnOptional_, &QPushButton::clicked, this, [this] { done(mrAbort); });
    ResetButtons();
    SetIconKind(HelpIcon::Info);

    WidenButtonsForDpi(this);
}

void THelpDlg::SetIconKind(HelpIcon kind) {
    iconKind_ = kind;
    for (int i = 0; i < 4; ++i)
        icons_[i]->setVisible(i == static_cast<int>(kind));
}

void THelpDlg::SetDetailText(const QString& text) {
    mmoHelpDetail_->setPlainText(text);
}

QString THelpDlg::DetailText() const {
    return mmoHelpDetail_->toPlainText();
}

int THelpDlg::ShowHelpBox(const QString& caption, const QString& heading, const QString& detail) {
    setWindowTitle(caption);
    lblHelpText_->setText(heading);
    SetIconKind(HelpIcon::Error);
    SetDetailText(detail);
    return ShowModal();
}

int THelpDlg::ShowErrorMessage(const QString& message) {
    const HelpBoxContent content = ErrorMessageContent(message);
    return ShowHelpBox(content.caption, content.heading, message);
}

void THelpDlg::PrepareOverwritePrompt() {
    Prepare(OverwritePromptContent());
}

void THelpDlg::PrepareSmallImageOverwritePrompt() {
    Prepare(SmallImageOverwritePromptContent());
}

void THelpDlg::PrepareUnsupportedFormat(const QString& fileName) {
    Prepare(UnsupportedFormatContent(fileName));
}

void THelpDlg::PrepareDefaultHandlerError(const QString& extension) {
    Prepare(DefaultHandlerErrorContent(extension));
}

void THelpDlg::PrepareEmailResults(const QStringList& lines, bool hadError) {
    Prepare(EmailResultsContent(lines, hadError));
}

void THelpDlg::Prepare(const HelpBoxContent& content) {
    setWindowTitle(content.caption);
    lblHelpText_->setText(content.heading);
    SetIconKind(content.icon);
    mmoHelpDetail_->setPlainText(content.detailLines.join(QLatin1Char('\n')));
    sbtnOkay_->setText(content.okCaption);
    sbtnCancel_->setText(content.cancelCaption);
    sbtnOptional_->setText(content.optionalCaption);
    sbtnCancel_->setVisible(content.cancelVisible);
    sbtnOptional_->setVisible(content.optionalVisible);
}

int THelpDlg::ShowModal() {
    return exec();
}

void THelpDlg::SetOkCaption(const QString& caption) {
    sbtnOkay_->setText(caption);
}

void THelpDlg::ShowCancelButton(const QString& caption) {
    sbtnCancel_->setText(caption);
    sbtnCancel_->setVisible(true);
}

int THelpDlg::ShowFolderDeletedPrompt(bool offerSaveImage) {
    SetOkCaption(CloseFolderCaption());
    if (offerSaveImage)
        ShowCancelButton(SaveImageCaption());
    return ShowErrorMessage(FolderDeletedMessage());
}

void THelpDlg::ApplyLayout() {
    HelpBoxLayoutInput input;
    input.bevelTop = bevel1_->y();
    input.headingTop = lblHelpText_->y();
    input.headingHeight = FitWrappedLabel(lblHelpText_, HeadingWidth, HeadingMinHeight);
    input.detailHeight = mmoHelpDetail_->height();
    input.windowWidth = width();
    input.okWidth = sbtnOkay_->width();
    input.cancelWidth = sbtnCancel_->width();
    input.optionalWidth = sbtnOptional_->width();
    input.buttonHeight = sbtnOkay_->height();
    input.cancelVisible = !sbtnCancel_->isHidden();
    input.optionalVisible = !sbtnOptional_->isHidden();
    const HelpBoxLayout layout = ComputeHelpBoxLayout(input);

    bevel1_->resize(bevel1_->width(), layout.bevelHeight);
    mmoHelpDetail_->move(mmoHelpDetail_->x(), layout.detailTop);
    sbtnOkay_->move(layout.okLeft, layout.buttonTop);
    sbtnCancel_->move(layout.cancelLeft, layout.buttonTop);
    sbtnOptional_->move(layout.optionalLeft, layout.buttonTop);
    setFixedSize(width(), layout.clientHeight);
}

void THelpDlg::showEvent(QShowEvent* event) {
    ApplyLayout();
    TModalDialog::showEvent(event);
    sbtnOkay_->setFocus();
}

void THelpDlg::EscapePressed() {
    // A three-way question must be answered by a button or Enter.
    if (sbtnOptional_->isHidden())
        done(mrCancel);
}

void THelpDlg::done(int result) {
    TModalDialog::done(result);
    ResetButtons();
}

void THelpDlg::ResetButtons() {
    sbtnCancel_->hide();
    sbtnOptional_->hide();
    sbtnOkay_->setText(DefaultOkCaption());
    sbtnCancel_->setText(DefaultCancelCaption());
    sbtnOptional_->setText(DefaultOptionalCaption());
}

void ShowApplicationError(const QString& message) {
    THelpDlg* shared = HelpDlgIfCreated();
    if (shared && !shared->isVisible()) {
        shared->ShowErrorMessage(message);
        return;
    }
    THelpDlg box;
    box.ShowErrorMessage(message);
}

void ReportErrors(const std::function<void()>& action) {
    try {
        action();
    } catch (const AppError& error) {
        ShowApplicationError(error.Message());
    } catch (const std::exception& error) {
        ShowApplicationError(QString::fromLocal8Bit(error.what()));
    }
}

void ShowStandardErrorBox(const QString& message, QWidget* parent) {
    QMessageBox::critical(parent, QStringLiteral("Error"), message);
}

// SPDX-License-Identifier: MIT
// The wizard's controls and where they sit. Left: texts, speed, options, progress and the main
// buttons. Right, shown by "Show Files >": the file list, the preview and the list buttons.
#include "email/EmailSizeFormUnit.h"
#include "email/EmailSizing.h"
#include "email/EmailTexts.h"

#include "dialogs/DialogControls.h"
#include "imaging/GenUtilUnit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace {

constexpr int Margin = 8;
constexpr int LeftWidth = 480; // width of the introduction text and everything under it
constexpr int PaneLeft = Margin + LeftWidth + 16;
constexpr int PaneWidth = 200;
constexpr int ButtonHeight = 25;

QCheckBox* MakeCheckBox(QWidget* parent, const QString& caption, int y, const char* name) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(Margin, y, LeftWidth, box->sizeHint().height());
    return box;
}

} // namespace

void TEmailSizeDlg::BuildControls() {
    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    const QIcon icon = QIcon::fromTheme(QStringLiteral("mail-send"),
                                        style()->standardIcon(QStyle::SP_MessageBoxInformation));
    image1->setPixmap(icon.pixmap(32, 32));
    image1->setGeometry(Margin, Margin, 32, 32);

    QLabel* label1 = MakeDialogLabel(this, EmailWizardHeading(), 48, 16, "Label1");
    QFont headingFont = label1->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.25);
    label1->setFont(headingFont);
    label1->adjustSize();

    staticText1_ = MakeDialogLabel(this, EmailWizardIntroduction(), Margin, 48, "StaticText1");
    int y = 48 + FitWrappedLabel(staticText1_, LeftWidth, 0) + Margin;

    rgSpeed_ = new QGroupBox(EmailSpeedGroupCaption(), this);
    rgSpeed_->setObjectName(QStringLiteral("RGSpeed"));
    rgSpeed_->setGeometry(Margin, y, LeftWidth, 52);
    speedGroup_ = new QButtonGroup(this);
    const int column = (LeftWidth - 16) / EmailSpeedCount;
    for (int i = 0; i < EmailSpeedCount; ++i) {
        auto* item = new QRadioButton(EmailSpeedItemText(i), rgSpeed_);
        item->setObjectName(QStringLiteral("RGSpeedItem%1").arg(i));
        item->setGeometry(8 + i * column, 24, column, item->sizeHint().height());
        speedGroup_->addButton(item, i);
    }
    y += 52 + Margin;

    cbShowResults_ = MakeCheckBox(this, ShowResultsCaption(), y, "CBShowResults");
    y += 22;
    cbDontResize_ = MakeCheckBox(this, DontResizeCaption(), y, "CBDontResize");
    y += 28;

    resizeProgressBar_ = new QProgressBar(this);
    resizeProgressBar_->setObjectName(QStringLiteral("ResizeProgressBar"));
    resizeProgressBar_->setTextVisible(false);
    resizeProgressBar_->setRange(0, 1);
    resizeProgressBar_->setValue(0);
    resizeProgressBar_->setGeometry(Margin, y, LeftWidth, 16);
    y += 16 + Margin;

    sbtnContinue_ = MakeDialogButton(this, QStringLiteral("Send Email"),
                                     QRect(Margin, y, 90, ButtonHeight), "SBtnContinue");
    sbtnMoreFiles_ = MakeDialogButton(this, QStringLiteral("Add More Files"),
                                      QRect(104, y, 100, ButtonHeight), "SBtnMoreFiles");
    sbtnCancel_ =
        MakeDialogButton(this, CancelCaption(true), QRect(210, y, 80, ButtonHeight), "SBtnCancel");
    sbtnShowFiles_ =
        MakeDialogButton(this, ShowFilesCaption(false),
                         QRect(Margin + LeftWidth - 90, y, 90, ButtonHeight), "SBtnShowFiles");
    sbtnClearSelection_ =
        MakeDialogButton(this, QStringLiteral("Clear Selected"),
                         QRect(PaneLeft, y, 96, ButtonHeight), "SBtnClearSelection");
    sbtnClearList_ =
        MakeDialogButton(this, QStringLiteral("Clear List"),
                         QRect(PaneLeft + PaneWidth - 96, y, 96, ButtonHeight), "SBtnClearList");
    const int height = y + ButtonHeight + Margin;

    lblList_ = MakeDialogLabel(this, QStringLiteral("Files to Email"), PaneLeft, Margin, "LblList");
    const int previewWidth = ScaleForDpi(62);
    const int previewHeight = ScaleForDpi(58);
    const int previewTop = y - Margin - previewHeight;
    fileListBox_ = new QListWidget(this);
    fileListBox_->setObjectName(QStringLiteral("FileListBox"));
    fileListBox_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    fileListBox_->setGeometry(PaneLeft, 24, PaneWidth, previewTop - Margin - 24);

    imagePreview_ = new QLabel(this);
    imagePreview_->setObjectName(QStringLiteral("ImagePreview"));
    imagePreview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imagePreview_->setGeometry(PaneLeft, previewTop, previewWidth, previewHeight);
    lblDimensions_ = MakeDialogLabel(this, QString(), PaneLeft, previewTop, "LblDimensions");
    lblSize_ = MakeDialogLabel(this, QString(), PaneLeft, previewTop + 16, "LblSize");
    for (QLabel* label : {lblDimensions_, lblSize_})
        label->resize(PaneWidth - 6, label->sizeHint().height());

    setFixedSize(PaneLeft, height);
}

void TEmailSizeDlg::SetFilesShown(bool shown) {
    const QWidget* edge = shown ? static_cast<QWidget*>(fileListBox_) : staticText1_;
    setFixedWidth(edge->x() + edge->width() + 16);
    // The whole pane goes: its buttons would otherwise stay reachable by Tab outside the
    // window's edge.
    const QList<QWidget*> pane{lblList_, fileListBox_, sbtnClearSelection_, sbtnClearList_};
    for (QWidget* control : pane)
        control->setVisible(shown);
    sbtnShowFiles_->setText(ShowFilesCaption(shown));
}

bool TEmailSizeDlg::FilesShown() const {
    return !fileListBox_->isHidden();
}

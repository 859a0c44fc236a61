// SPDX-License-Identifier: MIT
#include "dialogs/PreviewControls.h"

#include "dialogs/DialogControls.h"
#include "dialogs/PreviewTexts.h"
#include "imaging/AppError.h"
#include "imaging/PictureLoading.h"

#include <QMouseEvent>

TImagePreview::TImagePreview(QWidget* parent, int left, int boxTop)
    : QLabel(parent), left_(left), boxTop_(boxTop) {
    setObjectName(QStringLiteral("ImagePreview"));
    Clear();
}

QString TImagePreview::Load(const QString& path) {
    QString dimensionText;
    try {
        LoadFittedPreview(path, PreviewBoxWidth(), PreviewBoxHeight(), &bitmap_, dimensionText,
                          true);
    } catch (const AppError&) {
        Clear();
        throw;
    }
    setPixmap(QPixmap::fromImage(bitmap_.Image()));
    setGeometry(left_, CentredPreviewTop(boxTop_, bitmap_.Height()), bitmap_.Width(),
                bitmap_.Height());
    return dimensionText;
}

void TImagePreview::Clear() {
    bitmap_.SetSize(0, 0);
    QLabel::clear();
    setGeometry(left_, CentredPreviewTop(boxTop_, 0), 0, 0);
}

void TImagePreview::mouseDoubleClickEvent(QMouseEvent* event) {
    if (HasPicture())
        emit PictureDoubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

namespace {

QLabel* LogoLabel(QWidget* parent, const QString& text, int x, int y, bool handwriting) {
    QLabel* label = MakeDialogLabel(parent, text, x, y, handwriting ? "Label3" : "Label4");
    QFont font = label->font();
    if (handwriting) {
        font.setStyleHint(QFont::Cursive);
        font.setFamilies(
            {QStringLiteral("URW Chancery L"), QStringLiteral("Z003"), QStringLiteral("cursive")});
    }
    font.setPixelSize(19);
    label->setFont(font);
    QPalette silver = label->palette();
    silver.setColor(QPalette::WindowText, QColor(192, 192, 192));
    label->setPalette(silver);
    label->adjustSize();
    return label;
}

} // namespace

void MakeLogoLabels(QWidget* parent, int orvoX, int browserX, int y) {
    LogoLabel(parent, QStringLiteral("Orvo"), orvoX, y, true);
    LogoLabel(parent, QStringLiteral("Image Browser"), browserX, y, false);
}

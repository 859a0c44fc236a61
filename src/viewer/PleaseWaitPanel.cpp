// SPDX-License-Identifier: MIT
#include "viewer/PleaseWaitPanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

QLabel* HintLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setPixelSize(13);
    label->setFont(font);
    label->adjustSize();
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

TPleaseWaitPanel::TPleaseWaitPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PnlPleaseWait"));
    QFont font = this->font();
    font.setPixelSize(13);
    setFont(font);
    lblToOpenImage_ = HintLabel("LblToOpenImage",
                                QStringLiteral("Click on a Thumbnail to Open an Image or"), this);
    lblToOpenImage_->hide();
    lblToOpen_ = HintLabel(
        "LblToOpen",
        QStringLiteral("Press [Ctrl+O] or Click the Open Folder Button to Open an Image Folder"),
        this);
    openBtnImage_ = new QLabel(this);
    openBtnImage_->setObjectName(QStringLiteral("OpenBtnImage"));
    openBtnImage_->setPixmap(style()->standardIcon(QStyle::SP_DirOpenIcon).pixmap(32, 32));
    openBtnImage_->adjustSize();
    openBtnImage_->setCursor(Qt::PointingHandCursor);
    for (QLabel* label : {lblToOpenImage_, lblToOpen_, openBtnImage_})
        label->installEventFilter(this);
    SetColor(Qt::black);
}

void TPleaseWaitPanel::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TPleaseWaitPanel::SetColor(const QColor& color) {
    color_ = color;
    const QColor text = color == QColor(Qt::black) ? QColor(Qt::white) : QColor(Qt::black);
    for (QLabel* label : {lblToOpenImage_, lblToOpen_}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, text);
        label->setPalette(palette);
    }
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, text);
    setPalette(palette);
    update();
}

void TPleaseWaitPanel::ShowHints(bool anyFolderOpen) {
    lblToOpen_->show();
    openBtnImage_->show();
    lblToOpenImage_->setVisible(anyFolderOpen);
}

void TPleaseWaitPanel::HideHints() {
    lblToOpen_->hide();
    lblToOpenImage_->hide();
    openBtnImage_->hide();
}

void TPleaseWaitPanel::ArrangeHints() {
    const int w = width();
    const int h = height();
    for (QLabel* control : {lblToOpenImage_, lblToOpen_, openBtnImage_})
        control->move(std::max(0, (w - control->width()) / 2), control->y());
    const int middle = (h - lblToOpen_->height()) / 2;
    const int imageTop = std::max(0, middle - lblToOpenImage_->height() - 10);
    lblToOpenImage_->move(lblToOpenImage_->x(), imageTop);
    const int openTop = std::max(imageTop + lblToOpenImage_->height(), middle);
    lblToOpen_->move(lblToOpen_->x(), openTop);
    const int buttonTop =
        std::max(openTop + lblToOpen_->height(), lblToOpen_->height() + middle + 5);
    openBtnImage_->move(openBtnImage_->x(), buttonTop);
}

void TPleaseWaitPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    if (!caption_.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter, caption_);
    }
}

void TPleaseWaitPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ArrangeHints();
}

void TPleaseWaitPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit Clicked();
}

bool TPleaseWaitPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit Clicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// SPDX-License-Identifier: MIT
#include "dialogs/DialogControls.h"

#include "dialogs/ModalResult.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

void TModalDialog::reject() {
    done(mrCancel);
}

void TModalDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EnterPressed();
        break;
    case Qt::Key_Escape:
        EscapePressed();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TModalDialog::EnterPressed() {
    done(mrOk);
}

void TModalDialog::EscapePressed() {
    done(mrCancel);
}

QPushButton* MakeDialogButton(QWidget* parent, const QString& caption, const QRect& geometry,
                              const char* objectName) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setGeometry(geometry);
    return button;
}

QPushButton* MakePictureButton(QWidget* parent, QStyle::StandardPixmap picture, const QString& hint,
                               const QRect& geometry, const char* objectName) {
    auto* button = MakeDialogButton(parent, QString(), geometry, objectName);
    button->setIcon(parent->style()->standardIcon(picture, nullptr, button));
    button->setToolTip(hint);
    button->setStatusTip(hint);
    return button;
}

QLabel* MakeDialogLabel(QWidget* parent, const QString& text, int x, int y,
                        const char* objectName) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->move(x, y);
    label->adjustSize();
    return label;
}

int FitWrappedLabel(QLabel* label, int width, int minimumHeight) {
    label->setWordWrap(true);
    const int height = qMax(minimumHeight, label->heightForWidth(width));
    label->resize(width, height);
    return height;
}

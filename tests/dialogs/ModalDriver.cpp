// SPDX-License-Identifier: MIT
#include "ModalDriver.h"

#include <QMessageBox>
#include <QPushButton>

std::function<void(QWidget*)> ClickButton(const char* objectName) {
    const QString name = QString::fromLatin1(objectName);
    return [name](QWidget* modal) {
        auto* button = modal->findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        ASSERT_TRUE(button->isVisible()) << name.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    };
}

std::function<void(QWidget*)> NoteAndCloseMessageBox(SeenMessage& seen) {
    return [&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr) << "expected a message box";
        seen.text = box->text();
        seen.shown = true;
        box->button(QMessageBox::Ok)->click();
    };
}

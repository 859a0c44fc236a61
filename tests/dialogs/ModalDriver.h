// SPDX-License-Identifier: MIT
// Drives modal dialogs from a test: the answer is scheduled before the dialog is shown and runs
// once the dialog's own event loop is on screen.
#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// Runs `act` with the top modal window as soon as the next modal event loop is running.
inline void WhenModalShown(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        EXPECT_NE(modal, nullptr) << "no modal window on screen";
        if (modal)
            act(modal);
    });
}

// Presses a key on `target` (a dialog or one of its controls).
inline std::function<void(QWidget*)> PressKey(Qt::Key key) {
    return [key](QWidget* modal) { QTest::keyClick(modal, key); };
}

// Clicks the named push button of the modal window.
std::function<void(QWidget*)> ClickButton(const char* objectName);

// The texts of the modal window's message box (a QMessageBox), read before it is closed.
struct SeenMessage {
    QString text;
    bool shown = false;
};
// Notes the text of the standard message box on screen and closes it with its OK button.
std::function<void(QWidget*)> NoteAndCloseMessageBox(SeenMessage& seen);

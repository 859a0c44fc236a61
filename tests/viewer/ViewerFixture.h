// SPDX-License-Identifier: MIT
// The main window with a folder of images open, keys sent through its key handler, and the
// prompts switched off unless a test wants them.
#pragma once

#include "MainWindowFixture.h"

#include "dialogs/Dialogs.h"
#include "imaging/Picture.h"

#include <QKeyEvent>
#include <QLineEdit>

class ViewerFixture : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        for (const char* prompt : {"ShowAutoFitPrompt", "ShowFullScreenPrompt",
                                   "ShowSlideShowPrompt", "ShowCloseFolderPrompt"})
            WriteRegString(prompt, QStringLiteral("False"));
    }

    // Opens a folder of the named PNG files and waits for the first one to show.
    TFolderViewForm* OpenImages(const QStringList& names,
                                const QString& folder = QStringLiteral("F")) {
        TFolderViewForm* view = Open(MakeFolder(folder, names));
        EXPECT_TRUE(WaitFor([this] { return Form().HasImage(); }));
        return view;
    }

    // A key press as the window gets it: through its handler, then to the focused control.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Form().SetKeyFocus();
        QApplication::setActiveWindow(&Form());
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Form();
        QTest::keyClick(target, Qt::Key(key), modifiers);
        QCoreApplication::processEvents();
    }

    QString Shown() { return Form().CurrentImageName(); }
};

// SPDX-License-Identifier: MIT
// A main window on its own settings, with temporary folders of small image files, and helpers
// to answer the modal boxes it shows.
#pragma once

#include "folderview/FolderModel.h"
#include "folderview/FolderViewUnit.h"
#include "settings/RegistryUnit.h"
#include "viewer/MainUnit.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Runs the event loop until `done` says yes or `ms` have passed; the final answer of `done`.
inline bool WaitFor(const std::function<bool()>& done, int ms = 1000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(5);
    }
    return done();
}

// Answers the next modal box with `result` (a message box is simply accepted) once it is up;
// `seen` receives the box's window title.
inline void AnswerNextModal(int result, QString* seen = nullptr) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, result, seen] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        poll->deleteLater();
        if (seen)
            *seen = dialog->windowTitle();
        if (qobject_cast<QMessageBox*>(dialog))
            dialog->accept();
        else
            dialog->done(result);
    });
    poll->start();
}

class MainWindowFixture : public testing::Test {
protected:
    QTemporaryDir root;
    std::unique_ptr<TMainForm> form;

    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        QFile::remove(SettingsStorePath());
    }
    void TearDown() override { form.reset(); }

    // A folder under the temporary root with small PNG files of the given names.
    QString MakeFolder(const QString& name, const QStringList& files) {
        const QString path = root.filePath(name);
        QDir().mkpath(path);
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::red);
        for (const QString& file : files)
            EXPECT_TRUE(image.save(path + QLatin1Char('/') + file, "PNG"));
        return path;
    }
    TMainForm& Form(const QStringList& arguments = {}) {
        if (!form) {
            form =
                std::make_unique<TMainForm>(QStringList{QStringLiteral("/nosplash")} + arguments);
            form->show();
        }
        return *form;
    }
    TFolderViewForm* Open(const QString& path) {
        TFolderViewForm* view = Form().OpenFolderTab(path);
        EXPECT_NE(view, nullptr) << path.toStdString();
        return view;
    }
    // Entries of a menu as shown (shortcut markers removed), separators left out.
    static QStringList Captions(const QMenu* menu) {
        QStringList captions;
        for (const QAction* item : menu->actions())
            if (!item->isSeparator())
                captions
                    << QString(item->text()).replace(QStringLiteral("&&"), QStringLiteral("&"));
        return captions;
    }
};

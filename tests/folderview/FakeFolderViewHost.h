// SPDX-License-Identifier: MIT
// A folder view host that records what the folder model asks of the windows, and a fixture
// with a temporary folder of made-up image files (the model never decodes them).
#pragma once

#include "folderview/BitmapCache.h"
#include "folderview/FolderModel.h"
#include "folderview/FolderViewHost.h"
#include "imaging/ImageFormats.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable failure messages for names and name lists.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// A name list from literals.
inline QStringList Names(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names)
        list << QString::fromLatin1(name);
    return list;
}

class FakeFolderViewHost : public FolderViewHost {
public:
    // What the windows answer.
    bool floating = false;
    bool current = true;
    bool filmstrip = true;
    bool tabAreaHidden = false;
    bool abandonModified = false; // PromptSaveModified's answer
    bool trashWorks = true;
    QString folder; // the folder ShowImage joins names with

    // What the model did.
    QString imageName;
    QString imagePath;
    QStringList shown; // names given to ShowImage
    int viewerClears = 0;
    int captionUpdates = 0;
    int redraws = 0;
    int frameDraws = 0;
    int listSyncs = 0;
    QStringList scrolledTo;
    QString viewCaption;
    int progressValue = -1;
    int progressMaximum = -1;
    int progressPeak = 0;
    FolderStatus status;
    int statusUpdates = 0;
    QStringList errors;
    int folderDeletions = 0;

    bool IsFloating() const override { return floating; }
    bool FilmstripVisible() const override { return filmstrip; }
    bool FolderTabAreaHidden() const override { return tabAreaHidden; }
    bool IsCurrentFolder() const override { return current; }
    QString CurrentImageName() const override { return imageName; }
    QString CurrentImagePath() const override { return imagePath; }
    void SetCurrentImage(const QString& name, const QString& path) override {
        imageName = name;
        imagePath = path;
    }
    void UpdateCaption() override { ++captionUpdates; }
    void ShowImage(const QString& name) override {
        shown << name;
        SetCurrentImage(name, JoinPath(folder, name));
    }
    void ClearViewer() override {
        ++viewerClears;
        SetCurrentImage({}, {});
    }
    bool PromptSaveModified() override { return abandonModified; }
    void RedrawStrip() override { ++redraws; }
    void DrawFrames() override { ++frameDraws; }
    void ScrollIntoView(const QString& name) override { scrolledTo << name; }
    void SyncListSelection() override { ++listSyncs; }
    void SetViewCaption(const QString& caption) override { viewCaption = caption; }
    void SetProgress(int value, int maximum) override {
        progressValue = value;
        progressMaximum = maximum;
        progressPeak = std::max(progressPeak, value);
    }
    bool DeleteFileToTrash(const QString& path) override {
        return trashWorks && QFile::remove(path);
    }
    void ShowStatus(const FolderStatus& s) override {
        status = s;
        ++statusUpdates;
    }
    void ShowErrorMessage(const QString& message) override { errors << message; }
    void FolderWasDeleted() override { ++folderDeletions; }
};

// A temporary folder, a model on it with its thumbnail strips in another temporary folder, and
// the US English locale so that sorting and number texts are predictable.
class FolderModelFixture : public testing::Test {
protected:
    QTemporaryDir dir;
    QTemporaryDir cacheDir;
    FakeFolderViewHost host;
    std::unique_ptr<TFolderModel> model;
    QLocale savedLocale;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid() && cacheDir.isValid());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        host.folder = dir.path();
        model = std::make_unique<TFolderModel>(
            host, std::make_unique<TThumbnailCacheMgr>(cacheDir.path()));
    }
    void TearDown() override {
        model.reset();
        QLocale::setDefault(savedLocale);
    }

    QString PathOf(const QString& name) const { return JoinPath(dir.path(), name); }
    // A file of `bytes` bytes, last written at `modified` when that is valid.
    void MakeFile(const QString& name, qint64 bytes = 16, const QDateTime& modified = {}) {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(QByteArray(bytes, 'x'));
        file.close();
        if (modified.isValid())
            SetModified(name, modified);
    }
    void MakeFiles(const QStringList& names) {
        for (const QString& name : names)
            MakeFile(name);
    }
    void SetModified(const QString& name, const QDateTime& modified) {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    void OpenFolder() { model->OpenFolder(dir.path() + QLatin1Char('/')); }
    void MarkAllLoaded() {
        for (const QString& name : model->ImageFiles())
            model->MarkLoaded(name);
    }
};

// Processes events until `done` holds or five seconds have passed; the result is `done()`.
inline bool WaitUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return done();
}

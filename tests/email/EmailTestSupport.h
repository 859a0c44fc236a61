// SPDX-License-Identifier: MIT
// Image files of exact byte sizes, a stand-in for the desktop's mail program that notes what it
// was given, and answering the windows that pop up while the wizard sends.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace email_test {

QByteArray JpegBytes(int width, int height);
QByteArray PngBytes(int width, int height);
// A JPEG of width x height made exactly `fileSize` bytes long by comment segments after its
// start marker (decoders skip them).
QByteArray JpegOfFileSize(int width, int height, qint64 fileSize);
// A 24-bit bitmap file: 54 + rows padded to 4 bytes (640 x 480 gives 921654 bytes).
QByteArray BitmapBytes(int width, int height);
QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);
// Width and height of the picture file, read by the program's own loader.
QSize PictureSize(const QString& path);

// A stand-in `xdg-email` first on PATH for its lifetime: it notes its arguments and ends with
// the exit status it was told, or, told to, runs on like a mail program kept in the foreground
// until the user closes it. With `installed` false PATH holds no mail program at all.
class FakeMailProgram {
public:
    explicit FakeMailProgram(bool installed = true);
    ~FakeMailProgram();
    FakeMailProgram(const FakeMailProgram&) = delete;
    FakeMailProgram& operator=(const FakeMailProgram&) = delete;

    void SetExitStatus(int status);
    void SetRunsUntilClosed();
    bool WasRun() const;
    // The arguments of the last run.
    QStringList Arguments() const;
    // The values that followed `option` ("--attach" ...), in order.
    QStringList Values(const QString& option) const;

private:
    QTemporaryDir dir_;
    QByteArray oldPath_;
};

// Answers the modal windows that appear while the event loop runs, in order: each action gets
// the next new modal window. Windows left unanswered at the end fail the test.
class ModalAnswers {
public:
    using Action = std::function<void(QWidget*)>;
    explicit ModalAnswers(std::initializer_list<Action> actions);
    ~ModalAnswers();
    bool AllUsed() const { return actions_.empty(); }

private:
    void Poll();

    std::deque<Action> actions_;
    QTimer timer_;
    QPointer<QWidget> last_;
};

// Actions for ModalAnswers.
// Notes the message box's text and presses its button `button` (a QMessageBox::StandardButton).
ModalAnswers::Action PressMessageBoxButton(int button, QString* text = nullptr);
// Notes the program's message box contents and presses its OK button.
struct SeenHelpBox {
    QString caption;
    QString heading;
    QString detail;
    int icon = -1;
    QString okCaption;
};
ModalAnswers::Action CloseHelpBox(SeenHelpBox* seen);

// Runs the event loop until `done` is true (checked whenever an event was handled), at most a
// generous while; false when it never became true.
bool RunUntil(const std::function<bool()>& done);

} // namespace email_test

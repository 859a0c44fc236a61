// SPDX-License-Identifier: MIT
#include "EmailTestSupport.h"

#include "dialogs/HelpDlgUnit.h"
#include "imaging/JpegImage.h"
#include "imaging/Picture.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace email_test {

QByteArray JpegBytes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    return EncodeJpeg(image);
}

QByteArray PngBytes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 90));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return bytes;
}

QByteArray JpegOfFileSize(int width, int height, qint64 fileSize) {
    const QByteArray jpeg = JpegBytes(width, height);
    qint64 missing = fileSize - jpeg.size();
    EXPECT_TRUE(missing == 0 || missing >= 4) << "the picture alone has " << jpeg.size();
    QByteArray comments;
    while (missing > 0) {
        // A segment: marker, 16-bit length (counting itself) and the comment bytes.
        qint64 segment = qMin<qint64>(missing, 2 + 65535);
        if (missing - segment > 0 && missing - segment < 4)
            segment -= 4;
        const int length = int(segment - 2);
        comments += char(0xFF);
        comments += char(0xFE);
        comments += char(length >> 8);
        comments += char(length & 0xFF);
        comments += QByteArray(length - 2, 'c');
        missing -= segment;
    }
    return jpeg.left(2) + comments + jpeg.mid(2);
}

QByteArray BitmapBytes(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const quint32 pixels = quint32(stride) * height;
    QByteArray b;
    auto put16 = [&b](quint32 v) {
        b += char(v & 0xFF);
        b += char((v >> 8) & 0xFF);
    };
    auto put32 = [&](quint32 v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    b += "BM";
    put32(54 + pixels);
    put32(0);
    put32(54);
    put32(40);
    put32(quint32(width));
    put32(quint32(height));
    put16(1);
    put16(24);
    put32(0);
    put32(pixels);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = 0; y < height; ++y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            row[3 * x] = char(x % 256);
            row[3 * x + 1] = char(y % 256);
            row[3 * x + 2] = char((x + y) % 256);
        }
        b += row;
    }
    return b;
}

QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        << path.toStdString();
    return path;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSize PictureSize(const QString& path) {
    TPicture picture;
    picture.LoadFromFile(path);
    return {picture.Width(), picture.Height()};
}

FakeMailProgram::FakeMailProgram(bool installed) : oldPath_(qgetenv("PATH")) {
    EXPECT_TRUE(dir_.isValid());
    const QString bin = dir_.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    if (installed) {
        const QString script = QStringLiteral("#!/bin/sh\n"
                                              "printf '%s\\0' \"$@\" > '%1/args'\n"
                                              "[ -e '%1/hang' ] && exec sleep 600\n"
                                              "exit $(cat '%1/status' 2>/dev/null || echo 0)\n")
                                   .arg(dir_.path());
        const QString path = WriteFile(bin, QStringLiteral("xdg-email"), script.toUtf8());
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner);
        qputenv("PATH", bin.toUtf8() + ':' + oldPath_);
    } else {
        qputenv("PATH", bin.toUtf8());
    }
}

FakeMailProgram::~FakeMailProgram() {
    qputenv("PATH", oldPath_);
}

void FakeMailProgram::SetExitStatus(int status) {
    WriteFile(dir_.path(), QStringLiteral("status"), QByteArray::number(status));
}

void FakeMailProgram::SetRunsUntilClosed() {
    WriteFile(dir_.path(), QStringLiteral("hang"), QByteArray());
}

bool FakeMailProgram::WasRun() const {
    return QFile::exists(dir_.filePath(QStringLiteral("args")));
}

QStringList FakeMailProgram::Arguments() const {
    QByteArray bytes = ReadFile(dir_.filePath(QStringLiteral("args")));
    if (bytes.endsWith('\0'))
        bytes.chop(1);
    QStringList args;
    if (bytes.isEmpty())
        return args;
    for (const QByteArray& arg : bytes.split('\0'))
        args << QString::fromUtf8(arg);
    return args;
}

QStringList FakeMailProgram::Values(const QString& option) const {
    const QStringList args = Arguments();
    QStringList values;
    for (int i = 0; i + 1 < args.size(); ++i)
        if (args.at(i) == option)
            values << args.at(++i);
    return values;
}

ModalAnswers::ModalAnswers(std::initializer_list<Action> actions) : actions_(actions) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(5);
}

ModalAnswers::~ModalAnswers() {
    EXPECT_TRUE(actions_.empty()) << actions_.size() << " expected window(s) never appeared";
}

void ModalAnswers::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) {
        last_ = nullptr; // the same window may come back for the next answer
        return;
    }
    if (modal == last_)
        return;
    last_ = modal;
    if (actions_.empty()) {
        ADD_FAILURE() << "unexpected window: " << modal->windowTitle().toStdString();
        modal->close();
        return;
    }
    Action act = std::move(actions_.front());
    actions_.pop_front();
    act(modal);
}

ModalAnswers::Action PressMessageBoxButton(int button, QString* text) {
    return [button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr) << "expected a message box";
        if (text)
            *text = box->text();
        QAbstractButton* pressed = box->button(QMessageBox::StandardButton(button));
        ASSERT_NE(pressed, nullptr);
        pressed->click();
    };
}

ModalAnswers::Action CloseHelpBox(SeenHelpBox* seen) {
    return [seen](QWidget* modal) {
        auto* box = qobject_cast<THelpDlg*>(modal);
        ASSERT_NE(box, nullptr) << "expected the program's message box";
        *seen = {box->windowTitle(), box->LblHelpText()->text(), box->DetailText(),
                 int(box->IconKind()), box->SbtnOkay()->text()};
        box->SbtnOkay()->click();
    };
}

bool RunUntil(const std::function<bool()>& done) {
    // A generous limit that only ends a test that would otherwise hang.
    QElapsedTimer limit;
    limit.start();
    QTimer wake; // wakes the wait below now and then, so the limit is looked at
    wake.start(50);
    while (!done()) {
        if (limit.elapsed() > 30000)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

} // namespace email_test

// SPDX-License-Identifier: MIT
#include "app/SingleInstance.h"

#include "imaging/ImageFormats.h"
#include "platform/PrivateFolder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>

namespace {
// A connection that sends nothing for this long is dropped.
constexpr int ReceiveTimeoutMs = 2000;
} // namespace

QString InstanceRuntimeFolder() {
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && EnsurePrivateFolder(runtime, false))
        return runtime;
    const QString fallback =
        JoinPath(QDir::tempPath(), QStringLiteral("orvo-runtime-%1").arg(CurrentUserId()));
    return EnsurePrivateFolder(fallback, false) ? fallback : QString();
}

QString InstanceLockPath() {
    const QString folder = InstanceRuntimeFolder();
    return folder.isEmpty() ? QString()
                            : JoinPath(folder, QStringLiteral("OrvoImageBrowser2.lock"));
}

QString InstanceServerPath() {
    const QString folder = InstanceRuntimeFolder();
    return folder.isEmpty() ? QString() : JoinPath(folder, QStringLiteral("Pixdeck2.PXD_Main"));
}

QString MacroForArguments(const QStringList& arguments) {
    if (arguments.isEmpty())
        return QString();
    const QString last = arguments.last();
    if (last == QLatin1String("EXIT"))
        return last;
    const QFileInfo info(last);
    if (info.exists() && !info.isDir())
        return info.absoluteFilePath();
    return QString();
}

std::optional<QString> DecodeMacro(const QByteArray& message) {
    if (message.size() > MaxMacroBytes || message.contains('\0'))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(message);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool SendMacroToRunningCopy(const QString& macro, int timeoutMs) {
    const QString server = InstanceServerPath();
    if (server.isEmpty())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(server);
        if (socket.waitForConnected(qMax<qint64>(1, deadline.remainingTime())))
            break;
        socket.abort();
        // The first copy may still be creating its window: try again shortly.
        if (deadline.hasExpired())
            return false;
        QThread::msleep(static_cast<unsigned long>(qMin<qint64>(100, deadline.remainingTime())));
    }
    socket.write(macro.toUtf8());
    const bool sent = socket.waitForBytesWritten(qMax<qint64>(1, deadline.remainingTime()));
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(qMax<qint64>(1, deadline.remainingTime()));
    return sent;
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {
}

SingleInstance::~SingleInstance() {
    if (server_)
        server_->close();
}

bool SingleInstance::TryBecomeFirst() {
    const QString path = InstanceLockPath();
    if (path.isEmpty())
        return false;
    lock_ = std::make_unique<QLockFile>(path);
    // A copy that crashed leaves its lock behind; QLockFile takes it over when the process
    // named in it is gone. The lock is never considered stale by age alone.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return true;
    lock_.reset();
    return false;
}

bool SingleInstance::Listen() {
    const QString path = InstanceServerPath();
    if (path.isEmpty() || !lock_)
        return false;
    // Only the lock holder gets here, so a socket file left by a crashed copy can go.
    QLocalServer::removeServer(path);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnection);
    return server_->listen(path);
}

void SingleInstance::AcceptConnection() {
    // Each connection carries one macro and ends with the sender's disconnect. A connection
    // that stalls or sends more than a macro can hold is dropped unread.
    struct Pending {
        QByteArray bytes;
        bool dropped = false;
    };
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        auto pending = std::make_shared<Pending>();
        auto* timer = new QTimer(socket);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, socket, [socket, pending] {
            pending->dropped = true;
            socket->abort();
        });
        timer->start(ReceiveTimeoutMs);
        connect(socket, &QLocalSocket::readyRead, socket, [socket, pending] {
            pending->bytes.append(socket->readAll());
            if (pending->bytes.size() > MaxMacroBytes) {
                pending->dropped = true;
                socket->abort();
            }
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, pending] {
            socket->deleteLater();
            if (pending->dropped)
                return;
            pending->bytes.append(socket->readAll());
            if (const std::optional<QString> macro = DecodeMacro(pending->bytes))
                emit MacroReceived(*macro);
        });
    }
}

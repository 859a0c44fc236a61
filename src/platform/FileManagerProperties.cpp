// SPDX-License-Identifier: MIT
#include "platform/FileManagerProperties.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QMetaObject>
#include <QObject>
#include <QUrl>

namespace {

// Long enough for a file manager to be started by the bus.
constexpr int AnswerTimeoutMs = 10000;

} // namespace

void RequestItemProperties(const QString& path, QObject* context,
                           std::function<void(bool accepted)> answered,
                           const QDBusConnection& bus) {
    if (!bus.isConnected()) {
        QMetaObject::invokeMethod(
            context, [answered = std::move(answered)] { answered(false); }, Qt::QueuedConnection);
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItemProperties"));
    message << QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, AnswerTimeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [answered = std::move(answered)](QDBusPendingCallWatcher* done) {
                         answered(!done->isError());
                         done->deleteLater();
                     });
}

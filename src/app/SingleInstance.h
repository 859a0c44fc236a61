// SPDX-License-Identifier: MIT
#pragma once

#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;

// One running copy per user: the first copy holds a lock file in the user's runtime folder and
// listens on a local socket there; a second start sends its macro (one UTF-8 text) and ends.

// The user's private runtime folder (XDG_RUNTIME_DIR, else a private folder under /tmp).
QString InstanceRuntimeFolder();
QString InstanceLockPath();   // .../OrvoImageBrowser2.lock
QString InstanceServerPath(); // .../Pixdeck2.PXD_Main

// Longest macro accepted: a path of the platform's maximal length.
constexpr qsizetype MaxMacroBytes = 4096;

// The macro a second copy sends for its command-line arguments (program name excluded): the
// last argument when it is "EXIT" or names an existing file (made absolute, since the running
// copy has another working folder), else the empty text.
QString MacroForArguments(const QStringList& arguments);

// Decodes a received message: valid UTF-8 of at most MaxMacroBytes without NUL bytes, else
// nothing.
std::optional<QString> DecodeMacro(const QByteArray& message);

// Sends the macro to the running copy, retrying for at most `timeoutMs` while it starts up.
// False when no copy answered.
bool SendMacroToRunningCopy(const QString& macro, int timeoutMs = 2000);

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the per-user lock. False when another live copy holds it (or the lock cannot be
    // made at all): this process is then a second copy. A lock left by a crashed copy is taken
    // over.
    bool TryBecomeFirst();
    // Starts answering hand-offs. Call once the main window exists.
    bool Listen();

signals:
    void MacroReceived(const QString& macro);

private:
    void AcceptConnection();

    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

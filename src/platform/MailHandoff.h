// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// Hands a message to the user's mail program, which opens its compose window with the subject,
// body and attachments filled in; the user addresses and sends it there. The hand-off goes
// through the desktop's `xdg-email`, found on PATH when the message is handed over.

struct MailMessage {
    QString subject;         // left out when empty
    QStringList bodyLines;   // joined by line breaks
    QStringList attachments; // full paths
};

// What came of a hand-off: 0 is success; otherwise the mail program's exit status, or -1 when
// it could not be run at all. `problem` explains a failure that has no exit status of its own
// (program missing, not startable, crashed); it is empty otherwise.
struct MailResult {
    int code = 0;
    QString problem;
    bool Success() const { return code == 0; }
};

// The program that takes the message, and the arguments it gets for `message`.
QString MailProgramName();
QStringList MailProgramArguments(const MailMessage& message);

// The user's message for a failed hand-off: `errorMessage` + " (" + code + ")." and, when the
// result has one, the problem on a line of its own.
QString MailFailureText(const QString& errorMessage, const MailResult& result);

// One hand-off at a time. The mail program may keep running until the user has finished the
// message (some mail programs return only when they are closed), so the hand-off never waits:
// Finished reports the result later, exactly once per Start, also when the program is missing.
class TMailHandoff : public QObject {
    Q_OBJECT
public:
    explicit TMailHandoff(QObject* parent = nullptr);
    ~TMailHandoff() override;

    // Starts handing `message` over. Ignored (returns false) while a hand-off is running.
    bool Start(const MailMessage& message);
    bool IsRunning() const { return running_; }

signals:
    void Finished(const MailResult& result);

private:
    void Finish(const MailResult& result);
    void ProcessFinished(int exitCode, QProcess::ExitStatus status);
    void ProcessFailed(QProcess::ProcessError error);

    QProcess* process_ = nullptr;
    bool running_ = false;
};

// SPDX-License-Identifier: MIT
#include "platform/MailHandoff.h"

#include <QStandardPaths>
#include <QTimer>

QString MailProgramName() {
    return QStringLiteral("xdg-email");
}

QStringList MailProgramArguments(const MailMessage& message) {
    // Every text that follows is UTF-8, whatever the locale says.
    QStringList args{QStringLiteral("--utf8")};
    // xdg-email refuses an empty subject, so none is passed then.
    if (!message.subject.isEmpty())
        args << QStringLiteral("--subject") << message.subject;
    const QString body = message.bodyLines.join(QLatin1Char('\n'));
    if (!body.isEmpty())
        args << QStringLiteral("--body") << body;
    for (const QString& path : message.attachments)
        args << QStringLiteral("--attach") << path;
    return args;
}

QString MailFailureText(const QString& errorMessage, const MailResult& result) {
    QString text =
        errorMessage + QStringLiteral(" (") + QString::number(result.code) + QStringLiteral(").");
    if (!result.problem.isEmpty())
        text += QStringLiteral("\n\n") + result.problem;
    return text;
}

TMailHandoff::TMailHandoff(QObject* parent) : QObject(parent) {
}

TMailHandoff::~TMailHandoff() {
    if (process_) {
        // The program end: nobody is left to hear the result. The hand-off gets a moment to
        // finish passing the message on; a mail program it started runs on by itself.
        process_->disconnect(this);
        if (!process_->waitForFinished(1000))
            process_->kill();
    }
}

bool TMailHandoff::Start(const MailMessage& message) {
    if (running_)
        return false;
    running_ = true;
    const QString program = QStandardPaths::findExecutable(MailProgramName());
    if (program.isEmpty()) {
        const MailResult missing{
            -1, QStringLiteral("No mail program could be started: %1 was not found. Install the "
                               "xdg-utils package, or make %1 reachable through PATH.")
                    .arg(MailProgramName())};
        // Reported like every other result: after Start has returned.
        QTimer::singleShot(0, this, [this, missing] { Finish(missing); });
        return true;
    }
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process_, &QProcess::finished, this, &TMailHandoff::ProcessFinished);
    connect(process_, &QProcess::errorOccurred, this, &TMailHandoff::ProcessFailed);
    process_->start(program, MailProgramArguments(message));
    process_->closeWriteChannel();
    return true;
}

void TMailHandoff::ProcessFinished(int exitCode, QProcess::ExitStatus status) {
    if (status == QProcess::CrashExit) {
        Finish({-1, QStringLiteral("%1 stopped unexpectedly.").arg(MailProgramName())});
        return;
    }
    Finish({exitCode, QString()});
}

void TMailHandoff::ProcessFailed(QProcess::ProcessError error) {
    // A crash is reported by finished() as well; only a program that never ran ends here.
    if (error != QProcess::FailedToStart)
        return;
    Finish({-1, QStringLiteral("%1 could not be started: %2")
                    .arg(MailProgramName(), process_->errorString())});
}

void TMailHandoff::Finish(const MailResult& result) {
    if (process_) {
        process_->disconnect(this);
        process_->deleteLater();
        process_ = nullptr;
    }
    running_ = false;
    emit Finished(result);
}

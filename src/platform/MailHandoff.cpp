// SPDX-License-Identifier: MIT
#include "platform/MailHandoff.h"

#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include <unistd.h>

namespace {

const QString AwkwardCharacters = QStringLiteral(",'\\\n");

// `name`, or "base (2).ext", "base (3).ext" ... : the first that names nothing in `folder`.
QString FreeNameIn(const QString& folder, const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    QString candidate = name;
    for (int n = 2;; ++n) {
        const QFileInfo taken(JoinPath(folder, candidate));
        if (!taken.exists() && !taken.isSymLink())
            return candidate;
        candidate = base + QStringLiteral(" (") + QString::number(n) + QLatin1Char(')') + extension;
    }
}

// A second name for the file at `target`: a hard link, or a copy where the file cannot be
// linked (another file system, a file of someone else's).
void LinkOrCopy(const QString& path, const QString& target) {
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) == 0)
        return;
    QFile source(path);
    if (!source.copy(target))
        throw AppError(QStringLiteral("The attachment %1 could not be prepared for the mail "
                                      "program: %2")
                           .arg(path, source.errorString()));
}

} // namespace

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

QString MailFolderIn(const QString& tempFolder) {
    const QString folder = JoinPath(tempFolder, QStringLiteral("mail"));
    if (!EnsurePrivateFolder(folder, false))
        throw AppError(QStringLiteral("Cannot create ") + folder);
    return folder;
}

void RemoveOldMailFiles(const QString& folder, const QDateTime& now) {
    const QDateTime limit = now.addDays(-1);
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& file : files) {
        // When the file was made here: a hard link keeps the modification time of the file it
        // is a second name for, the status change time is the moment of linking.
        if (file.metadataChangeTime() < limit)
            QFile::remove(file.filePath());
    }
}

bool IsAwkwardAttachmentPath(const QString& path) {
    return std::any_of(path.cbegin(), path.cend(),
                       [](QChar c) { return AwkwardCharacters.contains(c); });
}

QString SafeAttachmentName(const QString& fileName) {
    QString safe = fileName;
    for (QChar& c : safe)
        if (AwkwardCharacters.contains(c))
            c = QLatin1Char('_');
    return safe;
}

QStringList SafeAttachmentPaths(const QStringList& paths, const QString& folder) {
    QStringList safe;
    for (const QString& path : paths) {
        if (!IsAwkwardAttachmentPath(path)) {
            safe << path;
            continue;
        }
        const QString target =
            JoinPath(folder, FreeNameIn(folder, SafeAttachmentName(QFileInfo(path).fileName())));
        LinkOrCopy(path, target);
        safe << target;
    }
    return safe;
}

TMailHandoff::TMailHandoff(QObject* parent) : QObject(parent) {
    graceTimer_.setSingleShot(true);
    connect(&graceTimer_, &QTimer::timeout, this, &TMailHandoff::GracePeriodOver);
}

TMailHandoff::~TMailHandoff() {
    // The program end: nobody is left to hear a result. A hand-off still in its grace period
    // gets a moment to pass the message on; after that, and for those that outlived theirs,
    // xdg-email is stopped. A mail program it started runs on by itself.
    if (process_) {
        process_->disconnect(this);
        process_->waitForFinished(1000);
    }
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(1000);
        }
    }
}

bool TMailHandoff::Start(const MailMessage& message) {
    if (running_)
        return false;
    running_ = true;
    const QString program = QStandardPaths::findExecutable(MailProgramName());
    if (program.isEmpty()) {
        FinishLater({-1, QStringLiteral("No mail program could be started: %1 was not found. "
                                        "Install the xdg-utils package, or make %1 reachable "
                                        "through PATH.")
                             .arg(MailProgramName())});
        return true;
    }
    MailMessage handed = message;
    try {
        if (std::any_of(message.attachments.cbegin(), message.attachments.cend(),
                        IsAwkwardAttachmentPath))
            handed.attachments =
                SafeAttachmentPaths(message.attachments, MailFolderIn(TempFolder()));
    } catch (const AppError& error) {
        FinishLater({-1, error.Message()});
        return true;
    }
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(process_, &QProcess::finished, this, &TMailHandoff::ProcessFinished);
    connect(process_, &QProcess::errorOccurred, this, &TMailHandoff::ProcessFailed);
    process_->start(program, MailProgramArguments(handed));
    process_->closeWriteChannel();
    graceTimer_.start(gracePeriodMs_);
    return true;
}

void TMailHandoff::FinishLater(const MailResult& result) {
    QTimer::singleShot(0, this, [this, result] { Finish(result); });
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

void TMailHandoff::GracePeriodOver() {
    // A program that has ended is being reported through finished() or errorOccurred().
    if (!process_ || process_->state() != QProcess::Running)
        return;
    // Still running: the mail program has its compose window open and keeps xdg-email waiting
    // until the user closes it. The message is handed over; the process goes when it ends.
    QProcess* runningOn = process_;
    process_ = nullptr;
    runningOn->disconnect(this);
    connect(runningOn, &QProcess::finished, runningOn, &QObject::deleteLater);
    Finish({0, QString()});
}

void TMailHandoff::Finish(const MailResult& result) {
    graceTimer_.stop();
    if (process_) {
        process_->disconnect(this);
        process_->deleteLater();
        process_ = nullptr;
    }
    running_ = false;
    emit Finished(result);
}

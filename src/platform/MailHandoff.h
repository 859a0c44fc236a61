// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

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
// (program missing, not startable, crashed, an attachment that could not be prepared); it is
// empty otherwise.
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

// Where attachments wait for the mail program: the folder "mail" inside `tempFolder` (the
// program's temporary folder), private to the user like its parent. Many mail programs read an
// attachment only when the user presses Send, perhaps after this program has ended, so the
// files stay there: the temporary folder's clean-up at close takes only its own top-level files,
// and the thumbnail cache's strip files never share this folder. Returns the path; throws
// AppError ("Cannot create " + path) when the folder cannot be made or is not ours.
QString MailFolderIn(const QString& tempFolder);
// Removes the files in `folder` that were made more than a day before `now`: attachments of
// earlier mails, long since sent. Sub-folders are left alone.
void RemoveOldMailFiles(const QString& folder, const QDateTime& now);

// True when the path holds a character that xdg-email cannot pass on to every mail program
// intact: a comma splits one attachment in two, a quote or a backslash breaks the quoting of
// the mail program's command line, a line break changes the name.
bool IsAwkwardAttachmentPath(const QString& path);
// The file name with each of those characters replaced by "_"; the extension stays.
QString SafeAttachmentName(const QString& fileName);
// `paths` in order, each awkward one replaced by a hard link to it (or, where linking fails, a
// copy) in `folder` under its safe name, numbered "name (2).ext" ... when that name is taken.
// Throws AppError when neither can be made.
QStringList SafeAttachmentPaths(const QStringList& paths, const QString& folder);

// One hand-off at a time. The mail program may keep running until the user has finished the
// message (some desktops run it in the foreground and xdg-email returns only when it is
// closed), so the hand-off never waits: Finished reports the result later, exactly once per
// Start, also when the program is missing. An exit within the grace period gives its status;
// xdg-email still running after it has opened the compose window and counts as success, and
// is left to run on.
class TMailHandoff : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultGracePeriodMs = 5000;

    explicit TMailHandoff(QObject* parent = nullptr);
    ~TMailHandoff() override;

    // Starts handing `message` over. Ignored (returns false) while a hand-off is running.
    // Awkward attachment paths are first replaced as by SafeAttachmentPaths, in the mail folder
    // of the program's temporary folder.
    bool Start(const MailMessage& message);
    bool IsRunning() const { return running_; }
    void SetGracePeriod(int ms) { gracePeriodMs_ = ms; }

signals:
    void Finished(const MailResult& result);

private:
    // Reports `result` after Start has returned, like every other result.
    void FinishLater(const MailResult& result);
    void Finish(const MailResult& result);
    void ProcessFinished(int exitCode, QProcess::ExitStatus status);
    void ProcessFailed(QProcess::ProcessError error);
    void GracePeriodOver();

    QProcess* process_ = nullptr;
    QTimer graceTimer_;
    int gracePeriodMs_ = DefaultGracePeriodMs;
    bool running_ = false;
};

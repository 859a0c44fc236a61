// SPDX-License-Identifier: MIT
#pragma once

#include "platform/MailHandoff.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QWidget;

// The wizard's mail hand-off: what it fills in before each send, and the error box of a failed
// hand-off ("Error sending mail (N)."). The user's mail program opens its compose window with
// everything prefilled.
class TMailSender : public QObject {
    Q_OBJECT
public:
    // `boxParent`: the window the error box belongs to.
    explicit TMailSender(QWidget* boxParent, QObject* parent = nullptr);

    QString ErrorMessage = QStringLiteral("Error sending mail");
    QStringList TextToSend; // body lines
    QStringList FileNames;  // full paths of the attachments
    QString Subject;

    // Hands the message over; false (and nothing happens) while an earlier hand-off is still
    // waiting for the mail program. The outcome comes with MailSent, after a failure's error
    // box has been answered.
    bool SendMail();
    bool IsSending() const { return handoff_.IsRunning(); }
    // How long a mail program that has not ended yet may still report a failure (see
    // TMailHandoff).
    void SetGracePeriod(int ms) { handoff_.SetGracePeriod(ms); }

signals:
    void MailSent(bool success);

private:
    void HandoffFinished(const MailResult& result);

    QPointer<QWidget> boxParent_;
    TMailHandoff handoff_;
};

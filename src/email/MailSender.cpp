// SPDX-License-Identifier: MIT
#include "email/MailSender.h"

#include "dialogs/HelpDlgUnit.h"

#include <QWidget>

TMailSender::TMailSender(QWidget* boxParent, QObject* parent)
    : QObject(parent), boxParent_(boxParent) {
    connect(&handoff_, &TMailHandoff::Finished, this, &TMailSender::HandoffFinished);
}

bool TMailSender::SendMail() {
    return handoff_.Start({Subject, TextToSend, FileNames});
}

void TMailSender::HandoffFinished(const MailResult& result) {
    if (!result.Success())
        ShowStandardErrorBox(MailFailureText(ErrorMessage, result), boxParent_.data());
    emit MailSent(result.Success());
}

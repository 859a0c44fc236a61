// SPDX-License-Identifier: MIT
#pragma once

#include "platform/FileOperations.h"

#include <QMessageBox>

// The questions a file operation asks on its way.

// Before a copy or move replaces an existing file: "Yes", "Yes to All", "No", "No to All" and
// "Cancel" (the "to all" answers only while more files follow), with the name, size and time of
// both files. Enter answers Yes, Esc and the close box Cancel. Created once and reused.
class TReplaceQuestion : public QMessageBox {
    Q_OBJECT
public:
    explicit TReplaceQuestion(QWidget* parent = nullptr);

    // Fills the question for `query` without showing it (Ask shows it).
    void Prepare(const ReplaceQuery& query);
    // Shows the question modally; the answer.
    ReplaceAnswer Ask(const ReplaceQuery& query);
    // The answer a closed question stands for.
    static ReplaceAnswer AnswerOf(int standardButton);
};

// The desktop trash cannot take `paths` (for `reason`): asks whether to delete them for good,
// which cannot be undone. "No" is the default answer.
bool AskDeleteForGood(QWidget* parent, const QStringList& paths, const QString& reason);

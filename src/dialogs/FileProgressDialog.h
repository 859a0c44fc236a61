// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/FileClipboard.h"
#include "platform/FileOperations.h"

#include <QProgressDialog>
#include <optional>

class TReplaceQuestion;

// The progress of a copy or move, shown only when the work takes long (ShowAfter), with a
// Cancel button that stops it leaving every file whole. It also asks the replace question and
// reports what went wrong afterwards. Created once and reused.
class TFileProgressDialog : public QProgressDialog {
    Q_OBJECT
public:
    // The dialog appears when the work is expected to take at least this long.
    static constexpr int ShowAfter = 700; // ms

    explicit TFileProgressDialog(QWidget* parent = nullptr);

    // Copies or moves `sources` into `targetFolder`, with progress and the replace question
    // here, then shows the files that failed or stayed behind (if any) in a message box.
    FileOpResult Run(FileOpKind kind, const QStringList& sources, const QString& targetFolder);
    // Pastes the file clipboard into `targetFolder` the same way (PasteFiles); nothing when
    // there is nothing to paste. The caller then runs FileClipboardChanged.
    std::optional<FileOpResult> Paste(TFileClipboard& clipboard, const QString& targetFolder);

    // The callbacks of one operation: progress here, the replace question over this dialog.
    FileOpCallbacks Callbacks();
    // The progress callback; false once Cancel was pressed.
    bool Report(const FileProgress& progress);
    TReplaceQuestion& ReplaceQuestion() { return *question_; }

private:
    void Begin();
    void Finish(const FileOpResult& result);

    TReplaceQuestion* question_;
};

// Shows `lines` (what went wrong, one line per file) in a message box with an error icon and an
// OK button; nothing when there are none.
void ShowFileProblems(QWidget* parent, const QString& heading, const QStringList& lines);

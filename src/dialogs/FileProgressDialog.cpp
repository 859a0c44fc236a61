// SPDX-License-Identifier: MIT
#include "dialogs/FileProgressDialog.h"

#include "dialogs/ReplaceQuestion.h"

#include <QFileInfo>
#include <QMessageBox>

namespace {

constexpr int BarSteps = 1000; // the bar counts thousandths of the bytes to do

} // namespace

TFileProgressDialog::TFileProgressDialog(QWidget* parent)
    : QProgressDialog(parent), question_(new TReplaceQuestion(this)) {
    setObjectName(QStringLiteral("FileProgressDialog"));
    setWindowModality(Qt::ApplicationModal); // no second file operation meanwhile
    setMinimumDuration(ShowAfter);
    setAutoReset(false);
    setAutoClose(false);
    setCancelButtonText(QStringLiteral("Cancel"));
    setRange(0, BarSteps);
    setMinimumWidth(420);
    // A progress dialog shows itself a while after it is made; this one waits for work.
    reset();
}

FileOpCallbacks TFileProgressDialog::Callbacks() {
    FileOpCallbacks callbacks;
    callbacks.progress = [this](const FileProgress& progress) { return Report(progress); };
    callbacks.askReplace = [this](const ReplaceQuery& query) { return question_->Ask(query); };
    return callbacks;
}

void TFileProgressDialog::Begin() {
    reset();
    setWindowTitle(QStringLiteral("File Operation"));
    setLabelText(QString());
    setValue(0); // starts the clock that decides whether the dialog appears
}

bool TFileProgressDialog::Report(const FileProgress& progress) {
    const bool copying = progress.kind == FileOpKind::Copy;
    setWindowTitle(copying ? QStringLiteral("Copying Files") : QStringLiteral("Moving Files"));
    setLabelText(QStringLiteral("%1 \"%2\" (%3 of %4)")
                     .arg(copying ? QStringLiteral("Copying") : QStringLiteral("Moving"),
                          QFileInfo(progress.source).fileName())
                     .arg(progress.fileIndex + 1)
                     .arg(progress.fileCount));
    const qint64 total = progress.bytesTotal;
    const int step =
        total > 0 ? static_cast<int>(qMin<qint64>(BarSteps, progress.bytesDone * BarSteps / total))
                  : 0;
    // A modal progress dialog lets events through here, so the Cancel button works.
    setValue(step);
    return !wasCanceled();
}

void TFileProgressDialog::Finish(const FileOpResult& result) {
    reset();
    hide();
    ShowFileProblems(parentWidget(),
                     result.kind == FileOpKind::Copy
                         ? QStringLiteral("Some files could not be copied.")
                         : QStringLiteral("Some files could not be moved."),
                     result.ProblemLines());
}

FileOpResult TFileProgressDialog::Run(FileOpKind kind, const QStringList& sources,
                                      const QString& targetFolder) {
    Begin();
    const FileOpResult result = RunFileOperation(kind, sources, targetFolder, Callbacks());
    Finish(result);
    return result;
}

std::optional<FileOpResult> TFileProgressDialog::Paste(TFileClipboard& clipboard,
                                                       const QString& targetFolder) {
    if (!clipboard.CanPaste())
        return std::nullopt;
    Begin();
    std::optional<FileOpResult> result = PasteFiles(clipboard, targetFolder, Callbacks());
    Finish(*result);
    return result;
}

void ShowFileProblems(QWidget* parent, const QString& heading, const QStringList& lines) {
    if (lines.isEmpty())
        return;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), heading, QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    // The first few lines in the box, all of them behind "Show Details".
    constexpr int Shown = 5;
    QStringList shown = lines.mid(0, Shown);
    if (lines.size() > Shown)
        shown << QStringLiteral("... and %1 more.").arg(lines.size() - Shown);
    box.setInformativeText(shown.join(QLatin1Char('\n')));
    if (lines.size() > Shown)
        box.setDetailedText(lines.join(QLatin1Char('\n')));
    box.exec();
}

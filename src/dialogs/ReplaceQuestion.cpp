// SPDX-License-Identifier: MIT
#include "dialogs/ReplaceQuestion.h"

#include "folderview/FolderListModel.h"

#include <QFileInfo>
#include <QPushButton>

namespace {

// "12.00 KB, modified 5/4/2024 3:02:01 PM"
QString Describe(qint64 size, const QDateTime& modified) {
    return QStringLiteral("%1, modified %2")
        .arg(FolderListModel::SizeText(size), FolderListModel::ModifiedText(modified));
}

} // namespace

TReplaceQuestion::TReplaceQuestion(QWidget* parent) : QMessageBox(parent) {
    setObjectName(QStringLiteral("ReplaceQuestion"));
    setIcon(QMessageBox::Question);
    setWindowTitle(QStringLiteral("Replace File?"));
    setTextFormat(Qt::PlainText);
}

void TReplaceQuestion::Prepare(const ReplaceQuery& query) {
    const QFileInfo target(query.target);
    setText(QStringLiteral("The folder \"%1\" already holds a file named \"%2\".")
                .arg(target.absolutePath(), target.fileName()));
    setInformativeText(
        QStringLiteral(
            "Do you want to replace the existing file\n    %1\nwith the one you are %2?\n"
            "    %3")
            .arg(Describe(query.targetSize, query.targetModified),
                 query.kind == FileOpKind::Copy ? QStringLiteral("copying")
                                                : QStringLiteral("moving"),
                 Describe(query.sourceSize, query.sourceModified)));
    StandardButtons buttons = Yes | No | Cancel;
    if (query.remaining > 0)
        buttons |= YesToAll | NoToAll;
    setStandardButtons(buttons);
    setDefaultButton(Yes);
    setEscapeButton(Cancel);
}

ReplaceAnswer TReplaceQuestion::Ask(const ReplaceQuery& query) {
    Prepare(query);
    exec();
    return AnswerOf(standardButton(clickedButton()));
}

ReplaceAnswer TReplaceQuestion::AnswerOf(int button) {
    switch (button) {
    case Yes:
        return ReplaceAnswer::Yes;
    case YesToAll:
        return ReplaceAnswer::YesToAll;
    case No:
        return ReplaceAnswer::No;
    case NoToAll:
        return ReplaceAnswer::NoToAll;
    default:
        return ReplaceAnswer::Cancel; // Cancel, Esc and the close box
    }
}

bool AskDeleteForGood(QWidget* parent, const QStringList& paths, const QString& reason) {
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("Delete Permanently?"),
        paths.size() == 1
            ? QStringLiteral("The file cannot be moved to the trash.")
            : QStringLiteral("%1 files cannot be moved to the trash.").arg(paths.size()),
        QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(
        paths.size() == 1
            ? QStringLiteral("Do you want to delete it permanently? This cannot be undone.")
            : QStringLiteral("Do you want to delete them permanently? This cannot be undone."));
    box.setDetailedText(paths.join(QLatin1Char('\n')) + QStringLiteral("\n\n") + reason);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

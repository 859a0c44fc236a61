// SPDX-License-Identifier: MIT
#include "folderview/FolderStatus.h"

#include "folderview/FolderListModel.h"

namespace {

// "<verb> Image <key>" for one file, "<verb> Images <key>" otherwise.
MenuItemState SelectionItem(int selected, const char* verb, const char* key) {
    const QString noun = selected == 1 ? QStringLiteral("Image") : QStringLiteral("Images");
    return {selected > 0, QString::fromLatin1(verb) + QLatin1Char(' ') + noun + QLatin1Char(' ') +
                              QString::fromLatin1(key)};
}

} // namespace

FolderStatus MakeFolderStatus(const FolderStatusInput& input) {
    FolderStatus status;
    const int n = input.selectedCount;
    status.filesText = QStringLiteral("%1 Images File(s) (%2)")
                           .arg(input.fileCount)
                           .arg(FolderListModel::SizeText(input.totalBytes));
    if (n == 1 && input.singleHasRow)
        status.selectionText =
            QStringLiteral("Type: %1 (%2)").arg(input.singleType, input.singleSizeText);
    else
        status.selectionText = QStringLiteral("%1 Images File(s) Selected").arg(n);
    status.rename = {n == 1, QStringLiteral("Rename... [Ctrl+ENTER]")};
    status.remove = SelectionItem(n, "Delete", "[Del]");
    status.email = SelectionItem(n, "Email", "[Ctrl+E]");
    status.copy = SelectionItem(n, "Copy", "[Ctrl+C]");
    status.cut = SelectionItem(n, "Cut", "[Ctrl+X]");
    return status;
}

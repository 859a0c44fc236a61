// SPDX-License-Identifier: MIT
// The selection operations of the folder model, the navigation order and what follows a
// selection change.
#include "folderview/FolderModel.h"
#include "folderview/FolderViewHost.h"
#include "imaging/ImageFormats.h"

QString TFolderModel::FirstSelected() const {
    return selectedFiles_.IsEmpty() ? QString() : selectedFiles_.Names().first();
}

QString TFolderModel::LastSelected() const {
    return selectedFiles_.IsEmpty() ? QString() : selectedFiles_.Names().last();
}

bool TFolderModel::IsLastSelected(const QString& name) const {
    return !selectedFiles_.IsEmpty() && selectedFiles_.Names().last() == name;
}

void TFolderModel::AppendSelection(QStringList& names) const {
    names.append(selectedFiles_.Names());
}

void TFolderModel::SelectOnly(const QString& name) {
    selectedFiles_.Clear();
    selectedFiles_.Append(name);
    UpdateStatus();
}

void TFolderModel::AddToSelection(const QString& name) {
    selectedFiles_.Append(name);
    UpdateStatus();
}

void TFolderModel::RemoveFromSelection(const QString& name) {
    selectedFiles_.Remove(name);
    UpdateStatus();
}

void TFolderModel::AddRange(const QString& anchor, const QString& name) {
    const int from = imageFiles_.IndexOf(anchor);
    const int to = imageFiles_.IndexOf(name);
    if (from < 0 || to < 0)
        return; // an unlisted end adds nothing
    const int step = from <= to ? 1 : -1;
    for (int i = from;; i += step) {
        selectedFiles_.Append(imageFiles_.At(i));
        if (i == to)
            break;
    }
}

void TFolderModel::SelectRange(const QString& name) {
    const QString anchor = selectedFiles_.IsEmpty() ? name : FirstSelected();
    selectedFiles_.Clear();
    AddRange(anchor, name);
    SelectionChanged(-1, true);
    UpdateStatus();
}

void TFolderModel::ExtendRange(const QString& name) {
    AddRange(selectedFiles_.IsEmpty() ? name : LastSelected(), name);
    SelectionChanged(-1, true);
    UpdateStatus();
}

void TFolderModel::SelectAll() {
    host_.SetBusy(true);
    for (const QString& name : imageFiles_.Names())
        selectedFiles_.Append(name);
    host_.SetBusy(false);
    SelectionChanged(-1, true);
    UpdateStatus();
}

const QStringList& TFolderModel::NavigationOrder() const {
    return host_.IsFloating() ? ListOrder() : ImageFiles();
}

void TFolderModel::NavigateTo(const QString& name) {
    selectedFiles_.Clear();
    selectedFiles_.Append(name);
    SelectionChanged(-1, true);
    UpdateStatus();
}

void TFolderModel::SelectFirst() {
    const QStringList& order = NavigationOrder();
    if (!order.isEmpty())
        NavigateTo(order.first());
}

void TFolderModel::SelectLast() {
    const QStringList& order = NavigationOrder();
    if (!order.isEmpty())
        NavigateTo(order.last());
}

void TFolderModel::SelectNext() {
    const QStringList& order = NavigationOrder();
    if (order.isEmpty())
        return;
    const int next = static_cast<int>(order.indexOf(FirstSelected())) + 1;
    NavigateTo(order.at(next < order.size() ? next : 0));
}

void TFolderModel::SelectPrevious() {
    const QStringList& order = NavigationOrder();
    if (order.isEmpty())
        return;
    const int current =
        selectedFiles_.IsEmpty() ? 0 : static_cast<int>(order.indexOf(FirstSelected()));
    NavigateTo(order.at(current > 0 ? current - 1 : order.size() - 1));
}

void TFolderModel::SelectFile(const QString& name) {
    SelectOnly(name);
    if (host_.CurrentImagePath() != JoinPath(folderPath_, FirstSelected()) &&
        !host_.PromptSaveModified())
        SelectionChanged(-1, true);
}

void TFolderModel::SelectionChanged(int row, bool show) {
    if (!host_.IsFloating()) {
        host_.DrawFrames();
        if (!selectedFiles_.IsEmpty())
            host_.ScrollIntoView(LastSelected());
    } else if (row < 0) {
        host_.SyncListSelection();
    }
    if (show || host_.IsCurrentFolder())
        ShowSelection();
}

void TFolderModel::ShowSelection() {
    if (selectedFiles_.IsEmpty()) {
        host_.MakeCurrentFolder();
        host_.ClearViewer();
        return;
    }
    if (!host_.FolderTabAreaHidden() && !host_.FilmstripVisible())
        return;
    const QString first = FirstSelected();
    if (host_.CurrentImagePath() != JoinPath(folderPath_, first) && !host_.PromptSaveModified())
        host_.ShowImage(first);
}

void TFolderModel::RepairSelection(int preferred) {
    const QStringList selected = selectedFiles_.Names();
    for (const QString& name : selected)
        if (!FileExists(name))
            selectedFiles_.Remove(name);
    if (!selectedFiles_.IsEmpty())
        return;
    const int count = imageFiles_.Count();
    int index = preferred;
    if (preferred >= count)
        index = count - 1;
    else if (preferred < 0)
        index = count > 0 ? 0 : -1;
    for (; selectedFiles_.IsEmpty() && index >= 0; --index)
        if (FileExists(imageFiles_.At(index)))
            SelectOnly(imageFiles_.At(index));
}

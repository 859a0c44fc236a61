// SPDX-License-Identifier: MIT
// The recent-folder menu "Open Recent" and its entries.
#include "viewer/MainUnit.h"

#include "dialogs/Dialogs.h"
#include "dialogs/OpenFolderUnit.h"
#include "imaging/ImageFormats.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

namespace {

// Ends the busy state however the step ends.
class BusyScope {
public:
    explicit BusyScope(TMainForm& form) : form_(form) { form_.BeginBusy(false); }
    ~BusyScope() { form_.EndBusy(); }

private:
    TMainForm& form_;
};

} // namespace

void TMainForm::RebuildRecentMenu() {
    openRecent1_->clear();
    for (const QString& path : fileMruList_.Items()) {
        // The entry keeps the path itself; the caption only shows it.
        QString caption = path;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = openRecent1_->addAction(caption);
        item->setData(path);
        connect(item, &QAction::triggered, this, [this, path] { RecentFolderClick(path); });
    }
    if (openRecent1_->isEmpty())
        openRecent1_->addAction(QStringLiteral("[Empty]"))->setEnabled(false);
}

void TMainForm::RecentFolderClick(const QString& path) {
    if (SlideShowActive() || !CheckFolderValid(path))
        return;
    PromptSaveModified();
    BusyScope busy(*this);
    OpenFolderTab(JoinPath(path, QString()));
}

bool TMainForm::CheckFolderValid(const QString& path) {
    if (!path.isEmpty() && QFileInfo(path).isDir())
        return true;
    QMessageBox::critical(this, QStringLiteral("Error"),
                          QStringLiteral("Please choose a valid Folder"));
    fileMruList_.Remove(path);
    OpenFolderForm(fileMruList_.Items()).RemoveRecentFolder(path);
    RebuildRecentMenu();
    return false;
}

// SPDX-License-Identifier: MIT
#include "dialogs/ShellFolderCombo.h"

#include "dialogs/FolderBrowsing.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyledItemDelegate>

namespace {

constexpr int DepthRole = Qt::UserRole + 1;
constexpr int IndentPerLevel = 10;

// Draws each entry of the drop-down list indented by its depth.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.adjust(index.data(DepthRole).toInt() * IndentPerLevel, 0, 0, 0);
    }
};

} // namespace

TShellFolderCombo::TShellFolderCombo(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new IndentDelegate(this));
    setMaxVisibleItems(20);
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit FolderPicked(FolderAt(index)); });
}

void TShellFolderCombo::SetFolder(const QString& folder) {
    const QSignalBlocker blocker(this);
    clear();
    const QFileIconProvider icons;
    const QString current = QDir::cleanPath(folder);
    for (const FolderComboEntry& entry : FolderComboEntries(current, UserPlaces())) {
        addItem(icons.icon(QFileInfo(entry.path)), entry.caption, entry.path);
        setItemData(count() - 1, entry.depth, DepthRole);
        setItemData(count() - 1, entry.path, Qt::ToolTipRole);
    }
    setCurrentIndex(findData(current));
}

QString TShellFolderCombo::Folder() const {
    return currentData().toString();
}

QString TShellFolderCombo::FolderAt(int index) const {
    return itemData(index).toString();
}

QStringList TShellFolderCombo::UserPlaces() {
    QStringList places;
    for (const auto location :
         {QStandardPaths::HomeLocation, QStandardPaths::DocumentsLocation,
          QStandardPaths::PicturesLocation, QStandardPaths::DesktopLocation}) {
        const QString path = QStandardPaths::writableLocation(location);
        if (!path.isEmpty() && QFileInfo(path).isDir())
            places << path;
    }
    return places;
}

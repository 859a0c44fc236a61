// SPDX-License-Identifier: MIT
#include "dialogs/FilePropertiesUnit.h"

#include "imaging/GenUtilWidgets.h"
#include "platform/FileManagerProperties.h"
#include "platform/FilePropertyRows.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFilePropertiesDlg::TFilePropertiesDlg(const QString& path, QSize dimensions, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FilePropertiesDlg"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QFileInfo(path).fileName() + QStringLiteral(" Properties"));

    auto* form = new QFormLayout;
    for (const FilePropertyRow& row : FilePropertyRows(path, dimensions)) {
        auto* value = new QLabel(row.value);
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setObjectName(QStringLiteral("Lbl") + row.caption.chopped(1));
        form->addRow(row.caption, value);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("SBtnClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    WidenButtonsForDpi(this);
}

void ShowFileProperties(const QString& path, QSize dimensions, QWidget* parent,
                        const QDBusConnection& bus) {
    // The answer is dropped with the parent, so the window never outlives its owner's use.
    QObject* context = parent ? static_cast<QObject*>(parent) : qApp;
    RequestItemProperties(
        path, context,
        [path, dimensions, parent](bool accepted) {
            if (!accepted)
                (new TFilePropertiesDlg(path, dimensions, parent))->show();
        },
        bus);
}

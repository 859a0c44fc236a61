// SPDX-License-Identifier: MIT
#pragma once

#include <QDBusConnection>
#include <QDialog>
#include <QSize>
#include <QString>

// The program's own properties window for a file (name, type, folder, size, dimensions, dates),
// for desktops whose file manager does not show one. It is not modal and deletes itself when
// closed.
class TFilePropertiesDlg : public QDialog {
    Q_OBJECT
public:
    TFilePropertiesDlg(const QString& path, QSize dimensions, QWidget* parent = nullptr);
};

// "File Properties...": asks the desktop's file manager to show its properties window for the
// file and, when none answers, shows a TFilePropertiesDlg instead. `dimensions` are those of
// the shown picture. Returns at once; the window appears when the answer is in.
void ShowFileProperties(const QString& path, QSize dimensions, QWidget* parent,
                        const QDBusConnection& bus = QDBusConnection::sessionBus());

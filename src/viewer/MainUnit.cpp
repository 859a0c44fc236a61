// SPDX-License-Identifier: MIT
#include "viewer/MainUnit.h"

#include <QFileInfo>

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Orvo Image Browser by Tamblin, Inc."));
    resize(900, 640);
}

void TMainForm::OpenImagePath(const QString& path, bool rescan) {
    Q_UNUSED(rescan);
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return;
    currentImagePath_ = info.absoluteFilePath();
}

void TMainForm::PXD_MainExecuteMacro(const QString& macro) {
    if (macro == QLatin1String("EXIT")) {
        close();
        return;
    }
    if (!macro.isEmpty())
        OpenImagePath(macro, false);
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

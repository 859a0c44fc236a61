// SPDX-License-Identifier: MIT
// Commands that hand the shown image to the desktop: wallpaper, clipboard, printing, file
// properties, and the Help menu's outside pages.
#include "viewer/MainUnit.h"

#include "dialogs/FilePropertiesUnit.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/Graphic.h"
#include "platform/HelpLinks.h"
#include "platform/PrintPicture.h"
#include "platform/Wallpaper.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

QPrinter& TMainForm::Printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TMainForm::SetAsDesktopWallpaper() {
    if (!HasImage() || !picture_.Graphic())
        return;
    BeginBusy(false);
    try {
        SetDesktopWallpaper(*picture_.Graphic(), currentImageName_);
    } catch (const std::exception& error) {
        EndBusy();
        ShowErrorMessage(QString::fromUtf8(error.what()));
        return;
    }
    EndBusy();
}

void TMainForm::CopyToClipboard() {
    if (!HasImage() || !picture_.Graphic())
        return;
    const TGraphic& graphic = *picture_.Graphic();
    // Every kind goes on the clipboard as the bitmap of the picture at its own size (a metafile
    // drawn at that size), which every program can paste.
    QImage image(graphic.Width(), graphic.Height(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        ShowErrorMessage(QStringLiteral("Not enough memory to copy a %1 x %2 picture")
                             .arg(graphic.Width())
                             .arg(graphic.Height()));
        return;
    }
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        graphic.Draw(painter, QPoint(0, 0));
    }
    QGuiApplication::clipboard()->setImage(image);
}

void TMainForm::PrintImage() {
    if (SlideShowRunning() || !HasImage() || !picture_.Graphic())
        return;
    QPrintDialog dialog(&Printer(), this);
    dialog.setObjectName(QStringLiteral("DlgPrint"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    BeginBusy(false);
    try {
        PrintPicture(Printer(), *picture_.Graphic(), currentImageName_, ScreenResolution());
    } catch (const std::exception& error) {
        EndBusy();
        ShowErrorMessage(QString::fromUtf8(error.what()));
        return;
    }
    EndBusy();
}

void TMainForm::PrinterSetup() {
    QPageSetupDialog dialog(&Printer(), this);
    dialog.setObjectName(QStringLiteral("PrinterSetupDlg"));
    dialog.exec();
}

void TMainForm::FileProperties() {
    if (HasImage())
        ShowFileProperties(currentImagePath_, QSize(picture_.Width(), picture_.Height()), this);
}

void TMainForm::CheckForUpdatesClick() {
    if (!PromptSaveModified())
        CheckForUpdates();
}

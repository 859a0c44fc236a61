// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>

// The main window: the viewer, the open folders and every command around them. The first
// window the program creates; closing it ends the program.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    // The full path of the shown image (empty when none).
    const QString& CurrentImagePath() const { return currentImagePath_; }

    // Opens the image at `path` in the viewer (and its folder as a tab).
    void OpenImagePath(const QString& path, bool rescan);

public slots:
    // A macro handed over by a second start: "EXIT" closes the window; any other text brings
    // the window to the front, after opening the image it names.
    void PXD_MainExecuteMacro(const QString& macro);

private:
    QString currentImagePath_;
};

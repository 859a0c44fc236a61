// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// What the e-mail wizard needs from the main window. The main window implements it; tests
// implement it with a fake. Every default is a harmless answer, so an implementation overrides
// only what it has.
class EmailHost {
public:
    virtual ~EmailHost() = default;

    // True while a slide show runs: the e-mail command then does nothing.
    virtual bool SlideShowRunning() const { return false; }
    // The current folder's path and the names selected in it, in the order they were selected
    // (the first is the shown image). Empty when there is no current folder or no selection.
    virtual QString CurrentFolderPath() const { return {}; }
    virtual QStringList CurrentSelection() const { return {}; }
    // The hourglass on the main window and every folder view while the wizard shrinks files,
    // and the normal pointer back afterwards.
    virtual void SetBusy(bool busy) { (void)busy; }
};

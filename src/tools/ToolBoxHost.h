// SPDX-License-Identifier: MIT
#pragma once

#include <QSize>
#include <QString>

// What the image tools window needs from the main window: the shown image's state and the
// viewer's modify, reload and save commands. The main window implements it; tests implement it
// with a fake. Every default is a harmless answer, so an implementation overrides only what it
// has.
class ToolBoxHost {
public:
    virtual ~ToolBoxHost() = default;

    // --- the shown image ---
    virtual bool HasImage() const { return false; }
    // Width and height of the shown picture.
    virtual QSize PictureSize() const { return {}; }
    // The picture has unsaved changes.
    virtual bool ImageModified() const { return false; }
    // The user declined to keep the changes ("Discard Changes" or a cancelled Save Image).
    virtual bool ChangesDiscarded() const { return false; }
    // Forget that the user declined the changes, so the next save question is asked again.
    virtual void ClearChangesDiscarded() {}
    virtual bool SlideShowActive() const { return false; }

    // --- the viewer's commands ---
    // Rotate or flip the shown picture: 1 rotate 90 degrees clockwise, 2 rotate 180 degrees,
    // 3 rotate 90 degrees counter-clockwise, 4 flip horizontally, 5 flip vertically.
    virtual void TransformImage(int code) { (void)code; }
    // Resize the shown picture; false when it could not be resized (for instance a width or
    // height of 0 or less): the main window has shown the error and the picture is unchanged.
    virtual bool ResizeImage(int width, int height) {
        (void)width;
        (void)height;
        return false;
    }
    // Load the shown image again from its file, dropping its changes.
    virtual void ReloadImage() {}
    // Save a modified picture with the viewer's prompts; true when the caller must abandon the
    // step it was about to do (the tools window goes on regardless).
    virtual bool PromptSaveModified() { return false; }

    // --- the status bar ---
    // The long part of a control's hint, shown in the main window's status bar (empty clears).
    virtual void ShowLongHint(const QString& text) { (void)text; }
};

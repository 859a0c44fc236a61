// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/OptionsHost.h"
#include "email/EmailHost.h"
#include "tools/ToolBoxHost.h"

class TMainForm;

// What the image tools window asks of the main window.
class TMainToolBoxHost : public ToolBoxHost {
public:
    explicit TMainToolBoxHost(TMainForm& main) : main_(main) {}
    bool HasImage() const override;
    QSize PictureSize() const override;
    bool ImageModified() const override;
    bool ChangesDiscarded() const override;
    void ClearChangesDiscarded() override;
    bool SlideShowActive() const override;
    void TransformImage(int code) override;
    bool ResizeImage(int width, int height) override;
    void ReloadImage() override;
    bool PromptSaveModified() override;
    void ShowLongHint(const QString& text) override;

private:
    TMainForm& main_;
};

// The main window's live state that the Options dialog shows and applies.
class TMainOptionsHost : public OptionsHost {
public:
    explicit TMainOptionsHost(TMainForm& main) : main_(main) {}
    int SlideShowInterval() const override;
    void SetSlideShowInterval(int milliseconds) override;
    bool StartAtBeginning() const override;
    void SetStartAtBeginning(bool on) override;
    bool PlayInReverse() const override;
    void SetPlayInReverse(bool on) override;
    bool AnimateGif() const override;
    void SetAnimateGif(bool on) override;
    bool AutoSaveImages() const override;
    void SetAutoSaveImages(bool on) override;
    bool HideFolderTab() const override;
    void SetHideFolderTab(bool hide) override;
    TRecentFolders* RecentFolders() override;
    void RecentFoldersChanged() override;

private:
    TMainForm& main_;
};

// What the e-mail wizard asks of the main window.
class TMainEmailHost : public EmailHost {
public:
    explicit TMainEmailHost(TMainForm& main) : main_(main) {}
    bool SlideShowRunning() const override;
    QString CurrentFolderPath() const override;
    QStringList CurrentSelection() const override;
    void SetBusy(bool busy) override;

private:
    TMainForm& main_;
};

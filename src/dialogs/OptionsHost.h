// SPDX-License-Identifier: MIT
#pragma once

class TRecentFolders;

// What the Options dialog reads from and applies to the main window: the slide show options,
// the general switches it keeps, and the recent-folder list. The main window implements it;
// tests implement it with a fake. Every default is the setting's own default, so an
// implementation overrides only what it has.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;

    // --- slide show ---
    // The slide show timer's interval: the pause between slides in milliseconds.
    virtual int SlideShowInterval() const { return 5000; }
    virtual void SetSlideShowInterval(int milliseconds) { (void)milliseconds; }
    // "Always Start Slide Show At First Image".
    virtual bool StartAtBeginning() const { return false; }
    virtual void SetStartAtBeginning(bool on) { (void)on; }
    // "Play Slide Show in Reverse Order".
    virtual bool PlayInReverse() const { return false; }
    virtual void SetPlayInReverse(bool on) { (void)on; }

    // --- general ---
    // The check mark of the GIF animation menu item.
    virtual bool AnimateGif() const { return true; }
    virtual void SetAnimateGif(bool on) { (void)on; }
    // "Auto-Save Large Rotated Images".
    virtual bool AutoSaveImages() const { return true; }
    virtual void SetAutoSaveImages(bool on) { (void)on; }
    // "Hide Folder Tab for Single Folder".
    virtual bool HideFolderTab() const { return false; }
    // Stores the option and refits the folder tab area: with a single folder open its tab row
    // goes or comes back; otherwise only the option changes.
    virtual void SetHideFolderTab(bool hide) { (void)hide; }

    // --- recent folders ---
    // The recent-folder list (its entries and its maximum), or null when there is none.
    virtual TRecentFolders* RecentFolders() { return nullptr; }
    // The list lost entries: rebuild the "Open Recent" menu and refill the Open Image Folder
    // dialog's folder list from it.
    virtual void RecentFoldersChanged() {}
};

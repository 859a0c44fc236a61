// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/DialogControls.h"

#include <QList>
#include <array>

class OptionsHost;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;

// The tabs of the Options dialog, in page order.
enum class OptionsPage : int { General = 0, SlideShow = 1, RecentFolders = 2, FileTypes = 3 };

// "Options": general switches, slide show timing, the size of the recent-folder list and the
// image types the program opens by default. Every showing starts from the main window's live
// state (through OptionsHost), the four prompt flags in the settings store and the current file
// associations. Applying changes the main window's state, writes the prompt flags at once and
// makes or unmakes the program the default opener of the changed file types. One instance lives
// for the whole run.
class TOptionsForm : public TModalDialog {
    Q_OBJECT
public:
    static constexpr int FileTypeCount = 9;

    explicit TOptionsForm(OptionsHost& host, QWidget* parent = nullptr);

    // Shows the dialog modally on the page used last, or on `page`; 1 after OK (applied),
    // 2 after Close, Esc or the close box.
    int ShowModal();
    int ShowModal(OptionsPage page);

    // Fills every control from the live state and disables Apply (done at every showing).
    void FillControls();
    // Validates and applies all four tabs; false (after telling the user) when something
    // failed. Recent-list size and file types are applied before the pause is checked, so a
    // refused pause leaves them in effect.
    bool ApplyOptions();

    QTabWidget* OptionsPageControl() const { return optionsPageControl_; }
    QListWidget* CBLGeneral() const { return cblGeneral_; }
    QComboBox* CmbMinutes() const { return cmbMinutes_; }
    QComboBox* CmbSeconds() const { return cmbSeconds_; }
    QCheckBox* CBStartFromBeg() const { return cbStartFromBeg_; }
    QCheckBox* CBPlayInReverse() const { return cbPlayInReverse_; }
    QSpinBox* SEMRUSize() const { return seMRUSize_; }
    QPushButton* SBtnClearMRU() const { return sbtnClearMRU_; }
    QListWidget* CBLFileTypes() const { return cblFileTypes_; }
    QPushButton* SBtnApply() const { return sbtnApply_; }

public slots:
    // OK applies first and stays open when that fails.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateGeneralTab();
    QWidget* CreateSlideShowTab();
    QWidget* CreateRecentFoldersTab();
    QWidget* CreateFileTypesTab();
    // Places the pages and the bottom buttons and fixes the window size.
    void LayOutWindow(const QList<QPushButton*>& buttons);

    void ApplyFileTypes();
    void ApplyGeneralAndSlideShow(int interval);
    void WritePromptFlags();
    void SBtnApplyClick();
    void SBtnClearMRUClick();
    void RememberFileTypeStates();
    void EnableApply();
    void SyncSharedFileTypes(int changedRow);

    OptionsHost& host_;
    // The check of each file-type row as last read or successfully applied; only rows that
    // differ from it are acted on.
    std::array<bool, FileTypeCount> initialFileTypeStates_{};

    QTabWidget* optionsPageControl_ = nullptr;
    QListWidget* cblGeneral_ = nullptr;
    QComboBox* cmbMinutes_ = nullptr;
    QComboBox* cmbSeconds_ = nullptr;
    QCheckBox* cbStartFromBeg_ = nullptr;
    QCheckBox* cbPlayInReverse_ = nullptr;
    QSpinBox* seMRUSize_ = nullptr;
    QPushButton* sbtnClearMRU_ = nullptr;
    QListWidget* cblFileTypes_ = nullptr;
    QPushButton* sbtnApply_ = nullptr;
};

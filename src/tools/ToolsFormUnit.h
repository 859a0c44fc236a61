// SPDX-License-Identifier: MIT
#pragma once

#include "tools/ToolBoxSizes.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class ToolBoxHost;

// "Image Tools": a small stay-on-top window with buttons for the viewer's rotate, flip, resize,
// reload and save commands. It holds no image: every button calls the main window through
// ToolBoxHost. Its own logic is the resize entry (tools/ToolBoxSizes.h). Created once at
// start-up; the main window shows and hides it.
class TToolBox : public QWidget {
    Q_OBJECT
public:
    explicit TToolBox(ToolBoxHost& host, QWidget* parent = nullptr);

    // With an image shown: both edits show its size (pixels, or 100 in a percent unit).
    // Called after every newly shown image, after a resize, on close and before showing.
    void ResetSizes();
    // Enables every control for `enabled` except Close, Save, Resize and Revert; then, with an
    // image shown, Save follows the unsaved changes (never during a slide show), Resize and
    // Revert a size that differs from the image. Without an image those three are disabled.
    void EnableTools(bool enabled);
    // The unsaved-changes state changed in the main window.
    void SetSaveEnabled(bool enabled);

    // The entered size, as percent of the shown image and in pixels.
    int WidthPercent() const { return sizes_.WidthPercent(); }
    int HeightPercent() const { return sizes_.HeightPercent(); }
    int WidthPixels() const { return sizes_.WidthPixels(); }
    int HeightPixels() const { return sizes_.HeightPixels(); }

    QLineEdit* EditWidth() const { return editWidth_; }
    QLineEdit* EditHeight() const { return editHeight_; }
    QComboBox* CmbWidthType() const { return cmbWidthType_; }
    QComboBox* CmbHeightType() const { return cmbHeightType_; }
    QCheckBox* CbProportional() const { return cbProportional_; }
    QPushButton* SBtnResize() const { return sbtnResize_; }
    QPushButton* SBtnResetSizes() const { return sbtnResetSizes_; }
    QPushButton* SBtnSave() const { return sbtnSave_; }
    QPushButton* SBtnCancel() const { return sbtnCancel_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateRotateFlipGroups();
    void CreateResizeGroup();
    void CreateFileButtons();
    // A button showing a picture (here a glyph) with its "short|long" hint, running `command`.
    QPushButton* AddPictureButton(QWidget* parent, const char* name, const QString& glyph,
                                  const QRect& geometry, const char* hint,
                                  std::function<void()> command);
    // Runs one button's command; an error is shown in the program's error box.
    void RunCommand(const std::function<void()>& command);
    // Takes the shown image's size, runs `change` on the sizes and shows the result.
    void ChangeSizes(const std::function<void()>& change);
    void ShowSizes();

    void SBtnResizeClick();
    void SBtnSaveClick();

    ToolBoxHost& host_;
    TToolBoxSizes sizes_;
    QLineEdit* editWidth_ = nullptr;
    QLineEdit* editHeight_ = nullptr;
    QComboBox* cmbWidthType_ = nullptr;
    QComboBox* cmbHeightType_ = nullptr;
    QCheckBox* cbProportional_ = nullptr;
    QPushButton* sbtnResize_ = nullptr;
    QPushButton* sbtnResetSizes_ = nullptr;
    QPushButton* sbtnSave_ = nullptr;
    QPushButton* sbtnCancel_ = nullptr;
};

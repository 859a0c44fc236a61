// SPDX-License-Identifier: MIT
#include "tools/ToolsFormUnit.h"

#include "imaging/PictureTransforms.h"

#include "dialogs/DialogControls.h"
#include "dialogs/HelpDlgUnit.h"
#include "imaging/AppError.h"
#include "imaging/GenUtilWidgets.h"
#include "tools/ToolBoxHost.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusTipEvent>

namespace {

// The viewer's rotate/flip command takes the transform codes as numbers.
constexpr int Code(TransformMode mode) {
    return int(mode);
}

QGroupBox* MakeGroup(QWidget* parent, const QString& title, const QRect& geometry) {
    auto* group = new QGroupBox(title, parent);
    group->setGeometry(geometry);
    return group;
}

QComboBox* MakeUnitList(QWidget* parent, const QRect& geometry, const char* name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems({QStringLiteral("Pixels"), QStringLiteral("Percent")});
    list->setGeometry(geometry);
    return list;
}

QLineEdit* MakeSizeEdit(QWidget* parent, const QRect& geometry, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    return edit;
}

// Splits a "short|long" hint into the tooltip and the status-bar text.
void ApplyHint(QWidget* control, const char* hint) {
    const QString text = QString::fromUtf8(hint);
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    control->setToolTip(text.left(bar));
    control->setStatusTip(text.mid(bar + 1));
}

} // namespace

TToolBox::TToolBox(ToolBoxHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      host_(host) {
    setObjectName(QStringLiteral("ToolBox"));
    setWindowTitle(QStringLiteral("Image Tools"));
    setFixedSize(252, 240);

    CreateRotateFlipGroups();
    CreateResizeGroup();
    CreateFileButtons();

    WidenButtonsForDpi(this);
}

void TToolBox::CreateRotateFlipGroups() {
    QGroupBox* rotate = MakeGroup(this, QStringLiteral("Rotate"), QRect(8, 4, 136, 56));
    AddPictureButton(rotate, "SBtnRotateCW", QStringLiteral("\u21BB"), QRect(10, 22, 32, 26),
                     "90\u00B0 Clockwise|Rotate Image 90\u00B0 Clockwise",
                     [this] { host_.TransformImage(Code(TransformMode::Rotate90Clockwise)); });
    AddPictureButton(rotate, "SBtnRotateCCW", QStringLiteral("\u21BA"), QRect(48, 22, 32, 26),
                     "90\u00B0 Counter Clockwise|Rotate Image 90\u00B0 Counter Clockwise", [this] {
                         host_.TransformImage(Code(TransformMode::Rotate90CounterClockwise));
                     });
    AddPictureButton(rotate, "SBtnRotateFull", QStringLiteral("180\u00B0"), QRect(86, 22, 32, 26),
                     "Full 180\u00B0|Rotate Image Full 180\u00B0",
                     [this] { host_.TransformImage(Code(TransformMode::Rotate180)); });

    QGroupBox* flip = MakeGroup(this, QStringLiteral("Flip"), QRect(152, 4, 92, 56));
    AddPictureButton(flip, "SBtnFlipHorz", QStringLiteral("\u21C6"), QRect(12, 22, 30, 26),
                     "Flip Horizontally|Flip Image Horizontally",
                     [this] { host_.TransformImage(Code(TransformMode::FlipHorizontal)); });
    AddPictureButton(flip, "SBtnFlipVert", QStringLiteral("\u21C5"), QRect(50, 22, 30, 26),
                     "Flip Vertically|Flip Image Vertically",
                     [this] { host_.TransformImage(Code(TransformMode::FlipVertical)); });
}

void TToolBox::CreateResizeGroup() {
    QGroupBox* group = MakeGroup(this, QStringLiteral("Resize"), QRect(8, 64, 236, 108));
    MakeDialogLabel(group, QStringLiteral("Width"), 10, 26, "LblWidth");
    MakeDialogLabel(group, QStringLiteral("Height"), 10, 52, "LblHeight");
    editWidth_ = MakeSizeEdit(group, QRect(58, 22, 64, 22), "EditWidth");
    editHeight_ = MakeSizeEdit(group, QRect(58, 48, 64, 22), "EditHeight");
    cmbWidthType_ = MakeUnitList(group, QRect(128, 22, 98, 22), "CmbWidthType");
    cmbHeightType_ = MakeUnitList(group, QRect(128, 48, 98, 22), "CmbHeightType");
    cbProportional_ = new QCheckBox(QStringLiteral("Constrain Proportions"), group);
    cbProportional_->setObjectName(QStringLiteral("CbProportional"));
    cbProportional_->setGeometry(10, 78, 150, 22);
    cbProportional_->setChecked(sizes_.Proportional());
    sbtnResize_ =
        AddPictureButton(group, "SBtnResize", QStringLiteral("\u2922"), QRect(162, 74, 30, 26),
                         "Resize Image|Resize Image", [this] { SBtnResizeClick(); });
    sbtnResetSizes_ = AddPictureButton(
        group, "SBtnResetSizes", QStringLiteral("\u21B6"), QRect(196, 74, 30, 26),
        "Revert Width and Height|Revert Width and Height to Current Image Width and Height",
        [this] { ResetSizes(); });

    for (QLineEdit* edit : {editWidth_, editHeight_})
        edit->installEventFilter(this);
    connect(editWidth_, &QLineEdit::textEdited, this,
            [this](const QString& text) { ChangeSizes([&] { sizes_.EditWidthChange(text); }); });
    connect(editHeight_, &QLineEdit::textEdited, this,
            [this](const QString& text) { ChangeSizes([&] { sizes_.EditHeightChange(text); }); });
    connect(cmbWidthType_, &QComboBox::currentIndexChanged, this,
            [this](int index) { ChangeSizes([&] { sizes_.CmbWidthTypeChange(index); }); });
    connect(cmbHeightType_, &QComboBox::currentIndexChanged, this,
            [this](int index) { ChangeSizes([&] { sizes_.CmbHeightTypeChange(index); }); });
    connect(cbProportional_, &QCheckBox::toggled, this,
            [this](bool on) { sizes_.SetProportional(on); });
}

void TToolBox::CreateFileButtons() {
    auto* reload = MakeDialogButton(this, QStringLiteral("Reload from File"),
                                    QRect(8, 178, 116, 25), "SBtnReload");
    ApplyHint(reload, "Reload Image from File|Reload Image from File");
    connect(reload, &QPushButton::clicked, this,
            [this] { RunCommand([this] { host_.ReloadImage(); }); });

    sbtnSave_ = MakeDialogButton(this, QStringLiteral("Save to File"), QRect(128, 178, 116, 25),
                                 "SBtnSave");
    ApplyHint(sbtnSave_, "Save Image to File|Save Image to File");
    sbtnSave_->setEnabled(false);
    connect(sbtnSave_, &QPushButton::clicked, this,
            [this] { RunCommand([this] { SBtnSaveClick(); }); });

    sbtnCancel_ =
        MakeDialogButton(this, QStringLiteral("Close"), QRect(128, 208, 116, 25), "SBtnCancel");
    connect(sbtnCancel_, &QPushButton::clicked, this, &QWidget::close);
}

QPushButton* TToolBox::AddPictureButton(QWidget* parent, const char* name, const QString& glyph,
                                        const QRect& geometry, const char* hint,
                                        std::function<void()> command) {
    QPushButton* button = MakeDialogButton(parent, glyph, geometry, name);
    ApplyHint(button, hint);
    connect(button, &QPushButton::clicked, this,
            [this, command = std::move(command)] { RunCommand(command); });
    return button;
}

void TToolBox::RunCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const AppError& error) {
        ShowApplicationError(error.Message());
    } catch (const std::exception& error) {
        ShowApplicationError(QString::fromLocal8Bit(error.what()));
    }
}

void TToolBox::ChangeSizes(const std::function<void()>& change) {
    sizes_.SetImageSize(host_.HasImage() ? host_.PictureSize() : QSize());
    change();
    ShowSizes();
}

void TToolBox::ShowSizes() {
    // Written without the edits' own change signals: the sizes already know the texts.
    if (editWidth_->text() != sizes_.WidthText())
        editWidth_->setText(sizes_.WidthText());
    if (editHeight_->text() != sizes_.HeightText())
        editHeight_->setText(sizes_.HeightText());
    const bool offer = sizes_.HasImage() && sizes_.SizeChanged();
    sbtnResize_->setEnabled(offer);
    sbtnResetSizes_->setEnabled(offer);
}

void TToolBox::ResetSizes() {
    if (host_.HasImage())
        ChangeSizes([this] { sizes_.ResetSizes(); });
}

void TToolBox::EnableTools(bool enabled) {
    SetEnabledDeep(this, enabled, {this, sbtnCancel_, sbtnSave_, sbtnResize_, sbtnResetSizes_});
    if (!host_.HasImage()) {
        for (QPushButton* button : {sbtnSave_, sbtnResize_, sbtnResetSizes_})
            button->setEnabled(false);
        return;
    }
    sizes_.SetImageSize(host_.PictureSize());
    sbtnSave_->setEnabled(enabled && host_.ImageModified() && !host_.SlideShowActive());
    const bool offer = enabled && sizes_.SizeChanged();
    sbtnResize_->setEnabled(offer);
    sbtnResetSizes_->setEnabled(offer);
}

void TToolBox::SetSaveEnabled(bool enabled) {
    sbtnSave_->setEnabled(enabled);
}

void TToolBox::SBtnResizeClick() {
    sizes_.SetImageSize(host_.HasImage() ? host_.PictureSize() : QSize());
    // A failed resize keeps the typed size, so it can be corrected.
    if (host_.ResizeImage(sizes_.WidthPixels(), sizes_.HeightPixels()))
        ResetSizes();
}

void TToolBox::SBtnSaveClick() {
    // The button always offers the save, also after the changes were declined once.
    host_.ClearChangesDiscarded();
    host_.PromptSaveModified();
    // Declining them now brings the file's own picture back.
    if (host_.ChangesDiscarded())
        host_.ReloadImage();
}

bool TToolBox::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        host_.ShowLongHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

bool TToolBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == editWidth_ || watched == editHeight_)) {
        // Only digits, "." and a few control characters may be typed; keys that type nothing
        // (arrows, Delete) pass.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && key->key() != Qt::Key_Delete &&
            !TToolBoxSizes::IsSizeEditChar(text.front()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TToolBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void TToolBox::closeEvent(QCloseEvent* event) {
    // The next opening starts from the image's size.
    ResetSizes();
    QWidget::closeEvent(event);
}

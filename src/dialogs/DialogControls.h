// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QRect>
#include <QString>
#include <QStyle>

class QLabel;
class QPushButton;
class QWidget;

// What the dialogs share: Enter answers OK and Esc answers Cancel whichever control has the
// focus, and the close box answers Cancel (2).
class TModalDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    virtual void EnterPressed();
    virtual void EscapePressed();
};

// Small helpers the dialogs share to place plain controls at fixed pixel positions.

// A push button at `geometry`. It never answers Enter itself: every dialog maps Enter to OK
// whichever control has the focus.
QPushButton* MakeDialogButton(QWidget* parent, const QString& caption, const QRect& geometry,
                              const char* objectName);

// A small push button showing the style's `picture`, with `hint` as its short and long hint.
QPushButton* MakePictureButton(QWidget* parent, QStyle::StandardPixmap picture, const QString& hint,
                               const QRect& geometry, const char* objectName);

// A plain-text label (an ampersand stays an ampersand) at x, y, sized to its text.
QLabel* MakeDialogLabel(QWidget* parent, const QString& text, int x, int y, const char* objectName);

// Gives `label` a word-wrapped fixed width and returns the height its text needs, at least
// `minimumHeight`; the label is resized to it.
int FitWrappedLabel(QLabel* label, int width, int minimumHeight);

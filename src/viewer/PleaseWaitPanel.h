// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLabel;

// The panel that covers the viewing area when no image is shown: "Loading Image, Please
// Wait..." while a first image loads, or the hints on how to open an image.
class TPleaseWaitPanel : public QWidget {
    Q_OBJECT
public:
    explicit TPleaseWaitPanel(QWidget* parent);

    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    // The panel's colour; its text is white on black and black on anything else.
    void SetColor(const QColor& color);
    QColor Color() const { return color_; }

    QLabel* LblToOpenImage() const { return lblToOpenImage_; }
    QLabel* LblToOpen() const { return lblToOpen_; }
    QLabel* OpenBtnImage() const { return openBtnImage_; }
    // Shows or hides the hints; the first line only when `anyFolderOpen`.
    void ShowHints(bool anyFolderOpen);
    void HideHints();
    // Places the hints in the middle of the panel.
    void ArrangeHints();

signals:
    // The panel, a hint or the button picture was clicked.
    void Clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* lblToOpenImage_ = nullptr;
    QLabel* lblToOpen_ = nullptr;
    QLabel* openBtnImage_ = nullptr;
    QString caption_;
    QColor color_{Qt::black};
};

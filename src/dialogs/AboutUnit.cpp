// SPDX-License-Identifier: MIT
#include "dialogs/AboutUnit.h"

#include "dialogs/AboutInfo.h"
#include "dialogs/ModalResult.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/GenUtilWidgets.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace {

// The splash picture: a dusk sky over a row of film frames, drawn rather than shipped.
QPixmap SplashPicture() {
    QPixmap picture(321, 241);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 241);
    sky.setColorAt(0.0, QColor(20, 40, 90));
    sky.setColorAt(0.6, QColor(90, 120, 190));
    sky.setColorAt(1.0, QColor(235, 170, 90));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 20, 20));
    painter.drawRect(0, 150, 321, 56);
    painter.setBrush(QColor(240, 240, 240));
    for (int x = 6; x < 321; x += 20) {
        painter.drawRect(x, 154, 8, 6);
        painter.drawRect(x, 196, 8, 6);
    }
    for (int x = 10; x < 321; x += 80) {
        QLinearGradient frame(x, 164, x + 70, 194);
        frame.setColorAt(0.0, QColor(250, 210, 120));
        frame.setColorAt(1.0, QColor(120, 160, 220));
        painter.setBrush(frame);
        painter.drawRect(x, 164, 70, 28);
    }
    return picture;
}

QLabel* RightAlignedLabel(QWidget* parent, const QString& text, int right, int top,
                          const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->adjustSize();
    label->move(right - label->width(), top);
    return label;
}

QLabel* LinkLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("<a href=\"#\" style=\"color:#0000ff\">") + text.toHtmlEscaped() +
                   QStringLiteral("</a>"));
    label->setCursor(Qt::PointingHandCursor);
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

TAboutDlg::TAboutDlg(QWidget* parent) : TModalDialog(parent) {
    setObjectName(QStringLiteral("AboutDlg"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setFixedSize(484, 244);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(rect());

    auto* imgSplash = new QLabel(panel);
    imgSplash->setObjectName(QStringLiteral("ImgSplash"));
    imgSplash->setScaledContents(true);
    imgSplash->setPixmap(SplashPicture());
    imgSplash->setGeometry(1, 1, 321, 241);

    auto* lblOrvo = new QLabel(QStringLiteral("Orvo"), panel);
    lblOrvo->setObjectName(QStringLiteral("LblOrvo"));
    QFont handwriting = lblOrvo->font();
    handwriting.setStyleHint(QFont::Cursive);
    handwriting.setFamilies(
        {QStringLiteral("URW Chancery L"), QStringLiteral("Z003"), QStringLiteral("cursive")});
    handwriting.setPixelSize(43);
    lblOrvo->setFont(handwriting);
    QPalette whiteText = lblOrvo->palette();
    whiteText.setColor(QPalette::WindowText, Qt::white);
    lblOrvo->setPalette(whiteText);
    lblOrvo->move(96, 0);
    lblOrvo->adjustSize();

    QFont big = font();
    big.setPixelSize(32);
    big.setBold(true);
    RightAlignedLabel(panel, AboutProductText(), 474, 16, big)
        ->setObjectName(QStringLiteral("LblImageBrowser"));
    QFont bold = font();
    bold.setBold(true);
    RightAlignedLabel(panel, AboutVersionText(), 474, 72, bold)
        ->setObjectName(QStringLiteral("LblBuild"));
    RightAlignedLabel(panel, AboutCommentsText(), 357, 208, font())
        ->setObjectName(QStringLiteral("LblComments"));

    auto* label1 = LinkLabel(panel, AboutWebAddress(), 360, 208);
    label1->setObjectName(QStringLiteral("Label1"));
    connect(label1, &QLabel::linkActivated, this, &TAboutDlg::Label1Click);
    auto* label2 = new QLabel(QStringLiteral("or e-mail "), panel);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->move(264, 224);
    label2->adjustSize();
    auto* label3 = LinkLabel(panel, AboutSupportMail(), 308, 224);
    label3->setObjectName(QStringLiteral("Label3"));
    connect(label3, &QLabel::linkActivated, this, &TAboutDlg::Label3Click);

    sbtnClose_ =
        MakeDialogButton(panel, QStringLiteral("Close"), QRect(0, 160, 73, 25), "SBtnClose");
    connect(sbtnClose_, &QPushButton::clicked, this, [this] { done(mrCancel); });
    WidenButtonsForDpi(this);
    const CloseButtonPlace place = AboutCloseButtonPlace(ScreenResolution());
    sbtnClose_->setGeometry(place.left, 160, place.width, 25);

    autoCloseTimer_ = new QTimer(this);
    autoCloseTimer_->setObjectName(QStringLiteral("AutoCloseTimer"));
    autoCloseTimer_->setSingleShot(true);
    autoCloseTimer_->setInterval(SplashDurationMs);
    connect(autoCloseTimer_, &QTimer::timeout, this, [this] { done(mrCancel); });
}

void TAboutDlg::ShowSplashAtStart() {
    ShowSplashAtStart(QCoreApplication::arguments().mid(1));
}

void TAboutDlg::ShowSplashAtStart(const QStringList& arguments) {
    if (SplashWanted(arguments))
        ShowSplash();
}

void TAboutDlg::ShowSplash() {
    autoCloseTimer_->start();
    sbtnClose_->hide();
    show();
}

int TAboutDlg::ShowAbout() {
    if (isVisible())
        done(mrCancel);
    return exec();
}

void TAboutDlg::done(int result) {
    TModalDialog::done(result);
    // A later about window has its button and no timer.
    sbtnClose_->show();
    autoCloseTimer_->stop();
}

void TAboutDlg::Label1Click() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("https://") + AboutWebAddress()));
}

void TAboutDlg::Label3Click() {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + AboutSupportMail()));
}

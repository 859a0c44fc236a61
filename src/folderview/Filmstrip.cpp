// SPDX-License-Identifier: MIT
#include "folderview/Filmstrip.h"

#include "folderview/BitmapCache.h"
#include "folderview/FilmstripOwner.h"
#include "folderview/FolderModel.h"
#include "folderview/FolderStatus.h"

#include <QCursor>
#include <QDropEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolTip>
#include <cstdlib>

// One picture of the strip (a sprocket strip or the thumbnails): shows its image unscaled at the
// top left. The filmstrip handles its mouse and drag events.
class TFilmPicture : public QWidget {
public:
    using QWidget::QWidget;
    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture) {
        picture_ = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, picture_); }

private:
    QImage picture_;
};

namespace {

const QColor FrameGray(128, 128, 128);

// An x that lies outside the thumbnails: the sprockets lose their highlight.
constexpr int OutsideThumbs = -2;

QString HintOf(const QString& name) {
    return name + QLatin1Char('|') + name +
           QStringLiteral("   (Use [Ctrl] or [Shift] to select multiple images.)");
}

QPushButton* MakeQuickButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background: #202020; color: white; border: none; font-weight: bold; }"
        "QPushButton:hover { background: #484848; }"
        "QPushButton:pressed { background: #707070; }"));
    return button;
}

} // namespace

TFilmstrip::TFilmstrip(TFolderModel& model, FilmstripOwner& owner, QWidget* parent)
    : QWidget(parent), model_(model), owner_(owner) {
    setObjectName(QStringLiteral("LargeFilmPanel"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setFixedHeight(PanelHeight);

    quickLeft_ = MakeQuickButton(QStringLiteral("<"), QStringLiteral("SBtnQuickLeft"), this);
    quickRight_ = MakeQuickButton(QStringLiteral(">"), QStringLiteral("SBtnQuickRight"), this);
    connect(quickLeft_, &QPushButton::clicked, this, [this] { QuickScroll(-1); });
    connect(quickRight_, &QPushButton::clicked, this, [this] { QuickScroll(1); });

    const auto makePicture = [this](const QString& name) {
        auto* picture = new TFilmPicture(this);
        picture->setObjectName(name);
        picture->setMouseTracking(true);
        picture->setAcceptDrops(true);
        picture->installEventFilter(this);
        return picture;
    };
    topFilm_ = makePicture(QStringLiteral("TopFilmImage"));
    thumbs_ = makePicture(QStringLiteral("ThumbImage"));
    botFilm_ = makePicture(QStringLiteral("BotFilmImage"));
    // The right button pops the menu up after its release has settled the selection.
    thumbs_->setContextMenuPolicy(Qt::PreventContextMenu);
    for (QPushButton* button : {quickLeft_, quickRight_}) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }

    scrollBar_ = new QScrollBar(Qt::Horizontal, this);
    scrollBar_->setObjectName(QStringLiteral("ThumbScrollBar"));
    scrollBar_->setSingleStep(4);
    scrollBar_->setPageStep(16);
    scrollBar_->setRange(0, 0);
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) { RedrawStrip(value); });

    CreateMenu();
    // The strip is laid out by the first resize, which comes before the panel is shown.
    DrawSprockets(OutsideThumbs, true);
}

TFilmstrip::~TFilmstrip() = default;

void TFilmstrip::CreateMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("ThumbMenu"));
    const auto add = [this](const char* name, const char* caption, auto slot) {
        QAction* action = menu_->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    items_.Rename1 = add("Rename1", "Rename... [Ctrl+ENTER]", [this] { owner_.RenameSelected(); });
    items_.Delete1 = add("Delete1", "Delete Image(s) [Del]", [this] { owner_.DeleteSelected(); });
    items_.Email1 = add("Email1", "Email Image(s) [Ctrl+E]", [this] {
        if (owner_.IsCurrentFolder())
            owner_.EmailSelection();
    });
    menu_->addSeparator();
    items_.Copy1 = add("Copy1", "Copy Image(s) [Ctrl+C]", [this] { owner_.CopySelected(); });
    items_.Cut1 = add("Cut1", "Cut Image(s) [Ctrl+X]", [this] { owner_.CutSelected(); });
    items_.Paste1 = add("Paste1", "Paste Image(s) [Ctrl+V]", [this] { owner_.PasteHere(); });
    menu_->addSeparator();
    items_.SelectAll1 = add("SelectAll1", "Select All [Ctrl+A]", [this] { model_.SelectAll(); });
    items_.Refresh1 = add("Refresh1", "Refresh [Shift+F5]", [this] { owner_.RefreshFolder(); });
    menu_->addSeparator();
    items_.AdvancedFolderView1 =
        add("AdvancedFolderView1", "Advanced Folder View", [this] { owner_.FloatView(); });
    items_.CloseFolder2 = add("CloseFolder2", "Close Folder", [this] { owner_.CloseFolder(); });
    for (QAction* action :
         {items_.Rename1, items_.Delete1, items_.Email1, items_.Copy1, items_.Cut1, items_.Paste1})
        action->setEnabled(false);
}

// --- geometry ---

TFilmstripGeometry TFilmstrip::Geometry() const {
    return TFilmstripGeometry(model_.FileCount(), width_);
}

int TFilmstrip::ThumbScrollPosition() const {
    return scrollBar_->value();
}

qint64 TFilmstrip::StripOffset(int position) const {
    return Geometry().StripOffset(position < 0 ? ThumbScrollPosition() : position);
}

int TFilmstrip::IndexAtX(int x) const {
    return Geometry().IndexAtX(x, ThumbScrollPosition());
}

QString TFilmstrip::NameAtX(int x) const {
    const int index = IndexAtX(x);
    return index >= 0 && index < model_.FileCount() ? model_.ImageFiles().at(index) : QString();
}

QWidget* TFilmstrip::TopFilmImage() const {
    return topFilm_;
}

QWidget* TFilmstrip::ThumbImage() const {
    return thumbs_;
}

QWidget* TFilmstrip::BotFilmImage() const {
    return botFilm_;
}

const QImage& TFilmstrip::ThumbPicture() const {
    return thumbs_->Picture();
}

const QImage& TFilmstrip::SprocketPicture() const {
    return topFilm_->Picture();
}

QString TFilmstrip::ShortHint() const {
    return hint_.section(QLatin1Char('|'), 0, 0);
}

QString TFilmstrip::LongHint() const {
    return hint_.section(QLatin1Char('|'), 1);
}

// --- drawing ---

void TFilmstrip::RedrawStrip(int position) {
    if (position < 0)
        position = ThumbScrollPosition();
    QImage picture;
    if (width_ > 0) {
        picture = QImage(width_, SlotWidth, QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter painter(&picture);
        model_.Cache().PaintStrip(painter, position, width_);
    }
    thumbs_->SetPicture(picture);
    DrawFrames(position);
    DrawSprockets(-1, false);
}

void TFilmstrip::DrawFrames(int position) {
    if (position < 0)
        position = ThumbScrollPosition();
    QImage picture = thumbs_->Picture();
    if (picture.isNull())
        return;
    const FilmstripVisibleSlots visible = Geometry().VisibleSlots(position);
    const QStringList& names = model_.ImageFiles();
    {
        QPainter painter(&picture);
        painter.setBrush(Qt::NoBrush);
        int x = visible.left;
        for (int i = visible.first; i <= visible.last && i < names.size(); ++i, x += SlotWidth) {
            // Black frames vanish on the black strip, wiping out a frame drawn before.
            painter.setPen(QPen(model_.IsSelected(names.at(i)) ? FrameGray : Qt::black, 2));
            painter.drawRect(TFilmstripGeometry::FrameRect(x));
        }
    }
    thumbs_->SetPicture(picture);
}

void TFilmstrip::DrawSprockets(int x, bool force) {
    if (x == -1) {
        const QPoint pointer = thumbs_->mapFromGlobal(QCursor::pos());
        if (pointer.x() >= 0 && pointer.x() <= width_ && pointer.y() >= 0 &&
            pointer.y() <= SlotWidth)
            x = pointer.x();
    }
    const FilmstripHover hover = Geometry().HoverAt(x, ThumbScrollPosition());
    if (!force && hover.left == hoverLeft_)
        return;
    hoverLeft_ = hover.left;
    PaintSprockets(hover.hole);
}

void TFilmstrip::PaintSprockets(int hole) {
    const TFilmstripGeometry geometry = Geometry();
    QImage picture;
    if (width_ > 0) {
        picture = QImage(width_, TFilmstripGeometry::SprocketHeight, QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter painter(&picture);
        painter.setPen(Qt::black);
        for (int i = 0; i < geometry.HoleCount(); ++i) {
            painter.setBrush(TFilmstripGeometry::IsHoleHighlighted(i, hole) ? FrameGray
                                                                            : QColor(Qt::white));
            // Corner ellipse 6 wide and 8 high.
            painter.drawRoundedRect(TFilmstripGeometry::HoleRect(i), 3, 4);
        }
    }
    topFilm_->SetPicture(picture);
    botFilm_->SetPicture(picture);
}

// --- scrolling and layout ---

void TFilmstrip::UpdateScrollRange() {
    const FilmstripScrollRange range = Geometry().ScrollRange();
    // Moving the bar here redraws nothing; the callers redraw. A lowered maximum that pulls the
    // position back shows the same picture, since an overshooting position is held back anyway.
    const QSignalBlocker block(scrollBar_);
    if (range.enabled) {
        if (scrollBar_->maximum() != range.maximum)
            scrollBar_->setMaximum(range.maximum);
        scrollBar_->setEnabled(true);
    } else {
        scrollBar_->setValue(0);
        scrollBar_->setEnabled(false);
    }
}

void TFilmstrip::ScrollIntoView(const QString& name) {
    const std::optional<int> target =
        Geometry().ScrollIntoViewPosition(model_.IndexOf(name), ThumbScrollPosition());
    if (target)
        ScrollTo(*target);
}

void TFilmstrip::ScrollTo(int position) {
    {
        const QSignalBlocker block(scrollBar_);
        scrollBar_->setValue(position); // the bar keeps it within 0..maximum
    }
    RedrawStrip(-1);
}

void TFilmstrip::QuickScroll(int direction) {
    ScrollTo(ThumbScrollPosition() + direction * Geometry().QuickScrollStep());
}

void TFilmstrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!model_.IsClosing())
        LayoutStrip();
}

void TFilmstrip::LayoutStrip() {
    const int panelWidth = width();
    quickLeft_->setGeometry(0, 0, ButtonWidth, PanelHeight);
    quickRight_->setGeometry(std::max(ButtonWidth, panelWidth - ButtonWidth), 0, ButtonWidth,
                             PanelHeight);
    const int w = std::max(0, panelWidth - 2 * ButtonWidth);
    if (w == width_)
        return;
    width_ = w;
    constexpr int sprocket = TFilmstripGeometry::SprocketHeight;
    topFilm_->setGeometry(ButtonWidth, 0, w, sprocket);
    thumbs_->setGeometry(ButtonWidth, sprocket, w, SlotWidth);
    botFilm_->setGeometry(ButtonWidth, sprocket + SlotWidth, w, sprocket);
    scrollBar_->setGeometry(ButtonWidth, 2 * sprocket + SlotWidth, w, ScrollBarHeight);
    DrawSprockets(-1, true);
    UpdateScrollRange();
    RedrawStrip(-1);
}

// --- the popup menu ---

void TFilmstrip::ShowStatus(const FolderStatus& status) {
    const auto apply = [](QAction* action, const MenuItemState& state) {
        action->setEnabled(state.enabled);
        action->setText(state.caption);
    };
    apply(items_.Rename1, status.rename);
    apply(items_.Delete1, status.remove);
    apply(items_.Email1, status.email);
    apply(items_.Copy1, status.copy);
    apply(items_.Cut1, status.cut);
}

void TFilmstrip::SetPasteItem(bool enabled, int pathCount) {
    items_.Paste1->setEnabled(enabled);
    items_.Paste1->setText(pathCount == 1 ? QStringLiteral("Paste Image [Ctrl+V]")
                                          : QStringLiteral("Paste Images [Ctrl+V]"));
}

void TFilmstrip::ShowThumbMenu(const QPoint& globalPos) {
    menu_->popup(globalPos);
}

// --- the mouse ---

void TFilmstrip::EndDrag() {
    dragging_ = false;
    // The button came up inside the drag, so the thumbnails never see its release.
    pressed_ = false;
    dragEndedSincePress_ = true;
}

void TFilmstrip::SelectByPressModifiers(const QString& name, bool toggle) {
    const bool ctrl = pressModifiers_.testFlag(Qt::ControlModifier);
    const bool shift = pressModifiers_.testFlag(Qt::ShiftModifier);
    if (ctrl && shift)
        model_.ExtendRange(name);
    else if (ctrl && toggle && model_.IsSelected(name))
        model_.RemoveFromSelection(name);
    else if (ctrl)
        model_.AddToSelection(name);
    else if (shift)
        model_.SelectRange(name);
    else
        model_.SelectOnly(name);
}

void TFilmstrip::ThumbMouseDown(QMouseEvent* event) {
    dragEndedSincePress_ = false;
    const QPoint at = event->position().toPoint();
    const QString name = NameAtX(at.x());
    pressed_ = event->button() == Qt::LeftButton && !name.isEmpty();
    if (!pressed_)
        return;
    pressPoint_ = at;
    pressModifiers_ = event->modifiers();
    pressName_ = name;
}

void TFilmstrip::ThumbMouseMove(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    DrawSprockets(at.x() < 0 ? OutsideThumbs : at.x(), false);
    const QString name = NameAtX(at.x());
    SetHint(name);
    if (name.isEmpty())
        return;
    const bool moved = std::abs(at.x() - pressPoint_.x()) > DragThreshold ||
                       std::abs(at.y() - pressPoint_.y()) > DragThreshold || name != pressName_;
    if (pressed_ && !dragging_ && moved) {
        if (!model_.IsSelected(name)) {
            SelectByPressModifiers(name, false);
            DrawFrames(); // the frames show what is dragged
        }
        dragging_ = true;
        // The drag runs its own event loop, in which the view may be closed and deleted.
        const QPointer<TFilmstrip> alive(this);
        const QStringList names = model_.SelectedFiles(); // a copy: the drop may change it
        owner_.StartThumbDrag(names);
        if (alive)
            EndDrag();
    } else if (!pressed_ && dragging_) {
        dragging_ = false;
    }
}

void TFilmstrip::ThumbMouseUp(QMouseEvent* event) {
    pressed_ = false;
    if (dragging_ || dragEndedSincePress_)
        return;
    const bool right = event->button() == Qt::RightButton;
    const bool modified = pressModifiers_ & (Qt::ShiftModifier | Qt::ControlModifier);
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton || !modified) {
        const QString name = NameAtX(at.x());
        if (!name.isEmpty()) {
            if (!right)
                SelectByPressModifiers(name, true);
            else if (!model_.IsSelected(name))
                model_.SelectOnly(name); // a right click on a selected file keeps the selection
            model_.SelectionChanged(-1, true);
        }
    }
    if (right)
        ShowThumbMenu(thumbs_->mapToGlobal(at));
}

void TFilmstrip::SetHint(const QString& name) {
    const QString hint = HintOf(name);
    if (hint == hint_)
        return;
    hint_ = hint;
    thumbs_->setToolTip(ShortHint());
    if (QToolTip::isVisible()) // an empty text hides it
        QToolTip::showText(QCursor::pos(), ShortHint(), thumbs_);
    owner_.ShowLongHint(LongHint());
}

// --- events of the pictures and buttons ---

bool TFilmstrip::HandleDragEvent(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (!owner_.CanAcceptDrop(*drop->mimeData())) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        owner_.DropOnView(*drop->mimeData());
    return true;
}

bool TFilmstrip::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)
        return HandleDragEvent(event);

    if (watched == thumbs_) {
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            ThumbMouseDown(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseMove:
            ThumbMouseMove(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease:
            ThumbMouseUp(static_cast<QMouseEvent*>(event));
            return true;
        case QEvent::Enter:
            if (!hint_.isEmpty())
                owner_.ShowLongHint(LongHint());
            return false;
        case QEvent::Leave:
            DrawSprockets(OutsideThumbs, false);
            owner_.ShowLongHint(QString());
            return false;
        default:
            return false;
        }
    }
    if (type == QEvent::MouseMove)
        DrawSprockets(OutsideThumbs, false);
    if ((watched == topFilm_ || watched == botFilm_) && type == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint()))
            model_.ShowSelection();
        return true;
    }
    return false;
}

// SPDX-License-Identifier: MIT
#pragma once

#include "folderview/FilmstripGeometry.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

class FilmstripOwner;
class QAction;
class QMenu;
class QPushButton;
class QScrollBar;
class TFilmPicture;
class TFolderModel;
struct FolderStatus;

// The items of the popup menu ThumbMenu, in menu order (separators left out).
struct ThumbMenuItems {
    QAction* Rename1 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* Email1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* Refresh1 = nullptr;
    QAction* AdvancedFolderView1 = nullptr;
    QAction* CloseFolder2 = nullptr;
};

// The filmstrip of a docked folder view (the black panel LargeFilmPanel): a row of thumbnails
// between two sprocket strips, a scroll bar underneath and a quick-scroll button at each end.
// The picture is composed from the folder's thumbnail cache; the mouse selects through the
// folder model and drags the selection; the popup menu's commands go to the owner.
//
// The panel is 120 pixels high; its owner sets its width, and a resize lays out the strip.
class TFilmstrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int ButtonWidth = 17;
    static constexpr int ScrollBarHeight = 16;
    static constexpr int PanelHeight =
        2 * TFilmstripGeometry::SprocketHeight + ScrollBarHeight + SlotWidth; // 120
    // A drag starts once the pointer has moved more than this many pixels from the press.
    static constexpr int DragThreshold = 3;

    TFilmstrip(TFolderModel& model, FilmstripOwner& owner, QWidget* parent = nullptr);
    ~TFilmstrip() override;

    // --- what the folder model asks of the strip (through the folder view window) ---
    // Position of ThumbScrollBar, in scroll units of 20 pixels.
    int ThumbScrollPosition() const;
    // Width W of the thumbnail picture ThumbImage.
    int ThumbImageWidth() const { return width_; }
    // Composes the visible thumbnails at `position` (-1: the current one), then frames and
    // sprockets.
    void RedrawStrip(int position = -1);
    // Draws the selection frames over the current picture, at `position` (-1: the current one).
    void DrawFrames(int position = -1);
    // Redraws both sprocket strips when the hovered slot changed or `force` is set; x is in
    // ThumbImage coordinates, -1 to take the pointer's position.
    void DrawSprockets(int x = -1, bool force = false);
    // The scroll bar's maximum and enabled state for the listed files and W.
    void UpdateScrollRange();
    // Scrolls so that the file's slot is fully visible.
    void ScrollIntoView(const QString& name);
    // Captions and enabled states of the selection-dependent items of ThumbMenu.
    void ShowStatus(const FolderStatus& status);

    // --- geometry at the current scroll position ---
    qint64 StripOffset(int position = -1) const;
    int IndexAtX(int x) const;
    QString NameAtX(int x) const;

    // --- the popup menu (also the advanced list's) ---
    QMenu* ThumbMenu() const { return menu_; }
    const ThumbMenuItems& MenuItems() const { return items_; }
    // Paste1: enabled or not; "Paste Image [Ctrl+V]" for one path, "Paste Images [Ctrl+V]"
    // otherwise.
    void SetPasteItem(bool enabled, int pathCount);
    // Pops ThumbMenu up at a global position (returns at once).
    void ShowThumbMenu(const QPoint& globalPos);

    // --- dragging ---
    bool IsDragging() const { return dragging_; }
    // The drag of thumbnails is over (the drop happened or was abandoned). Called by the strip
    // itself when FilmstripOwner::StartThumbDrag returns.
    void EndDrag();

    // --- the controls and pictures (the window and tests look at them) ---
    QPushButton* SBtnQuickLeft() const { return quickLeft_; }
    QPushButton* SBtnQuickRight() const { return quickRight_; }
    QWidget* TopFilmImage() const;
    QWidget* ThumbImage() const;
    QWidget* BotFilmImage() const;
    QScrollBar* ThumbScrollBar() const { return scrollBar_; }
    const QImage& ThumbPicture() const;
    const QImage& SprocketPicture() const;
    // Left edge of the hovered slot as the sprockets show it; -1 when none.
    int HoverLeft() const { return hoverLeft_; }
    // The short hint (tooltip) and the long hint of ThumbImage.
    QString ShortHint() const;
    QString LongHint() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TFilmstripGeometry Geometry() const;
    void CreateMenu();
    void LayoutStrip();
    // Moves the scroll bar without its own redraw, then redraws the strip.
    void ScrollTo(int position);
    void QuickScroll(int direction);
    void PaintSprockets(int hole);
    // Changes the selection for `name` by the modifiers of the last press on a thumbnail.
    void SelectByPressModifiers(const QString& name, bool toggle);

    void ThumbMouseDown(QMouseEvent* event);
    void ThumbMouseMove(QMouseEvent* event);
    void ThumbMouseUp(QMouseEvent* event);
    void SetHint(const QString& name);
    bool HandleDragEvent(QEvent* event);

    TFolderModel& model_;
    FilmstripOwner& owner_;

    QPushButton* quickLeft_ = nullptr;
    QPushButton* quickRight_ = nullptr;
    TFilmPicture* topFilm_ = nullptr;
    TFilmPicture* thumbs_ = nullptr;
    TFilmPicture* botFilm_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QMenu* menu_ = nullptr;
    ThumbMenuItems items_;

    int width_ = 0; // W
    int hoverLeft_ = -1;
    QString hint_;
    bool pressed_ = false;
    QPoint pressPoint_;
    Qt::KeyboardModifiers pressModifiers_;
    QString pressName_;
    bool dragging_ = false;
    // A drag ended since the last press: the release that dropped it selects nothing.
    bool dragEndedSincePress_ = false;
};

// SPDX-License-Identifier: MIT
// The filmstrip widget driven by synthetic mouse events over a real folder model: selection by
// click, Ctrl+click and Shift+click, the drag threshold, right clicks and the popup menu, the
// quick-scroll buttons, the scroll range, the hover highlight, hints, frames and drops.
#include "FakeFolderViewHost.h"
#include "folderview/Filmstrip.h"
#include "folderview/FilmstripOwner.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDropEvent>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

// A folder view host that hands the strip calls of the model to the filmstrip.
class FilmstripHost : public FakeFolderViewHost {
public:
    TFilmstrip* strip = nullptr;

    int ThumbScrollPosition() const override { return strip ? strip->ThumbScrollPosition() : 0; }
    int ThumbImageWidth() const override { return strip ? strip->ThumbImageWidth() : 0; }
    void RedrawStrip() override {
        FakeFolderViewHost::RedrawStrip();
        if (strip)
            strip->RedrawStrip();
    }
    void DrawFrames() override {
        FakeFolderViewHost::DrawFrames();
        if (strip)
            strip->DrawFrames();
    }
    void UpdateScrollRange() override {
        if (strip)
            strip->UpdateScrollRange();
    }
    void ScrollIntoView(const QString& name) override {
        FakeFolderViewHost::ScrollIntoView(name);
        if (strip)
            strip->ScrollIntoView(name);
    }
    void ShowStatus(const FolderStatus& s) override {
        FakeFolderViewHost::ShowStatus(s);
        if (strip)
            strip->ShowStatus(s);
    }
};

// Records what the filmstrip asks of its folder view window.
class FakeFilmstripOwner : public FilmstripOwner {
public:
    bool current = true;
    bool acceptDrops = false;
    QStringList longHints;
    QList<QStringList> drags;
    QStringList commands;
    int drops = 0;

    void ShowLongHint(const QString& text) override { longHints << text; }
    void StartThumbDrag(const QStringList& names) override { drags << names; }
    bool CanAcceptDrop(const QMimeData&) const override { return acceptDrops; }
    void DropOnView(const QMimeData&) override { ++drops; }
    void RenameSelected() override { commands << QStringLiteral("rename"); }
    void DeleteSelected() override { commands << QStringLiteral("delete"); }
    void EmailSelection() override { commands << QStringLiteral("email"); }
    void CopySelected() override { commands << QStringLiteral("copy"); }
    void CutSelected() override { commands << QStringLiteral("cut"); }
    void PasteHere() override { commands << QStringLiteral("paste"); }
    void RefreshFolder() override { commands << QStringLiteral("refresh"); }
    void FloatView() override { commands << QStringLiteral("float"); }
    void CloseFolder() override { commands << QStringLiteral("close"); }
    bool IsCurrentFolder() const override { return current; }
};

QString Name(int i) {
    return QStringLiteral("f%1.png").arg(i, 2, 10, QLatin1Char('0'));
}

QStringList Names(std::initializer_list<int> indexes) {
    QStringList names;
    for (int i : indexes)
        names << Name(i);
    return names;
}

// A filmstrip over a temporary folder of small PNG files f00.png, f01.png, ...
class FilmstripWidgetTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QTemporaryDir cacheDir;
    FilmstripHost host;
    FakeFilmstripOwner owner;
    std::unique_ptr<TFolderModel> model;
    std::unique_ptr<TFilmstrip> strip;

    // `count` files, a thumbnail picture `width` pixels wide.
    void Open(int count, int width) {
        ASSERT_TRUE(dir.isValid() && cacheDir.isValid());
        QImage picture(8, 6, QImage::Format_RGB32);
        for (int i = 0; i < count; ++i) {
            picture.fill(QColor(200, 10 * i, 40));
            ASSERT_TRUE(picture.save(JoinPath(dir.path(), Name(i))));
        }
        host.folder = dir.path();
        model = std::make_unique<TFolderModel>(
            host, std::make_unique<TThumbnailCacheMgr>(cacheDir.path()));
        strip = std::make_unique<TFilmstrip>(*model, owner);
        host.strip = strip.get();
        strip->resize(width + 2 * TFilmstrip::ButtonWidth, TFilmstrip::PanelHeight);
        strip->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(strip.get()));
        // The strip's hover follows the real pointer: park it away from the strip.
        QCursor::setPos(strip->mapToGlobal(QPoint(-200, -200)));
        model->OpenFolder(dir.path() + QLatin1Char('/'));
        ASSERT_EQ(model->FileCount(), count);
        ASSERT_EQ(strip->ThumbImageWidth(), width);
    }
    void TearDown() override {
        if (strip)
            strip->ThumbMenu()->hide();
        host.strip = nullptr;
        strip.reset();
        model.reset();
    }

    QWidget* Thumbs() const { return strip->ThumbImage(); }
    // The middle of the visible slot that shows file i (scroll position 0).
    static QPoint SlotCentre(int i) { return {i * SlotWidth + 40, 40}; }
    void Click(int i, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(Thumbs(), button, modifiers, SlotCentre(i));
    }
    void SendMove(QWidget* target, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    void Select(const QList<int>& indexes) {
        model->SelectOnly(Name(indexes.first()));
        for (int i : indexes.mid(1))
            model->AddToSelection(Name(i));
    }
    // The colour of the frame margin of the slot whose left edge is at x.
    QRgb FrameAt(int x) const { return strip->ThumbPicture().pixel(x, 40); }
};

const QRgb Gray = qRgb(128, 128, 128);
const QRgb Black = qRgb(0, 0, 0);

TEST_F(FilmstripWidgetTest, PlainClickSelectsOnlyThatFileAndShowsIt) {
    Open(5, 600);
    Select({0, 3});
    Click(2);
    EXPECT_EQ(model->SelectedFiles(), Names({2}));
    EXPECT_EQ(host.shown.last(), Name(2));
    // The selected slot has a gray frame in its margin, the others none.
    EXPECT_EQ(FrameAt(2 * SlotWidth), Gray);
    EXPECT_EQ(FrameAt(2 * SlotWidth + 79), Gray);
    EXPECT_EQ(FrameAt(0), Black);
    EXPECT_EQ(FrameAt(3 * SlotWidth), Black);
}

TEST_F(FilmstripWidgetTest, CtrlClickTogglesAndAnEmptySelectionClearsTheViewer) {
    Open(5, 600);
    Click(1);
    Click(3, Qt::ControlModifier);
    EXPECT_EQ(model->SelectedFiles(), Names({1, 3}));
    EXPECT_EQ(FrameAt(3 * SlotWidth), Gray);
    Click(1, Qt::ControlModifier);
    EXPECT_EQ(model->SelectedFiles(), Names({3}));
    EXPECT_EQ(FrameAt(SlotWidth), Black);
    EXPECT_EQ(host.shown.last(), Name(3)); // the viewer follows the first selected file
    const int clears = host.viewerClears;
    Click(3, Qt::ControlModifier);
    EXPECT_TRUE(model->SelectedFiles().isEmpty());
    EXPECT_GT(host.viewerClears, clears);
}

TEST_F(FilmstripWidgetTest, ShiftClickSelectsTheRangeFromTheFirstClickedFile) {
    Open(6, 600);
    Click(2);
    Click(5, Qt::ShiftModifier);
    EXPECT_EQ(model->SelectedFiles(), Names({2, 3, 4, 5}));
    Click(0, Qt::ShiftModifier);
    EXPECT_EQ(model->SelectedFiles(), Names({2, 1, 0}));
    EXPECT_EQ(host.shown.last(), Name(2));
    // Ctrl+Shift adds the range from the last selected file.
    Click(4);
    Click(1, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(model->SelectedFiles(), Names({4, 3, 2, 1}));
}

TEST_F(FilmstripWidgetTest, DragStartsAfterMovingMoreThanThreePixels) {
    struct Case {
        QPoint press, move;
        bool drag;
    } const cases[] = {
        {{40, 40}, {43, 40}, false}, {{40, 40}, {44, 40}, true},  {{40, 40}, {37, 40}, false},
        {{40, 40}, {36, 40}, true},  {{40, 40}, {40, 43}, false}, {{40, 40}, {40, 36}, true},
        {{40, 40}, {43, 37}, false}, {{78, 40}, {81, 40}, true}, // 3 pixels, but into the next slot
    };
    Open(5, 600);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "press " << c.press.x() << "," << c.press.y() << " move "
                                        << c.move.x() << "," << c.move.y());
        model->SelectOnly(Name(4));
        owner.drags.clear();
        QTest::mousePress(Thumbs(), Qt::LeftButton, {}, c.press);
        QTest::mouseMove(Thumbs(), c.move);
        EXPECT_EQ(owner.drags.size(), c.drag ? 1 : 0);
        EXPECT_EQ(strip->IsDragging(), false); // the drag is over when the owner returns
        QTest::mouseRelease(Thumbs(), Qt::LeftButton, {}, c.move);
        if (c.drag) {
            // The unselected file under the pointer became the selection that was dragged, and
            // the release that ended the drag changed nothing.
            const QString under = strip->NameAtX(c.move.x());
            EXPECT_EQ(owner.drags.value(0), QStringList{under});
            EXPECT_EQ(model->SelectedFiles(), QStringList{under});
        } else {
            EXPECT_EQ(model->SelectedFiles(), Names({0})); // an ordinary click
        }
    }
}

TEST_F(FilmstripWidgetTest, DraggingASelectedFileDragsTheWholeSelection) {
    Open(5, 600);
    Select({1, 3});
    QTest::mousePress(Thumbs(), Qt::LeftButton, {}, SlotCentre(3));
    QTest::mouseMove(Thumbs(), SlotCentre(3) + QPoint(10, 0));
    QTest::mouseRelease(Thumbs(), Qt::LeftButton, {}, SlotCentre(3) + QPoint(10, 0));
    ASSERT_EQ(owner.drags.size(), 1);
    EXPECT_EQ(owner.drags[0], Names({1, 3}));
    EXPECT_EQ(model->SelectedFiles(), Names({1, 3}));
    // A move after the drag, without a press, starts nothing.
    QTest::mouseMove(Thumbs(), SlotCentre(0));
    EXPECT_EQ(owner.drags.size(), 1);
}

TEST_F(FilmstripWidgetTest, RightClickKeepsASelectionItHitsAndShowsTheMenu) {
    Open(5, 600);
    Select({1, 2, 3});
    Click(2, {}, Qt::RightButton);
    EXPECT_EQ(model->SelectedFiles(), Names({1, 2, 3}));
    EXPECT_TRUE(strip->ThumbMenu()->isVisible());
    strip->ThumbMenu()->hide();

    Click(4, {}, Qt::RightButton);
    EXPECT_EQ(model->SelectedFiles(), Names({4}));
    strip->ThumbMenu()->hide();

    // After a Shift press the right button leaves the selection alone even on another file.
    Click(0);
    Click(2, Qt::ShiftModifier);
    Click(4, {}, Qt::RightButton);
    EXPECT_EQ(model->SelectedFiles(), Names({0, 1, 2}));
    EXPECT_TRUE(strip->ThumbMenu()->isVisible());
}

TEST_F(FilmstripWidgetTest, MenuCaptionsFollowTheSelection) {
    Open(5, 600);
    const ThumbMenuItems& items = strip->MenuItems();
    struct Case {
        QList<int> selected;
        bool rename, others;
        const char* noun;
    } const cases[] = {
        {{}, false, false, "Images"},
        {{2}, true, true, "Image"},
        {{1, 3}, false, true, "Images"},
    };
    for (const Case& c : cases) {
        const QString noun = QString::fromLatin1(c.noun);
        SCOPED_TRACE(testing::Message() << c.selected.size() << " selected");
        if (c.selected.isEmpty()) {
            Click(0);
            Click(0, Qt::ControlModifier);
        } else {
            Select(c.selected);
        }
        EXPECT_EQ(items.Rename1->text(), QStringLiteral("Rename... [Ctrl+ENTER]"));
        EXPECT_EQ(items.Rename1->isEnabled(), c.rename);
        EXPECT_EQ(items.Delete1->text(), QStringLiteral("Delete %1 [Del]").arg(noun));
        EXPECT_EQ(items.Email1->text(), QStringLiteral("Email %1 [Ctrl+E]").arg(noun));
        EXPECT_EQ(items.Copy1->text(), QStringLiteral("Copy %1 [Ctrl+C]").arg(noun));
        EXPECT_EQ(items.Cut1->text(), QStringLiteral("Cut %1 [Ctrl+X]").arg(noun));
        for (QAction* action : {items.Delete1, items.Email1, items.Copy1, items.Cut1})
            EXPECT_EQ(action->isEnabled(), c.others) << action->text().toStdString();
        EXPECT_TRUE(items.SelectAll1->isEnabled());
    }
    // The paste item is the window's to set.
    EXPECT_FALSE(items.Paste1->isEnabled());
    strip->SetPasteItem(true, 1);
    EXPECT_TRUE(items.Paste1->isEnabled());
    EXPECT_EQ(items.Paste1->text(), QStringLiteral("Paste Image [Ctrl+V]"));
    strip->SetPasteItem(false, 3);
    EXPECT_EQ(items.Paste1->text(), QStringLiteral("Paste Images [Ctrl+V]"));
}

TEST_F(FilmstripWidgetTest, MenuStartsWithTheFormCaptionsInOrder) {
    FakeFilmstripOwner anyOwner;
    TFolderModel bare(host, std::make_unique<TThumbnailCacheMgr>(cacheDir.path()));
    TFilmstrip fresh(bare, anyOwner);
    QStringList captions;
    QStringList disabled;
    for (QAction* action : fresh.ThumbMenu()->actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (!action->isSeparator() && !action->isEnabled())
            disabled << action->objectName();
    }
    EXPECT_EQ(captions,
              (QStringList{
                  QStringLiteral("Rename... [Ctrl+ENTER]"), QStringLiteral("Delete Image(s) [Del]"),
                  QStringLiteral("Email Image(s) [Ctrl+E]"), QStringLiteral("-"),
                  QStringLiteral("Copy Image(s) [Ctrl+C]"), QStringLiteral("Cut Image(s) [Ctrl+X]"),
                  QStringLiteral("Paste Image(s) [Ctrl+V]"), QStringLiteral("-"),
                  QStringLiteral("Select All [Ctrl+A]"), QStringLiteral("Refresh [Shift+F5]"),
                  QStringLiteral("-"), QStringLiteral("Advanced Folder View"),
                  QStringLiteral("Close Folder")}));
    EXPECT_EQ(disabled, (QStringList{QStringLiteral("Rename1"), QStringLiteral("Delete1"),
                                     QStringLiteral("Email1"), QStringLiteral("Copy1"),
                                     QStringLiteral("Cut1"), QStringLiteral("Paste1")}));
}

TEST_F(FilmstripWidgetTest, MenuCommandsReachTheOwner) {
    Open(5, 600);
    Select({1});
    strip->SetPasteItem(true, 2);
    const ThumbMenuItems& items = strip->MenuItems();
    struct Case {
        QAction* item;
        const char* command;
    } const cases[] = {
        {items.Rename1, "rename"},     {items.Delete1, "delete"},
        {items.Email1, "email"},       {items.Copy1, "copy"},
        {items.Cut1, "cut"},           {items.Paste1, "paste"},
        {items.Refresh1, "refresh"},   {items.AdvancedFolderView1, "float"},
        {items.CloseFolder2, "close"},
    };
    for (const Case& c : cases) {
        owner.commands.clear();
        c.item->trigger();
        EXPECT_EQ(owner.commands, QStringList{QString::fromLatin1(c.command)}) << c.command;
    }
    // E-mail from the menu only for the folder the viewer follows.
    owner.current = false;
    owner.commands.clear();
    items.Email1->trigger();
    EXPECT_TRUE(owner.commands.isEmpty());

    items.SelectAll1->trigger();
    EXPECT_EQ(model->SelectionCount(), 5);
}

TEST_F(FilmstripWidgetTest, FewFilesFitWithTheScrollBarDisabled) {
    Open(5, 600);
    EXPECT_FALSE(strip->ThumbScrollBar()->isEnabled());
    EXPECT_EQ(strip->ThumbScrollPosition(), 0);
    EXPECT_EQ(strip->StripOffset(), 0);
    EXPECT_EQ(strip->NameAtX(0), Name(0));
    EXPECT_EQ(strip->NameAtX(399), Name(4));
    EXPECT_EQ(strip->NameAtX(400), QString());
    EXPECT_EQ(strip->NameAtX(-1), QString());
    EXPECT_EQ(FrameAt(0), Gray); // the first file is selected at opening
}

TEST_F(FilmstripWidgetTest, ScrollRangeAndHeldBackOffset) {
    Open(20, 600);
    QScrollBar* bar = strip->ThumbScrollBar();
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->maximum(), 51);
    EXPECT_EQ(bar->singleStep(), 4);
    EXPECT_EQ(bar->pageStep(), 16);
    model->SelectOnly(Name(19));
    bar->setValue(51); // as the user would: the strip redraws at the new position
    EXPECT_EQ(strip->StripOffset(), 1000);
    EXPECT_EQ(strip->NameAtX(599), Name(19));
    EXPECT_EQ(FrameAt(520), Gray); // slot 19 starts at 1520 - 1000
    EXPECT_EQ(FrameAt(440), Black);

    // Growing the view so that everything fits disables the bar at position 0.
    strip->resize(1600 + 2 * TFilmstrip::ButtonWidth, TFilmstrip::PanelHeight);
    EXPECT_EQ(strip->ThumbImageWidth(), 1600);
    EXPECT_FALSE(bar->isEnabled());
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(strip->ThumbPicture().width(), 1600);
    EXPECT_EQ(FrameAt(1520), Gray);
}

TEST_F(FilmstripWidgetTest, SelectingScrollsTheFileIntoView) {
    Open(20, 430);
    model->SelectOnly(Name(10));
    model->SelectionChanged(-1, true);
    EXPECT_EQ(strip->ThumbScrollPosition(), 23);   // (800 - 430 + 80 + 10) div 20
    EXPECT_EQ(strip->NameAtX(429 - 10), Name(10)); // its slot ends 10 pixels inside the edge
    EXPECT_EQ(strip->NameAtX(429), Name(11));
    model->SelectOnly(Name(2));
    model->SelectionChanged(-1, true);
    EXPECT_EQ(strip->ThumbScrollPosition(), 8); // 160 div 20
}

TEST_F(FilmstripWidgetTest, QuickScrollButtonsMoveAViewLessOneSlot) {
    Open(20, 600);
    QTest::mouseClick(strip->SBtnQuickRight(), Qt::LeftButton);
    EXPECT_EQ(strip->ThumbScrollPosition(), 26); // (600 - 80) div 20
    EXPECT_EQ(strip->NameAtX(0), Name(6));       // offset 520
    QTest::mouseClick(strip->SBtnQuickRight(), Qt::LeftButton);
    EXPECT_EQ(strip->ThumbScrollPosition(), 51); // held at the maximum
    QTest::mouseClick(strip->SBtnQuickLeft(), Qt::LeftButton);
    EXPECT_EQ(strip->ThumbScrollPosition(), 25);
    QTest::mouseClick(strip->SBtnQuickLeft(), Qt::LeftButton);
    EXPECT_EQ(strip->ThumbScrollPosition(), 0);
    EXPECT_EQ(strip->NameAtX(0), Name(0));
}

TEST_F(FilmstripWidgetTest, QuickScrollButtonRepeatsWhileHeld) {
    Open(120, 600);
    QPushButton* right = strip->SBtnQuickRight();
    QTest::mousePress(right, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return strip->ThumbScrollPosition() >= 3 * 26; }));
    QTest::mouseRelease(right, Qt::LeftButton);
}

TEST_F(FilmstripWidgetTest, HoverGraysTheHolesOverTheSlotAndLeavingClearsThem) {
    Open(5, 600);
    const auto holeColour = [&](int hole) {
        return strip->SprocketPicture().pixel(hole * 10 + 4, 5);
    };
    EXPECT_EQ(strip->HoverLeft(), -1);
    EXPECT_EQ(holeColour(16), qRgb(255, 255, 255));

    strip->DrawSprockets(170, false); // over slot 2
    EXPECT_EQ(strip->HoverLeft(), 160);
    for (int hole = 15; hole <= 24; ++hole)
        EXPECT_EQ(holeColour(hole), 16 <= hole && hole < 24 ? Gray : qRgb(255, 255, 255)) << hole;
    EXPECT_EQ(strip->BotFilmImage()->grab().toImage().pixel(16 * 10 + 4, 5), QColor(Gray).rgb());

    // The pointer over a quick button is outside the thumbnails.
    SendMove(strip->SBtnQuickLeft(), QPoint(5, 5));
    EXPECT_EQ(strip->HoverLeft(), -1);
    EXPECT_EQ(holeColour(16), qRgb(255, 255, 255));

    SendMove(Thumbs(), QPoint(250, 30));
    EXPECT_EQ(strip->HoverLeft(), 240);
    SendMove(strip->TopFilmImage(), QPoint(250, 5));
    EXPECT_EQ(strip->HoverLeft(), -1);
}

TEST_F(FilmstripWidgetTest, HintsNameTheFileUnderThePointer) {
    Open(5, 600);
    SendMove(Thumbs(), SlotCentre(2));
    EXPECT_EQ(Thumbs()->toolTip(), Name(2));
    EXPECT_EQ(owner.longHints.last(),
              Name(2) + QStringLiteral("   (Use [Ctrl] or [Shift] to select multiple images.)"));
    const qsizetype hints = owner.longHints.size();
    SendMove(Thumbs(), SlotCentre(2) + QPoint(5, 0)); // same file: the hint stays
    EXPECT_EQ(owner.longHints.size(), hints);
    SendMove(Thumbs(), QPoint(500, 40)); // right of the last file: no tooltip
    EXPECT_EQ(Thumbs()->toolTip(), QString());
}

TEST_F(FilmstripWidgetTest, ClickOnASprocketStripShowsTheSelection) {
    Open(5, 600);
    Select({3});
    host.SetCurrentImage({}, {});
    QTest::mouseClick(strip->BotFilmImage(), Qt::LeftButton, {}, QPoint(100, 5));
    EXPECT_EQ(host.shown.last(), Name(3));
}

TEST_F(FilmstripWidgetTest, DropsAreLeftToTheOwner) {
    Open(5, 600);
    QMimeData data;
    for (QWidget* target : {Thumbs(), strip->TopFilmImage(), strip->BotFilmImage()}) {
        for (const bool accept : {false, true}) {
            owner.acceptDrops = accept;
            QDragEnterEvent enter(QPoint(10, 5), Qt::MoveAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &enter);
            EXPECT_EQ(enter.isAccepted(), accept) << target->objectName().toStdString();
        }
        const int drops = owner.drops;
        QDropEvent drop(QPointF(10, 5), Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        EXPECT_EQ(owner.drops, drops + 1);
    }
}

} // namespace

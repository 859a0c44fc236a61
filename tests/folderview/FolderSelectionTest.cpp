// SPDX-License-Identifier: MIT
// Selection operations, ranges, navigation with wrap-around, what a selection change makes the
// windows do, and the neighbour chosen when selected files go away.
#include "FakeFolderViewHost.h"

namespace {

class FolderSelectionTest : public FolderModelFixture {
protected:
    void SetUp() override {
        FolderModelFixture::SetUp();
        MakeFiles(Names({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}));
        OpenFolder();
        ASSERT_EQ(model->ImageFiles(), Names({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}));
    }
    void Select(std::initializer_list<const char*> names) {
        model->SelectOnly(QString::fromLatin1(*names.begin()));
        for (auto it = names.begin() + 1; it != names.end(); ++it)
            model->AddToSelection(QString::fromLatin1(*it));
    }
    // Empties the selection, then selects `names` in order (none stays empty).
    template <typename List> void SelectExactly(const List& names) {
        model->SelectAll();
        for (const QString& name : model->ImageFiles())
            model->RemoveFromSelection(name);
        if (names.size() > 0)
            Select(names);
    }
};

TEST_F(FolderSelectionTest, SingleNameOperations) {
    Select({"b.jpg", "d.jpg"});
    model->AddToSelection(QStringLiteral("b.jpg")); // no duplicates
    EXPECT_EQ(model->SelectedFiles(), Names({"b.jpg", "d.jpg"}));
    EXPECT_EQ(model->SelectionCount(), 2);
    EXPECT_EQ(model->FirstSelected(), QStringLiteral("b.jpg"));
    EXPECT_EQ(model->LastSelected(), QStringLiteral("d.jpg"));
    EXPECT_TRUE(model->IsSelected(QStringLiteral("d.jpg")));
    EXPECT_FALSE(model->IsSelected(QStringLiteral("D.jpg")));
    EXPECT_TRUE(model->IsLastSelected(QStringLiteral("d.jpg")));
    EXPECT_FALSE(model->IsLastSelected(QStringLiteral("b.jpg")));
    QStringList appended{QStringLiteral("x")};
    model->AppendSelection(appended);
    EXPECT_EQ(appended, Names({"x", "b.jpg", "d.jpg"}));

    model->RemoveFromSelection(QStringLiteral("b.jpg"));
    EXPECT_EQ(model->SelectedFiles(), Names({"d.jpg"}));
    EXPECT_EQ(host.status.selectionText, QStringLiteral("Type: JPEG Image (0.02 KB)"));
    model->RemoveFromSelection(QStringLiteral("d.jpg"));
    EXPECT_EQ(model->LastSelected(), QString());
}

TEST_F(FolderSelectionTest, RangesRunFromTheAnchorTowardTheName) {
    const struct {
        const char* what;
        std::initializer_list<const char*> before; // empty: nothing selected
        bool extend;
        const char* name;
        QStringList after;
    } cases[] = {
        {"forward", {"b.jpg"}, false, "d.jpg", Names({"b.jpg", "c.jpg", "d.jpg"})},
        {"backward", {"d.jpg", "a.jpg"}, false, "b.jpg", Names({"d.jpg", "c.jpg", "b.jpg"})},
        {"nothing selected", {}, false, "c.jpg", Names({"c.jpg"})},
        {"unlisted anchor", {"gone.jpg"}, false, "c.jpg", {}},
        {"unlisted name", {"b.jpg"}, false, "zz.jpg", {}},
        {"extend from the last",
         {"a.jpg", "e.jpg"},
         true,
         "c.jpg",
         Names({"a.jpg", "e.jpg", "d.jpg", "c.jpg"})},
        {"extend forward", {"b.jpg"}, true, "d.jpg", Names({"b.jpg", "c.jpg", "d.jpg"})},
        {"extend, unlisted anchor",
         {"b.jpg", "gone.jpg"},
         true,
         "d.jpg",
         Names({"b.jpg", "gone.jpg"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SelectExactly(c.before);
        if (c.extend)
            model->ExtendRange(QString::fromLatin1(c.name));
        else
            model->SelectRange(QString::fromLatin1(c.name));
        EXPECT_EQ(model->SelectedFiles(), c.after);
        EXPECT_EQ(host.status.selectionText.endsWith(QStringLiteral("Selected")),
                  c.after.size() != 1);
        if (!c.after.isEmpty() && c.after.first() != QStringLiteral("gone.jpg")) {
            EXPECT_EQ(host.imageName, c.after.first());
        }
    }
}

TEST_F(FolderSelectionTest, SelectAllAppendsTheRestInListOrder) {
    Select({"d.jpg", "b.jpg"});
    model->SelectAll();
    EXPECT_EQ(model->SelectedFiles(), Names({"d.jpg", "b.jpg", "a.jpg", "c.jpg", "e.jpg"}));
    EXPECT_EQ(host.status.selectionText, QStringLiteral("5 Images File(s) Selected"));
    EXPECT_EQ(host.scrolledTo.last(), QStringLiteral("e.jpg"));
}

TEST_F(FolderSelectionTest, NavigationWrapsAround) {
    using Step = void (TFolderModel::*)();
    const struct {
        const char* what;
        std::initializer_list<const char*> before;
        Step step;
        const char* after;
    } cases[] = {
        {"next", {"b.jpg", "e.jpg"}, &TFolderModel::SelectNext, "c.jpg"},
        {"next after the last", {"e.jpg"}, &TFolderModel::SelectNext, "a.jpg"},
        {"next with none", {}, &TFolderModel::SelectNext, "a.jpg"},
        {"previous", {"c.jpg"}, &TFolderModel::SelectPrevious, "b.jpg"},
        {"previous before the first", {"a.jpg"}, &TFolderModel::SelectPrevious, "e.jpg"},
        {"previous with none", {}, &TFolderModel::SelectPrevious, "e.jpg"},
        {"first", {"c.jpg", "d.jpg"}, &TFolderModel::SelectFirst, "a.jpg"},
        {"last", {"c.jpg"}, &TFolderModel::SelectLast, "e.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SelectExactly(c.before);
        (model.get()->*c.step)();
        EXPECT_EQ(model->SelectedFiles(), Names({c.after}));
        EXPECT_EQ(host.imageName, QString::fromLatin1(c.after));
    }
}

TEST_F(FolderSelectionTest, FloatingNavigationFollowsTheListOrder) {
    ASSERT_TRUE(model->ListModel().SetOrder(Names({"e.jpg", "c.jpg", "a.jpg", "b.jpg", "d.jpg"})));
    Select({"c.jpg"});
    host.floating = true;
    model->SelectNext();
    EXPECT_EQ(model->FirstSelected(), QStringLiteral("a.jpg"));
    model->SelectLast();
    EXPECT_EQ(model->FirstSelected(), QStringLiteral("d.jpg"));
    model->SelectNext();
    EXPECT_EQ(model->FirstSelected(), QStringLiteral("e.jpg"));
    host.floating = false;
    model->SelectNext();
    EXPECT_EQ(model->FirstSelected(), QStringLiteral("a.jpg"));
}

TEST_F(FolderSelectionTest, EmptyFolderNavigationDoesNothing) {
    QTemporaryDir empty;
    FakeFolderViewHost other;
    TFolderModel nothing(other, std::make_unique<TThumbnailCacheMgr>(cacheDir.path()));
    nothing.OpenFolder(empty.path() + QLatin1Char('/'));
    nothing.SelectNext();
    nothing.SelectPrevious();
    nothing.SelectFirst();
    nothing.SelectLast();
    EXPECT_EQ(nothing.SelectionCount(), 0);
    EXPECT_TRUE(other.shown.isEmpty());
}

TEST_F(FolderSelectionTest, SelectionChangeDrawsFramesOrSyncsTheList) {
    Select({"b.jpg", "d.jpg"});
    const int frames = host.frameDraws;
    model->SelectionChanged(-1, false);
    EXPECT_EQ(host.frameDraws, frames + 1);
    EXPECT_EQ(host.scrolledTo.last(), QStringLiteral("d.jpg"));
    EXPECT_EQ(host.imageName, QStringLiteral("b.jpg")); // the viewer follows this folder

    host.floating = true;
    model->SelectionChanged(-1, false);
    EXPECT_EQ(host.listSyncs, 1);
    model->SelectionChanged(2, false); // the list made the change itself
    EXPECT_EQ(host.listSyncs, 1);
    EXPECT_EQ(host.frameDraws, frames + 1);
}

TEST_F(FolderSelectionTest, ShowSelectionRespectsTheViewerState) {
    const struct {
        const char* what;
        bool current, filmstrip, tabAreaHidden, abandon, show;
        bool shows;
    } cases[] = {
        {"shown folder", true, true, false, false, false, true},
        {"other folder, show flag", false, true, false, false, true, true},
        {"other folder, no show flag", false, true, false, false, false, false},
        {"filmstrip hidden", true, false, false, false, true, false},
        {"filmstrip and tab area hidden", true, false, true, false, true, true},
        {"modified image kept", true, true, false, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host.current = c.current;
        host.filmstrip = c.filmstrip;
        host.tabAreaHidden = c.tabAreaHidden;
        host.abandonModified = c.abandon;
        host.SetCurrentImage({}, {});
        host.shown.clear();
        model->SelectOnly(QStringLiteral("c.jpg"));
        model->SelectionChanged(-1, c.show);
        EXPECT_EQ(host.shown, c.shows ? Names({"c.jpg"}) : QStringList());
    }
}

TEST_F(FolderSelectionTest, SelectFileShowsOnlyWhatTheViewerDoesNotShow) {
    model->SelectFile(QStringLiteral("c.jpg"));
    EXPECT_EQ(host.shown.last(), QStringLiteral("c.jpg"));
    const qsizetype shown = host.shown.size();
    model->SelectFile(QStringLiteral("c.jpg"));
    EXPECT_EQ(host.shown.size(), shown);
    host.abandonModified = true;
    model->SelectFile(QStringLiteral("d.jpg"));
    EXPECT_EQ(model->SelectedFiles(), Names({"d.jpg"}));
    EXPECT_EQ(host.shown.size(), shown);
}

TEST_F(FolderSelectionTest, RemovingSelectedFilesSelectsTheNeighbour) {
    const struct {
        const char* what;
        const char* selected;
        const char* removed;
        std::initializer_list<const char*> goneFromDisk; // besides the removed file
        const char* after;                               // nullptr: nothing selected
    } cases[] = {
        {"middle", "c.jpg", "c.jpg", {}, "d.jpg"},
        {"last", "e.jpg", "e.jpg", {}, "d.jpg"},
        {"all before gone", "c.jpg", "c.jpg", {"a.jpg", "b.jpg", "d.jpg"}, nullptr},
        {"unselected file", "a.jpg", "d.jpg", {}, "a.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        FakeFolderViewHost viewer;
        viewer.folder = folder.path();
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"})
            QFile(JoinPath(folder.path(), QString::fromLatin1(name))).open(QIODevice::WriteOnly);
        TFolderModel listed(viewer, std::make_unique<TThumbnailCacheMgr>(cacheDir.path()));
        listed.OpenFolder(folder.path() + QLatin1Char('/'));
        listed.SelectOnly(QString::fromLatin1(c.selected));
        for (const char* name : c.goneFromDisk)
            QFile::remove(JoinPath(folder.path(), QString::fromLatin1(name)));
        QFile::remove(JoinPath(folder.path(), QString::fromLatin1(c.removed)));

        const QString result = listed.RemoveFile(QString::fromLatin1(c.removed), false, true, true);
        EXPECT_EQ(result, c.after ? QString::fromLatin1(c.after) : QString());
        EXPECT_EQ(listed.SelectedFiles(), c.after ? Names({c.after}) : QStringList());
        if (!c.after) {
            EXPECT_TRUE(viewer.imageName.isEmpty());
        }
    }
}

TEST_F(FolderSelectionTest, RepairSelectionSearchesTowardTheStart) {
    const struct {
        int preferred;
        std::initializer_list<const char*> gone;
        const char* after;
    } cases[] = {
        {2, {"c.jpg"}, "b.jpg"},
        {9, {}, "e.jpg"},
        {-1, {}, "a.jpg"},
        {3, {"d.jpg", "c.jpg", "b.jpg", "a.jpg"}, nullptr},
        {1, {"a.jpg", "b.jpg"}, nullptr}, // e.jpg exists but lies after the preferred index
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preferred);
        MakeFiles(Names({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}));
        model->SelectOnly(QStringLiteral("zz.jpg")); // not on disk: dropped by the repair
        for (const char* name : c.gone)
            QFile::remove(PathOf(QString::fromLatin1(name)));
        model->RepairSelection(c.preferred);
        EXPECT_EQ(model->SelectedFiles(), c.after ? Names({c.after}) : QStringList());
    }
}

} // namespace

// SPDX-License-Identifier: MIT
// The folder view window: floating and docking, the advanced list's sorting, selection and
// in-place rename, closing with and without the prompt, and the folder-deleted question.
#include "../viewer/MainWindowFixture.h"

#include "dialogs/Dialogs.h"
#include "dialogs/HelpDlgUnit.h"
#include "folderview/FileClipboard.h"
#include "folderview/Filmstrip.h"
#include "imaging/ImageFormats.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeView>

namespace {

class FolderViewFormTest : public MainWindowFixture {
protected:
    QString folder;
    TFolderViewForm* view = nullptr;

    void OpenSample() {
        folder =
            MakeFolder(QStringLiteral("Pics"),
                       {QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("c.png")});
        view = Open(folder);
        ASSERT_NE(view, nullptr);
    }
    QStringList ListOrder() const { return view->Model().ListOrder(); }
    // Clicks a row of the details list, with modifiers.
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTreeView* list = view->DetailsView();
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
};

TEST_F(FolderViewFormTest, FloatingAndDockingKeepTheSelectionAndSwitchTheCaption) {
    OpenSample();
    view->Model().SelectOnly(QStringLiteral("b.png"));
    view->Model().AddToSelection(QStringLiteral("c.png"));
    EXPECT_EQ(Form().ThumbPageControl()->tabText(0), QStringLiteral("Pics"));

    view->FloatView();
    EXPECT_TRUE(view->IsFloating());
    EXPECT_TRUE(view->isWindow());
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowTitle(), folder);
    EXPECT_EQ(view->size(), QSize(TFolderViewForm::UndockedWidth, TFolderViewForm::UndockedHeight));
    EXPECT_EQ(Form().ThumbPageControl()->count(), 0);
    EXPECT_TRUE(view->ImageView()->isVisible());
    EXPECT_TRUE(view->StatusBar1()->isVisible());
    EXPECT_FALSE(view->Filmstrip().isVisible());
    EXPECT_FALSE(view->Filmstrip().MenuItems().AdvancedFolderView1->isVisible());
    EXPECT_EQ(view->Model().SelectedFiles(),
              (QStringList{QStringLiteral("b.png"), QStringLiteral("c.png")}));
    // The list shows the model's selection.
    const QModelIndexList rows = view->DetailsView()->selectionModel()->selectedRows();
    EXPECT_EQ(rows.size(), 2);
    EXPECT_EQ(Form().OpenFolders(), QList<TFolderViewForm*>{view});
    EXPECT_EQ(Form().CurrentFolder(), view);

    view->findChild<QAction*>(QStringLiteral("Dock1"))->trigger();
    EXPECT_FALSE(view->IsFloating());
    EXPECT_FALSE(view->isWindow());
    ASSERT_EQ(Form().ThumbPageControl()->count(), 1);
    EXPECT_EQ(Form().ThumbPageControl()->widget(0), view);
    EXPECT_EQ(Form().ThumbPageControl()->tabText(0), QStringLiteral("Pics"));
    EXPECT_TRUE(view->Filmstrip().isVisible());
    EXPECT_FALSE(view->ImageView()->isVisible());
    EXPECT_TRUE(view->Filmstrip().MenuItems().AdvancedFolderView1->isVisible());
    EXPECT_EQ(view->Model().SelectedFiles(),
              (QStringList{QStringLiteral("b.png"), QStringLiteral("c.png")}));

    // A second float comes back at the size the window had.
    view->FloatView();
    view->resize(420, 300);
    view->DockView();
    view->FloatView();
    EXPECT_EQ(view->size(), QSize(420, 300));
}

TEST_F(FolderViewFormTest, ClickingAColumnSortsAndClickingItAgainReverses) {
    folder = MakeFolder(QStringLiteral("Pics"), {QStringLiteral("b.png"), QStringLiteral("C.png"),
                                                 QStringLiteral("a.png")});
    // Sizes: a large file, a middle one and the smallest.
    for (const auto& [name, bytes] :
         {std::pair{"a.png", 3000}, std::pair{"b.png", 1000}, std::pair{"C.png", 2000}}) {
        QFile file(JoinPath(folder, QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray(bytes, '\0'));
    }
    view = Open(folder);
    view->FloatView();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QHeaderView* header = view->DetailsView()->header();
    // A click on a column header (the header's own click signal).
    const auto click = [&](int column) { emit header->sectionClicked(column); };
    const struct {
        int column;
        bool ascending;
        QStringList order;
    } steps[] = {
        {FolderListModel::SizeColumn,
         true,
         {QStringLiteral("b.png"), QStringLiteral("C.png"), QStringLiteral("a.png")}},
        {FolderListModel::SizeColumn,
         false,
         {QStringLiteral("a.png"), QStringLiteral("C.png"), QStringLiteral("b.png")}},
        {FolderListModel::NameColumn,
         true,
         {QStringLiteral("a.png"), QStringLiteral("b.png"), QStringLiteral("C.png")}},
        {FolderListModel::NameColumn,
         false,
         {QStringLiteral("C.png"), QStringLiteral("b.png"), QStringLiteral("a.png")}},
    };
    for (const auto& step : steps) {
        click(step.column);
        EXPECT_EQ(view->SortColumn(), step.column);
        EXPECT_EQ(view->SortAscending(), step.ascending);
        EXPECT_EQ(ListOrder(), step.order) << step.column << step.ascending;
    }
    // The filmstrip order is not touched; navigation follows the list while floating.
    view->Model().SelectOnly(QStringLiteral("C.png"));
    view->Model().SelectNext();
    EXPECT_EQ(view->Model().FirstSelected(), QStringLiteral("b.png"));
}

TEST_F(FolderViewFormTest, FloatingAgainScrollsTheSelectedRowIntoView) {
    QStringList names;
    for (int i = 0; i < 60; ++i)
        names << QStringLiteral("f%1.png").arg(i, 2, 10, QLatin1Char('0'));
    folder = MakeFolder(QStringLiteral("Many"), names);
    view = Open(folder);
    view->FloatView();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    // Name descending puts the first file at the bottom of the list.
    emit view->DetailsView()->header()->sectionClicked(FolderListModel::NameColumn);
    ASSERT_EQ(ListOrder().last(), QStringLiteral("f00.png"));
    view->Model().SelectOnly(QStringLiteral("f00.png"));
    view->DockView();
    view->DetailsView()->scrollToTop();
    view->FloatView();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QTreeView* list = view->DetailsView();
    const QRect row = list->visualRect(list->model()->index(names.size() - 1, 0));
    EXPECT_TRUE(list->viewport()->rect().contains(row.center()));
}

TEST_F(FolderViewFormTest, TheListSelectionFeedsTheFolderSelection) {
    OpenSample();
    view->FloatView();
    ClickRow(1);
    EXPECT_EQ(view->Model().SelectedFiles(), QStringList{QStringLiteral("b.png")});
    EXPECT_EQ(Form().CurrentImageName(), QStringLiteral("b.png"));
    ClickRow(2, Qt::ControlModifier);
    EXPECT_EQ(view->Model().SelectedFiles(),
              (QStringList{QStringLiteral("b.png"), QStringLiteral("c.png")}));
    ClickRow(1, Qt::ControlModifier);
    EXPECT_EQ(view->Model().SelectedFiles(), QStringList{QStringLiteral("c.png")});
    EXPECT_EQ(Form().CurrentImageName(), QStringLiteral("c.png"));
    // Ctrl+A selects everything through the window's keys.
    QTest::keyClick(view->DetailsView(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view->Model().SelectionCount(), 3);
}

TEST_F(FolderViewFormTest, RenamingInPlaceKeepsTheExtension) {
    OpenSample();
    view->FloatView();
    view->RenameInPlace(QStringLiteral("a.png"), QStringLiteral("renamed.PNG"));
    EXPECT_TRUE(QFile::exists(JoinPath(folder, QStringLiteral("renamed.PNG"))));
    EXPECT_EQ(ListOrder().first(), QStringLiteral("renamed.PNG"));

    QString title;
    AnswerNextModal(1, &title);
    view->RenameInPlace(QStringLiteral("b.png"), QStringLiteral("b.jpg"));
    EXPECT_EQ(title, QStringLiteral("Error"));
    EXPECT_EQ(HelpDlg().DetailText(),
              QStringLiteral("The file extension must match previous file extension."));
    EXPECT_TRUE(QFile::exists(JoinPath(folder, QStringLiteral("b.png"))));
    EXPECT_EQ(ListOrder().at(1), QStringLiteral("b.png"));
}

TEST_F(FolderViewFormTest, ClosingAFloatingWindowAsksUnlessItIsClosedByCommand) {
    OpenSample();
    QPointer<TFolderViewForm> guard = view;
    view->FloatView();
    // The title bar's close asks; "No" keeps the view open and working.
    QString title;
    AnswerNextModal(2, &title);
    view->close();
    EXPECT_EQ(title, QStringLiteral("Close Folder?"));
    EXPECT_FALSE(guard.isNull());
    EXPECT_FALSE(view->IsClosing());
    EXPECT_TRUE(view->isVisible());
    // "Yes" closes it, and the window goes within a second.
    AnswerNextModal(1);
    view->close();
    ASSERT_TRUE(WaitFor([&] { return guard.isNull(); }));
    EXPECT_TRUE(Form().OpenFolders().isEmpty());

    // "Close Folder" from the window's own menu never asks.
    OpenSample();
    guard = view;
    view->FloatView();
    view->findChild<QAction*>(QStringLiteral("CloseFolder1"))->trigger();
    ASSERT_TRUE(WaitFor([&] { return guard.isNull(); }));

    // With the prompt switched off the title bar's close does not ask either.
    WriteRegString(RegNames::ShowCloseFolderPrompt, BoolToRegText(false));
    OpenSample();
    guard = view;
    view->FloatView();
    view->close();
    ASSERT_TRUE(WaitFor([&] { return guard.isNull(); }));
}

TEST_F(FolderViewFormTest, ClosingAFloatingFolderMakesItsNeighbourCurrent) {
    const QString other = MakeFolder(QStringLiteral("Other"), {QStringLiteral("z.png")});
    TFolderViewForm* first = Open(other);
    OpenSample();
    QPointer<TFolderViewForm> guard = view;
    view->FloatView();
    // Closed through its title bar, answering the close question "Yes".
    AnswerNextModal(1);
    view->close();
    ASSERT_TRUE(WaitFor([&] { return guard.isNull(); }));
    EXPECT_EQ(Form().CurrentFolder(), first);
    EXPECT_EQ(Form().CurrentImagePath(), JoinPath(other, QStringLiteral("z.png")));
}

TEST_F(FolderViewFormTest, ADeletedFolderIsAnnouncedAndClosed) {
    OpenSample();
    QPointer<TFolderViewForm> guard = view;
    QString title;
    AnswerNextModal(1, &title);
    view->FolderWasDeleted();
    EXPECT_EQ(title, QStringLiteral("Error"));
    EXPECT_EQ(HelpDlg().DetailText(),
              QStringLiteral("The Image Folder you have open has been deleted."));
    ASSERT_TRUE(WaitFor([&] { return guard.isNull(); }));
    EXPECT_EQ(Form().ThumbPageControl()->count(), 0);
}

TEST_F(FolderViewFormTest, ARenamedFolderChangesTheCaptions) {
    OpenSample();
    const QString renamed = root.filePath(QStringLiteral("Renamed"));
    view->Model().SetFolderPath(renamed);
    EXPECT_EQ(Form().ThumbPageControl()->tabText(0), QStringLiteral("Renamed"));
    EXPECT_EQ(Form().CurrentImagePath(), JoinPath(renamed, QStringLiteral("a.png")));
    EXPECT_EQ(Form().windowTitle(),
              QStringLiteral("Orvo Image Browser - ") + JoinPath(renamed, QStringLiteral("a.png")));
}

class FolderViewFilesTest : public FolderViewFormTest {
protected:
    QString a, b;
    TFolderViewForm* viewA = nullptr;
    TFolderViewForm* viewB = nullptr;
    void OpenTwo() {
        a = MakeFolder(QStringLiteral("A"), {QStringLiteral("a1.png"), QStringLiteral("a2.png")});
        b = MakeFolder(QStringLiteral("B"), {QStringLiteral("b1.png")});
        viewA = Open(a);
        viewB = Open(b);
    }
    static bool PasteEnabled(TFolderViewForm* view) {
        return view->Filmstrip().MenuItems().Paste1->isEnabled();
    }
};

TEST_F(FolderViewFilesTest, CopyAndPasteBetweenOpenFoldersListsTheCopiesAtTheEnd) {
    OpenTwo();
    viewA->FloatView();
    viewA->Model().SelectOnly(QStringLiteral("a2.png"));
    EXPECT_FALSE(PasteEnabled(viewB));
    QTest::keyClick(viewA->DetailsView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(PasteEnabled(viewB));
    EXPECT_EQ(viewB->Filmstrip().MenuItems().Paste1->text(),
              QStringLiteral("Paste Image [Ctrl+V]"));
    viewB->PasteHere();
    EXPECT_EQ(viewB->Model().ImageFiles(),
              (QStringList{QStringLiteral("b1.png"), QStringLiteral("a2.png")}));
    EXPECT_TRUE(QFile::exists(JoinPath(a, QStringLiteral("a2.png"))));
    EXPECT_EQ(viewA->Model().FileCount(), 2);
    // Each copy pastes once.
    EXPECT_FALSE(PasteEnabled(viewA));
    EXPECT_FALSE(PasteEnabled(viewB));
}

TEST_F(FolderViewFilesTest, CutAndPasteMovesTheFilesAndTheSourceDropsThem) {
    OpenTwo();
    viewA->Model().SelectOnly(QStringLiteral("a1.png"));
    viewA->CutSelected();
    EXPECT_TRUE(viewA->FileOps().IsDimmed(QStringLiteral("a1.png")));
    EXPECT_FALSE(viewA->FileOps().IsDimmed(QStringLiteral("a2.png")));
    viewB->PasteHere();
    EXPECT_TRUE(QFile::exists(JoinPath(b, QStringLiteral("a1.png"))));
    EXPECT_FALSE(QFile::exists(JoinPath(a, QStringLiteral("a1.png"))));
    EXPECT_TRUE(viewB->Model().IsListed(QStringLiteral("a1.png")));
    EXPECT_TRUE(WaitFor([&] { return !viewA->Model().IsListed(QStringLiteral("a1.png")); }));
    EXPECT_FALSE(viewA->FileOps().IsDimmed(QStringLiteral("a1.png")));
}

TEST_F(FolderViewFilesTest, DroppingRowsOnAnotherFolderMovesThemAndTheSameFolderRefuses) {
    OpenTwo();
    TFolderViewForm* sameAsA = Open(a);
    viewA->Model().SelectOnly(QStringLiteral("a2.png"));
    QAbstractItemModel* rows = viewA->DetailsView()->model();
    std::unique_ptr<QMimeData> data(rows->mimeData({rows->index(1, 0)}));
    ASSERT_TRUE(data);
    EXPECT_FALSE(viewA->CanAcceptDrop(*data));
    EXPECT_FALSE(sameAsA->CanAcceptDrop(*data));
    EXPECT_TRUE(viewB->CanAcceptDrop(*data));
    EXPECT_FALSE(viewB->CanAcceptDrop(QMimeData()));
    viewB->DropOnView(*data);
    EXPECT_TRUE(QFile::exists(JoinPath(b, QStringLiteral("a2.png"))));
    EXPECT_TRUE(viewB->Model().IsListed(QStringLiteral("a2.png")));
    EXPECT_TRUE(WaitFor([&] { return !viewA->Model().IsListed(QStringLiteral("a2.png")); }));
}

} // namespace

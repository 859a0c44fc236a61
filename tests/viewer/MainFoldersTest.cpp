// SPDX-License-Identifier: MIT
// The main window's open folders: tabs, the current folder, closing, the tab area's height, the
// "Windows" menu and the command line.
#include "MainWindowFixture.h"

#include "folderview/Filmstrip.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"

#include <QAction>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>

namespace {

using MainFoldersTest = MainWindowFixture;

const QString Title = QStringLiteral("Orvo Image Browser - ");

TEST_F(MainFoldersTest, FoldersOpenAsTabsAndTheCurrentFolderFollowsTheActiveTab) {
    const QString a =
        MakeFolder(QStringLiteral("Alpha"), {QStringLiteral("a1.png"), QStringLiteral("a2.png")});
    const QString b = MakeFolder(QStringLiteral("Beta"), {QStringLiteral("b1.png")});
    TFolderViewForm* viewA = Open(a);
    TFolderViewForm* viewB = Open(b + QLatin1Char('/'));
    QTabWidget* tabs = Form().ThumbPageControl();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Alpha"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Beta"));
    EXPECT_EQ(Form().OpenFolders(), (QList<TFolderViewForm*>{viewA, viewB}));
    EXPECT_EQ(Form().CurrentFolder(), viewB);
    EXPECT_EQ(tabs->currentWidget(), viewB);
    EXPECT_EQ(Form().CurrentImagePath(), JoinPath(b, QStringLiteral("b1.png")));
    EXPECT_EQ(Form().windowTitle(), Title + JoinPath(b, QStringLiteral("b1.png")));

    // The user clicks the first tab: its folder becomes current and its selection is shown.
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    EXPECT_EQ(Form().CurrentFolder(), viewA);
    EXPECT_EQ(Form().CurrentImagePath(), JoinPath(a, QStringLiteral("a1.png")));
    EXPECT_EQ(Form().windowTitle(), Title + JoinPath(a, QStringLiteral("a1.png")));
}

TEST_F(MainFoldersTest, OpeningAnImageShowsItInTheTabOfItsFolder) {
    const QString a =
        MakeFolder(QStringLiteral("A"), {QStringLiteral("x.png"), QStringLiteral("y.png")});
    const QString b = MakeFolder(QStringLiteral("B"), {QStringLiteral("z.png")});
    TFolderViewForm* viewA = Open(a);
    Open(b);
    Form().OpenImagePath(JoinPath(a, QStringLiteral("y.png")), false);
    EXPECT_EQ(Form().ThumbPageControl()->count(), 2);
    EXPECT_EQ(Form().ThumbPageControl()->currentWidget(), viewA);
    EXPECT_EQ(viewA->Model().SelectedFiles(), QStringList{QStringLiteral("y.png")});
    EXPECT_EQ(Form().CurrentFolder(), viewA);
    EXPECT_EQ(Form().CurrentImageName(), QStringLiteral("y.png"));

    // A folder not yet open opens as a new tab with the image selected; nothing happens for a
    // file that does not exist or for a folder.
    const QString c =
        MakeFolder(QStringLiteral("C"), {QStringLiteral("p.png"), QStringLiteral("q.png")});
    Form().OpenImagePath(JoinPath(c, QStringLiteral("missing.png")), false);
    Form().OpenImagePath(c, false);
    EXPECT_EQ(Form().ThumbPageControl()->count(), 2);
    Form().OpenImagePath(JoinPath(c, QStringLiteral("q.png")), false);
    ASSERT_EQ(Form().ThumbPageControl()->count(), 3);
    EXPECT_EQ(Form().CurrentFolder()->FolderPath(), c);
    EXPECT_EQ(Form().CurrentImageName(), QStringLiteral("q.png"));
}

TEST_F(MainFoldersTest, ClosingFoldersRemovesTheirTabsAndDestroysTheViews) {
    const QString a = MakeFolder(QStringLiteral("A"), {QStringLiteral("x.png")});
    TFolderViewForm* first = Open(a);
    QPointer<TFolderViewForm> second = Open(a); // the same folder twice: two tabs
    ASSERT_EQ(Form().ThumbPageControl()->count(), 2);
    EXPECT_EQ(Captions(Form().WindowsMenu()), (QStringList{a, a}));

    Form().findChild<QAction*>(QStringLiteral("CloseCurrentFolder1"))->trigger();
    ASSERT_TRUE(WaitFor([&] { return second.isNull(); }));
    EXPECT_EQ(Form().ThumbPageControl()->count(), 1);
    EXPECT_EQ(Form().OpenFolders(), QList<TFolderViewForm*>{first});
    EXPECT_EQ(Form().CurrentFolder(), first);
    EXPECT_EQ(Captions(Form().WindowsMenu()), QStringList{a});

    QPointer<TFolderViewForm> last = first;
    Form().CloseCurrentFolder();
    ASSERT_TRUE(WaitFor([&] { return last.isNull(); }));
    EXPECT_EQ(Form().ThumbPageControl()->count(), 0);
    EXPECT_EQ(Form().CurrentFolder(), nullptr);
    EXPECT_TRUE(Form().CurrentImagePath().isEmpty());
    EXPECT_EQ(Form().windowTitle(), QStringLiteral("Orvo Image Browser by Tamblin"));
    EXPECT_EQ(Form().ThumbPageControl()->height(), ScaleForDpi(10));
    EXPECT_EQ(Captions(Form().WindowsMenu()), QStringList{QStringLiteral("[Empty]")});
    EXPECT_FALSE(Form().WindowsMenu()->actions().first()->isEnabled());
    EXPECT_FALSE(Form().findChild<QAction*>(QStringLiteral("CloseCurrentFolder1"))->isEnabled());
}

TEST_F(MainFoldersTest, ClosingTheActiveTabHandsOverToTheFollowingTabAndAfterTheLastToTheFirst) {
    QList<TFolderViewForm*> views;
    for (const char* name : {"A", "B", "C", "D"})
        views << Open(MakeFolder(QString::fromLatin1(name), {QStringLiteral("x.png")}));
    QTabWidget* tabs = Form().ThumbPageControl();
    QTabBar* bar = tabs->tabBar();
    const struct {
        int closedTab;
        int currentAfter;         // index into `views`
    } steps[] = {{1, 2}, {2, 0}}; // "B" hands over to "C"; "D", now the last tab, to "A"
    for (const auto& step : steps) {
        SCOPED_TRACE(step.closedTab);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(step.closedTab).center());
        QPointer<TFolderViewForm> closed = Form().CurrentFolder();
        ASSERT_EQ(closed.data(), tabs->widget(step.closedTab));
        Form().CloseCurrentFolder();
        ASSERT_TRUE(WaitFor([&] { return closed.isNull(); }));
        TFolderViewForm* expected = views.at(step.currentAfter);
        EXPECT_EQ(tabs->currentWidget(), expected);
        EXPECT_EQ(Form().CurrentFolder(), expected);
        EXPECT_EQ(Form().CurrentImagePath(),
                  JoinPath(expected->FolderPath(), QStringLiteral("x.png")));
    }
}

TEST_F(MainFoldersTest, TheTabAreaFitsTheFilmstripAndHidesTheHeaderForASingleFolder) {
    const QString a = MakeFolder(QStringLiteral("A"), {QStringLiteral("x.png")});
    const QString b = MakeFolder(QStringLiteral("B"), {QStringLiteral("y.png")});
    const int border = 2 * TMainForm::ClientBorderWidth;
    for (const bool hide : {false, true}) {
        SCOPED_TRACE(hide ? "hidden header" : "header shown");
        form.reset();
        WriteRegString(RegNames::HideFolderTab, BoolToRegText(hide));
        Form();
        QTabWidget* tabs = Form().ThumbPageControl();
        EXPECT_EQ(tabs->height(), ScaleForDpi(10));
        Open(a);
        const int withTabs = Form().TabHeight() + TFilmstrip::PanelHeight + border + 1;
        const int single = hide ? TFilmstrip::PanelHeight + border + 2 : withTabs;
        EXPECT_EQ(tabs->height(), single);
        EXPECT_TRUE(WaitFor([&] { return tabs->tabBar()->isHidden() == hide; }));
        QPointer<TFolderViewForm> second = Open(b);
        EXPECT_EQ(tabs->height(), withTabs);
        EXPECT_TRUE(WaitFor([&] { return tabs->tabBar()->isVisible(); }));
        second->CloseFolder();
        ASSERT_TRUE(WaitFor([&] { return second.isNull(); }));
        EXPECT_EQ(tabs->height(), single);
        EXPECT_TRUE(WaitFor([&] { return tabs->tabBar()->isHidden() == hide; }));
    }
}

TEST_F(MainFoldersTest, TheWindowsMenuListsTheOpenFoldersAndActivatesThem) {
    const QString a = MakeFolder(QStringLiteral("A"), {QStringLiteral("x.png")});
    const QString b = MakeFolder(QStringLiteral("Tom & Jerry"), {QStringLiteral("y.png")});
    EXPECT_EQ(Captions(Form().WindowsMenu()), QStringList{QStringLiteral("[Empty]")});
    TFolderViewForm* viewA = Open(a);
    Open(b);
    EXPECT_EQ(Captions(Form().WindowsMenu()), (QStringList{a, b}));
    EXPECT_EQ(Form().ThumbPageControl()->tabText(1), QStringLiteral("Tom && Jerry"));
    Form().WindowsMenu()->actions().first()->trigger();
    EXPECT_EQ(Form().ThumbPageControl()->currentWidget(), viewA);
    EXPECT_EQ(Form().CurrentFolder(), viewA);
}

TEST_F(MainFoldersTest, TheCommandLineOpensTheLastFolderOrImageFolderNamed) {
    const QString a = MakeFolder(QStringLiteral("A"), {QStringLiteral("x.png")});
    const QString b =
        MakeFolder(QStringLiteral("B"), {QStringLiteral("y.png"), QStringLiteral("z.png")});
    Form({a, JoinPath(b, QStringLiteral("z.png"))});
    ASSERT_EQ(Form().OpenFolders().size(), 1);
    EXPECT_EQ(Form().CurrentFolder()->FolderPath(), b);
    EXPECT_EQ(Form().CurrentImageName(), QStringLiteral("z.png"));
    form.reset();
    Form({JoinPath(b, QStringLiteral("z.png")), a});
    ASSERT_EQ(Form().OpenFolders().size(), 1);
    EXPECT_EQ(Form().CurrentFolder()->FolderPath(), a);
    form.reset();
    Form({JoinPath(a, QStringLiteral("missing.png"))});
    EXPECT_TRUE(Form().OpenFolders().isEmpty());
}

TEST_F(MainFoldersTest, ImageCommandsArePresentAndDisabledWithoutAnImage) {
    for (const char* name : {"OpenImage1", "Exit1", "About1"}) {
        auto* item = Form().findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        EXPECT_TRUE(item->isEnabled()) << name;
    }
    for (const char* name :
         {"SaveCtrlS1", "SaveAs1", "Rename1", "SetasDesktopWallpaper1", "CopyToClipboard1",
          "FileProperties1", "PrintCtrlP1", "ReloadImageF51", "PreviousImage1", "NextImage1"}) {
        auto* item = Form().findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        EXPECT_FALSE(item->isEnabled()) << name;
    }
    for (const char* name : {"Zoom1", "Rotate1", "Flip1"}) {
        auto* menu = Form().findChild<QMenu*>(QString::fromLatin1(name));
        ASSERT_NE(menu, nullptr) << name;
        EXPECT_FALSE(menu->menuAction()->isEnabled()) << name;
    }
}

TEST_F(MainFoldersTest, ClosingTheWindowClosesEveryFolderAndKeepsThePlacement) {
    const QString a = MakeFolder(QStringLiteral("A"), {QStringLiteral("x.png")});
    QPointer<TFolderViewForm> docked = Open(a);
    QPointer<TFolderViewForm> floating = Open(a);
    floating->FloatView();
    Form().setGeometry(40, 50, 700, 500);
    Form().close();
    EXPECT_TRUE(Form().ShuttingDown());
    ASSERT_TRUE(WaitFor([&] { return docked.isNull() && floating.isNull(); }));
    EXPECT_EQ(ReadRegSubString(QStringLiteral("WinState\\MainForm"), QStringLiteral("NormalPos")),
              QStringLiteral("40,50,740,550"));
    form.reset();
    EXPECT_EQ(Form().geometry(), QRect(40, 50, 700, 500));
}

} // namespace

// SPDX-License-Identifier: MIT
// The "Open Recent" menu: what opening folders puts in it and what its entries do.
#include "MainWindowFixture.h"

#include "imaging/ImageFormats.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>

namespace {

using MainRecentTest = MainWindowFixture;

QStringList EntryPaths(const QMenu* menu) {
    QStringList paths;
    for (const QAction* item : menu->actions())
        paths << item->data().toString();
    return paths;
}

TEST_F(MainRecentTest, OpenedFoldersAreListedMostRecentFirstUpToTheMaximum) {
    WriteRegString(RegNames::FileMruMaxItems, QStringLiteral("2"));
    const QString a = MakeFolder(QStringLiteral("A"), {QStringLiteral("x.png")});
    const QString b = MakeFolder(QStringLiteral("B"), {QStringLiteral("x.png")});
    const QString c = MakeFolder(QStringLiteral("C"), {QStringLiteral("x.png")});
    EXPECT_EQ(Captions(Form().OpenRecentMenu()), QStringList{QStringLiteral("[Empty]")});
    Open(a);
    Open(b);
    Open(c);
    EXPECT_EQ(EntryPaths(Form().OpenRecentMenu()), (QStringList{c, b}));
    // The next start reads the same list.
    form.reset();
    EXPECT_EQ(EntryPaths(Form().OpenRecentMenu()), (QStringList{c, b}));
}

TEST_F(MainRecentTest, AFolderOnTheCommandLineJoinsTheStoredList) {
    const QString a = MakeFolder(QStringLiteral("A"), {QStringLiteral("x.png")});
    const QString b = MakeFolder(QStringLiteral("B"), {QStringLiteral("x.png")});
    Open(a);
    form.reset();
    Form({b});
    EXPECT_EQ(EntryPaths(Form().OpenRecentMenu()), (QStringList{b, a}));
    EXPECT_EQ(Form().FileMruList().Items(), (QStringList{b, a}));
}

TEST_F(MainRecentTest, AFolderWithAnAmpersandReopensFromItsEntry) {
    const QString odd = MakeFolder(QStringLiteral("Tom & Jerry"), {QStringLiteral("x.png")});
    Open(odd);
    QAction* entry = Form().OpenRecentMenu()->actions().first();
    EXPECT_EQ(entry->text(), QString(odd).replace(QStringLiteral("&"), QStringLiteral("&&")));
    entry->trigger();
    ASSERT_EQ(Form().OpenFolders().size(), 2);
    EXPECT_EQ(Form().CurrentFolder()->FolderPath(), odd);
    EXPECT_EQ(EntryPaths(Form().OpenRecentMenu()), QStringList{odd});
}

TEST_F(MainRecentTest, AVanishedFolderIsReportedAndLeavesTheList) {
    const QString a = MakeFolder(QStringLiteral("A"), {QStringLiteral("x.png")});
    const QString gone = MakeFolder(QStringLiteral("Gone"), {QStringLiteral("x.png")});
    Open(gone);
    Open(a);
    QPointer<TFolderViewForm> goneView = Form().OpenFolders().first();
    goneView->CloseFolder();
    ASSERT_TRUE(WaitFor([&] { return goneView.isNull(); }));
    ASSERT_TRUE(QDir(gone).removeRecursively());

    QAction* entry = Form().OpenRecentMenu()->actions().at(1);
    ASSERT_EQ(entry->data().toString(), gone);
    QString title;
    AnswerNextModal(1, &title);
    entry->trigger();
    EXPECT_EQ(title, QStringLiteral("Error"));
    EXPECT_EQ(Form().OpenFolders().size(), 1);
    EXPECT_EQ(EntryPaths(Form().OpenRecentMenu()), QStringList{a});
    EXPECT_EQ(Form().FileMruList().Items(), QStringList{a});
    EXPECT_TRUE(Form().CheckFolderValid(a));
}

} // namespace

// SPDX-License-Identifier: MIT
#include "settings/MimeAppsList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using List = MimeAppsList;
const QString Png = QStringLiteral("image/png");
const QString Jpeg = QStringLiteral("image/jpeg");

// A file as people and other programs leave it: comments, blank lines, spaces around "=",
// a list without its final ";", a group the program never touches and Windows line ends.
const QByteArray Messy = "# my associations\n"
                         "[Default Applications]\n"
                         "text/plain = editor.desktop\n"
                         "image/png=viewer.desktop;paint.desktop\n"
                         "\n"
                         "[Added Associations]\r\n"
                         "image/png=paint.desktop;\r\n"
                         "; odd comment style\n"
                         "[X-Private Group]\n"
                         "image/png=ignored.desktop;";

TEST(MimeAppsListTest, ReadsEntriesTheWayTheDesktopDoes) {
    const List list(Messy);
    EXPECT_EQ(list.Entries(List::DefaultApplications, QStringLiteral("text/plain")),
              QStringList{QStringLiteral("editor.desktop")});
    EXPECT_EQ(list.Entries(List::DefaultApplications, QStringLiteral("IMAGE/PNG")),
              (QStringList{QStringLiteral("viewer.desktop"), QStringLiteral("paint.desktop")}));
    EXPECT_EQ(list.Entries(List::AddedAssociations, Png),
              QStringList{QStringLiteral("paint.desktop")});
    EXPECT_TRUE(list.Entries(List::RemovedAssociations, Png).isEmpty());
    EXPECT_TRUE(list.Entries(List::DefaultApplications, Jpeg).isEmpty());
}

TEST(MimeAppsListTest, UntouchedTextComesBackByteForByte) {
    EXPECT_EQ(List(Messy).Text(), Messy);
    EXPECT_EQ(List(QByteArray()).Text(), QByteArray());
    List list(Messy);
    // Setting the list a line already has leaves even its spelling alone.
    list.SetEntries(List::DefaultApplications, QStringLiteral("text/plain"),
                    {QStringLiteral("editor.desktop")});
    EXPECT_EQ(list.Text(), Messy);
}

TEST(MimeAppsListTest, EditsChangeOnlyTheirOwnLine) {
    List list(Messy);
    list.SetEntries(List::DefaultApplications, Png,
                    {QStringLiteral("ours.desktop"), QStringLiteral("viewer.desktop")});
    list.SetEntries(List::AddedAssociations, Png,
                    {QStringLiteral("ours.desktop"), QStringLiteral("paint.desktop")});
    list.SetEntries(List::DefaultApplications, Jpeg, {QStringLiteral("ours.desktop")});
    list.SetEntries(List::DefaultApplications, QStringLiteral("text/plain"), {});
    EXPECT_EQ(list.Text(), QByteArray("# my associations\n"
                                      "[Default Applications]\n"
                                      "image/png=ours.desktop;viewer.desktop;\n"
                                      "image/jpeg=ours.desktop;\n"
                                      "\n"
                                      "[Added Associations]\r\n"
                                      "image/png=ours.desktop;paint.desktop;\r\n"
                                      "; odd comment style\n"
                                      "[X-Private Group]\n"
                                      "image/png=ignored.desktop;"));
}

TEST(MimeAppsListTest, MissingGroupsAreAddedAtTheEnd) {
    List list(QByteArray("[Default Applications]\ntext/plain=editor.desktop;"));
    list.SetEntries(List::RemovedAssociations, Png, {QStringLiteral("paint.desktop")});
    EXPECT_EQ(list.Text(), QByteArray("[Default Applications]\ntext/plain=editor.desktop;\n"
                                      "\n"
                                      "[Removed Associations]\n"
                                      "image/png=paint.desktop;\n"));
    List empty;
    empty.SetEntries(List::DefaultApplications, Png, {QStringLiteral("ours.desktop")});
    EXPECT_EQ(empty.Text(), QByteArray("[Default Applications]\nimage/png=ours.desktop;\n"));
}

TEST(MimeAppsListTest, ARepeatedGroupOrTypeEndsAsOneLine) {
    List list(QByteArray("[Default Applications]\n"
                         "image/png=a.desktop;\n"
                         "[Added Associations]\n"
                         "image/png=b.desktop;\n"
                         "[Default Applications]\n"
                         "image/png=c.desktop;\n"
                         "image/gif=d.desktop;\n"));
    EXPECT_EQ(list.Entries(List::DefaultApplications, Png),
              QStringList{QStringLiteral("a.desktop")});
    list.SetEntries(List::DefaultApplications, Png, {QStringLiteral("ours.desktop")});
    EXPECT_EQ(list.Text(), QByteArray("[Default Applications]\n"
                                      "image/png=ours.desktop;\n"
                                      "[Added Associations]\n"
                                      "image/png=b.desktop;\n"
                                      "[Default Applications]\n"
                                      "image/gif=d.desktop;\n"));
}

TEST(MimeAppsListTest, LoadAndSave) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config/mimeapps.list"));
    std::optional<List> missing = List::Load(path);
    ASSERT_TRUE(missing.has_value());
    EXPECT_TRUE(missing->Text().isEmpty());

    List(Messy).Save(path); // creates the folder
    std::optional<List> read = List::Load(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->Text(), Messy);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("config"))).entryList(QDir::Files),
              QStringList{QStringLiteral("mimeapps.list")}); // no temporary left behind

    // Something that cannot be read as a file is reported, so nobody writes over it.
    const QString folder = dir.filePath(QStringLiteral("folder.list"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(List::Load(folder).has_value());
}

} // namespace

// SPDX-License-Identifier: MIT
#include "settings/DesktopDefaults.h"
#include "settings/DesktopEntry.h"
#include "settings/FileAssociations.h"
#include "settings/KeyStore.h"
#include "settings/MimeAppsList.h"
#include "settings/RegistryUnit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Ours = QStringLiteral("orvo-image-browser-2.desktop");
const QString Png = QStringLiteral(".png");

void WriteFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A desktop of its own in a temporary folder: the user's folders, one system folder of each kind
// and GNOME as the running desktop.
class DesktopDefaultsTest : public testing::Test {
protected:
    void SetUp() override {
        places.configHome = dir.filePath(QStringLiteral("home/config"));
        places.dataHome = dir.filePath(QStringLiteral("home/data"));
        places.configDirs = {dir.filePath(QStringLiteral("etc/xdg"))};
        places.dataDirs = {dir.filePath(QStringLiteral("usr/share"))};
        places.desktops = {QStringLiteral("gnome")};
        InstallApp(places.dataDirs.first(), QStringLiteral("viewer.desktop"),
                   "image/png;image/jpeg;");
        WriteFile(places.dataHome + QStringLiteral("/applications/") + Ours,
                  DesktopEntryText(QStringLiteral("/opt/Pixdeck2")));
    }

    void InstallApp(const QString& dataDir, const QString& id, const QByteArray& types,
                    const QByteArray& extra = QByteArray()) {
        WriteFile(dataDir + QStringLiteral("/applications/") + id,
                  "[Desktop Entry]\nType=Application\nExec=app %f\nMimeType=" + types + "\n" +
                      extra);
    }
    QString UserList() const { return places.UserMimeAppsFile(); }
    QString PngDefault() const {
        return DefaultApplicationFor(places, QStringLiteral("image/png"));
    }

    QTemporaryDir dir;
    XdgPlaces places;
};

TEST_F(DesktopDefaultsTest, SetMakesUsTheDefaultAndKeepsTheRestOfTheFile) {
    const QByteArray before = "# hand-written\n"
                              "[Default Applications]\n"
                              "image/png=viewer.desktop;\n"
                              "text/plain=editor.desktop;\n"
                              "\n"
                              "[Added Associations]\n"
                              "image/png=paint.desktop;\n"
                              "\n"
                              "[Removed Associations]\n"
                              "image/png=orvo-image-browser-2.desktop;broken.desktop;\n";
    WriteFile(UserList(), before);
    EXPECT_EQ(PngDefault(), QStringLiteral("viewer.desktop"));
    EXPECT_FALSE(IsDesktopDefault(places, Png));

    EXPECT_TRUE(SetDesktopDefault(places, Png));
    EXPECT_TRUE(IsDesktopDefault(places, Png));
    EXPECT_EQ(ReadFile(UserList()),
              QByteArray("# hand-written\n"
                         "[Default Applications]\n"
                         "image/png=orvo-image-browser-2.desktop;viewer.desktop;\n"
                         "text/plain=editor.desktop;\n"
                         "\n"
                         "[Added Associations]\n"
                         "image/png=paint.desktop;\n"
                         "\n"
                         "[Removed Associations]\n"
                         "image/png=broken.desktop;\n"));

    // Removing gives the type back to the previous default.
    RemoveDesktopDefault(places, Png);
    EXPECT_EQ(PngDefault(), QStringLiteral("viewer.desktop"));
    EXPECT_EQ(MimeAppsList(ReadFile(UserList()))
                  .Entries(MimeAppsList::AddedAssociations, QStringLiteral("image/png")),
              QStringList{QStringLiteral("paint.desktop")});
}

// Some desktops open a type that has no default with its first added association, so an added
// association of ours would keep opening files with us after the default was taken back.
TEST_F(DesktopDefaultsTest, AnAddedAssociationOnlyWhereOurEntryLacksTheTypeAndNoneAfterRemoving) {
    struct Case {
        const char* what;
        const char* ourTypes; // nullptr: the program's own entry, naming all its types
        const char* extension;
        const char* type;
        const char* addedBefore;
        QStringList addedWhileDefault;
    };
    const QString paint = QStringLiteral("paint.desktop");
    const Case cases[] = {
        {"our entry names the type", nullptr, ".png", "image/png", "", {}},
        {"our entry names the type, another added association",
         nullptr,
         ".png",
         "image/png",
         "paint.desktop;",
         {paint}},
        {"left at the front by an earlier version",
         nullptr,
         ".png",
         "image/png",
         "orvo-image-browser-2.desktop;paint.desktop;",
         {Ours, paint}},
        {"our entry lacks the type",
         "image/png;",
         ".gif",
         "image/gif",
         "paint.desktop;",
         {paint, Ours}},
    };
    for (const Case& c : cases) {
        if (c.ourTypes)
            InstallApp(places.dataHome, Ours, c.ourTypes);
        else
            WriteFile(places.dataHome + QStringLiteral("/applications/") + Ours,
                      DesktopEntryText(QStringLiteral("/opt/Pixdeck2")));
        const QString type = QString::fromLatin1(c.type);
        const QString extension = QString::fromLatin1(c.extension);
        WriteFile(UserList(), *c.addedBefore ? QByteArray("[Added Associations]\n") + c.type + "=" +
                                                   c.addedBefore + "\n"
                                             : QByteArray());

        ASSERT_TRUE(SetDesktopDefault(places, extension)) << c.what;
        EXPECT_EQ(MimeAppsList(ReadFile(UserList())).Entries(MimeAppsList::AddedAssociations, type),
                  c.addedWhileDefault)
            << c.what;

        RemoveDesktopDefault(places, extension);
        const MimeAppsList after(ReadFile(UserList()));
        EXPECT_FALSE(after.Entries(MimeAppsList::DefaultApplications, type).contains(Ours))
            << c.what;
        EXPECT_FALSE(after.Entries(MimeAppsList::AddedAssociations, type).contains(Ours)) << c.what;
        EXPECT_FALSE(IsDesktopDefault(places, extension)) << c.what;
    }
}

TEST_F(DesktopDefaultsTest, EveryNameOfTheTypeIsSetAndOnlyThatExtensionsTypes) {
    ASSERT_TRUE(SetDesktopDefault(places, QStringLiteral(".ico")));
    const MimeAppsList list(ReadFile(UserList()));
    for (const QString& type : MimeTypesForExtension(QStringLiteral(".ico")))
        EXPECT_EQ(list.Entries(MimeAppsList::DefaultApplications, type), QStringList{Ours});
    EXPECT_TRUE(
        list.Entries(MimeAppsList::DefaultApplications, QStringLiteral("image/png")).isEmpty());
    // The two JPEG extensions share one type, so they share the default.
    ASSERT_TRUE(SetDesktopDefault(places, QStringLiteral(".jpg")));
    EXPECT_TRUE(IsDesktopDefault(places, QStringLiteral(".jpeg")));
}

TEST_F(DesktopDefaultsTest, TheDesktopsOwnFileComesFirst) {
    WriteFile(places.configHome + QStringLiteral("/gnome-mimeapps.list"),
              "[Default Applications]\nimage/png=viewer.desktop;\n");
    WriteFile(UserList(), "[Default Applications]\nimage/png=orvo-image-browser-2.desktop;\n");
    EXPECT_EQ(PngDefault(), QStringLiteral("viewer.desktop"));
    EXPECT_FALSE(IsDesktopDefault(places, Png));

    EXPECT_TRUE(SetDesktopDefault(places, Png));
    EXPECT_EQ(ReadFile(places.configHome + QStringLiteral("/gnome-mimeapps.list")),
              QByteArray("[Default Applications]\n"
                         "image/png=orvo-image-browser-2.desktop;viewer.desktop;\n"));
    RemoveDesktopDefault(places, Png);
    EXPECT_EQ(PngDefault(), QStringLiteral("viewer.desktop"));
}

TEST_F(DesktopDefaultsTest, TheDefaultIsTheFirstInstalledAndAssociatedApplication) {
    InstallApp(places.dataHome, QStringLiteral("hidden.desktop"), "image/png;", "Hidden=true\n");
    InstallApp(places.dataHome, QStringLiteral("text.desktop"), "text/plain;");
    InstallApp(places.dataHome, QStringLiteral("added.desktop"), "text/plain;");
    InstallApp(places.dataDirs.first(), QStringLiteral("vendor/app.desktop"), "image/png;");
    struct Case {
        const char* userList;
        const char* systemList;
        const char* expected;
    };
    const Case cases[] = {
        // not installed, hidden, not associated with the type: each is passed over
        {"[Default Applications]\nimage/png=missing.desktop;hidden.desktop;text.desktop;"
         "viewer.desktop;\n",
         "", "viewer.desktop"},
        // an added association makes one, a removed one unmakes one
        {"[Default Applications]\nimage/png=added.desktop;\n"
         "[Added Associations]\nimage/png=added.desktop;\n",
         "", "added.desktop"},
        {"[Default Applications]\nimage/png=viewer.desktop;\n"
         "[Removed Associations]\nimage/png=viewer.desktop;\n",
         "", ""},
        // a desktop id with a dash may live in a sub-folder
        {"[Default Applications]\nimage/png=vendor-app.desktop;\n", "", "vendor-app.desktop"},
        // the user's file before the system's; the system's when the user's names none
        {"[Default Applications]\nimage/png=viewer.desktop;\n",
         "[Default Applications]\nimage/png=orvo-image-browser-2.desktop;\n", "viewer.desktop"},
        {"[Default Applications]\ntext/plain=text.desktop;\n",
         "[Default Applications]\nimage/png=orvo-image-browser-2.desktop;\n",
         "orvo-image-browser-2.desktop"},
    };
    for (const Case& c : cases) {
        WriteFile(UserList(), c.userList);
        WriteFile(places.configDirs.first() + QStringLiteral("/mimeapps.list"), c.systemList);
        EXPECT_EQ(PngDefault(), QString::fromLatin1(c.expected)) << c.userList;
    }
}

TEST_F(DesktopDefaultsTest, NothingIsWrittenWithoutOurEntryOrWhenTheFileCannotBeRead) {
    QFile::remove(places.dataHome + QStringLiteral("/applications/") + Ours);
    EXPECT_FALSE(SetDesktopDefault(places, Png));
    EXPECT_FALSE(QFileInfo::exists(UserList()));

    InstallApp(places.dataHome, Ours, "image/png;");
    ASSERT_TRUE(QDir().mkpath(UserList())); // a mimeapps.list that is no readable file
    EXPECT_FALSE(SetDesktopDefault(places, Png));
    EXPECT_FALSE(SetDesktopDefault(places, QStringLiteral(".tga")));
}

TEST_F(DesktopDefaultsTest, RemovingEverythingTakesOutEachOfOurEntries) {
    ASSERT_TRUE(SetDesktopDefault(places, Png));
    ASSERT_TRUE(SetDesktopDefault(places, QStringLiteral(".gif")));
    RemoveAllDesktopAssociations(places);
    EXPECT_EQ(ReadFile(UserList()), QByteArray("[Default Applications]\n"));
}

// The program's own switches and the Options dialog's calls, on the test's XDG folders.
class ProgramDesktopDefaultsTest : public testing::Test {
protected:
    void TearDown() override {
        QFile::remove(ClassesStorePath());
        QFile::remove(DesktopEntryPath());
        QFile::remove(XdgPlaces::FromEnvironment().UserMimeAppsFile());
    }
};

TEST_F(ProgramDesktopDefaultsTest, InstallSetDefaultAndUninstall) {
    const QString userList = XdgPlaces::FromEnvironment().UserMimeAppsFile();
    WriteFile(userList, "[Default Applications]\ntext/plain=editor.desktop;\n");
    EXPECT_FALSE(SetAsDefaultHandler(Png)); // not registered yet

    FixFileTypeRegistrations();
    RegisterFileTypes();
    EXPECT_TRUE(DesktopEntryStartsProgram(DesktopEntryPath(), CurrentProgramPaths().longPath));
    EXPECT_FALSE(IsDefaultHandler(Png)); // registering never makes the program the default

    EXPECT_TRUE(SetAsDefaultHandler(Png));
    EXPECT_TRUE(IsDefaultHandler(Png));
    EXPECT_FALSE(IsDefaultHandler(QStringLiteral(".gif")));
    RemoveAsDefaultHandler(Png);
    EXPECT_FALSE(IsDefaultHandler(Png));

    EXPECT_TRUE(SetAsDefaultHandler(Png));
    UnregisterFileTypes();
    EXPECT_FALSE(QFileInfo::exists(DesktopEntryPath()));
    EXPECT_FALSE(IsDefaultHandler(Png));
    EXPECT_EQ(ReadFile(userList), QByteArray("[Default Applications]\n"
                                             "text/plain=editor.desktop;\n"));
}

TEST_F(ProgramDesktopDefaultsTest, ADesktopThatRefusesTheDefaultLeavesTheStoreAsItWas) {
    FixFileTypeRegistrations();
    RegisterFileTypes();
    KeyStore store = ClassesStore();
    ClassesAccessor classes(store);
    const QString shell = QLatin1Char('\\') + classes.ReadDefault(QStringLiteral("\\.png")) +
                          QStringLiteral("\\shell");
    const QString userList = XdgPlaces::FromEnvironment().UserMimeAppsFile();
    for (const QString& verbBefore : {QString(), QStringLiteral("Edit")}) {
        classes.WriteDefault(shell, verbBefore);
        ASSERT_TRUE(QDir().mkpath(userList)); // a mimeapps.list that cannot be read
        EXPECT_FALSE(SetAsDefaultHandler(Png));
        EXPECT_EQ(classes.ReadDefault(shell), verbBefore);
        EXPECT_FALSE(IsDefaultHandler(classes, CurrentProgramPaths(), Png));
        ASSERT_TRUE(QDir(userList).removeRecursively());

        // With a desktop that takes it, both say default.
        EXPECT_TRUE(SetAsDefaultHandler(Png));
        EXPECT_TRUE(IsDefaultHandler(classes, CurrentProgramPaths(), Png));
        RemoveAsDefaultHandler(Png);
        QFile::remove(userList);
    }
}

} // namespace

// SPDX-License-Identifier: MIT
#include "settings/FileAssociations.h"
#include "settings/KeyStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const ProgramPaths Paths{QStringLiteral("/opt/Orvo Image Browser/Pixdeck2"),
                         QStringLiteral("/usr/local/bin/pixdeck2")};
const QString OurCommand = QStringLiteral("\"/opt/Orvo Image Browser/Pixdeck2\" /nosplash \"%1\"");
const QString OtherCommand = QStringLiteral("\"/usr/bin/otherviewer\" \"%1\"");
const QString JpgClass = QStringLiteral("OrvoImageBrowser.jpgImage");

class AssociationsTest : public testing::Test {
protected:
    QTemporaryDir dir;
    KeyStore store{dir.filePath(QStringLiteral("classes.json")), false};
    ClassesAccessor classes{store};

    QString Default(const QString& key) const {
        return store.ReadValue(key, QString()).value_or(QStringLiteral("<missing>"));
    }
    QByteArray Snapshot() const {
        QFile file(store.FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Set(const QString& key, const QString& value) { store.WriteValue(key, QString(), value); }
};

TEST_F(AssociationsTest, InstallCreatesAClassForAnExtensionWithout) {
    RegisterFileTypes(store, Paths);
    EXPECT_EQ(Default(QStringLiteral("\\.jpg")), JpgClass);
    EXPECT_EQ(Default(QStringLiteral("\\") + JpgClass), QStringLiteral("JPEG Image"));
    EXPECT_EQ(Default(JpgClass + QStringLiteral("\\DefaultIcon")),
              Paths.longPath + QStringLiteral(",0"));
    EXPECT_EQ(Default(JpgClass + QStringLiteral("\\shell\\Browse\\command")), OurCommand);
    EXPECT_FALSE(
        store.KeyExists(JpgClass + QStringLiteral("\\shell\\Browse with Orvo Image Browser")));
    // Registration never makes the program the default opener.
    EXPECT_EQ(Default(JpgClass + QStringLiteral("\\shell")), QStringLiteral("<missing>"));
    EXPECT_FALSE(IsDefaultHandler(classes, Paths, QStringLiteral(".jpg")));
    // Icons show themselves.
    EXPECT_EQ(Default(QStringLiteral("OrvoImageBrowser.icoImage\\DefaultIcon")),
              QStringLiteral("%1"));
    EXPECT_EQ(Default(QStringLiteral(".pcx")), QStringLiteral("OrvoImageBrowser.pcxImage"));
}

TEST_F(AssociationsTest, AnotherProgramsBrowseVerbIsKeptAndOursAdded) {
    Set(QStringLiteral(".png"), QStringLiteral("pngfile"));
    Set(QStringLiteral("pngfile"), QStringLiteral("Their PNG"));
    Set(QStringLiteral("pngfile\\DefaultIcon"), QStringLiteral("/usr/share/icons/png.svg"));
    Set(QStringLiteral("pngfile\\shell\\Browse\\command"), OtherCommand);
    RegisterFileTypes(store, Paths);
    EXPECT_EQ(Default(QStringLiteral("pngfile")), QStringLiteral("Their PNG"));
    EXPECT_EQ(Default(QStringLiteral("pngfile\\DefaultIcon")),
              QStringLiteral("/usr/share/icons/png.svg"));
    EXPECT_EQ(Default(QStringLiteral("pngfile\\shell\\Browse\\command")), OtherCommand);
    EXPECT_EQ(Default(QStringLiteral("pngfile\\shell\\Browse with Orvo Image Browser\\command")),
              OurCommand);

    EXPECT_TRUE(SetAsDefaultHandler(classes, Paths, QStringLiteral(".png")));
    EXPECT_EQ(Default(QStringLiteral("pngfile\\shell")),
              QStringLiteral("Browse with Orvo Image Browser"));
    EXPECT_TRUE(IsDefaultHandler(classes, Paths, QStringLiteral(".png")));

    RemoveAsDefaultHandler(classes, Paths, QStringLiteral(".png"));
    EXPECT_EQ(Default(QStringLiteral("pngfile\\shell")), QString());
    EXPECT_FALSE(IsDefaultHandler(classes, Paths, QStringLiteral(".png")));
}

TEST_F(AssociationsTest, InstallingTwiceChangesNothingMore) {
    FixFileTypeRegistrations(store, Paths);
    RegisterFileTypes(store, Paths);
    const QByteArray once = Snapshot();
    FixFileTypeRegistrations(store, Paths);
    RegisterFileTypes(store, Paths);
    EXPECT_EQ(Snapshot(), once);
}

TEST_F(AssociationsTest, DefaultHandlerFollowsTheClassesDefaultVerb) {
    RegisterFileTypes(store, Paths);
    const QString ext = QStringLiteral(".jpg");
    EXPECT_FALSE(IsDefaultHandler(classes, Paths, ext)); // our verb is the only one, not default
    EXPECT_TRUE(SetAsDefaultHandler(classes, Paths, ext));
    EXPECT_EQ(Default(JpgClass + QStringLiteral("\\shell")), QStringLiteral("Browse"));
    EXPECT_TRUE(IsDefaultHandler(classes, Paths, ext));
    // A default verb of another program is not ours.
    Set(JpgClass + QStringLiteral("\\shell\\edit\\command"), OtherCommand);
    Set(JpgClass + QStringLiteral("\\shell"), QStringLiteral("edit"));
    EXPECT_FALSE(IsDefaultHandler(classes, Paths, ext));
    // Removing leaves another program's default alone.
    RemoveAsDefaultHandler(classes, Paths, ext);
    EXPECT_EQ(Default(JpgClass + QStringLiteral("\\shell")), QStringLiteral("edit"));
}

TEST_F(AssociationsTest, SetAsDefaultOnAnUnregisteredExtensionChangesNothing) {
    Set(QStringLiteral(".gif"), QStringLiteral("giffile"));
    Set(QStringLiteral("giffile\\shell\\open\\command"), OtherCommand);
    const QByteArray before = Snapshot();
    EXPECT_FALSE(SetAsDefaultHandler(classes, Paths, QStringLiteral(".gif")));
    EXPECT_FALSE(SetAsDefaultHandler(classes, Paths, QStringLiteral(".bmp"))); // no class at all
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(AssociationsTest, UninstallLeavesClassesDescriptionsAndEmptyShellKeys) {
    FixFileTypeRegistrations(store, Paths);
    RegisterFileTypes(store, Paths);
    SetAsDefaultHandler(classes, Paths, QStringLiteral(".jpg"));
    UnregisterFileTypes(store, Paths);
    EXPECT_EQ(Default(QStringLiteral(".jpg")), JpgClass);
    EXPECT_EQ(Default(JpgClass), QStringLiteral("JPEG Image"));
    EXPECT_EQ(Default(JpgClass + QStringLiteral("\\DefaultIcon")), QString());
    EXPECT_TRUE(store.KeyExists(JpgClass + QStringLiteral("\\shell")));
    EXPECT_EQ(Default(JpgClass + QStringLiteral("\\shell")), QString());
    EXPECT_FALSE(store.KeyExists(JpgClass + QStringLiteral("\\shell\\Browse")));
    EXPECT_EQ(Default(QStringLiteral("OrvoImageBrowser.icoImage\\DefaultIcon")),
              QStringLiteral("%1"));
}

TEST_F(AssociationsTest, UninstallRemovesOnlyOurVerbs) {
    Set(QStringLiteral(".png"), QStringLiteral("pngfile"));
    Set(QStringLiteral("pngfile\\shell\\Browse\\command"), OtherCommand);
    RegisterFileTypes(store, Paths);
    SetAsDefaultHandler(classes, Paths, QStringLiteral(".png"));
    UnregisterFileTypes(store, Paths);
    EXPECT_EQ(Default(QStringLiteral("pngfile\\shell\\Browse\\command")), OtherCommand);
    EXPECT_FALSE(store.KeyExists(QStringLiteral("pngfile\\shell\\Browse with Orvo Image Browser")));
    EXPECT_EQ(Default(QStringLiteral("pngfile\\shell")), QString());
}

TEST_F(AssociationsTest, FixInstallRewritesTheStartPathToTheLongPath) {
    const ProgramPaths started{Paths.startPath, Paths.startPath};
    RegisterFileTypes(store, started); // registered while running under the start path
    Set(QStringLiteral("pngfile\\shell\\Browse\\command"), OtherCommand);
    Set(QStringLiteral(".png"), QStringLiteral("pngfile"));

    const QByteArray before = Snapshot();
    FixFileTypeRegistrations(store, started); // both paths equal: nothing to do
    EXPECT_EQ(Snapshot(), before);

    FixFileTypeRegistrations(store, Paths);
    EXPECT_EQ(Default(JpgClass + QStringLiteral("\\DefaultIcon")),
              Paths.longPath + QStringLiteral(",0"));
    EXPECT_EQ(Default(JpgClass + QStringLiteral("\\shell\\Browse\\command")), OurCommand);
    EXPECT_EQ(Default(QStringLiteral("pngfile\\shell\\Browse\\command")), OtherCommand);
    EXPECT_EQ(Default(QStringLiteral("OrvoImageBrowser.icoImage\\DefaultIcon")),
              QStringLiteral("%1"));
}

TEST_F(AssociationsTest, ACorruptStoreIsNeverTouched) {
    {
        QFile file(store.FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("garbage");
    }
    RegisterFileTypes(store, Paths);
    UnregisterFileTypes(store, Paths);
    EXPECT_FALSE(SetAsDefaultHandler(classes, Paths, QStringLiteral(".jpg")));
    EXPECT_EQ(Snapshot(), QByteArray("garbage"));
}

} // namespace

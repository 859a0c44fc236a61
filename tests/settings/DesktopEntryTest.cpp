// SPDX-License-Identifier: MIT
#include "settings/DesktopEntry.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString Program = QStringLiteral("/opt/Orvo Image Browser/Pixdeck2");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList EntryLines(const QString& programPath) {
    return QString::fromUtf8(DesktopEntryText(programPath)).split(QLatin1Char('\n'));
}

TEST(DesktopEntryTest, ExecArgumentsAreQuotedWhereTheFormatWantsIt) {
    struct Case {
        const char* argument;
        const char* quoted;
    };
    const Case cases[] = {
        {"/usr/bin/pixdeck2", "/usr/bin/pixdeck2"},
        {"/opt/My Apps/Pixdeck2", "\"/opt/My Apps/Pixdeck2\""},
        {"/opt/a\"b", "\"/opt/a\\\"b\""},
        {"/opt/$HOME`x`", "\"/opt/\\$HOME\\`x\\`\""},
        {"/opt/a\\b", "\"/opt/a\\\\b\""},
        {"/opt/100%", "/opt/100%%"},
        {"/opt/it's", "\"/opt/it's\""},
        {"", "\"\""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QuoteExecArgument(QString::fromUtf8(c.argument)), QString::fromUtf8(c.quoted))
            << c.argument;
}

TEST(DesktopEntryTest, TheEntryStartsTheProgramWithTheFile) {
    const QStringList lines = EntryLines(Program);
    EXPECT_EQ(lines.first(), QStringLiteral("[Desktop Entry]"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Type=Application")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Name=Orvo Image Browser 2")));
    EXPECT_TRUE(
        lines.contains(QStringLiteral("Exec=\"/opt/Orvo Image Browser/Pixdeck2\" /nosplash %f")));
    // A backslash inside the quotes is escaped once for the argument and once for the value.
    EXPECT_TRUE(EntryLines(QStringLiteral("/opt/a\\b/P"))
                    .contains(QStringLiteral("Exec=\"/opt/a\\\\\\\\b/P\" /nosplash %f")));
}

TEST(DesktopEntryTest, EveryExtensionsTypesAreListed) {
    QString mimeLine;
    for (const QString& line : EntryLines(Program))
        if (line.startsWith(QLatin1String("MimeType=")))
            mimeLine = line;
    const QStringList listed = mimeLine.mid(9).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const char* extensions[] = {".jpeg", ".jpg", ".bmp", ".ico", ".png",
                                ".wmf",  ".emf", ".gif", ".pcx"};
    for (const char* ext : extensions) {
        const QStringList types = MimeTypesForExtension(QLatin1String(ext));
        ASSERT_FALSE(types.isEmpty()) << ext;
        for (const QString& type : types)
            EXPECT_TRUE(listed.contains(type)) << ext << " " << type.toStdString();
    }
    EXPECT_EQ(listed.size(), QSet<QString>(listed.begin(), listed.end()).size()); // each once
    EXPECT_EQ(MimeTypesForExtension(QStringLiteral(".PCX")).first(),
              QStringLiteral("image/vnd.zbrush.pcx"));
    EXPECT_EQ(
        MimeTypesForExtension(QStringLiteral(".ico")),
        (QStringList{QStringLiteral("image/vnd.microsoft.icon"), QStringLiteral("image/x-icon")}));
    EXPECT_TRUE(MimeTypesForExtension(QStringLiteral(".tga")).isEmpty());
}

class DesktopEntryFileTest : public testing::Test {
protected:
    void TearDown() override { QFile::remove(DesktopEntryPath()); }
};

TEST_F(DesktopEntryFileTest, InstallWritesTheEntryIntoTheUsersApplications) {
    EXPECT_EQ(QFileInfo(DesktopEntryPath()).path(),
              QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                  QStringLiteral("/applications"));
    InstallDesktopEntry(Program);
    EXPECT_EQ(ReadAll(DesktopEntryPath()), DesktopEntryText(Program));
    EXPECT_TRUE(DesktopEntryStartsProgram(DesktopEntryPath(), Program));
    EXPECT_FALSE(DesktopEntryStartsProgram(DesktopEntryPath(), QStringLiteral("/opt/Orvo")));

    // Installing from another place makes that place the one the entry starts.
    InstallDesktopEntry(QStringLiteral("/usr/bin/pixdeck2"));
    EXPECT_EQ(ReadAll(DesktopEntryPath()), DesktopEntryText(QStringLiteral("/usr/bin/pixdeck2")));
}

TEST_F(DesktopEntryFileTest, FixRewritesAnEntryWrittenUnderTheStartPath) {
    const QString startPath = QStringLiteral("/home/me/bin/pixdeck");
    InstallDesktopEntry(startPath);
    FixDesktopEntry(startPath, startPath); // equal paths: nothing to do
    EXPECT_EQ(ReadAll(DesktopEntryPath()), DesktopEntryText(startPath));
    FixDesktopEntry(Program, startPath);
    EXPECT_EQ(ReadAll(DesktopEntryPath()), DesktopEntryText(Program));
    // An entry of some other path is left alone.
    FixDesktopEntry(QStringLiteral("/elsewhere/Pixdeck2"), startPath);
    EXPECT_EQ(ReadAll(DesktopEntryPath()), DesktopEntryText(Program));
}

TEST_F(DesktopEntryFileTest, RemoveTakesOnlyAnEntryThatStartsThisProgram) {
    InstallDesktopEntry(Program);
    RemoveDesktopEntry(QStringLiteral("/usr/bin/pixdeck2"));
    EXPECT_TRUE(QFileInfo::exists(DesktopEntryPath()));
    RemoveDesktopEntry(Program);
    EXPECT_FALSE(QFileInfo::exists(DesktopEntryPath()));
}

} // namespace

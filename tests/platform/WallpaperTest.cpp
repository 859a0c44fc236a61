// SPDX-License-Identifier: MIT
#include "platform/Wallpaper.h"

#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "settings/RegistryUnit.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

TEST(WallpaperTest, ThePictureShrinksToTheDesktopKeepingItsProportions) {
    struct Case {
        QSize picture, desktop, expected;
    };
    const Case cases[] = {
        {{3000, 2000}, {1024, 768}, {1024, 683}}, // the narrower fit wins: 1024/3000
        {{800, 600}, {1024, 768}, {800, 600}},    // never enlarged
        {{1000, 3000}, {1024, 768}, {256, 768}},  // too high only
        {{2048, 100}, {1024, 768}, {1024, 50}},   // too wide only
        {{1024, 768}, {1024, 768}, {1024, 768}},
        {{4, 5}, {2, 100}, {2, 2}},                 // 2.5: halves go to the even neighbour
        {{4, 7}, {2, 100}, {2, 4}},                 // 3.5
        {{3840, 1080}, {3840, 1080}, {3840, 1080}}, // two screens side by side
    };
    for (const Case& c : cases)
        EXPECT_EQ(WallpaperSize(c.picture, c.desktop), c.expected)
            << c.picture.width() << "x" << c.picture.height();
}

TEST(WallpaperTest, TheFileIsTheImageNameAsABitmapInTheProgramsDataFolder) {
    EXPECT_EQ(WallpaperPath(QStringLiteral("/data"), QStringLiteral("holiday.jpg")),
              QStringLiteral("/data/holiday.bmp"));
    EXPECT_EQ(WallpaperPath(QStringLiteral("/data"), QStringLiteral("a.b.PNG")),
              QStringLiteral("/data/a.b.bmp"));
    EXPECT_EQ(WallpaperPath(QStringLiteral("/data"), QStringLiteral("scan")),
              QStringLiteral("/data/scan.bmp"));
    EXPECT_EQ(WallpaperSession::Current().folder,
              QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                  QStringLiteral("/Tamblin/Orvo Image Browser 2"));
    EXPECT_EQ(ProgramDataFolder(), WallpaperSession::Current().folder);
}

// A desktop that answers every command from a script and remembers what it was asked.
struct FakeDesktop {
    struct Call {
        QString program;
        QStringList arguments;
    };
    QList<Call> calls;
    QByteArray listing; // the output of list-keys / xfconf-query -l
    QString failOn;     // the first argument of the call that fails
    bool notInstalled = false;

    CommandRunner Runner() {
        return [this](const QString& program, const QStringList& arguments) {
            calls.append({program, arguments});
            CommandResult result;
            result.started = !notInstalled;
            if (notInstalled) {
                result.errorText = QStringLiteral("No such file or directory");
                return result;
            }
            const bool fails = !failOn.isEmpty() && arguments.contains(failOn);
            result.exitCode = fails ? 1 : 0;
            result.errorText = fails ? QStringLiteral("No such schema") : QString();
            result.output = fails ? QByteArray() : listing;
            return result;
        };
    }
};

class WallpaperCommandTest : public testing::Test {
protected:
    WallpaperSession Session(const char* desktop) {
        return {dir.path(), QString::fromLatin1(desktop), QSize(1024, 768), fake.Runner()};
    }
    QString Bitmap() const { return dir.filePath(QStringLiteral("holiday.bmp")); }
    QString Uri() const { return QStringLiteral("file://") + Bitmap(); }
    // The value of the last "gsettings set ... picture-uri" call.
    QString LastPictureUri() const {
        for (qsizetype i = fake.calls.size() - 1; i >= 0; --i) {
            const QStringList& args = fake.calls.at(i).arguments;
            if (args.size() == 4 && args.at(0) == QLatin1String("set") &&
                args.at(2) == QLatin1String("picture-uri"))
                return args.at(3);
        }
        return QString();
    }
    static void WriteFile(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir dir;
    FakeDesktop fake;
    TBitmap picture{QImage(3000, 2000, QImage::Format_RGB32)};
};

TEST_F(WallpaperCommandTest, GnomeGetsBothPicturesCentred) {
    fake.listing = "color-shading-type\npicture-options\npicture-uri\npicture-uri-dark\n";
    SetDesktopWallpaper(picture, QStringLiteral("holiday.jpg"), Session("ubuntu:GNOME"));
    ASSERT_EQ(fake.calls.size(), 4);
    const QString schema = QStringLiteral("org.gnome.desktop.background");
    EXPECT_EQ(fake.calls[0].arguments, (QStringList{QStringLiteral("list-keys"), schema}));
    EXPECT_EQ(fake.calls[1].program, QStringLiteral("gsettings"));
    EXPECT_EQ(fake.calls[1].arguments,
              (QStringList{QStringLiteral("set"), schema, QStringLiteral("picture-uri"),
                           QLatin1Char('\'') + Uri() + QLatin1Char('\'')}));
    EXPECT_EQ(fake.calls[2].arguments[2], QStringLiteral("picture-uri-dark"));
    EXPECT_EQ(fake.calls[2].arguments[3], fake.calls[1].arguments[3]);
    EXPECT_EQ(fake.calls[3].arguments,
              (QStringList{QStringLiteral("set"), schema, QStringLiteral("picture-options"),
                           QStringLiteral("'centered'")}));

    // The file is there, as a bitmap no larger than the desktop.
    TBitmap written;
    written.LoadFromFile(Bitmap());
    EXPECT_EQ(QSize(written.Width(), written.Height()), QSize(1024, 683));

    // An older GNOME without the dark picture is not asked for it.
    fake.calls.clear();
    fake.listing = "picture-options\npicture-uri\n";
    SetDesktopWallpaper(picture, QStringLiteral("holiday.png"), Session("GNOME"));
    ASSERT_EQ(fake.calls.size(), 3);
    EXPECT_EQ(fake.calls[2].arguments[2], QStringLiteral("picture-options"));
}

TEST_F(WallpaperCommandTest, PlasmaRunsAScriptForEveryDesktop) {
    SetDesktopWallpaper(picture, QStringLiteral("holiday.jpg"), Session("KDE"));
    ASSERT_EQ(fake.calls.size(), 1);
    EXPECT_EQ(fake.calls[0].program, QStringLiteral("dbus-send"));
    const QStringList& args = fake.calls[0].arguments;
    ASSERT_EQ(args.size(), 6);
    EXPECT_EQ(
        args.mid(0, 5),
        (QStringList{QStringLiteral("--session"), QStringLiteral("--print-reply"),
                     QStringLiteral("--dest=org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
                     QStringLiteral("org.kde.PlasmaShell.evaluateScript")}));
    EXPECT_TRUE(args[5].startsWith(QLatin1String("string:")));
    EXPECT_TRUE(args[5].contains(QStringLiteral("[\"") + Uri() + QStringLiteral("\"]")));
    EXPECT_TRUE(args[5].contains(QLatin1String("desktops()")));
    EXPECT_TRUE(args[5].contains(QLatin1String("writeConfig(\"FillMode\", 6)")));
}

TEST_F(WallpaperCommandTest, XfceSetsEveryBackdropImageAndStyle) {
    fake.listing = "/backdrop/screen0/monitorHDMI-1/workspace0/color-style\n"
                   "/backdrop/screen0/monitorHDMI-1/workspace0/image-style\n"
                   "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
                   "/backdrop/screen0/monitor1/image-path\n"
                   "/desktop-icons/style\n";
    SetDesktopWallpaper(picture, QStringLiteral("holiday.jpg"), Session("XFCE"));
    QStringList sets;
    for (const FakeDesktop::Call& call : fake.calls) {
        EXPECT_EQ(call.program, QStringLiteral("xfconf-query"));
        EXPECT_EQ(call.arguments.mid(0, 2),
                  (QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")}));
        if (call.arguments.contains(QStringLiteral("-s")))
            sets << call.arguments.mid(3).join(QLatin1Char(' '));
    }
    EXPECT_EQ(
        sets,
        (QStringList{
            QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/image-style -s 1"),
            QStringLiteral("/backdrop/screen0/monitorHDMI-1/workspace0/last-image -s ") + Bitmap(),
            QStringLiteral("/backdrop/screen0/monitor1/image-path -s ") + Bitmap(),
        }));
}

TEST_F(WallpaperCommandTest, FailuresAreReportedNeverPassedOffAsSuccess) {
    struct Case {
        const char* desktop;
        const char* failOn;
        bool notInstalled;
        const char* listing;
        const char* messagePart;
    };
    const Case cases[] = {
        {"", "", false, "", "(unknown)"},
        {"X-Cinnamon", "", false, "", "(X-Cinnamon)"},
        {"GNOME", "list-keys", false, "", "gsettings failed (No such schema)"},
        {"GNOME", "picture-uri", false, "picture-uri\n", "gsettings failed"},
        {"KDE", "", true, "", "dbus-send failed (No such file or directory)"},
        {"XFCE", "", false, "/desktop-icons/style\n", "Xfce lists no backdrop image"},
        {"XFCE", "-s", false, "/backdrop/screen0/monitor0/image-path\n", "xfconf-query failed"},
    };
    for (const Case& c : cases) {
        fake = FakeDesktop();
        fake.failOn = QString::fromLatin1(c.failOn);
        fake.notInstalled = c.notInstalled;
        fake.listing = c.listing;
        try {
            SetDesktopWallpaper(picture, QStringLiteral("holiday.jpg"), Session(c.desktop));
            ADD_FAILURE() << c.desktop << " " << c.failOn << ": no error";
        } catch (const AppError& error) {
            EXPECT_TRUE(error.Message().contains(QLatin1String(c.messagePart)))
                << error.Message().toStdString();
        }
    }
}

TEST_F(WallpaperCommandTest, AnUnsupportedDesktopLeavesNoFile) {
    EXPECT_THROW(SetDesktopWallpaper(picture, QStringLiteral("holiday.jpg"), Session("Hyprland")),
                 AppError);
    EXPECT_TRUE(fake.calls.isEmpty());
    EXPECT_FALSE(QFile::exists(Bitmap()));
}

TEST_F(WallpaperCommandTest, ASecondImageOfTheSameNameReplacesTheBitmap) {
    // A desktop told the path it already shows keeps showing the old picture, so the second
    // bitmap gets a path of its own; the first goes once the desktop shows the second.
    fake.listing = "picture-uri\n";
    SetDesktopWallpaper(picture, QStringLiteral("holiday.png"), Session("GNOME"));
    TBitmap small(QImage(800, 600, QImage::Format_RGB32));
    SetDesktopWallpaper(small, QStringLiteral("holiday.jpg"), Session("GNOME"));
    const QString second = dir.filePath(QStringLiteral("holiday (2).bmp"));
    TBitmap written;
    written.LoadFromFile(second);
    EXPECT_EQ(QSize(written.Width(), written.Height()), QSize(800, 600));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("holiday (2).bmp")});
    EXPECT_EQ(LastPictureUri(), QLatin1Char('\'') +
                                    QUrl::fromLocalFile(second).toString(QUrl::FullyEncoded) +
                                    QLatin1Char('\''));

    // The next time the first name is free again.
    SetDesktopWallpaper(picture, QStringLiteral("holiday.gif"), Session("GNOME"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("holiday.bmp")});
    EXPECT_EQ(LastPictureUri(), QLatin1Char('\'') + Uri() + QLatin1Char('\''));
}

TEST_F(WallpaperCommandTest, OnlyTheBitmapTheDesktopShowsIsKept) {
    fake.listing = "picture-uri\n";
    WriteFile(dir.filePath(QStringLiteral("notes.txt")));
    SetDesktopWallpaper(picture, QStringLiteral("holiday.jpg"), Session("GNOME"));
    SetDesktopWallpaper(picture, QStringLiteral("beach.png"), Session("GNOME"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("beach.bmp"), QStringLiteral("notes.txt")}));

    // After a failure the desktop may show either picture: both stay.
    fake.failOn = QStringLiteral("picture-uri");
    EXPECT_THROW(SetDesktopWallpaper(picture, QStringLiteral("sunset.jpg"), Session("GNOME")),
                 AppError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("beach.bmp"), QStringLiteral("notes.txt"),
                           QStringLiteral("sunset.bmp")}));

    fake.failOn.clear();
    SetDesktopWallpaper(picture, QStringLiteral("sunset.jpg"), Session("GNOME"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("notes.txt"), QStringLiteral("sunset (2).bmp")}));
}

TEST(DesktopKindTest, TheCurrentDesktopListIsReadInOrder) {
    struct Case {
        const char* value;
        DesktopKind kind;
    };
    const Case cases[] = {
        {"GNOME", DesktopKind::Gnome},  {"ubuntu:GNOME", DesktopKind::Gnome},
        {"Unity", DesktopKind::Gnome},  {"KDE", DesktopKind::KdePlasma},
        {"XFCE", DesktopKind::Xfce},    {"X-Generic:XFCE", DesktopKind::Xfce},
        {"", DesktopKind::Unknown},     {"X-Cinnamon", DesktopKind::Unknown},
        {"sway", DesktopKind::Unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DesktopKindFor(QString::fromLatin1(c.value)), c.kind) << c.value;
}

TEST(CommandRunnerTest, ExitCodeOutputAndErrorsComeBack) {
    const CommandResult done =
        RunCommand(QStringLiteral("sh"),
                   {QStringLiteral("-c"), QStringLiteral("echo out; echo err >&2; exit 3")});
    EXPECT_TRUE(done.started);
    EXPECT_EQ(done.exitCode, 3);
    EXPECT_FALSE(done.Succeeded());
    EXPECT_EQ(done.output, QByteArray("out\n"));
    EXPECT_EQ(done.errorText, QStringLiteral("err"));

    const CommandResult missing = RunCommand(QStringLiteral("no-such-program-here"), {});
    EXPECT_FALSE(missing.started);
    EXPECT_FALSE(missing.Succeeded());
    EXPECT_FALSE(missing.errorText.isEmpty());

    const CommandResult slow = RunCommand(QStringLiteral("sleep"), {QStringLiteral("10")}, 200);
    EXPECT_FALSE(slow.Succeeded());
}

} // namespace

// SPDX-License-Identifier: MIT
#include "dialogs/FilePropertiesUnit.h"
#include "platform/FileManagerProperties.h"
#include "platform/FilePropertyRows.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

QString ValueOf(const QList<FilePropertyRow>& rows, const char* caption) {
    for (const FilePropertyRow& row : rows)
        if (row.caption == QLatin1String(caption))
            return row.value;
    return QStringLiteral("<none>");
}

TEST(FilePropertyRowsTest, SizesAreCountedInSixtyFourBits) {
    struct Case {
        qint64 bytes;
        const char* text;
    };
    const Case cases[] = {
        {0, "0 bytes"},
        {1023, "1,023 bytes"},
        {1536, "1.50 kB (1,536 bytes)"},
        {5'000'000'000, "4.66 GB (5,000,000,000 bytes)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileSizeText(c.bytes, English), QString::fromLatin1(c.text));
}

TEST(FilePropertyRowsTest, TheRowsDescribeTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big scan.pcx"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(5'000'000'000)); // sparse: takes no room on the disk
    }
    const QList<FilePropertyRow> rows = FilePropertyRows(path, QSize(1024, 768), English);
    EXPECT_EQ(ValueOf(rows, "Name:"), QStringLiteral("big scan.pcx"));
    EXPECT_EQ(ValueOf(rows, "Type:"), QStringLiteral("PCX Image"));
    EXPECT_EQ(ValueOf(rows, "Folder:"), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_EQ(ValueOf(rows, "Size:"), QStringLiteral("4.66 GB (5,000,000,000 bytes)"));
    EXPECT_EQ(ValueOf(rows, "Dimensions:"), QStringLiteral("1,024 x 768 pixels"));
    EXPECT_EQ(ValueOf(rows, "Modified:"),
              English.toString(QFileInfo(path).lastModified(), QLocale::LongFormat));
    EXPECT_NE(ValueOf(rows, "Accessed:"), QStringLiteral("<none>"));

    // Without known dimensions there is no such row; a missing file has no size or dates.
    EXPECT_EQ(ValueOf(FilePropertyRows(path, QSize(), English), "Dimensions:"),
              QStringLiteral("<none>"));
    const QList<FilePropertyRow> gone =
        FilePropertyRows(dir.filePath(QStringLiteral("gone.jpg")), QSize(10, 10), English);
    EXPECT_EQ(gone.size(), 3);
    EXPECT_EQ(ValueOf(gone, "Size:"), QStringLiteral("<none>"));
}

// Stands in for the desktop's file manager on a private bus.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shownUris;
    QString startupId;
public slots:
    void ShowItemProperties(const QStringList& uris, const QString& id) {
        shownUris = uris;
        startupId = id;
    }
};

// A bus of the test's own, so no real desktop is asked.
class FileManagerBusTest : public testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            GTEST_SKIP() << "no dbus-daemon to run a private bus";
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor([this] { return daemon.canReadLine(); }, 10000));
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        client = QDBusConnection::connectToBus(address, QStringLiteral("client"));
        server = QDBusConnection::connectToBus(address, QStringLiteral("server"));
        ASSERT_TRUE(client.isConnected());
        ASSERT_TRUE(server.isConnected());
    }
    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
        if (daemon.state() != QProcess::NotRunning) {
            daemon.kill();
            daemon.waitForFinished();
        }
    }
    void OfferFileManager() {
        ASSERT_TRUE(server.registerObject(QStringLiteral("/org/freedesktop/FileManager1"),
                                          &fileManager, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(server.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    }
    // The answer RequestItemProperties gives on `bus`.
    std::optional<bool> Ask(const QString& path, const QDBusConnection& bus) {
        std::optional<bool> answer;
        QObject context;
        RequestItemProperties(
            path, &context, [&answer](bool accepted) { answer = accepted; }, bus);
        QTest::qWaitFor([&answer] { return answer.has_value(); }, 20000);
        return answer;
    }

    QProcess daemon;
    QDBusConnection client{QString()};
    QDBusConnection server{QString()};
    FakeFileManager fileManager;
};

TEST_F(FileManagerBusTest, AFileManagerOnTheBusShowsTheFile) {
    OfferFileManager();
    EXPECT_EQ(Ask(QStringLiteral("/pics/my holiday.jpg"), client), std::optional<bool>(true));
    EXPECT_EQ(fileManager.shownUris, QStringList{QStringLiteral("file:///pics/my%20holiday.jpg")});
    EXPECT_EQ(fileManager.startupId, QString());
}

TEST_F(FileManagerBusTest, NoFileManagerOrNoBusAnswersFalse) {
    EXPECT_EQ(Ask(QStringLiteral("/pics/a.jpg"), client), std::optional<bool>(false));
    EXPECT_EQ(Ask(QStringLiteral("/pics/a.jpg"), QDBusConnection(QStringLiteral("no bus"))),
              std::optional<bool>(false));
}

QList<TFilePropertiesDlg*> OwnWindows() {
    QList<TFilePropertiesDlg*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<TFilePropertiesDlg*>(widget); window && window->isVisible())
            windows << window;
    return windows;
}

TEST_F(FileManagerBusTest, OurOwnWindowStandsInWhenNoFileManagerAnswers) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("holiday.png"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(2048, 'x'));
    }
    ShowFileProperties(path, QSize(640, 480), nullptr, client);
    ASSERT_TRUE(QTest::qWaitFor([] { return !OwnWindows().isEmpty(); }, 20000));
    TFilePropertiesDlg* window = OwnWindows().first();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("holiday.png Properties"));
    const QLabel* size = window->findChild<QLabel*>(QStringLiteral("LblSize"));
    ASSERT_NE(size, nullptr);
    EXPECT_TRUE(size->text().contains(QLocale().toString(2048))) << size->text().toStdString();
    ASSERT_NE(window->findChild<QLabel*>(QStringLiteral("LblDimensions")), nullptr);
    window->close(); // deletes itself
    QTest::qWait(0);
    EXPECT_TRUE(OwnWindows().isEmpty());

    // With a file manager there, the program shows nothing of its own.
    OfferFileManager();
    ShowFileProperties(path, QSize(640, 480), nullptr, client);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !fileManager.shownUris.isEmpty(); }, 20000));
    QTest::qWait(50);
    EXPECT_TRUE(OwnWindows().isEmpty());
}

} // namespace

#include "FilePropertiesTest.moc"

// SPDX-License-Identifier: MIT
// The real program started by the tests: one copy per user, the hand-off, "EXIT", stale locks
// and the maintenance switches. HOME and the XDG folders are the test's own (TestMain.cpp), and
// the started programs inherit them.
#include "app/SingleInstance.h"
#include "settings/DesktopEntry.h"
#include "settings/KeyStore.h"
#include "settings/RegistryUnit.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString Program = QStringLiteral(ORVO_PROGRAM_PATH);

// Starts the program as the first copy and waits until it answers hand-offs.
bool StartFirstCopy(QProcess& process) {
    process.start(Program, {QStringLiteral("/nosplash")});
    if (!process.waitForStarted(5000))
        return false;
    for (int i = 0; i < 100; ++i) {
        if (QFileInfo::exists(InstanceServerPath()) && process.state() == QProcess::Running)
            return true;
        QThread::msleep(50);
    }
    return false;
}

// True once the process has ended (waitForFinished alone says false for one that already has).
bool WaitForEnd(QProcess& process, int timeoutMs = 10000) {
    return process.state() == QProcess::NotRunning || process.waitForFinished(timeoutMs);
}

int RunToEnd(const QStringList& args, int timeoutMs = 10000) {
    QProcess process;
    process.start(Program, args);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
}

class ProgramStartTest : public testing::Test {
protected:
    void TearDown() override {
        if (first.state() != QProcess::NotRunning) {
            first.kill();
            first.waitForFinished();
        }
    }
    QProcess first;
};

TEST_F(ProgramStartTest, ExitClosesTheRunningCopy) {
    ASSERT_TRUE(StartFirstCopy(first));
    EXPECT_EQ(RunToEnd({QStringLiteral("EXIT")}), 0);
    ASSERT_TRUE(WaitForEnd(first));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(InstanceLockPath()));
}

TEST_F(ProgramStartTest, ExitWithNoCopyRunningEndsAtOnce) {
    EXPECT_EQ(RunToEnd({QStringLiteral("EXIT")}), 0);
    EXPECT_FALSE(QFileInfo::exists(InstanceLockPath()));
}

TEST_F(ProgramStartTest, ASecondStartHandsItsLastFileToTheRunningCopy) {
    // The test plays the running copy.
    SingleInstance running;
    ASSERT_TRUE(running.TryBecomeFirst());
    ASSERT_TRUE(running.Listen());
    QSignalSpy received(&running, &SingleInstance::MacroReceived);
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.jpg"));
    const QString b = dir.filePath(QStringLiteral("b.png"));
    for (const QString& path : {a, b}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QProcess second;
    second.start(Program, {a, b});
    ASSERT_TRUE(received.wait(10000));
    ASSERT_TRUE(WaitForEnd(second));
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received.first().first().toString(), b);
}

TEST_F(ProgramStartTest, ASwitchIsNotCarriedOutWhileACopyRuns) {
    SingleInstance running;
    ASSERT_TRUE(running.TryBecomeFirst());
    ASSERT_TRUE(running.Listen());
    QSignalSpy received(&running, &SingleInstance::MacroReceived);
    QProcess second;
    second.start(Program, {QStringLiteral("-install")});
    ASSERT_TRUE(received.wait(10000));
    WaitForEnd(second);
    EXPECT_EQ(received.first().first().toString(), QString());
    EXPECT_FALSE(QFileInfo::exists(ClassesStorePath()));
}

TEST_F(ProgramStartTest, ASecondStartGivesUpOnACopyThatDoesNotAnswer) {
    SingleInstance silent; // holds the lock but never listens
    ASSERT_TRUE(silent.TryBecomeFirst());
    EXPECT_EQ(RunToEnd({QStringLiteral("EXIT")}, 8000), 0);
}

TEST_F(ProgramStartTest, ALockLeftByACrashedCopyIsTakenOver) {
    ASSERT_TRUE(StartFirstCopy(first));
    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    first.waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(InstanceLockPath()));
    ASSERT_TRUE(QFileInfo::exists(InstanceServerPath()));

    QProcess next;
    ASSERT_TRUE(StartFirstCopy(next));
    ASSERT_TRUE(SendMacroToRunningCopy(QStringLiteral("EXIT")));
    ASSERT_TRUE(WaitForEnd(next));
    EXPECT_EQ(next.exitCode(), 0);
}

TEST_F(ProgramStartTest, InstallTwiceThenUninstall) {
    ASSERT_EQ(RunToEnd({QStringLiteral("-install")}), 0);
    QFile store(ClassesStorePath());
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    const QByteArray once = store.readAll();
    store.close();
    ASSERT_EQ(RunToEnd({QStringLiteral("-install")}), 0);
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_EQ(store.readAll(), once);
    store.close();

    KeyStore classes(ClassesStorePath(), false);
    const QString cls = QStringLiteral("OrvoImageBrowser.jpgImage");
    const QString longPath = QFileInfo(Program).canonicalFilePath();
    EXPECT_EQ(classes.ReadValue(cls + QStringLiteral("\\shell\\Browse\\command"), QString()),
              QLatin1Char('"') + longPath + QStringLiteral("\" /nosplash \"%1\""));

    // The desktop learns of the program through its desktop entry.
    EXPECT_TRUE(DesktopEntryStartsProgram(DesktopEntryPath(), longPath));

    ASSERT_EQ(RunToEnd({QStringLiteral("-uninstall")}), 0);
    EXPECT_FALSE(QFileInfo::exists(DesktopEntryPath()));
    EXPECT_EQ(classes.ReadValue(QStringLiteral(".jpg"), QString()), cls);
    EXPECT_EQ(classes.ReadValue(cls, QString()), QStringLiteral("JPEG Image"));
    EXPECT_EQ(classes.ReadValue(cls + QStringLiteral("\\DefaultIcon"), QString()), QString());
    EXPECT_TRUE(classes.KeyExists(cls + QStringLiteral("\\shell")));
    EXPECT_FALSE(classes.KeyExists(cls + QStringLiteral("\\shell\\Browse")));
    QFile::remove(ClassesStorePath());
}

TEST_F(ProgramStartTest, FixInstallThroughALinkRewritesTheLinkPath) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("pixdeck-link"));
    ASSERT_TRUE(QFile::link(Program, link));
    {
        KeyStore classes(ClassesStorePath(), false);
        classes.WriteValue(QStringLiteral(".bmp"), QString(), QStringLiteral("bmpfile"));
        classes.WriteValue(QStringLiteral("bmpfile\\DefaultIcon"), QString(),
                           link + QStringLiteral(",0"));
        classes.WriteValue(QStringLiteral("bmpfile\\shell\\Browse\\command"), QString(),
                           QLatin1Char('"') + link + QStringLiteral("\" \"%1\""));
    }
    QProcess process;
    process.start(link, {QStringLiteral("-fixinstall")});
    ASSERT_TRUE(process.waitForFinished(10000));
    KeyStore classes(ClassesStorePath(), false);
    const QString longPath = QFileInfo(Program).canonicalFilePath();
    EXPECT_EQ(classes.ReadValue(QStringLiteral("bmpfile\\DefaultIcon"), QString()),
              longPath + QStringLiteral(",0"));
    EXPECT_EQ(classes.ReadValue(QStringLiteral("bmpfile\\shell\\Browse\\command"), QString()),
              QLatin1Char('"') + longPath + QStringLiteral("\" /nosplash \"%1\""));
    QFile::remove(ClassesStorePath());
}

} // namespace

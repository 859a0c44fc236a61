// SPDX-License-Identifier: MIT
// The single-instance hand-off within one process: which macro a second start sends, and which
// messages the running copy accepts.
#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(HandOffMacro, IsTheLastArgumentWhenItIsExitOrAnExistingFile) {
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.jpg"));
    const QString b = dir.filePath(QStringLiteral("b b.jpg"));
    for (const QString& path : {a, b}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString missing = dir.filePath(QStringLiteral("missing.jpg"));
    const struct {
        QStringList args;
        QString macro;
    } cases[] = {
        {{}, QString()},
        {{QStringLiteral("EXIT")}, QStringLiteral("EXIT")},
        {{QStringLiteral("exit")}, QString()},
        {{a, b}, b},
        {{b, a}, a},
        {{missing}, QString()},
        {{dir.path()}, QString()},
        {{QStringLiteral("-install")}, QString()},
        {{a, QStringLiteral("EXIT")}, QStringLiteral("EXIT")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(MacroForArguments(c.args), c.macro);
    }
}

TEST(HandOffMacro, ARelativeFileIsHandedOverAsAnAbsolutePath) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("rel.png")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EXPECT_EQ(MacroForArguments({QStringLiteral("rel.png")}), file.fileName());
    QDir::setCurrent(before);
}

TEST(HandOffMacro, OnlyShortValidUtf8IsAccepted) {
    EXPECT_EQ(DecodeMacro(QByteArray("/home/u/Bilder/Gr\xc3\xbc\xc3\x9f"
                                     "e.jpg")),
              QStringLiteral("/home/u/Bilder/Grüße.jpg"));
    EXPECT_EQ(DecodeMacro(QByteArray()), QString());
    EXPECT_FALSE(DecodeMacro(QByteArray("/bad/\xff\xfe.jpg")).has_value());
    EXPECT_FALSE(DecodeMacro(QByteArray("/nul\0.jpg", 9)).has_value());
    EXPECT_FALSE(DecodeMacro(QByteArray(MaxMacroBytes + 1, 'a')).has_value());
    EXPECT_TRUE(DecodeMacro(QByteArray(MaxMacroBytes, 'a')).has_value());
}

class RunningCopyTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(instance.TryBecomeFirst());
        ASSERT_TRUE(instance.Listen());
    }
    // Sends raw bytes as a second copy would, then waits for the running copy's answer.
    QList<QString> Deliver(const QByteArray& bytes) {
        QSignalSpy spy(&instance, &SingleInstance::MacroReceived);
        QLocalSocket socket;
        socket.connectToServer(InstanceServerPath());
        EXPECT_TRUE(socket.waitForConnected(1000));
        socket.write(bytes);
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
        spy.wait(300);
        QList<QString> macros;
        for (const QList<QVariant>& call : spy)
            macros << call.first().toString();
        return macros;
    }
    SingleInstance instance;
};

TEST_F(RunningCopyTest, ASecondLockAttemptFailsWhileTheFirstHoldsIt) {
    SingleInstance second;
    EXPECT_FALSE(second.TryBecomeFirst());
}

TEST_F(RunningCopyTest, AcceptsOneMacroPerConnection) {
    EXPECT_EQ(Deliver("EXIT"), QList<QString>{QStringLiteral("EXIT")});
    EXPECT_EQ(Deliver("/tmp/a b.jpg"), QList<QString>{QStringLiteral("/tmp/a b.jpg")});
    EXPECT_EQ(Deliver(""), QList<QString>{QString()});
}

TEST_F(RunningCopyTest, DropsOverlongAndMalformedMessages) {
    EXPECT_TRUE(Deliver(QByteArray(MaxMacroBytes + 100, 'x')).isEmpty());
    EXPECT_TRUE(Deliver(QByteArray("\xc3\x28 not utf-8")).isEmpty());
    // The copy still answers afterwards.
    EXPECT_EQ(Deliver("EXIT"), QList<QString>{QStringLiteral("EXIT")});
}

TEST(HandOffSend, GivesUpWithinAboutTwoSecondsWhenNobodyAnswers) {
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(SendMacroToRunningCopy(QStringLiteral("EXIT"), 500));
    EXPECT_LT(timer.elapsed(), 3000);
}

} // namespace

// SPDX-License-Identifier: MIT
// Handing a message to the mail program: the arguments it gets, its exit status as the result,
// a missing mail program reported as a failure, a mail program that runs on, attachments whose
// paths the mail program cannot take, and the folder where attachments wait.
#include "platform/MailHandoff.h"
#include "EmailTestSupport.h"
#include "imaging/AppError.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <optional>

using namespace email_test;

namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

// A grace period far longer than any stand-in program runs, so its exit status always counts.
constexpr int LongGracePeriodMs = 10 * 60 * 1000;

MailResult HandOver(const MailMessage& message) {
    TMailHandoff handoff;
    handoff.SetGracePeriod(LongGracePeriodMs);
    std::optional<MailResult> result;
    QObject::connect(&handoff, &TMailHandoff::Finished,
                     [&result](const MailResult& r) { result = r; });
    EXPECT_TRUE(handoff.Start(message));
    EXPECT_FALSE(result) << "the result must come after Start has returned";
    EXPECT_TRUE(RunUntil([&] { return result.has_value(); })) << "no result";
    EXPECT_FALSE(handoff.IsRunning());
    return result.value_or(MailResult{-99, {}});
}

} // namespace

TEST(MailHandoffTest, MailProgramGetsSubjectBodyAndAttachmentsUnaltered) {
    FakeMailProgram program;
    const MailMessage message{S("--a \"quoted\" $HOME subject"),
                              {S(""), S("line 'two'"), S("ünïcode")},
                              {S("/tmp/with space.jpg"), S("/tmp/second;rm.png")}};
    EXPECT_TRUE(HandOver(message).Success());
    EXPECT_EQ(program.Arguments(),
              QStringList({S("--utf8"), S("--subject"), message.subject, S("--body"),
                           S("\nline 'two'\nünïcode"), S("--attach"), S("/tmp/with space.jpg"),
                           S("--attach"), S("/tmp/second;rm.png")}));
}

TEST(MailHandoffTest, AnEmptySubjectIsLeftOut) {
    FakeMailProgram program;
    EXPECT_TRUE(HandOver({QString(), {S("body")}, {}}).Success());
    EXPECT_EQ(program.Arguments(), QStringList({S("--utf8"), S("--body"), S("body")}));
}

TEST(MailHandoffTest, ExitStatusIsTheResultCode) {
    const struct {
        int status;
        const char* text;
    } cases[] = {{0, "Error sending mail (0)."},
                 {1, "Error sending mail (1)."},
                 {4, "Error sending mail (4)."}};
    for (const auto& c : cases) {
        FakeMailProgram program;
        program.SetExitStatus(c.status);
        const MailResult result = HandOver({S("s"), {S("b")}, {}});
        EXPECT_EQ(result.code, c.status);
        EXPECT_EQ(result.Success(), c.status == 0);
        EXPECT_TRUE(result.problem.isEmpty());
        EXPECT_EQ(MailFailureText(S("Error sending mail"), result), S(c.text));
    }
}

TEST(MailHandoffTest, AMissingMailProgramIsAFailureThatSaysSo) {
    FakeMailProgram nothing(false);
    const MailResult result = HandOver({S("s"), {S("b")}, {}});
    EXPECT_EQ(result.code, -1);
    EXPECT_FALSE(result.Success());
    const QString text = MailFailureText(S("Error sending mail"), result);
    EXPECT_TRUE(text.startsWith(S("Error sending mail (-1).\n\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(S("xdg-email was not found"))) << text.toStdString();
}

TEST(MailHandoffTest, OnlyOneHandOffAtATime) {
    FakeMailProgram program;
    TMailHandoff handoff;
    int finished = 0;
    QObject::connect(&handoff, &TMailHandoff::Finished, [&finished] { ++finished; });
    EXPECT_TRUE(handoff.Start({S("first"), {}, {}}));
    EXPECT_FALSE(handoff.Start({S("second"), {}, {}}));
    EXPECT_TRUE(RunUntil([&] { return finished > 0; }));
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(program.Values(S("--subject")), QStringList({S("first")}));
    // Once the first is over, the next may start.
    EXPECT_TRUE(handoff.Start({S("third"), {}, {}}));
    EXPECT_TRUE(RunUntil([&] { return finished > 1; }));
    EXPECT_EQ(program.Values(S("--subject")), QStringList({S("third")}));
}

TEST(MailHandoffTest, AMailProgramStillRunningAfterTheGracePeriodHasTakenTheMessage) {
    FakeMailProgram program;
    program.SetRunsUntilClosed();
    TMailHandoff handoff;
    handoff.SetGracePeriod(50);
    std::optional<MailResult> result;
    QObject::connect(&handoff, &TMailHandoff::Finished,
                     [&result](const MailResult& r) { result = r; });
    ASSERT_TRUE(handoff.Start({S("first"), {}, {}}));
    ASSERT_TRUE(RunUntil([&] { return result.has_value(); }));
    EXPECT_TRUE(result->Success());
    EXPECT_TRUE(result->problem.isEmpty());
    EXPECT_FALSE(handoff.IsRunning()) << "the next message may go while the first still runs";
    ASSERT_TRUE(RunUntil([&] { return program.WasRun(); }));
    EXPECT_EQ(program.Values(S("--subject")), QStringList({S("first")}));
}

TEST(MailHandoffTest, AwkwardAttachmentPathsAreHandedOverUnderSafeNames) {
    FakeMailProgram program;
    QTemporaryDir source;
    ASSERT_TRUE(source.isValid());
    const QString folder = MailFolderIn(TempFolder());
    // A file of the safe name is there already: the new one is numbered.
    const QString older = WriteFile(folder, S("holiday_ beach.jpg"), "older");
    const struct {
        const char* name;
        const char* safeName; // nullptr: attached as it is
    } cases[] = {
        {"plain name.jpg", nullptr},         {"holiday, beach.jpg", "holiday_ beach (2).jpg"},
        {"it's me.png", "it_s me.png"},      {"back\\slash.gif", "back_slash.gif"},
        {"two\nlines.bmp", "two_lines.bmp"},
    };
    MailMessage message{S("s"), {}, {}};
    QStringList expected;
    for (const auto& c : cases) {
        const QString path = WriteFile(source.path(), S(c.name), QByteArray(c.name));
        message.attachments << path;
        expected << (c.safeName ? JoinPath(folder, S(c.safeName)) : path);
    }
    EXPECT_TRUE(HandOver(message).Success());
    EXPECT_EQ(program.Values(S("--attach")), expected);
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ReadFile(expected.at(i)), QByteArray(cases[i].name)) << cases[i].name;
        EXPECT_FALSE(IsAwkwardAttachmentPath(expected.at(i))) << cases[i].name;
        EXPECT_TRUE(QFileInfo::exists(message.attachments.at(i))) << "the user's file stays";
        if (cases[i].safeName)
            QFile::remove(expected.at(i));
    }
    EXPECT_EQ(ReadFile(older), QByteArray("older"));
    QFile::remove(older);
}

TEST(MailHandoffTest, AnAttachmentThatCannotBePreparedFailsTheHandOff) {
    FakeMailProgram program;
    const MailResult result = HandOver({S("s"), {}, {S("/no/such/folder/a,b.jpg")}});
    EXPECT_EQ(result.code, -1);
    EXPECT_TRUE(result.problem.contains(S("/no/such/folder/a,b.jpg")))
        << result.problem.toStdString();
    EXPECT_FALSE(program.WasRun());
}

TEST(MailFolderTest, IsAPrivateFolderInsideTheTemporaryFolder) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString folder = MailFolderIn(temp.path());
    EXPECT_EQ(folder, temp.path() + S("/mail"));
    const QFileDevice::Permissions othersAccess = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                  QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                  QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_FALSE(QFileInfo(folder).permissions() & othersAccess) << "only the user has access";
    EXPECT_EQ(MailFolderIn(temp.path()), folder) << "an existing folder is used again";

    // A file in its place is no folder of ours.
    const QString other = temp.filePath(S("other"));
    QDir().mkpath(other);
    WriteFile(other, S("mail"), "x");
    try {
        MailFolderIn(other);
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Message(), S("Cannot create ") + other + S("/mail"));
    }
}

TEST(MailFolderTest, FilesMadeMoreThanADayAgoAreRemoved) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString folder = MailFolderIn(temp.path());
    const QString copy = WriteFile(folder, S("photo.jpg"), "copy");
    QDir(folder).mkdir(S("sub"));
    const QString inSub = WriteFile(folder + S("/sub"), S("kept.jpg"), "kept");
    const QDateTime made = QFileInfo(copy).metadataChangeTime();
    const struct {
        qint64 hoursLater;
        bool kept;
    } cases[] = {{0, true}, {23, true}, {25, false}};
    for (const auto& c : cases) {
        RemoveOldMailFiles(folder, made.addSecs(c.hoursLater * 3600));
        EXPECT_EQ(QFileInfo::exists(copy), c.kept) << c.hoursLater;
    }
    EXPECT_TRUE(QFileInfo::exists(inSub)) << "sub-folders are left alone";
}

// SPDX-License-Identifier: MIT
// Handing a message to the mail program: the arguments it gets, its exit status as the result,
// and a missing mail program reported as a failure.
#include "platform/MailHandoff.h"
#include "EmailTestSupport.h"

#include <gtest/gtest.h>
#include <optional>

using namespace email_test;

namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

MailResult HandOver(const MailMessage& message) {
    TMailHandoff handoff;
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

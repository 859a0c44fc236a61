// SPDX-License-Identifier: MIT
// The Options dialog's conversions: the slide show pause and the recent-list size.
#include "dialogs/OptionsRules.h"
#include "imaging/AppError.h"
#include "settings/RecentFolders.h"
#include "settings/RegistryUnit.h"

#include <QFile>
#include <climits>
#include <gtest/gtest.h>

TEST(OptionsPauseTest, IntervalShowsAsWholeMinutesAndSeconds) {
    const struct {
        int interval;
        const char* minutes;
        const char* seconds;
    } cases[] = {{5500, "0", "5"},   {5000, "0", "5"}, {60000, "1", "0"},  {90000, "1", "30"},
                 {125999, "2", "5"}, {999, "0", "0"},  {600000, "10", "0"}};
    for (const auto& c : cases) {
        const SlideShowPauseTexts texts = PauseTextsFromInterval(c.interval);
        EXPECT_EQ(texts.minutes, QLatin1String(c.minutes)) << c.interval;
        EXPECT_EQ(texts.seconds, QLatin1String(c.seconds)) << c.interval;
    }
}

TEST(OptionsPauseTest, TypedMinutesAndSecondsGiveTheInterval) {
    const struct {
        const char* minutes;
        const char* seconds;
        int interval;
    } cases[] =
        {
            {"0", "5", 5000},           {"0", "90", 90000},  {"none", "20", 20000},
            {" 2 ", " 30", 150000},     {"1", "-30", 30000}, {"", "1", 1000},
            {"99999999", "0", INT_MAX}, // beyond the timer's range
        };
    for (const auto& c : cases)
        EXPECT_EQ(IntervalFromPauseTexts(QLatin1String(c.minutes), QLatin1String(c.seconds)),
                  c.interval)
            << c.minutes << " / " << c.seconds;

    // Shown and applied unchanged, 5500 ms becomes 5000 ms.
    const SlideShowPauseTexts shown = PauseTextsFromInterval(5500);
    EXPECT_EQ(IntervalFromPauseTexts(shown.minutes, shown.seconds), 5000);
}

TEST(OptionsPauseTest, NoPositivePauseIsRefusedWithItsMessage) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0"}, {"", ""}, {"-1", "30"}, {"1.5", "0"}, {"abc", "x"}};
    for (const auto& [minutes, seconds] : cases) {
        try {
            IntervalFromPauseTexts(QLatin1String(minutes), QLatin1String(seconds));
            ADD_FAILURE() << minutes << " / " << seconds << " was accepted";
        } catch (const AppError& error) {
            EXPECT_EQ(error.Message(),
                      QStringLiteral("Slide Show Interval Must be Greater than 0"));
        }
    }
}

namespace {

// A stored recent list of `count` folders, /f1 the oldest and the last one added the most
// recent, with the design maximum of 20.
class RecentLimitTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(SettingsStorePath()); }
    static QString Folder(int n) { return QStringLiteral("/f%1").arg(n); }
    void Fill(int count) {
        for (int n = 1; n <= count; ++n)
            list.Add(Folder(n));
    }
    TRecentFolders list{20};
};

} // namespace

TEST_F(RecentLimitTest, LoweringDeletesTheMostRecentEntriesSoTheOldestRemain) {
    Fill(12);
    EXPECT_TRUE(SetRecentFolderLimit(list, 5));
    const QStringList oldest{Folder(5), Folder(4), Folder(3), Folder(2), Folder(1)};
    EXPECT_EQ(list.Items(), oldest);
    EXPECT_EQ(list.MaxItems(), 5);
    TRecentFolders stored{30};
    stored.Load();
    EXPECT_EQ(stored.Items(), oldest);
}

TEST_F(RecentLimitTest, RaisingOrLoweringAboveTheCountDeletesNothing) {
    Fill(3);
    EXPECT_TRUE(SetRecentFolderLimit(list, 10)); // lowered: the menus are refilled
    EXPECT_FALSE(SetRecentFolderLimit(list, 25));
    EXPECT_FALSE(SetRecentFolderLimit(list, 25));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.MaxItems(), 25);
    EXPECT_EQ(list.Items().first(), Folder(3));

    EXPECT_TRUE(SetRecentFolderLimit(list, 0));
    EXPECT_EQ(list.Count(), 0);
}

// SPDX-License-Identifier: MIT
#include "settings/RegistryUnit.h"
#include "settings/KeyStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        QFile::remove(SettingsStorePath());
        QFile::remove(SettingsStorePath() + QStringLiteral(".corrupt"));
    }
    static void Store(const char* name, const char* text) {
        WriteRegString(QString::fromLatin1(name), QString::fromLatin1(text));
    }
};

TEST_F(SettingsTest, StoreLivesInTheUsersConfigFolder) {
    EXPECT_TRUE(SettingsStorePath().startsWith(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))));
}

TEST_F(SettingsTest, AFirstStartGivesTheDefaultsAndCreatesTheKey) {
    EXPECT_EQ(ReadRegInteger(RegNames::SlideShowInterval, 5000), 5000);
    EXPECT_FALSE(ReadRegBool(RegNames::StartAtBeginning, false));
    EXPECT_TRUE(ReadRegBool(RegNames::MenuVisible, true));
    EXPECT_EQ(ReadRegString(QStringLiteral("Missing")), QString());
    EXPECT_TRUE(SettingsStore().KeyExists(SettingsKey()));
}

TEST_F(SettingsTest, BooleansReadFromTheirTextForms) {
    const struct {
        const char* stored;
        bool defaultValue;
        bool read;
    } cases[] = {
        {"0", true, false},     {"1", false, true},     {"-1", false, true},
        {"TRUE", false, true},  {"true", false, true},  {"True", false, true},
        {"False", true, false}, {"fAlSe", true, false}, {"yes", true, true},
        {"yes", false, false},  {"", true, true},       {"", false, false},
        {"2.5", false, true},   {"0.0", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.stored << "\" default " << c.defaultValue);
        Store("MenuVisible", c.stored);
        EXPECT_EQ(ReadRegBool(RegNames::MenuVisible, c.defaultValue), c.read);
    }
    EXPECT_EQ(BoolToRegText(true), QStringLiteral("True"));
    EXPECT_EQ(BoolToRegText(false), QStringLiteral("False"));
}

TEST_F(SettingsTest, IntegersReadOnlyFromDecimal32BitText) {
    const struct {
        const char* stored;
        int read;
    } cases[] = {
        {"twenty", 20},     {"30", 30},   {"-7", -7},    {"", 20}, {"2147483647", 2147483647},
        {"2147483648", 20}, {"0x10", 20}, {"12abc", 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Store("FileMruMaxItems", c.stored);
        EXPECT_EQ(ReadRegInteger(RegNames::FileMruMaxItems, 20), c.read);
    }
}

TEST_F(SettingsTest, BackgroundColourLivesOnlyUnderTheEncodedName) {
    EXPECT_EQ(BackgroundColorValueName(), QStringLiteral("QmFja0dyb3VuZENvbG9y"));
    Store("BackGroundColor", "16777215");
    EXPECT_EQ(ReadRegInteger(BackgroundColorValueName(), 0), 0);
    WriteRegString(BackgroundColorValueName(), QString::number(8421504));
    EXPECT_EQ(ReadRegInteger(BackgroundColorValueName(), 0), 8421504);
}

TEST_F(SettingsTest, ANonTextValueGivesTheDefault) {
    QDir().mkpath(QFileInfo(SettingsStorePath()).absolutePath());
    QFile file(SettingsStorePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format":"orvo-keystore-1","keys":{"Software\\Tamblin\\Orvo Image Browser 2":)"
               R"({"SlideShowInterval":3000,"NavVisible":false}}})");
    file.close();
    EXPECT_EQ(ReadRegInteger(RegNames::SlideShowInterval, 5000), 5000);
    EXPECT_TRUE(ReadRegBool(RegNames::NavVisible, true));
}

TEST_F(SettingsTest, ACorruptStoreGivesDefaultsAndSurvivesEveryRead) {
    QDir().mkpath(QFileInfo(SettingsStorePath()).absolutePath());
    const QByteArray garbage("SlideShowInterval=3000\n\x01\x02 not a store");
    QFile file(SettingsStorePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(garbage);
    file.close();
    EXPECT_EQ(ReadRegInteger(RegNames::SlideShowInterval, 5000), 5000);
    EXPECT_TRUE(ReadRegBool(RegNames::MenuVisible, true));
    EXPECT_EQ(ReadRegSubString(QStringLiteral("WinState\\MainForm"), QStringLiteral("Flags")),
              QString());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), garbage);
}

TEST_F(SettingsTest, SubKeysKeepTheirOwnValues) {
    WriteRegSubString(QStringLiteral("WinState\\MainForm"), QStringLiteral("NormalPos"),
                      QStringLiteral("10,20,810,620"));
    WriteRegString(QStringLiteral("NormalPos"), QStringLiteral("other"));
    EXPECT_EQ(ReadRegSubString(QStringLiteral("WinState\\MainForm"), QStringLiteral("NormalPos")),
              QStringLiteral("10,20,810,620"));
    EXPECT_EQ(ReadRegString(QStringLiteral("NormalPos")), QStringLiteral("other"));
    EXPECT_TRUE(SettingsStore().KeyExists(WinStateKey()));
}

TEST_F(SettingsTest, AWriteIsSeenAtOnceByAnotherReader) {
    WriteRegString(RegNames::SlideShowInterval, QStringLiteral("1234"));
    // A fresh store object stands for another process: nothing is cached between calls.
    KeyStore other(SettingsStorePath(), true);
    EXPECT_EQ(other.ReadValue(SettingsKey(), QStringLiteral("SlideShowInterval")),
              QStringLiteral("1234"));
}

} // namespace

// SPDX-License-Identifier: MIT
#include "settings/KeyStore.h"
#include "imaging/AppError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class KeyStoreTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("store.json"));

    void WriteRaw(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadRaw() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(KeyStoreTest, ValuesSurviveAcrossInstancesAndKeepEachOther) {
    KeyStore store(path, true);
    ASSERT_TRUE(
        store.WriteValue(QStringLiteral("A\\B"), QStringLiteral("one"), QStringLiteral("1")));
    ASSERT_TRUE(
        store.WriteValue(QStringLiteral("A\\B"), QStringLiteral("two"), QStringLiteral("2")));
    KeyStore other(path, true);
    EXPECT_EQ(other.ReadValue(QStringLiteral("A\\B"), QStringLiteral("one")), QStringLiteral("1"));
    EXPECT_EQ(other.ReadValue(QStringLiteral("A\\B"), QStringLiteral("two")), QStringLiteral("2"));
    EXPECT_TRUE(other.KeyExists(QStringLiteral("A"))); // parents are created along the way
    EXPECT_FALSE(other.ReadValue(QStringLiteral("A\\B"), QStringLiteral("three")).has_value());
    EXPECT_FALSE(other.ReadValue(QStringLiteral("A\\C"), QStringLiteral("one")).has_value());
}

TEST_F(KeyStoreTest, NamesIgnoreLetterCaseAndLeadingBackslash) {
    KeyStore store(path, true);
    store.WriteValue(QStringLiteral("\\Software\\Tamblin"), QStringLiteral("Value"),
                     QStringLiteral("x"));
    EXPECT_EQ(store.ReadValue(QStringLiteral("software\\TAMBLIN"), QStringLiteral("VALUE")),
              QStringLiteral("x"));
    store.WriteValue(QStringLiteral("SOFTWARE\\tamblin"), QStringLiteral("value"),
                     QStringLiteral("y"));
    EXPECT_EQ(store.ReadValue(QStringLiteral("Software\\Tamblin"), QStringLiteral("Value")),
              QStringLiteral("y"));
}

TEST_F(KeyStoreTest, DeleteKeyRemovesEverythingBelowButNotLookalikes) {
    KeyStore store(path, false);
    store.CreateKey(QStringLiteral("C\\shell\\Browse\\command"));
    store.CreateKey(QStringLiteral("C\\shell\\BrowseMore"));
    ASSERT_TRUE(store.DeleteKey(QStringLiteral("C\\shell\\Browse")));
    EXPECT_FALSE(store.KeyExists(QStringLiteral("C\\shell\\Browse\\command")));
    EXPECT_FALSE(store.KeyExists(QStringLiteral("C\\shell\\Browse")));
    EXPECT_TRUE(store.KeyExists(QStringLiteral("C\\shell\\BrowseMore")));
    EXPECT_TRUE(store.KeyExists(QStringLiteral("C\\shell")));
    EXPECT_FALSE(store.DeleteKey(QStringLiteral("nothing")));
}

TEST_F(KeyStoreTest, ANonTextValueRaisesOnRead) {
    WriteRaw(R"({"format":"orvo-keystore-1","keys":{"K":{"n":5}}})");
    KeyStore store(path, true);
    EXPECT_THROW(store.ReadValue(QStringLiteral("K"), QStringLiteral("n")), AppError);
}

TEST_F(KeyStoreTest, ACorruptFileSurvivesReadsAndKeyCreation) {
    for (const QByteArray& bad : {QByteArray("{not json"), QByteArray("[1,2]"),
                                  QByteArray(R"({"format":"other","keys":{}})"),
                                  QByteArray(R"({"format":"orvo-keystore-1","keys":{"K":3}})"),
                                  QByteArray("\xff\xfe\x00garbage", 10)}) {
        WriteRaw(bad);
        KeyStore store(path, true);
        EXPECT_FALSE(store.ReadValue(QStringLiteral("K"), QStringLiteral("n")).has_value());
        EXPECT_FALSE(store.KeyExists(QStringLiteral("K")));
        EXPECT_FALSE(store.CreateKey(QStringLiteral("K")));
        EXPECT_EQ(ReadRaw(), bad);
    }
}

TEST_F(KeyStoreTest, AWriteToACorruptSettingsFileKeepsTheDamagedCopyAside) {
    WriteRaw("{not json");
    KeyStore store(path, true);
    ASSERT_TRUE(store.WriteValue(QStringLiteral("K"), QStringLiteral("n"), QStringLiteral("v")));
    EXPECT_EQ(store.ReadValue(QStringLiteral("K"), QStringLiteral("n")), QStringLiteral("v"));
    QFile aside(path + QStringLiteral(".corrupt"));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), QByteArray("{not json"));
}

TEST_F(KeyStoreTest, AStoreThatMustNotRecoverLeavesACorruptFileAlone) {
    WriteRaw("{not json");
    KeyStore store(path, false);
    EXPECT_FALSE(store.WriteValue(QStringLiteral("K"), QStringLiteral("n"), QStringLiteral("v")));
    EXPECT_EQ(ReadRaw(), QByteArray("{not json"));
}

TEST_F(KeyStoreTest, AReadOnlyFileIsReadButNeverWritten) {
    KeyStore store(path, true);
    store.WriteValue(QStringLiteral("K"), QStringLiteral("n"), QStringLiteral("v"));
    const QByteArray before = ReadRaw();
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_EQ(store.ReadValue(QStringLiteral("K"), QStringLiteral("n")), QStringLiteral("v"));
    EXPECT_FALSE(store.WriteValue(QStringLiteral("K"), QStringLiteral("n"), QStringLiteral("w")));
    EXPECT_FALSE(store.CreateKey(QStringLiteral("Other")));
    EXPECT_FALSE(store.DeleteKey(QStringLiteral("K")));
    EXPECT_EQ(ReadRaw(), before);
}

TEST_F(KeyStoreTest, AWriteLeavesNoTemporaryFilesBehind) {
    KeyStore store(path, true);
    store.WriteValue(QStringLiteral("K"), QStringLiteral("n"), QStringLiteral("v"));
    const QStringList entries = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(entries, QStringList{QStringLiteral("store.json")});
}

} // namespace

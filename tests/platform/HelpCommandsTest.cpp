// SPDX-License-Identifier: MIT
// The Help menu's keyboard guide, web site and updates commands.
#include "imaging/GenUtilUnit.h"
#include "platform/HelpLinks.h"
#include "platform/KeyboardGuide.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QString GuideRow(std::span<const KeyRow> table, int index) {
    const KeyRow& row = table[index];
    return QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
        .arg(KeyGuideText(row).toHtmlEscaped(),
             KeyCommandCaption(row.command, row.argument).toHtmlEscaped(),
             KeyRowConditionCaption(table, index).toHtmlEscaped());
}

TEST(KeyboardGuideTest, EveryRowOfTheKeyTableIsInThePage) {
    const QString page = QString::fromUtf8(KeyboardGuideHtml());
    for (const std::span<const KeyRow> table : {ViewerKeyTable(), CommandKeyTable()}) {
        for (int i = 0; i < int(table.size()); ++i) {
            EXPECT_FALSE(KeyGuideText(table[i]).isEmpty()) << i;
            EXPECT_FALSE(KeyCommandCaption(table[i].command, table[i].argument).isEmpty()) << i;
            EXPECT_TRUE(page.contains(GuideRow(table, i))) << GuideRow(table, i).toStdString();
        }
    }
    EXPECT_TRUE(page.contains(QStringLiteral("<tr><td>Ctrl+R</td><td>Rotate 90\u00b0 clockwise"
                                             "</td><td></td></tr>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<tr><td>Num +</td><td>Zoom in</td>")));
}

TEST(KeyboardGuideTest, RowsOfOneKeySayWhenEachActs) {
    const std::span<const KeyRow> table = CommandKeyTable();
    QStringList escape;
    for (int i = 0; i < int(table.size()); ++i)
        if (table[i].key == Qt::Key_Escape)
            escape << KeyCommandCaption(table[i].command, table[i].argument) + QLatin1Char('/') +
                          KeyRowConditionCaption(table, i);
    EXPECT_EQ(escape, (QStringList{QStringLiteral("Stop the slide show/during a slide show"),
                                   QStringLiteral("Full screen on or off/in full screen"),
                                   QStringLiteral("Close the program/otherwise")}));
}

TEST(KeyboardGuideTest, TheBuildPutsTheGuideBesideTheProgram) {
    QFile guide(QFileInfo(QStringLiteral(ORVO_PROGRAM_PATH)).path() + QLatin1Char('/') +
                KeyboardGuideFileName());
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly)) << guide.fileName().toStdString();
    EXPECT_EQ(guide.readAll(), KeyboardGuideHtml());
}

} // namespace

// Takes the addresses the commands hand to the desktop instead of opening them. (Outside the
// anonymous namespace for moc.)
class UrlReceiver : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

namespace {

class HelpLinksFixture : public testing::Test {
protected:
    void SetUp() override {
        for (const char* scheme : {"https", "file"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &receiver, "Open");
    }
    void TearDown() override {
        for (const char* scheme : {"https", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    UrlReceiver receiver;
};

TEST_F(HelpLinksFixture, EachCommandOpensItsAddress) {
    EXPECT_TRUE(VisitWebsite());
    EXPECT_TRUE(CheckForUpdates());
    EXPECT_TRUE(OpenKeyboardGuide());
    ASSERT_EQ(receiver.opened.size(), 3);
    EXPECT_EQ(receiver.opened[0], QUrl(QStringLiteral("https://www.orvo-image-browser.example/")));
    EXPECT_EQ(receiver.opened[1],
              QUrl(QStringLiteral("https://www.orvo-image-browser.example/updates/")));
    EXPECT_EQ(receiver.opened[2].toLocalFile(),
              QFileInfo(LongExePath()).path() + QStringLiteral("/keyboard_guide.html"));
}

} // namespace

#include "HelpCommandsTest.moc"

// SPDX-License-Identifier: MIT
// The arithmetic of shrinking for e-mail, the subject rule and the wizard's texts, without a
// window.
#include "email/EmailSizing.h"
#include "dialogs/AboutInfo.h"
#include "email/EmailTexts.h"

#include <gtest/gtest.h>

namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

TEST(EmailSizingTest, EachSpeedHasItsByteLimit) {
    const struct {
        int speed;
        qint64 limit;
    } cases[] = {{0, 393216}, {1, 65536}, {2, 32768}, {-1, 65536}, {3, 65536}};
    for (const auto& c : cases)
        EXPECT_EQ(EmailSizeLimit(c.speed), c.limit) << c.speed;
}

TEST(EmailSizingTest, ScaleFactorPercentAndCopySize) {
    const struct {
        const char* what;
        bool bitmap;
        int speed;
        qint64 fileSize;
        QSize loaded;
        double factor;
        int percent;
        QSize copy;
    } cases[] = {
        {"medium JPEG of 200000 bytes", false, 1, 200000, {1600, 1200}, 0.49152, 48, {768, 576}},
        {"medium JPEG of 90000 bytes: above 1, sent as it is",
         false,
         1,
         90000,
         {800, 600},
         1.5 * 65536 / 90000,
         108,
         {864, 648}},
        {"medium 640 x 480 bitmap: converted at full size",
         true,
         1,
         921654,
         {640, 480},
         1.0,
         100,
         {640, 480}},
        {"small 640 x 480 bitmap",
         true,
         2,
         921654,
         {640, 480},
         16.0 * 32768 / 921654,
         56,
         {358, 269}},
        {"small JPEG just below the 1 x 1 threshold",
         false,
         2,
         1404342,
         {3000, 2000},
         1.5 * 32768 / 1404342,
         4,
         {120, 80}},
        {"small JPEG of 1404343 bytes: nothing left but 1 x 1",
         false,
         2,
         1404343,
         {3000, 2000},
         1.5 * 32768 / 1404343,
         0,
         {1, 1}},
        {"a size beyond 32 bits",
         false,
         0,
         6'000'000'000LL,
         {8000, 6000},
         1.5 * 393216 / 6e9,
         0,
         {1, 1}},
    };
    for (const auto& c : cases) {
        const double factor = EmailScaleFactor(c.bitmap, EmailSizeLimit(c.speed), c.fileSize);
        EXPECT_DOUBLE_EQ(factor, c.factor) << c.what;
        EXPECT_EQ(EmailScalePercent(factor), c.percent) << c.what;
        EXPECT_EQ(EmailScaledSize(c.loaded, EmailScalePercent(factor)), c.copy) << c.what;
    }
}

TEST(EmailSizingTest, PercentIsRoundedThenCutToAMultipleOfFour) {
    const struct {
        double factor;
        int percent;
    } cases[] = {{0.49152, 48}, {0.4749, 44}, {0.4751, 48}, {0.0351, 4}, {0.0349, 0}, {1.0, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(EmailScalePercent(c.factor), c.percent) << c.factor;
}

TEST(EmailSizingTest, SubjectCollectsNamesUntilFiftyCharacters) {
    const struct {
        const char* what;
        QStringList names;
        QString subject;
    } cases[] = {
        {"one name", {S("photo.jpg")}, S("photo.jpg")},
        {"names joined", {S("a.jpg"), S("b.png")}, S("a.jpg, b.png")},
        {"six short names end above 50: the count instead",
         {S("photo1.jpg"), S("photo2.jpg"), S("photo3.jpg"), S("photo4.jpg"), S("photo5.jpg"),
          S("photo6.jpg")},
         S("6 Images")},
        {"exactly 50 characters stay names; nothing is added after them",
         {S("image01.jpg"), S("image02.jpg"), S("image03.jpg"), S("image04.jpg"), S("image05.jpg"),
          S("x.jpg")},
         S("image01.jpg, image02.jpg, image03.jpg, image04.jpg")},
        {"nothing sent", {}, QString()},
    };
    for (const auto& c : cases) {
        TEmailSubject subject;
        for (const QString& name : c.names)
            subject.AddName(name);
        EXPECT_EQ(subject.Text(int(c.names.size())), c.subject) << c.what;
    }
}

TEST(EmailSizingTest, FileSizeShowsKilobytesWithTwoDecimalsAndGrouping) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(EmailFileSizeText(1500000, english), S("1,464.84 KB"));
    EXPECT_EQ(EmailFileSizeText(1500000, german), S("1.464,84 KB"));
    EXPECT_EQ(EmailFileSizeText(0, english), S("0.00 KB"));
    // The C locale leaves grouping out by default; the size keeps it.
    EXPECT_EQ(EmailFileSizeText(1500000, QLocale::c()), S("1,464.84 KB"));
    EXPECT_EQ(EmailFileSizeText(5'368'709'120LL, english), S("5,242,880.00 KB"));
}

TEST(EmailSizingTest, ExtensionIsReplacedFromTheLastPeriod) {
    EXPECT_EQ(WithExtension(S("PIC.BMP"), S(".jpg")), S("PIC.jpg"));
    EXPECT_EQ(WithExtension(S("a.b.bmp"), S(".bmp")), S("a.b.bmp"));
    EXPECT_EQ(WithExtension(S("noext"), S(".jpg")), S("noext.jpg"));
}

TEST(EmailTextsTest, CaptionFollowsTheList) {
    EXPECT_EQ(EmailWizardCaption({}), S("No Files to Email"));
    EXPECT_EQ(EmailWizardCaption({S("beach.jpg")}), S("Email beach.jpg"));
    EXPECT_EQ(EmailWizardCaption({S("a.jpg"), S("b.jpg"), S("c.png")}), S("Email 3 Images"));
}

TEST(EmailTextsTest, FooterFollowsThreeEmptyLinesAndARule) {
    const QStringList footer = EmailFooterLines();
    ASSERT_EQ(footer.size(), 6);
    EXPECT_EQ(footer.mid(0, 3), QStringList({QString(), QString(), QString()}));
    EXPECT_EQ(footer.at(3), QString(69, QLatin1Char('-')));
    EXPECT_EQ(footer.at(4), S("Sending pictures to friends is as easy as \"O-R-V-O\" with Orvo "
                              "Image Browser."));
    EXPECT_EQ(footer.at(5),
              S("Find out more by downloading a free copy of Orvo Image Browser at ") +
                  ProductDownloadAddress());
    // One maker address throughout the program: the one the about window shows.
    EXPECT_EQ(ProductDownloadAddress(), S("https://") + AboutWebAddress() + S("/"));
}

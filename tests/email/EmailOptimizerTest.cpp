// SPDX-License-Identifier: MIT
// The optimization run on real files: what is sent as it is, what is shrunk or converted into a
// copy, the result lines, the subject, progress, and files that fail.
#include "email/EmailOptimizer.h"
#include "EmailTestSupport.h"
#include "email/EmailSizing.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace email_test;

namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

class EmailOptimizerTest : public testing::Test {
protected:
    QTemporaryDir source;
    QTemporaryDir copies;

    void SetUp() override { ASSERT_TRUE(source.isValid() && copies.isValid()); }

    QString Add(const char* name, const QByteArray& bytes) {
        return WriteFile(source.path(), S(name), bytes);
    }
    QString Copy(const char* name) const { return copies.filePath(S(name)); }
    EmailOptimizeResult Run(const QStringList& paths, int speed, bool showResults = true,
                            bool dontResize = false) {
        return OptimizeEmailFiles(paths, {EmailSizeLimit(speed), showResults, dontResize},
                                  copies.path());
    }
    QStringList CopiesMade() const {
        return QDir(copies.path()).entryList(QDir::Files, QDir::Name);
    }
};

} // namespace

TEST_F(EmailOptimizerTest, SizeAndKindDecideWhatIsSent) {
    const struct {
        const char* what;
        const char* name;
        QByteArray bytes;
        int speed;
        const char* line;
        const char* copy; // nullptr: the original is attached
        QSize copySize;
        const char* subject;
    } cases[] = {
        {"large JPEG shrunk to 48%",
         "photo.jpg",
         JpegOfFileSize(1600, 1200, 200000),
         1,
         "photo.jpg - Resized from 1600x1200 to 768x576",
         "photo.jpg",
         {768, 576},
         "photo.jpg"},
        {"JPEG above the limit but within one and a half times it",
         "near.jpg",
         JpegOfFileSize(800, 600, 90000),
         1,
         "near.jpg - Unchanged",
         nullptr,
         {},
         "near.jpg"},
        {"bitmap converted at full size",
         "pic.bmp",
         BitmapBytes(640, 480),
         1,
         "pic.bmp - Converted to Jpeg",
         "pic.jpg",
         {640, 480},
         "pic.jpg"},
        {"bitmap converted and shrunk; its name in capitals",
         "PIC.BMP",
         BitmapBytes(640, 480),
         2,
         "PIC.bmp - Converted to Jpeg and resized from 640x480 to 358x269",
         "PIC.jpg",
         {358, 269},
         "PIC.jpg"},
        {"bitmap within the limit stays a bitmap",
         "small.bmp",
         BitmapBytes(100, 100),
         2,
         "small.bmp - Unchanged",
         nullptr,
         {},
         "small.bmp"},
        {"icon of any size",
         "big.ico",
         QByteArray(500000, 'i'),
         2,
         "big.ico - Unchanged",
         nullptr,
         {},
         "big.ico"},
        {"huge JPEG at the smallest speed becomes 1 x 1",
         "huge.jpg",
         JpegOfFileSize(40, 30, 1404343),
         2,
         "huge.jpg - Resized from 40x30 to 1x1",
         "huge.jpg",
         {1, 1},
         "huge.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = Add(c.name, c.bytes);
        const EmailOptimizeResult result = Run({path}, c.speed);
        EXPECT_FALSE(result.hadError);
        EXPECT_EQ(result.resultLines, QStringList({S(c.line)}));
        EXPECT_EQ(result.subject, S(c.subject));
        EXPECT_EQ(ReadFile(path), c.bytes) << "the user's file was changed";
        if (!c.copy) {
            EXPECT_EQ(result.attachments, QStringList({path}));
            EXPECT_TRUE(CopiesMade().isEmpty());
            continue;
        }
        EXPECT_EQ(result.attachments, QStringList({Copy(c.copy)}));
        EXPECT_EQ(CopiesMade(), QStringList({S(c.copy)}));
        EXPECT_EQ(PictureSize(Copy(c.copy)), c.copySize);
        EXPECT_TRUE(ReadFile(Copy(c.copy)).startsWith("\xFF\xD8")) << "the copy is no JPEG";
        QFile::remove(Copy(c.copy));
    }
}

TEST_F(EmailOptimizerTest, ResultLinesOnlyWhenAskedFor) {
    const QString photo = Add("photo.jpg", JpegOfFileSize(1600, 1200, 200000));
    const QString small = Add("small.png", QByteArray(100, 'p'));
    const EmailOptimizeResult quiet = Run({photo, small}, 1, false);
    EXPECT_TRUE(quiet.resultLines.isEmpty());
    EXPECT_EQ(quiet.attachments, QStringList({Copy("photo.jpg"), small}));
    EXPECT_EQ(quiet.subject, S("photo.jpg, small.png"));
}

TEST_F(EmailOptimizerTest, LeavingImagesAsTheyAreSendsEveryOriginal) {
    const QString photo = Add("photo.jpg", JpegOfFileSize(1600, 1200, 200000));
    const QString bitmap = Add("pic.bmp", BitmapBytes(640, 480));
    const EmailOptimizeResult result = Run({photo, bitmap}, 2, true, true);
    EXPECT_EQ(result.attachments, QStringList({photo, bitmap}));
    EXPECT_EQ(result.resultLines,
              QStringList({S("photo.jpg - Unchanged"), S("pic.bmp - Unchanged")}));
    EXPECT_TRUE(CopiesMade().isEmpty());
}

TEST_F(EmailOptimizerTest, AFileThatFailsIsReportedAndTheOthersAreStillSent) {
    const QString good = Add("good.png", QByteArray(10, 'p'));
    const QString missing = source.filePath(S("gone.jpg"));
    const QString corrupt = Add("corrupt.jpg", QByteArray(100000, 'x'));
    const QString photo = Add("photo.jpg", JpegOfFileSize(1600, 1200, 200000));
    const EmailOptimizeResult result = Run({good, missing, corrupt, photo}, 1, false);
    EXPECT_TRUE(result.hadError);
    EXPECT_EQ(result.attachments, QStringList({good, Copy("photo.jpg")}));
    ASSERT_EQ(result.resultLines.size(), 2)
        << result.resultLines.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(result.resultLines.at(0).startsWith(S("gone.jpg - ERROR: ")));
    EXPECT_TRUE(result.resultLines.at(0).contains(missing));
    EXPECT_TRUE(result.resultLines.at(1).startsWith(S("corrupt.jpg - ERROR: ")));
    EXPECT_GT(result.resultLines.at(1).size(), S("corrupt.jpg - ERROR: ").size());
    EXPECT_EQ(result.subject, S("good.png, photo.jpg"));
}

TEST_F(EmailOptimizerTest, ACopyThatCannotBeWrittenIsAnError) {
    const QString small = Add("small.png", QByteArray(10, 'p'));
    const QString photo = Add("photo.jpg", JpegOfFileSize(1600, 1200, 200000));
    const EmailOptimizeResult result = OptimizeEmailFiles({photo, small}, {65536, false, false},
                                                          copies.filePath(S("no/such/folder")));
    EXPECT_TRUE(result.hadError);
    ASSERT_EQ(result.resultLines.size(), 1);
    EXPECT_TRUE(result.resultLines.first().startsWith(S("photo.jpg - ERROR: ")));
    EXPECT_EQ(result.attachments, QStringList({small}));
}

TEST_F(EmailOptimizerTest, CopiesOfTheSameNameStayApartAndReplaceOlderCopies) {
    QTemporaryDir other;
    const QString first = Add("photo.jpg", JpegOfFileSize(1600, 1200, 200000));
    const QString second =
        WriteFile(other.path(), S("photo.jpg"), JpegOfFileSize(800, 600, 200000));
    WriteFile(copies.path(), S("photo.jpg"), QByteArray("copy of an earlier run"));
    const EmailOptimizeResult result = Run({first, second}, 1);
    EXPECT_EQ(result.attachments, QStringList({Copy("photo.jpg"), Copy("photo (2).jpg")}));
    EXPECT_EQ(PictureSize(Copy("photo.jpg")), QSize(768, 576));
    EXPECT_EQ(PictureSize(Copy("photo (2).jpg")), QSize(384, 288));
    EXPECT_EQ(result.resultLines, QStringList({S("photo.jpg - Resized from 1600x1200 to 768x576"),
                                               S("photo.jpg - Resized from 800x600 to 384x288")}));
}

TEST_F(EmailOptimizerTest, ProgressCountsThreeStepsPerFile) {
    const QString photo = Add("photo.jpg", JpegOfFileSize(1600, 1200, 200000));
    const QString small = Add("small.png", QByteArray(10, 'p'));
    const QString missing = source.filePath(S("gone.png"));
    QList<int> steps;
    OptimizeEmailFiles({photo, missing, small}, {65536, false, false}, copies.path(),
                       [&steps](int value) { steps << value; });
    EXPECT_EQ(steps, QList<int>({1, 2, 3, 9}));
}

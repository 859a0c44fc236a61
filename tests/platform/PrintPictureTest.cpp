// SPDX-License-Identifier: MIT
#include "platform/PrintPicture.h"
#include "platform/PrintLayout.h"

#include "imaging/AppError.h"

#include <QFile>
#include <QHash>
#include <QPaintEngine>
#include <QPrintEngine>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTransform>
#include <climits>
#include <gtest/gtest.h>

namespace {

TEST(PrintLayoutTest, ThePictureKeepsItsScreenSizeShrinksToThePageAndIsCentred) {
    struct Case {
        QSize picture;
        int dpiX, dpiY;
        QSize page;
        QRect expected;
    };
    const Case cases[] = {
        // 10 x 5 inches fit a landscape letter page at 600 dpi
        {{960, 480}, 600, 600, {6600, 5100}, {300, 1050, 6000, 3000}},
        // a page 4800 pixels wide: shrunk to its width, centred vertically
        {{960, 480}, 600, 600, {4800, 6600}, {0, 2100, 4800, 2400}},
        // a low page: shrunk to its height
        {{960, 480}, 600, 600, {6000, 1000}, {2000, 0, 2000, 1000}},
        // too wide and, after that, still too high
        {{960, 960}, 600, 600, {4800, 2000}, {1400, 0, 2000, 2000}},
        // never enlarged beyond the screen size
        {{96, 96}, 600, 600, {6600, 5100}, {3000, 2250, 600, 600}},
        // unequal resolutions; fractions are cut off
        {{960, 480}, 600, 300, {6600, 5100}, {300, 1800, 6000, 1500}},
        {{100, 33}, 600, 600, {6600, 5100}, {2987, 2447, 625, 206}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrintRect(c.picture, 96, c.dpiX, c.dpiY, c.page), c.expected)
            << c.picture.width() << "x" << c.picture.height() << " on " << c.page.width() << "x"
            << c.page.height();
    EXPECT_EQ(PrintRect({960, 480}, 120, 600, 600, {6600, 5100}), QRect(900, 1350, 4800, 2400));
    EXPECT_TRUE(PrintRect({0, 0}, 96, 600, 600, {6600, 5100}).isEmpty());
    EXPECT_EQ(PrintJobTitle(QStringLiteral("holiday.jpg")),
              QStringLiteral("Orvo Image Bowser - holiday.jpg"));
}

// What a printed PDF file shows: the page size and where each image went, both in points with
// the origin at the bottom left, as the file states them.
struct PdfPage {
    QSizeF mediaBox;
    QList<QRectF> images;
};

// Follows the graphics state operators of a content stream (q, Q, cm) to the image draws (Do):
// each draws its image into the unit square under the current matrix.
void ReadContents(const QByteArray& contents, QList<QRectF>& images) {
    QTransform ctm;
    QList<QTransform> saved;
    QList<double> operands;
    for (const QByteArray& token : contents.simplified().split(' ')) {
        bool isNumber = false;
        const double value = token.toDouble(&isNumber);
        if (isNumber) {
            operands << value;
            continue;
        }
        if (token == "q") {
            saved << ctm;
        } else if (token == "Q" && !saved.isEmpty()) {
            ctm = saved.takeLast();
        } else if (token == "cm" && operands.size() >= 6) {
            const double* m = operands.constData() + operands.size() - 6;
            ctm = QTransform(m[0], m[1], m[2], m[3], m[4], m[5]) * ctm;
        } else if (token == "Do") {
            images << ctm.mapRect(QRectF(0, 0, 1, 1));
        }
        if (!token.startsWith('/'))
            operands.clear();
    }
}

PdfPage ReadPdf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    PdfPage page;
    static const QRegularExpression mediaBox(
        QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const QRegularExpressionMatch box = mediaBox.match(QString::fromLatin1(pdf));
    if (box.hasMatch())
        page.mediaBox = QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble());
    // The page's drawing is in deflated streams.
    for (qsizetype at = pdf.indexOf(">>\nstream\n"); at >= 0;
         at = pdf.indexOf(">>\nstream\n", at + 1)) {
        const qsizetype dictionary = pdf.lastIndexOf("obj", at);
        if (!pdf.mid(dictionary, at - dictionary).contains("/FlateDecode"))
            continue;
        const qsizetype start = at + 10;
        const qsizetype end = pdf.indexOf("endstream", start);
        QByteArray sized(4, '\0');
        sized[0] = 0x01; // a size hint of 16 MB; the real size may be anything below
        const QByteArray contents = qUncompress(sized + pdf.mid(start, end - start));
        if (!contents.isEmpty())
            ReadContents(contents, page.images);
    }
    return page;
}

void ExpectRectNear(const QRectF& actual, const QRectF& expected) {
    EXPECT_NEAR(actual.left(), expected.left(), 0.01);
    EXPECT_NEAR(actual.top(), expected.top(), 0.01);
    EXPECT_NEAR(actual.width(), expected.width(), 0.01);
    EXPECT_NEAR(actual.height(), expected.height(), 0.01);
}

class PrintPictureTest : public testing::Test {
protected:
    void SetUpPrinter(QSizeF pageInches) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(600);
        printer.setPageSize(QPageSize(pageInches, QPageSize::Inch));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        printer.setOutputFileName(Pdf());
    }
    QString Pdf() const { return dir.filePath(QStringLiteral("printed.pdf")); }

    // A printer pixel is 72/600 point; PDF counts upwards from the bottom of the page.
    static QRectF InPoints(const QRect& pixels, double pageHeightPoints) {
        const double k = 72.0 / 600.0;
        return {pixels.left() * k, pageHeightPoints - (pixels.top() + pixels.height()) * k,
                pixels.width() * k, pixels.height() * k};
    }

    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    QImage image{960, 480, QImage::Format_RGB32};
};

TEST_F(PrintPictureTest, APictureThatFitsKeepsItsSizeCentredOnThePage) {
    SetUpPrinter({11, 8.5});
    image.fill(Qt::blue);
    PrintPicture(printer, image, QStringLiteral("holiday.jpg"), 96);
    EXPECT_EQ(printer.docName(), QStringLiteral("Orvo Image Bowser - holiday.jpg"));

    const PdfPage page = ReadPdf(Pdf());
    EXPECT_NEAR(page.mediaBox.width(), 792, 0.01);
    EXPECT_NEAR(page.mediaBox.height(), 612, 0.01);
    ASSERT_EQ(page.images.size(), 1);
    ExpectRectNear(page.images.first(), InPoints(QRect(300, 1050, 6000, 3000), 612));
}

TEST_F(PrintPictureTest, ANarrowerPageShrinksThePictureToItsWidth) {
    SetUpPrinter({8, 11});
    image.fill(Qt::green);
    PrintPicture(printer, image, QStringLiteral("holiday.jpg"), 96);
    const PdfPage page = ReadPdf(Pdf());
    EXPECT_NEAR(page.mediaBox.width(), 576, 0.01);
    ASSERT_EQ(page.images.size(), 1);
    ExpectRectNear(page.images.first(), InPoints(QRect(0, 2100, 4800, 2400), 792));
}

TEST_F(PrintPictureTest, APrinterThatCannotStartIsAnError) {
    SetUpPrinter({11, 8.5});
    printer.setOutputFileName(dir.filePath(QStringLiteral("missing/folder/printed.pdf")));
    EXPECT_THROW(PrintPicture(printer, image, QStringLiteral("x.png"), 96), AppError);
}

// A printer engine that does what it is told: ending the job may fail, or leave the printer in
// its error state, as a spooler that refuses the job does. It counts what it was asked to do.
class ScriptedPrintEngine : public QPaintEngine, public QPrintEngine {
public:
    ScriptedPrintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool endResult = true;
    QPrinter::PrinterState stateAfterEnd = QPrinter::Idle;
    int ended = 0;
    int draws = 0;

    bool begin(QPaintDevice*) override {
        state_ = QPrinter::Active;
        return true;
    }
    bool end() override {
        ++ended;
        state_ = stateAfterEnd;
        return endResult;
    }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++draws; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        ++draws;
    }
    Type type() const override { return QPaintEngine::User; }

    void setProperty(PrintEnginePropertyKey key, const QVariant& value) override {
        properties_[key] = value;
    }
    QVariant property(PrintEnginePropertyKey key) const override { return properties_.value(key); }
    bool newPage() override { return true; }
    bool abort() override { return false; }
    int metric(QPaintDevice::PaintDeviceMetric metric) const override {
        switch (metric) {
        case QPaintDevice::PdmWidth:
            return 4800;
        case QPaintDevice::PdmHeight:
            return 6600;
        case QPaintDevice::PdmWidthMM:
            return 203;
        case QPaintDevice::PdmHeightMM:
            return 279;
        case QPaintDevice::PdmDpiX:
        case QPaintDevice::PdmDpiY:
        case QPaintDevice::PdmPhysicalDpiX:
        case QPaintDevice::PdmPhysicalDpiY:
            return 600;
        case QPaintDevice::PdmDepth:
            return 32;
        case QPaintDevice::PdmNumColors:
            return INT_MAX;
        case QPaintDevice::PdmDevicePixelRatio:
            return 1;
        case QPaintDevice::PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        default:
            return 0;
        }
    }
    QPrinter::PrinterState printerState() const override { return state_; }

private:
    QPrinter::PrinterState state_ = QPrinter::Idle;
    QHash<PrintEnginePropertyKey, QVariant> properties_;
};

class ScriptedPrinter : public QPrinter {
public:
    explicit ScriptedPrinter(ScriptedPrintEngine* engine) { setEngines(engine, engine); }
};

TEST(PrintJobEndTest, AJobThePrinterDidNotTakeIsAnErrorAndTheJobIsEndedOnce) {
    const struct {
        const char* what;
        bool endResult;
        QPrinter::PrinterState stateAfterEnd;
        bool fails;
    } cases[] = {
        {"taken", true, QPrinter::Idle, false},
        {"ending the job fails", false, QPrinter::Idle, true},
        {"the printer is in its error state", true, QPrinter::Error, true},
    };
    QImage image(960, 480, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (const auto& c : cases) {
        ScriptedPrintEngine engine;
        engine.endResult = c.endResult;
        engine.stateAfterEnd = c.stateAfterEnd;
        ScriptedPrinter printer(&engine);
        try {
            PrintPicture(printer, image, QStringLiteral("holiday.jpg"), 96);
            EXPECT_FALSE(c.fails) << c.what << ": no error";
        } catch (const AppError& error) {
            EXPECT_TRUE(c.fails) << c.what << ": " << error.Message().toStdString();
            EXPECT_TRUE(error.Message().contains(QLatin1String("could not be printed")))
                << error.Message().toStdString();
        }
        EXPECT_EQ(engine.ended, 1) << c.what;
        EXPECT_EQ(engine.draws, 1) << c.what;
        EXPECT_EQ(engine.property(QPrintEngine::PPK_DocumentName).toString(),
                  QStringLiteral("Orvo Image Bowser - holiday.jpg"));
    }
}

} // namespace

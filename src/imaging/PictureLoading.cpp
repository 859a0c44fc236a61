// SPDX-License-Identifier: MIT
#include "imaging/PictureLoading.h"

#include "imaging/Bitmap.h"
#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "imaging/JpegImage.h"
#include "imaging/Picture.h"
#include "imaging/PictureTransforms.h"

#include <QPainter>

int FirstJpegDivisor(int boxWidth, int boxHeight) {
    return qMax(boxWidth, boxHeight) <= 125 ? 8 : 4;
}

int ChooseJpegDivisor(int boxWidth, int boxHeight, int firstWidth, int firstHeight) {
    // Boxes below 8 pixels would make the eighth zero; treat it as 1 rather than divide by it.
    const int eighth = qMax(qMax(boxWidth, boxHeight) / 8, 1);
    const int r = qMin(firstWidth, firstHeight) / eighth;
    if (r < 2)
        return 1;
    if (r < 4)
        return 2;
    if (r < 8)
        return 4;
    return 8;
}

void FitIntoBox(int width, int height, int boxWidth, int boxHeight, int& fittedWidth,
                int& fittedHeight) {
    const double heightRatio = height > boxHeight ? double(boxHeight) / height : 1.0;
    const double widthRatio = width > boxWidth ? double(boxWidth) / width : 1.0;
    const double s = qMin(heightRatio, widthRatio);
    fittedWidth = RoundHalfEven(width * s);
    fittedHeight = RoundHalfEven(height * s);
}

void LoadFittedPicture(const QString& path, int boxWidth, int boxHeight, TBitmap* target,
                       QString& dimensionText, bool reducedJpeg, TJPEGImage& jpegReceiver,
                       TPicture& pictureReceiver, int& fittedWidth, int& fittedHeight) {
    if (target)
        target->SetSize(0, 0);
    const QString extension = ExtractExtension(path);
    const bool jpegPath =
        reducedJpeg && (extension == QLatin1String(".jpg") || extension == QLatin1String(".jpeg"));

    const TGraphic* graphic = nullptr;
    int w = 0;
    int h = 0;
    QString text;
    if (jpegPath) {
        jpegReceiver.Clear(); // nothing of the previous file survives a failed load
        jpegReceiver.SetScale(FirstJpegDivisor(boxWidth, boxHeight));
        jpegReceiver.LoadFromFile(path); // header only: the size at every scale
        const int divisor =
            ChooseJpegDivisor(boxWidth, boxHeight, jpegReceiver.Width(), jpegReceiver.Height());
        jpegReceiver.SetScale(divisor);
        jpegReceiver.Decode();
        w = jpegReceiver.Width();
        h = jpegReceiver.Height();
        text = QStringLiteral("%1x%2").arg(w * divisor).arg(h * divisor);
        graphic = &jpegReceiver;
    } else {
        pictureReceiver.LoadFromFile(path);
        w = pictureReceiver.Width();
        h = pictureReceiver.Height();
        text = QStringLiteral("%1x%2").arg(w).arg(h);
        graphic = pictureReceiver.Graphic();
    }

    int fw = 0;
    int fh = 0;
    FitIntoBox(w, h, boxWidth, boxHeight, fw, fh);
    if (target && fw > 0 && fh > 0) {
        TBitmap drawn;
        drawn.SetSize(fw, fh);
        {
            QPainter painter(&drawn.Image());
            StretchGraphic(painter, *graphic, QRect(0, 0, fw, fh));
        }
        *target = std::move(drawn);
    }
    dimensionText = text;
    fittedWidth = fw;
    fittedHeight = fh;
}

void LoadFittedPreview(const QString& path, int boxWidth, int boxHeight, TBitmap* target,
                       QString& dimensionText, bool reducedJpeg) {
    TJPEGImage jpeg;
    TPicture picture;
    int fittedWidth = 0;
    int fittedHeight = 0;
    LoadFittedPicture(path, boxWidth, boxHeight, target, dimensionText, reducedJpeg, jpeg, picture,
                      fittedWidth, fittedHeight);
}

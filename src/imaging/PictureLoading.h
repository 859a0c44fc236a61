// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class TBitmap;
class TJPEGImage;
class TPicture;

// The JPEG output scale for a box, from the output size (w1, h1) at the first divisor
// (8 for boxes whose longer side is at most 125, else 4): the short side divided by an eighth
// of the box's longer side decides between 1, 2, 4 and 8.
int FirstJpegDivisor(int boxWidth, int boxHeight);
int ChooseJpegDivisor(int boxWidth, int boxHeight, int firstWidth, int firstHeight);

// Scales width x height into the box keeping the aspect ratio, never enlarging; halves round
// to even.
void FitIntoBox(int width, int height, int boxWidth, int boxHeight, int& fittedWidth,
                int& fittedHeight);

// Loads a picture file scaled into a box. ".jpg" and ".jpeg" files go to `jpegReceiver` when
// `reducedJpeg` is true, decoded at the reduced scale the box needs (left set on the receiver);
// every other file goes to `pictureReceiver`, whose decoder the extension picks. The receivers
// keep the decoded picture. `dimensionText` is "<width>x<height>" of the file (for a reduced
// JPEG the decoded size times the divisor, so approximate). When `target` is given it is
// emptied first and finally holds the picture stretched to the fitted size. Decoder errors
// propagate as AppError; the target is then empty and the outputs are unchanged.
void LoadFittedPicture(const QString& path, int boxWidth, int boxHeight, TBitmap* target,
                       QString& dimensionText, bool reducedJpeg, TJPEGImage& jpegReceiver,
                       TPicture& pictureReceiver, int& fittedWidth, int& fittedHeight);

// LoadFittedPicture with receivers of its own; the target ends at the fitted size.
void LoadFittedPreview(const QString& path, int boxWidth, int boxHeight, TBitmap* target,
                       QString& dimensionText, bool reducedJpeg);

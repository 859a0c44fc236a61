// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QSize>
#include <QString>
#include <QStringList>

// The arithmetic of shrinking images for e-mail: the byte limit of each connection speed, the
// scale factor of a file, the percentage it is cut to, the size of the copy, and the subject
// built from the names of the files sent.

// The connection speeds of the wizard, in the order of its choices.
enum class EmailSpeed { Large = 0, Medium = 1, Small = 2 };
constexpr int EmailSpeedCount = 3;

// Byte limit of the speed at `speedIndex` (0 Large 393216, 1 Medium 65536, 2 Small 32768);
// any other index (no choice made) gives 65536.
qint64 EmailSizeLimit(int speedIndex);

// The scale factor of a file of `fileSize` bytes against `sizeLimit`: for a bitmap the smaller
// of 1 and 16 x limit / size (it becomes a JPEG, which is far smaller at the same size), for any
// other kind 1.5 x limit / size.
double EmailScaleFactor(bool isBitmap, qint64 sizeLimit, qint64 fileSize);

// The scale factor as a whole percentage (rounded, halves to even) cut down to a multiple of 4:
// 0.49152 gives 48.
int EmailScalePercent(double scaleFactor);

// width x height scaled by `percent` / 100, each side rounded (halves to even) and a side of 0
// made 1.
QSize EmailScaledSize(QSize size, int percent);

// The subject of the mail: file names joined by ", ", a further name added only while the text
// is shorter than 50 characters. A text that ends longer than 50 gives way to the count of
// attached files + " Images".
class TEmailSubject {
public:
    static constexpr int MaxLength = 50;

    void AddName(const QString& name);
    const QString& Names() const { return names_; }
    QString Text(int attachedCount) const;

private:
    QString names_;
};

// The file size in kilobytes for the preview, with two decimals and the locale's thousands
// separator: 1500000 bytes give "1,464.84 KB" in an English locale.
QString EmailFileSizeText(qint64 bytes, const QLocale& locale = QLocale::system());

// `name` with its extension (from the last period on) replaced by `extension`; a name without
// one gets `extension` appended.
QString WithExtension(const QString& name, const QString& extension);

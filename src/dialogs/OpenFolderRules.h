// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

// The Open Image Folder dialog's rules that need no window: its result, its image listing and
// the texts beside the preview.

// The dialog's result. F is the tree's folder and T the folder box's text, each with a trailing
// separator. Without a selected image, or when F and T differ (exactly), the result is T;
// otherwise F followed by the image's name.
QString SelectedPathFor(const QString& treeFolder, const QString& boxText,
                        const QString& selectedImage);

// True when both texts name the same folder path, a trailing separator aside (exact otherwise).
bool SameFolderText(const QString& a, const QString& b);

// The names of the folder's image files (plain, not hidden, supported extension), sorted by the
// locale's case-insensitive order; names it finds equal keep a fixed order by their characters.
QStringList ListImageNames(const QString& folder);

// The labels beside the preview.
struct PreviewLabels {
    QString imageNOf;
    QString type;
    QString dimensions;
    QString size;
    QString modified;
};

// The bare labels shown without a preview.
PreviewLabels EmptyPreviewLabels();
// The labels for the image at `path`, number `index` (from 0) of `count`. JPEG dimensions are
// approximate (from a reduced decode) and say so.
PreviewLabels PreviewLabelsFor(const QString& path, int index, int count,
                               const QString& dimensionText, qint64 size, const QDateTime& modified,
                               const QLocale& locale);
// "1.50 KB": bytes / 1024 with two decimals and the locale's thousands separators.
QString KilobyteText(qint64 bytes, const QLocale& locale);

// The preview box (185 x 169 at 96 pixels per inch, top at 92) and the top of a preview of the
// given height, centred vertically in it (remainder dropped).
int PreviewBoxWidth();
int PreviewBoxHeight();
int PreviewTop(int bitmapHeight);

// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs/PreviewTexts.h"

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

// The top of a preview of the given height, centred vertically in the preview box, whose top
// edge is at 92 in this dialog.
int PreviewTop(int bitmapHeight);

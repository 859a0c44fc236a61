// SPDX-License-Identifier: MIT
#include "email/EmailOptimizer.h"

#include "email/EmailSizing.h"
#include "email/EmailTexts.h"
#include "imaging/AppError.h"
#include "imaging/Bitmap.h"
#include "imaging/PictureUtilUnit.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

// The size of a file that can be opened for reading.
qint64 ReadableFileSize(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    return file.size();
}

// `name`, or "base (2).ext", "base (3).ext" ... when a copy of that name was already written in
// this run: each attachment must stay a file of its own.
QString FreeCopyName(const QString& name, const QSet<QString>& taken) {
    if (!taken.contains(name))
        return name;
    const QString extension = ExtractExtension(name);
    const QString base = name.left(name.size() - extension.size());
    for (int n = 2;; ++n) {
        const QString candidate = base + QStringLiteral(" (") + QString::number(n) +
                                  QLatin1Char(')') + name.right(extension.size());
        if (!taken.contains(candidate))
            return candidate;
    }
}

class Optimizer {
public:
    Optimizer(const EmailOptimizeOptions& options, const QString& copyFolder,
              const std::function<void(int)>& progress)
        : options_(options), copyFolder_(copyFolder), progress_(progress) {}

    void Run(const QStringList& paths) {
        for (int i = 0; i < paths.size(); ++i) {
            const QString& path = paths.at(i);
            QString name = QFileInfo(path).fileName();
            try {
                AddFile(i, path, name);
            } catch (const AppError& error) {
                Fail(name, error.Message());
            } catch (const std::exception& error) {
                Fail(name, QString::fromLocal8Bit(error.what()));
            }
        }
        result_.subject = subject_.Text(static_cast<int>(result_.attachments.size()));
    }

    EmailOptimizeResult Result() const { return result_; }

private:
    void Progress(int value) {
        if (progress_)
            progress_(value);
    }

    // `name` may become the name of the copy; a failure's line then shows that name.
    void AddFile(int index, const QString& path, QString& name) {
        const QString extension = ExtractExtension(path);
        const bool isBitmap = extension == QStringLiteral(".bmp");
        const qint64 size = ReadableFileSize(path);
        if (extension == QStringLiteral(".ico") || options_.dontResize ||
            size <= options_.sizeLimit) {
            Unchanged(index, path, name);
            return;
        }
        picture_.LoadFromFile(path);
        Progress(3 * index + 1);
        const QString shownName = isBitmap ? WithExtension(name, QStringLiteral(".bmp")) : name;
        if (isBitmap)
            name = WithExtension(name, QStringLiteral(".jpg"));
        const double factor = EmailScaleFactor(isBitmap, options_.sizeLimit, size);
        if (factor >= 1.0 && !isBitmap) {
            Unchanged(index, path, name);
            return;
        }
        const int percent = EmailScalePercent(factor);
        const QSize loaded(picture_.Width(), picture_.Height());
        const QSize scaled = EmailScaledSize(loaded, percent);
        StretchIntoBitmap(*picture_.Graphic(), scaled.width(), scaled.height(), work_);
        Progress(3 * index + 2);

        const QString copyName = FreeCopyName(name, copyNames_);
        const QString out = JoinPath(copyFolder_, copyName);
        SavePictureAs(work_, out);
        copyNames_.insert(copyName);
        result_.attachments.append(out);

        const QSize made(work_.Width(), work_.Height());
        if (options_.showResults) {
            if (isBitmap && percent == 100)
                result_.resultLines.append(ConvertedLine(shownName));
            else if (isBitmap)
                result_.resultLines.append(ConvertedAndResizedLine(
                    shownName, loaded.width(), loaded.height(), made.width(), made.height()));
            else
                result_.resultLines.append(ResizedLine(name, loaded.width(), loaded.height(),
                                                       made.width(), made.height()));
        }
        Done(index, name);
    }

    void Unchanged(int index, const QString& path, const QString& name) {
        result_.attachments.append(path);
        if (options_.showResults)
            result_.resultLines.append(UnchangedLine(name));
        Done(index, name);
    }

    void Done(int index, const QString& name) {
        subject_.AddName(name);
        Progress(3 * index + 3);
    }

    void Fail(const QString& name, const QString& message) {
        result_.resultLines.append(ErrorLine(name, message));
        result_.hadError = true;
    }

    const EmailOptimizeOptions& options_;
    const QString copyFolder_;
    const std::function<void(int)>& progress_;
    TPicture picture_;
    TBitmap work_;
    QSet<QString> copyNames_;
    TEmailSubject subject_;
    EmailOptimizeResult result_;
};

} // namespace

EmailOptimizeResult OptimizeEmailFiles(const QStringList& paths,
                                       const EmailOptimizeOptions& options,
                                       const QString& copyFolder,
                                       const std::function<void(int)>& progress) {
    Optimizer optimizer(options, copyFolder, progress);
    optimizer.Run(paths);
    return optimizer.Result();
}

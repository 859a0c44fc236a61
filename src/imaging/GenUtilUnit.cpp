// SPDX-License-Identifier: MIT
#include "imaging/GenUtilUnit.h"

#include "imaging/AppError.h"
#include "imaging/ImageFormats.h"
#include "platform/PrivateFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <cmath>

namespace {

QString CachedLongExePath;
QString CachedTemp;
int ResolutionOverride = 0;

QString ArgumentZero() {
    const QStringList args = QCoreApplication::arguments();
    return args.isEmpty() ? QString() : args.first();
}

} // namespace

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

QString LongExePath() {
    if (!CachedLongExePath.isEmpty())
        return CachedLongExePath;
    QString path = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (path.isEmpty())
        path = QFileInfo(StartExePath()).canonicalFilePath();
    CachedLongExePath = path;
    return path;
}

QString StartExePath() {
    const QString arg0 = ArgumentZero();
    if (arg0.isEmpty())
        return QString();
    if (!arg0.contains(QLatin1Char('/'))) {
        // Started through PATH: the path is where the shell found it.
        const QString found = QStandardPaths::findExecutable(arg0);
        if (!found.isEmpty())
            return QDir::cleanPath(QFileInfo(found).absoluteFilePath());
    }
    return QDir::cleanPath(QDir::current().absoluteFilePath(arg0));
}

QList<TempFolderCandidate> TempFolderCandidates() {
    QList<TempFolderCandidate> candidates;
    const QString exe = LongExePath();
    if (!exe.isEmpty())
        candidates.append(
            {JoinPath(QFileInfo(exe).absolutePath(), QStringLiteral("orvotemp")), false});
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        candidates.append({JoinPath(cache, QStringLiteral("orvo")), true});
    candidates.append(
        {JoinPath(QDir::tempPath(), QStringLiteral("orvo-%1").arg(CurrentUserId())), false});
    return candidates;
}

QString FirstUsableTempFolder(const QList<TempFolderCandidate>& candidates) {
    QString last;
    for (const TempFolderCandidate& candidate : candidates) {
        last = candidate.path;
        if (EnsurePrivateFolder(candidate.path, candidate.createParents))
            return candidate.path;
    }
    throw AppError(QStringLiteral("Cannot create ") + last);
}

namespace {
QString TempOverride;
} // namespace

void SetTempFolderOverride(const QString& path) {
    TempOverride = path;
    CachedTemp.clear();
}

QString TempFolder() {
    // A folder removed since (the program empties it at close) is made again.
    if (CachedTemp.isEmpty() || !QFileInfo(CachedTemp).isDir())
        CachedTemp = TempOverride.isEmpty() ? FirstUsableTempFolder(TempFolderCandidates())
                                            : FirstUsableTempFolder({{TempOverride, true}});
    return CachedTemp;
}

QString CachedTempFolder() {
    return CachedTemp;
}

void ClearGenUtilCaches() {
    CachedLongExePath.clear();
    CachedTemp.clear();
}

int ScreenResolution() {
    if (ResolutionOverride > 0)
        return ResolutionOverride;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const int dpi = RoundHalfEven(screen->logicalDotsPerInch());
            if (dpi > 0)
                return dpi;
        }
    }
    return 96;
}

void SetScreenResolutionOverride(int pixelsPerInch) {
    ResolutionOverride = pixelsPerInch;
}

int ScaleForDpi(int n) {
    return ScaleForDpi(n, ScreenResolution());
}

int ScaleForDpi(int n, int resolution) {
    return RoundHalfEven(static_cast<double>(n) * resolution / 96.0);
}

int ScaleForDpiSoft(int n) {
    return ScaleForDpiSoft(n, ScreenResolution());
}

int ScaleForDpiSoft(int n, int resolution) {
    // Integer division truncates towards zero, also below 96 per inch.
    const int softened = 96 + (resolution - 96) / 4;
    return RoundHalfEven(static_cast<double>(n) * softened / 96.0);
}

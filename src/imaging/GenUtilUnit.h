// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Every rounding of a real number to pixels in the program goes through this.
int RoundHalfEven(double value);

// Full path of the running executable with every link resolved; empty on failure. Cached.
QString LongExePath();
// The path the program was started by (argument zero), made absolute without resolving links.
QString StartExePath();

// The program's private temporary folder, created when needed (mode 0700) and cached.
// Throws AppError("Cannot create " + last path tried) when no candidate works.
QString TempFolder();
// The places TempFolder tries, in order: beside the program, in the user's cache folder,
// in the system's temporary folder. Parents are created only for the cache folder.
struct TempFolderCandidate {
    QString path;
    bool createParents;
};
QList<TempFolderCandidate> TempFolderCandidates();
// The first candidate that is, or can be made, a folder private to this user. Throws
// AppError("Cannot create " + last path tried) when none can.
QString FirstUsableTempFolder(const QList<TempFolderCandidate>& candidates);

// Makes TempFolder use `path` instead of its candidates (test programs, which run side by side
// from one folder, each get their own); an empty path goes back to the candidates.
void SetTempFolderOverride(const QString& path);
// The cached temporary folder, or the empty text when none was needed during this run.
QString CachedTempFolder();
// Forgets both cached paths (program end, and tests).
void ClearGenUtilCaches();

// The screen's logical resolution in pixels per inch (96 at normal size).
int ScreenResolution();
// Overrides the resolution used by the scaling helpers; 0 goes back to the screen's value.
void SetScreenResolutionOverride(int pixelsPerInch);

// round(n x resolution / 96)
int ScaleForDpi(int n);
int ScaleForDpi(int n, int resolution);
// round(n x (96 + (resolution - 96) div 4) / 96): a quarter of the resolution's increase.
int ScaleForDpiSoft(int n);
int ScaleForDpiSoft(int n, int resolution);

// SPDX-License-Identifier: MIT
#include "dialogs/FolderBrowsing.h"

#include "imaging/ImageFormats.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

void SortNamesIgnoringCase(QStringList& names) {
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

bool MatchesFileMask(const QString& name, const QString& mask) {
    for (const QString& pattern : mask.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QRegularExpression wildcard(
            QRegularExpression::wildcardToRegularExpression(pattern.trimmed()),
            QRegularExpression::CaseInsensitiveOption);
        if (wildcard.match(name).hasMatch())
            return true;
    }
    return false;
}

QList<ShellEntry> ListShellEntries(const QString& folder, const QString& mask) {
    QStringList folders, files;
    QHash<QString, QFileInfo> infos;
    const QFileInfoList found =
        QDir(folder).entryInfoList(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : found) {
        if (info.isDir())
            folders << info.fileName();
        else if (MatchesFileMask(info.fileName(), mask))
            files << info.fileName();
        else
            continue;
        infos.insert(info.fileName(), info);
    }
    SortNamesIgnoringCase(folders);
    SortNamesIgnoringCase(files);
    QList<ShellEntry> entries;
    for (const QStringList* group : {&folders, &files}) {
        for (const QString& name : *group) {
            const QFileInfo& info = infos[name];
            entries.append(
                {name, info.isDir(), info.isDir() ? 0 : info.size(), info.lastModified()});
        }
    }
    return entries;
}

QString FreeNewFolderName(const QString& folder) {
    // A link pointing nowhere takes its name as well.
    const auto taken = [&folder](const QString& name) {
        const QFileInfo info(JoinPath(folder, name));
        return info.exists() || info.isSymLink();
    };
    const QString base = QStringLiteral("New Folder");
    QString name = base;
    for (int number = 2; taken(name); ++number)
        name = QStringLiteral("%1 (%2)").arg(base).arg(number);
    return name;
}

QString ParentFolder(const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    if (clean.isEmpty() || QDir(clean).isRoot())
        return {};
    const QString parent = QFileInfo(clean).path();
    return parent == clean ? QString() : parent;
}

QList<FolderComboEntry> FolderComboEntries(const QString& folder, const QStringList& places) {
    QList<FolderComboEntry> entries;
    QStringList chain;
    for (QString at = QDir::cleanPath(folder); !at.isEmpty(); at = ParentFolder(at))
        chain.prepend(at);
    for (const QString& path : chain) {
        const QString name = QFileInfo(path).fileName();
        entries.append({path, name.isEmpty() ? path : name, static_cast<int>(entries.size())});
    }
    for (const QString& place : places) {
        const QString path = QDir::cleanPath(place);
        if (path.isEmpty() || chain.contains(path))
            continue;
        chain << path;
        const QString name = QFileInfo(path).fileName();
        entries.append({path, name.isEmpty() ? path : name, 0});
    }
    return entries;
}

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A mimeapps.list file as the desktop keeps it: groups ("[Default Applications]", "[Added
// Associations]", ...) of lines "mime/type=app1.desktop;app2.desktop;". Edits change only the
// line of the type they touch; every other line (comments, other groups and entries, odd
// spacing, line ends) is written back byte for byte.
class MimeAppsList {
public:
    static inline const QString DefaultApplications = QStringLiteral("Default Applications");
    static inline const QString AddedAssociations = QStringLiteral("Added Associations");
    static inline const QString RemovedAssociations = QStringLiteral("Removed Associations");

    MimeAppsList() = default;
    explicit MimeAppsList(const QByteArray& text);
    QByteArray Text() const;

    // The desktop ids listed for the type in the group (MIME types compare without regard to
    // letter case); empty when there is no such line. A group may appear more than once.
    QStringList Entries(const QString& group, const QString& mimeType) const;
    // Replaces the type's list in the group, removing its line when `ids` is empty. A missing
    // line goes after the group's last entry; a missing group is added at the end.
    void SetEntries(const QString& group, const QString& mimeType, const QStringList& ids);

    // Reads the file: an empty list when it does not exist, nothing when it exists but cannot be
    // read (it must then not be written either).
    static std::optional<MimeAppsList> Load(const QString& path);
    // Writes the file atomically; throws AppError when it cannot be written.
    void Save(const QString& path) const;

private:
    struct Line {
        QByteArray raw; // as read, without its "\n"
        QString group;  // the group the line belongs to ("" before the first header)
        QString key;    // the entry's key, or "" for headers, comments and blank lines
    };
    // Index of the type's first line in the group, or -1.
    int FindEntry(const QString& group, const QString& mimeType) const;
    void InsertEntry(const QString& group, const QByteArray& raw, const QString& mimeType);

    QList<Line> lines_;
    bool finalNewline_ = true;
};

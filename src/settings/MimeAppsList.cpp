// SPDX-License-Identifier: MIT
#include "settings/MimeAppsList.h"

#include "imaging/Graphic.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The line without a trailing "\r" and surrounding blanks.
QByteArray Content(const QByteArray& raw) {
    return raw.trimmed();
}

bool IsHeader(const QByteArray& content) {
    return content.startsWith('[') && content.endsWith(']');
}

bool SameType(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QByteArray EntryLine(const QString& key, const QStringList& ids, bool crlf) {
    QByteArray raw =
        (key + QLatin1Char('=') + ids.join(QLatin1Char(';')) + QLatin1Char(';')).toUtf8();
    return crlf ? raw + '\r' : raw;
}

} // namespace

MimeAppsList::MimeAppsList(const QByteArray& text) {
    QList<QByteArray> raws = text.split('\n');
    finalNewline_ = text.isEmpty() || text.endsWith('\n');
    if (text.endsWith('\n') || text.isEmpty())
        raws.removeLast();
    QString group;
    for (const QByteArray& raw : raws) {
        const QByteArray content = Content(raw);
        Line line{raw, group, QString()};
        if (IsHeader(content)) {
            group = QString::fromUtf8(content.mid(1, content.size() - 2));
            line.group = group;
        } else if (!content.startsWith('#') && content.contains('=')) {
            line.key = QString::fromUtf8(content.left(content.indexOf('=')).trimmed());
        }
        lines_ << line;
    }
}

QByteArray MimeAppsList::Text() const {
    QByteArray text;
    for (const Line& line : lines_)
        text += line.raw + '\n';
    if (!finalNewline_ && !text.isEmpty())
        text.chop(1);
    return text;
}

int MimeAppsList::FindEntry(const QString& group, const QString& mimeType) const {
    for (int i = 0; i < lines_.size(); ++i)
        if (lines_[i].group == group && SameType(lines_[i].key, mimeType))
            return i;
    return -1;
}

QStringList MimeAppsList::Entries(const QString& group, const QString& mimeType) const {
    const int index = FindEntry(group, mimeType);
    if (index < 0)
        return {};
    const QByteArray content = Content(lines_[index].raw);
    QStringList ids;
    for (const QByteArray& id : content.mid(content.indexOf('=') + 1).split(';'))
        if (!id.trimmed().isEmpty())
            ids << QString::fromUtf8(id.trimmed());
    return ids;
}

void MimeAppsList::SetEntries(const QString& group, const QString& mimeType,
                              const QStringList& ids) {
    if (ids == Entries(group, mimeType))
        return; // the line stays as it was written
    const int first = FindEntry(group, mimeType);
    if (first < 0) {
        if (!ids.isEmpty())
            InsertEntry(group, EntryLine(mimeType, ids, false), mimeType);
        return;
    }
    // Later lines of the same type would only contradict the one that counts.
    for (int i = lines_.size() - 1; i > first; --i)
        if (lines_[i].group == group && SameType(lines_[i].key, mimeType))
            lines_.removeAt(i);
    if (ids.isEmpty()) {
        lines_.removeAt(first);
        return;
    }
    Line& line = lines_[first];
    line.raw = EntryLine(line.key, ids, line.raw.endsWith('\r'));
}

void MimeAppsList::InsertEntry(const QString& group, const QByteArray& raw,
                               const QString& mimeType) {
    int header = -1;
    for (int i = 0; i < lines_.size() && header < 0; ++i)
        if (lines_[i].group == group && IsHeader(Content(lines_[i].raw)))
            header = i;
    if (header < 0) {
        if (!lines_.isEmpty() && !Content(lines_.last().raw).isEmpty())
            lines_.append({QByteArray(), lines_.last().group, QString()});
        lines_.append({QByteArray("[") + group.toUtf8() + ']', group, QString()});
        lines_.append({raw, group, mimeType});
        finalNewline_ = true;
        return;
    }
    // After the last entry of the group's first section (or its header).
    int after = header;
    for (int i = header + 1; i < lines_.size() && lines_[i].group == group; ++i) {
        if (IsHeader(Content(lines_[i].raw)))
            break;
        if (!lines_[i].key.isEmpty())
            after = i;
    }
    lines_.insert(after + 1, {raw, group, mimeType});
    if (after + 1 == lines_.size() - 1)
        finalNewline_ = true;
}

std::optional<MimeAppsList> MimeAppsList::Load(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return MimeAppsList();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return MimeAppsList(file.readAll());
}

void MimeAppsList::Save(const QString& path) const {
    QDir().mkpath(QFileInfo(path).path());
    WriteFileAtomically(path, Text());
}

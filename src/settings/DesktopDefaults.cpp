// SPDX-License-Identifier: MIT
#include "settings/DesktopDefaults.h"

#include "imaging/ImageFormats.h"
#include "settings/DesktopEntry.h"
#include "settings/MimeAppsList.h"

#include <QFile>
#include <QStandardPaths>
#include <functional>

namespace {

using List = MimeAppsList;

QString ApplicationsFolder(const QString& dataDir) {
    return JoinPath(dataDir, QStringLiteral("applications"));
}

QStringList Without(QStringList ids, const QString& id) {
    ids.removeAll(id);
    return ids;
}

// The desktop file's [Desktop Entry] keys, read with the same line rules.
List DesktopFileKeys(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? List(file.readAll()) : List();
}

// Whether the desktop file names the type in its own MimeType key.
bool ListsType(const List& keys, const QString& mimeType) {
    for (const QString& listed :
         keys.Entries(QStringLiteral("Desktop Entry"), QStringLiteral("MimeType")))
        if (listed.compare(mimeType, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Whether the id's desktop file counts for the type: it is not hidden, and it lists the type or
// an added association lists it, unless a removed association of higher precedence takes it.
bool IsAssociated(const XdgPlaces& places, const QString& desktopFile, const QString& id,
                  const QString& mimeType) {
    const QString group = QStringLiteral("Desktop Entry");
    const List keys = DesktopFileKeys(desktopFile);
    const QStringList hidden = keys.Entries(group, QStringLiteral("Hidden"));
    if (!hidden.isEmpty() && hidden.first() == QLatin1String("true"))
        return false;
    // Added and removed associations live only in the plain mimeapps.list files.
    for (const QString& path : places.MimeAppsFiles()) {
        if (!path.endsWith(QLatin1String("/mimeapps.list")))
            continue;
        const std::optional<List> list = List::Load(path);
        if (!list)
            continue;
        if (list->Entries(List::RemovedAssociations, mimeType).contains(id))
            return false;
        if (list->Entries(List::AddedAssociations, mimeType).contains(id))
            return true;
    }
    return ListsType(keys, mimeType);
}

// Applies `edit` to the user's mimeapps.list and, with `desktopFiles`, to the user's existing
// desktop-specific files; each changed file is saved. False when a file cannot be read.
bool EditUserFiles(const XdgPlaces& places, bool desktopFiles,
                   const std::function<void(List&, bool desktopSpecific)>& edit) {
    QStringList paths{places.UserMimeAppsFile()};
    if (desktopFiles)
        for (const QString& desktop : places.desktops)
            if (QFile::exists(
                    JoinPath(places.configHome, desktop + QStringLiteral("-mimeapps.list"))))
                paths << JoinPath(places.configHome, desktop + QStringLiteral("-mimeapps.list"));
    bool allRead = true;
    for (int i = 0; i < paths.size(); ++i) {
        std::optional<List> list = List::Load(paths[i]);
        if (!list) {
            allRead = false;
            continue;
        }
        const QByteArray before = list->Text();
        edit(*list, i > 0);
        if (list->Text() != before)
            list->Save(paths[i]);
    }
    return allRead;
}

} // namespace

XdgPlaces XdgPlaces::FromEnvironment() {
    XdgPlaces places;
    places.configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    places.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    places.configDirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    places.configDirs.removeAll(places.configHome);
    places.dataDirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    places.dataDirs.removeAll(places.dataHome);
    for (const QString& name :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        places.desktops << name.toLower();
    return places;
}

QStringList XdgPlaces::MimeAppsFiles() const {
    QStringList folders = QStringList{configHome} + configDirs;
    for (const QString& dir : QStringList{dataHome} + dataDirs)
        folders << ApplicationsFolder(dir);
    QStringList files;
    for (const QString& folder : folders) {
        for (const QString& desktop : desktops)
            files << JoinPath(folder, desktop + QStringLiteral("-mimeapps.list"));
        files << JoinPath(folder, QStringLiteral("mimeapps.list"));
    }
    return files;
}

QString XdgPlaces::UserMimeAppsFile() const {
    return JoinPath(configHome, QStringLiteral("mimeapps.list"));
}

QString XdgPlaces::FindDesktopFile(const QString& desktopId) const {
    // An id "vendor-app.desktop" may also be the file vendor/app.desktop.
    QStringList relatives{desktopId};
    for (int dash = desktopId.indexOf(QLatin1Char('-')); dash > 0;
         dash = desktopId.indexOf(QLatin1Char('-'), dash + 1))
        relatives << desktopId.left(dash) + QLatin1Char('/') + desktopId.mid(dash + 1);
    for (const QString& dir : QStringList{dataHome} + dataDirs)
        for (const QString& relative : relatives)
            if (QFile::exists(JoinPath(ApplicationsFolder(dir), relative)))
                return JoinPath(ApplicationsFolder(dir), relative);
    return QString();
}

QString DefaultApplicationFor(const XdgPlaces& places, const QString& mimeType) {
    for (const QString& path : places.MimeAppsFiles()) {
        const std::optional<List> list = List::Load(path);
        if (!list)
            continue;
        for (const QString& id : list->Entries(List::DefaultApplications, mimeType)) {
            const QString desktopFile = places.FindDesktopFile(id);
            if (!desktopFile.isEmpty() && IsAssociated(places, desktopFile, id, mimeType))
                return id;
        }
    }
    return QString();
}

bool IsDesktopDefault(const XdgPlaces& places, const QString& extension) {
    const QStringList types = MimeTypesForExtension(extension);
    return !types.isEmpty() && DefaultApplicationFor(places, types.first()) == DesktopEntryId();
}

bool SetDesktopDefault(const XdgPlaces& places, const QString& extension) {
    const QStringList types = MimeTypesForExtension(extension);
    const QString ours = DesktopEntryId();
    const QString ourFile = places.FindDesktopFile(ours);
    if (types.isEmpty() || ourFile.isEmpty())
        return false;
    const List ourKeys = DesktopFileKeys(ourFile);
    const bool allRead = EditUserFiles(places, true, [&](List& list, bool desktopSpecific) {
        for (const QString& type : types) {
            const QStringList defaults = list.Entries(List::DefaultApplications, type);
            if (desktopSpecific && defaults.isEmpty())
                continue;
            list.SetEntries(List::DefaultApplications, type,
                            QStringList{ours} + Without(defaults, ours));
            if (desktopSpecific)
                continue; // associations are not read from desktop-specific files
            // Our entry names the type itself; only an entry that does not needs an added
            // association, which goes last: desktops that take the first added association
            // as the default must not keep opening the type with us once we are removed.
            const QStringList added = list.Entries(List::AddedAssociations, type);
            if (!ListsType(ourKeys, type) && !added.contains(ours))
                list.SetEntries(List::AddedAssociations, type, added + QStringList{ours});
            list.SetEntries(List::RemovedAssociations, type,
                            Without(list.Entries(List::RemovedAssociations, type), ours));
        }
    });
    return allRead && IsDesktopDefault(places, extension);
}

void RemoveDesktopDefault(const XdgPlaces& places, const QString& extension) {
    const QStringList types = MimeTypesForExtension(extension);
    const QString ours = DesktopEntryId();
    // An added association of ours is taken out as well: with no other default, some desktops
    // open the type with the first added association.
    EditUserFiles(places, true, [&](List& list, bool) {
        for (const QString& type : types)
            for (const QString& group : {List::DefaultApplications, List::AddedAssociations})
                list.SetEntries(group, type, Without(list.Entries(group, type), ours));
    });
}

void RemoveAllDesktopAssociations(const XdgPlaces& places) {
    const QString ours = DesktopEntryId();
    EditUserFiles(places, true, [&](List& list, bool) {
        for (const QString& type : ProgramMimeTypes())
            for (const QString& group : {List::DefaultApplications, List::AddedAssociations})
                list.SetEntries(group, type, Without(list.Entries(group, type), ours));
    });
}

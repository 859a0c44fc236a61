// SPDX-License-Identifier: MIT
#include "settings/FileAssociations.h"

#include "imaging/GenUtilUnit.h"
#include "imaging/ImageFormats.h"
#include "settings/DesktopDefaults.h"
#include "settings/DesktopEntry.h"
#include "settings/KeyStore.h"
#include "settings/RegistryUnit.h"

#include <QFileInfo>
#include <optional>

namespace {

const QString BrowseVerb = QStringLiteral("Browse");
const QString OwnVerb = QStringLiteral("Browse with Orvo Image Browser");

QString Root(const QString& key) {
    return QLatin1Char('\\') + key;
}
QString ClassKey(const QString& cls, const QString& sub) {
    return Root(cls) + (sub.isEmpty() ? QString() : QLatin1Char('\\') + sub);
}
QString VerbCommandKey(const QString& cls, const QString& verb) {
    return ClassKey(cls, QStringLiteral("shell\\") + verb + QStringLiteral("\\command"));
}

// The extension's class, or the empty text when the extension key is missing or has none.
QString ClassOf(ClassesAccessor& classes, const QString& extension) {
    if (!classes.Open(Root(extension)))
        return QString();
    return classes.ReadDefault(Root(extension));
}

// The extension's class, or nothing when there is none or the program's own path is unknown
// (a command written or matched against an empty path would be meaningless).
std::optional<QString> ClassToWorkOn(ClassesAccessor& classes, const ProgramPaths& paths,
                                     const QString& extension) {
    if (paths.longPath.isEmpty())
        return std::nullopt;
    const QString cls = ClassOf(classes, extension);
    if (cls.isEmpty())
        return std::nullopt;
    return cls;
}

// The verb's command, or the empty text when its key cannot be opened.
QString VerbCommand(ClassesAccessor& classes, const QString& cls, const QString& verb) {
    const QString key = VerbCommandKey(cls, verb);
    return classes.Open(key) ? classes.ReadDefault(key) : QString();
}

// Removes one of the program's verbs, and clears the default verb when it named that verb.
void RemoveOwnVerb(ClassesAccessor& classes, const QString& longPath, const QString& cls,
                   const QString& verb) {
    if (!VerbCommand(classes, cls, verb).contains(longPath))
        return;
    classes.DeleteKey(ClassKey(cls, QStringLiteral("shell\\") + verb));
    const QString shell = ClassKey(cls, QStringLiteral("shell"));
    if (classes.Open(shell) && classes.ReadDefault(shell) == verb)
        classes.WriteDefault(shell, QString());
}

template <typename PerExtension> void ForEachExtension(const PerExtension& perExtension) {
    int count = 0;
    const RegisteredExtension* rows = RegisteredExtensions(&count);
    for (int i = 0; i < count; ++i)
        perExtension(QString::fromLatin1(rows[i].extension),
                     QString::fromLatin1(rows[i].description));
}

} // namespace

ProgramPaths CurrentProgramPaths() {
    return {LongExePath(), StartExePath()};
}

QString ProgramCommand(const QString& longPath) {
    return QLatin1Char('"') + longPath + QStringLiteral("\" /nosplash \"%1\"");
}

bool ClassesAccessor::Open(const QString& key) const {
    return store_.KeyExists(key);
}

bool ClassesAccessor::OpenOrCreate(const QString& key) {
    return store_.CreateKey(key);
}

QString ClassesAccessor::ReadDefault(const QString& key) const {
    return store_.ReadValue(key, QString()).value_or(QString());
}

void ClassesAccessor::WriteDefault(const QString& key, const QString& text) {
    store_.WriteValue(key, QString(), text);
}

void ClassesAccessor::DeleteKey(const QString& key) {
    store_.DeleteKey(key);
}

void RegisterFileType(ClassesAccessor& classes, const ProgramPaths& paths, const QString& extension,
                      const QString& description) {
    // Without the program's own path every command written would be broken.
    if (paths.longPath.isEmpty())
        return;
    const QString command = ProgramCommand(paths.longPath);

    QString cls;
    if (classes.OpenOrCreate(Root(extension))) {
        cls = classes.ReadDefault(Root(extension));
        if (cls.isEmpty()) {
            cls = QStringLiteral("OrvoImageBrowser") + extension + QStringLiteral("Image");
            classes.WriteDefault(Root(extension), cls);
        }
    }
    if (cls.isEmpty())
        return;

    if (classes.OpenOrCreate(Root(cls)) && classes.ReadDefault(Root(cls)).isEmpty())
        classes.WriteDefault(Root(cls), description);

    const QString iconKey = ClassKey(cls, QStringLiteral("DefaultIcon"));
    if (classes.OpenOrCreate(iconKey) && classes.ReadDefault(iconKey).isEmpty()) {
        const bool isIcon = extension.toLower() == QLatin1String(".ico");
        classes.WriteDefault(iconKey,
                             isIcon ? QStringLiteral("%1") : paths.longPath + QStringLiteral(",0"));
    }

    bool browseOwnedByOther = false;
    const QString browseKey = VerbCommandKey(cls, BrowseVerb);
    if (classes.OpenOrCreate(browseKey)) {
        const QString existing = classes.ReadDefault(browseKey);
        if (existing.isEmpty())
            classes.WriteDefault(browseKey, command);
        else if (!existing.contains(paths.longPath))
            browseOwnedByOther = true;
    }

    if (browseOwnedByOther) {
        const QString ownKey = VerbCommandKey(cls, OwnVerb);
        if (classes.OpenOrCreate(ownKey) && classes.ReadDefault(ownKey).isEmpty())
            classes.WriteDefault(ownKey, command);
    }
}

void FixFileTypeRegistration(ClassesAccessor& classes, const ProgramPaths& paths,
                             const QString& extension) {
    if (paths.longPath == paths.startPath || paths.longPath.isEmpty() || paths.startPath.isEmpty())
        return;
    const QString cls = ClassOf(classes, extension);
    if (cls.isEmpty())
        return;

    const QString iconKey = ClassKey(cls, QStringLiteral("DefaultIcon"));
    if (classes.Open(iconKey) &&
        classes.ReadDefault(iconKey) == paths.startPath + QStringLiteral(",0"))
        classes.WriteDefault(iconKey, paths.longPath + QStringLiteral(",0"));

    for (const QString& verb : {BrowseVerb, OwnVerb}) {
        const QString key = VerbCommandKey(cls, verb);
        if (classes.Open(key) && classes.ReadDefault(key).contains(paths.startPath))
            classes.WriteDefault(key, ProgramCommand(paths.longPath));
    }
}

void UnregisterFileType(ClassesAccessor& classes, const ProgramPaths& paths,
                        const QString& extension) {
    const std::optional<QString> owned = ClassToWorkOn(classes, paths, extension);
    if (!owned)
        return;
    const QString& cls = *owned;

    const QString iconKey = ClassKey(cls, QStringLiteral("DefaultIcon"));
    if (classes.Open(iconKey) &&
        classes.ReadDefault(iconKey) == paths.longPath + QStringLiteral(",0"))
        classes.WriteDefault(iconKey, QString());

    RemoveOwnVerb(classes, paths.longPath, cls, BrowseVerb);
    RemoveOwnVerb(classes, paths.longPath, cls, OwnVerb);
}

bool IsDefaultHandler(ClassesAccessor& classes, const ProgramPaths& paths,
                      const QString& extension) {
    const std::optional<QString> owned = ClassToWorkOn(classes, paths, extension);
    if (!owned)
        return false;
    const QString& cls = *owned;
    const QString shell = ClassKey(cls, QStringLiteral("shell"));
    const QString verb = classes.Open(shell) ? classes.ReadDefault(shell) : QString();
    if (verb.isEmpty())
        return false;
    const QString command = VerbCommand(classes, cls, verb);
    return !command.isEmpty() && command.contains(paths.longPath);
}

bool SetAsDefaultHandler(ClassesAccessor& classes, const ProgramPaths& paths,
                         const QString& extension) {
    const std::optional<QString> owned = ClassToWorkOn(classes, paths, extension);
    if (!owned)
        return false;
    const QString& cls = *owned;
    const QString shell = ClassKey(cls, QStringLiteral("shell"));

    if (VerbCommand(classes, cls, BrowseVerb).contains(paths.longPath) &&
        classes.OpenOrCreate(shell)) {
        classes.WriteDefault(shell, BrowseVerb);
        return true;
    }
    const QString ownKey = VerbCommandKey(cls, OwnVerb);
    if (!classes.Open(ownKey) || !classes.ReadDefault(ownKey).contains(paths.longPath))
        return false;
    if (!classes.OpenOrCreate(shell))
        return false;
    classes.WriteDefault(shell, OwnVerb);
    return true;
}

void RemoveAsDefaultHandler(ClassesAccessor& classes, const ProgramPaths& paths,
                            const QString& extension) {
    const std::optional<QString> owned = ClassToWorkOn(classes, paths, extension);
    if (!owned)
        return;
    const QString& cls = *owned;
    const QString shell = ClassKey(cls, QStringLiteral("shell"));

    if (VerbCommand(classes, cls, BrowseVerb).contains(paths.longPath) &&
        classes.OpenOrCreate(shell)) {
        if (classes.ReadDefault(shell) == BrowseVerb)
            classes.WriteDefault(shell, QString());
        return;
    }
    if (VerbCommand(classes, cls, OwnVerb).contains(paths.longPath) &&
        classes.OpenOrCreate(shell) && classes.ReadDefault(shell) == OwnVerb)
        classes.WriteDefault(shell, QString());
}

void RegisterFileTypes(KeyStore& store, const ProgramPaths& paths) {
    ClassesAccessor classes(store);
    ForEachExtension([&classes, &paths](const QString& ext, const QString& description) {
        RegisterFileType(classes, paths, ext, description);
    });
}

void FixFileTypeRegistrations(KeyStore& store, const ProgramPaths& paths) {
    ClassesAccessor classes(store);
    ForEachExtension([&classes, &paths](const QString& ext, const QString&) {
        FixFileTypeRegistration(classes, paths, ext);
    });
}

void UnregisterFileTypes(KeyStore& store, const ProgramPaths& paths) {
    ClassesAccessor classes(store);
    ForEachExtension([&classes, &paths](const QString& ext, const QString&) {
        UnregisterFileType(classes, paths, ext);
    });
}

// The desktop learns of the program through its desktop entry and the user's mimeapps.list; the
// classes store keeps the verbs beside them.

void RegisterFileTypes() {
    KeyStore store = ClassesStore();
    const ProgramPaths paths = CurrentProgramPaths();
    RegisterFileTypes(store, paths);
    InstallDesktopEntry(paths.longPath);
}

void FixFileTypeRegistrations() {
    KeyStore store = ClassesStore();
    const ProgramPaths paths = CurrentProgramPaths();
    FixFileTypeRegistrations(store, paths);
    FixDesktopEntry(paths.longPath, paths.startPath);
}

void UnregisterFileTypes() {
    KeyStore store = ClassesStore();
    const ProgramPaths paths = CurrentProgramPaths();
    UnregisterFileTypes(store, paths);
    if (QFileInfo::exists(DesktopEntryPath()) &&
        !DesktopEntryStartsProgram(DesktopEntryPath(), paths.longPath))
        return; // another copy of the program owns the entry and the defaults naming it
    RemoveAllDesktopAssociations(XdgPlaces::FromEnvironment());
    RemoveDesktopEntry(paths.longPath);
}

// The desktop decides what opens a file, so its answer is the one that counts.
bool IsDefaultHandler(const QString& extension) {
    return IsDesktopDefault(XdgPlaces::FromEnvironment(), extension);
}

bool SetAsDefaultHandler(const QString& extension) {
    KeyStore store = ClassesStore();
    ClassesAccessor classes(store);
    // The class's default verb as it was: when the desktop does not take the program as its
    // default, the store must not claim it either (a missing verb comes back as the empty one,
    // which means the same).
    const QString cls = ClassOf(classes, extension);
    const QString shell = ClassKey(cls, QStringLiteral("shell"));
    const QString verbBefore = cls.isEmpty() ? QString() : classes.ReadDefault(shell);
    if (!SetAsDefaultHandler(classes, CurrentProgramPaths(), extension))
        return false;
    bool done = false;
    try {
        done = SetDesktopDefault(XdgPlaces::FromEnvironment(), extension);
    } catch (...) {
        classes.WriteDefault(shell, verbBefore);
        throw;
    }
    if (!done)
        classes.WriteDefault(shell, verbBefore);
    return done;
}

void RemoveAsDefaultHandler(const QString& extension) {
    KeyStore store = ClassesStore();
    ClassesAccessor classes(store);
    RemoveAsDefaultHandler(classes, CurrentProgramPaths(), extension);
    RemoveDesktopDefault(XdgPlaces::FromEnvironment(), extension);
}

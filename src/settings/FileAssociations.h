// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class KeyStore;

// The program's verbs for its nine image extensions in the per-user classes store: a class per
// extension with a description, an icon reference and the verb "Browse" (or "Browse with Orvo
// Image Browser" when another program owns "Browse"). Making the program the default opener is
// a separate step that sets the class's default verb.

// The two paths of the running program: the long path (links resolved) names the program in
// the commands it writes; the start path is the form it was started by.
struct ProgramPaths {
    QString longPath;
    QString startPath;
};
ProgramPaths CurrentProgramPaths();

// The command line a verb runs: "<long path>" /nosplash "%1".
QString ProgramCommand(const QString& longPath);

// Open and open-or-create access to the classes store, one key at a time.
class ClassesAccessor {
public:
    explicit ClassesAccessor(KeyStore& store) : store_(store) {}
    bool Open(const QString& key) const;
    bool OpenOrCreate(const QString& key);
    // The key's default value; the empty text when it has none.
    QString ReadDefault(const QString& key) const;
    void WriteDefault(const QString& key, const QString& text);
    void DeleteKey(const QString& key);

private:
    KeyStore& store_;
};

void RegisterFileType(ClassesAccessor& classes, const ProgramPaths& paths, const QString& extension,
                      const QString& description);
void FixFileTypeRegistration(ClassesAccessor& classes, const ProgramPaths& paths,
                             const QString& extension);
void UnregisterFileType(ClassesAccessor& classes, const ProgramPaths& paths,
                        const QString& extension);
bool IsDefaultHandler(ClassesAccessor& classes, const ProgramPaths& paths,
                      const QString& extension);
bool SetAsDefaultHandler(ClassesAccessor& classes, const ProgramPaths& paths,
                         const QString& extension);
void RemoveAsDefaultHandler(ClassesAccessor& classes, const ProgramPaths& paths,
                            const QString& extension);

// The batch forms walk the nine extensions in registration order.
void RegisterFileTypes(KeyStore& store, const ProgramPaths& paths);
void FixFileTypeRegistrations(KeyStore& store, const ProgramPaths& paths);
void UnregisterFileTypes(KeyStore& store, const ProgramPaths& paths);

// The same on the user's own classes store with the running program's paths, together with
// the desktop's side: registering installs the program's desktop entry, fixing rewrites an entry
// written under the start path, unregistering removes the entry and the program's defaults from
// the user's mimeapps.list. IsDefaultHandler answers what the desktop will open the extension
// with; SetAsDefaultHandler needs the registered verb and the installed entry and makes the
// program the user's default for the extension's MIME types (when the desktop's side fails, the
// class's default verb is put back as it was); RemoveAsDefaultHandler takes both back. Writing a
// file can throw AppError.
void RegisterFileTypes();
void FixFileTypeRegistrations();
void UnregisterFileTypes();
bool IsDefaultHandler(const QString& extension);
bool SetAsDefaultHandler(const QString& extension);
void RemoveAsDefaultHandler(const QString& extension);

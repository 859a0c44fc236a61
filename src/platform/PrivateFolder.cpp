// SPDX-License-Identifier: MIT
#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsOurPrivateFolder(const QByteArray& native) {
    struct stat info {};
    if (lstat(native.constData(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != getuid())
        return false;
    if ((info.st_mode & 077) != 0 && chmod(native.constData(), 0700) != 0)
        return false;
    return access(native.constData(), R_OK | W_OK | X_OK) == 0;
}

} // namespace

bool EnsurePrivateFolder(const QString& path, bool createParents) {
    if (path.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(path);
    if (IsOurPrivateFolder(native))
        return true;
    if (createParents) {
        const QString parent = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(parent))
            return false;
    }
    if (mkdir(native.constData(), 0700) != 0)
        return false;
    return IsOurPrivateFolder(native);
}

unsigned CurrentUserId() {
    return static_cast<unsigned>(getuid());
}

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Makes sure `path` is a folder that only the current user can reach: an existing folder is
// accepted when it is a real folder (not a link) owned by this user, and its group and other
// permissions are removed; a missing one is created with mode 0700 (its parent must exist,
// unless `createParents`). Returns false when the folder cannot be used.
bool EnsurePrivateFolder(const QString& path, bool createParents);

// The numeric id of the current user, for per-user names in shared places.
unsigned CurrentUserId();

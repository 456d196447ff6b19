// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/folderlisting.h"

// How a folder is read, which each system does its own way; listFiles and
// listSubfolders are made of it.
namespace Toolkit {

enum class EntryKind { File, Folder };

// The folder's entries of one kind that are not hidden and whose names
// match the wildcard pattern (none: every name), sorted as the lists sort.
FolderListing listEntries(const QString &folder, EntryKind kind, const QString *pattern);

// Whether the name matches the wildcard pattern ('*' any run of characters,
// '?' one), without regard to case. Plain code with no state of its own:
// listings run on threads that end once they have answered, and a regular
// expression's per-thread state is not safe to end that way everywhere.
bool matchesWildcard(QStringView pattern, QStringView name);

} // namespace Toolkit

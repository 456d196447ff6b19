// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/folderlisting.h"

class QRegularExpression;

// How a folder is read, which each system does its own way; listFiles and
// listSubfolders are made of it.
namespace Toolkit {

enum class EntryKind { File, Folder };

// The folder's entries of one kind that are not hidden and whose names
// match the pattern (none: every name), sorted as the lists sort.
FolderListing listEntries(const QString &folder, EntryKind kind, const QRegularExpression *pattern);

} // namespace Toolkit

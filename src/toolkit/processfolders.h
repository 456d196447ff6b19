// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folders the process is handed: its current folder and those its
// environment names.
namespace Toolkit {

// The process's current folder; empty when it was removed, or when its path
// is not valid UTF-8.
QString currentFolder();

// An environment variable that names a folder by an absolute path; empty
// when it is unset, relative, or not valid UTF-8.
QString folderFromEnvironment(const char *variable);

} // namespace Toolkit

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace Module1 {

// Opens the page in the program that the system associates with HTML files.
// The program is found through a probe file "test.htm", created in the
// program's own folder when no file of that name is there, else in a private
// folder, and deleted again at the end. Every outcome is shown to the user;
// owner is the parent of the messages.
void OpenInBrowser(const QString &pagePath, QWidget *owner);

} // namespace Module1

namespace Browser {

// The folder the probe file is tried in first: the program's own folder.
QString applicationFolder();

using FolderLookup = std::function<QString()>;

// Installs a lookup in place of the program's folder and returns the one it
// replaces. An empty lookup restores the program's folder.
FolderLookup setApplicationFolderLookup(FolderLookup lookup);

} // namespace Browser

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The one remembered setting: the folder the user last worked in, kept as
// key FilesDir of section [Defaults] in Kelvane.INI.
namespace Settings {

// "Kelvane.INI" in $XDG_CONFIG_HOME, or in ~/.config when that is unset,
// empty or relative; on Windows in %APPDATA%. Empty when none names a usable
// folder: then nothing is read or written.
QString filePath();

// On Windows Kelvane.INI in the Windows folder, where earlier versions kept
// it; empty elsewhere.
QString legacyFilePath();

// The stored folder as it was written, trailing separator included; empty
// when nothing is stored, the file cannot be read, or the value is not
// valid UTF-8 (it would name another folder). A value too long to be a
// path reads back as its first 254 characters. On Windows a file without
// the key leaves the place to legacyPath.
QString readStoredFolder(const QString &iniPath = filePath(), const QString &legacyPath = legacyFilePath());

// Stores the folder with one separator appended ("/" itself becomes "//";
// on Windows the native path, "C:\\" for a drive root). An empty folder is
// not stored. A failed write is not reported: the next start reads what the
// file held before.
void writeStoredFolder(const QString &folderPath, const QString &iniPath = filePath());

} // namespace Settings

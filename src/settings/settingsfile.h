#pragma once

#include <QString>

// The one remembered setting: the folder the user last worked in, kept as
// key FilesDir of section [Defaults] in Kelvane.INI.
namespace Settings {

// "Kelvane.INI" in $XDG_CONFIG_HOME, or in ~/.config when that is unset or
// empty.
QString filePath();

// The stored folder as it was written, trailing separator included; empty
// when nothing is stored or the file cannot be read.
QString readStoredFolder(const QString &iniPath = filePath());

// Stores the folder with one "/" appended ("/" itself becomes "//"). A failed
// write is not reported: the next start reads what the file held before.
void writeStoredFolder(const QString &folderPath, const QString &iniPath = filePath());

} // namespace Settings

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QString>

#include <string>

#include <windows.h>
#include <shtypes.h>

namespace Toolkit {

// A text as the system's wide-character calls take it, valid while the text
// lives: a call's argument, not a value to keep.
inline const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// A path as the system's wide-character calls take it, in any script. A
// path past MAX_PATH gets the prefix that lifts the limit. A NUL would end
// the name early and so name another file: such a path gives an empty name,
// which no call accepts.
inline std::wstring systemPath(const QString &path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return std::wstring();
    const QString native = QDir::toNativeSeparators(path);
    if (native.size() < MAX_PATH || !QDir::isAbsolutePath(path) || native.startsWith(QLatin1String("\\\\")))
        return native.toStdWString();
    return (QStringLiteral("\\\\?\\") + QDir::toNativeSeparators(QDir::cleanPath(path))).toStdWString();
}

// A folder of the user's profile: the variable's value where it names an
// absolute folder (as the system sets it, or a test), else the system's
// known folder; empty when neither answers.
QString knownFolder(const char *variable, REFKNOWNFOLDERID id);

} // namespace Toolkit

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/replacedfile.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The system's calls under replaceFile(), one file per system. Each call
// that can fail returns 0 or the system's error code (errno, or Windows'
// own), which errorText() turns into the system's words.
namespace Toolkit::Durable {

using Handle = qintptr;
constexpr Handle NoHandle = -1;

struct Opened
{
    Handle handle = NoHandle;
    QString path;
    int error = 0;
};

// A new temporary file ".kelvane-XXXXXX" in the folder, open for writing
// only by this process, so that a removal of leftovers passes it by.
Opened createTemporary(const QString &folder, bool ownerOnly);
// The existing file, open for reading and writing in place.
Opened openExisting(const QString &path);

int writeAt(Handle handle, qint64 offset, const QByteArray &bytes);
int readAll(Handle handle, QByteArray *bytes);
int truncate(Handle handle, qint64 size);
int sync(Handle handle);
// Closes the handle whatever happens; the error is what closing reported.
int close(Handle handle);
// Moves `from` over `to` in one step, durably where the system can.
int rename(const QString &from, const QString &to);
void remove(const QString &path);

// The replaced file's permission bits and owner, given to the new file.
int keepAttributes(Handle handle, const ReplacedFile &replaced);
// The file a path ends at, through symbolic links; the path itself when it
// is no link or its target cannot be told.
QString resolvedTarget(const QString &path);
// Removes the temporary files of this kind in the folder that no live
// process holds open.
void removeLeftovers(const QString &folder);

QString errorText(int code);

} // namespace Toolkit::Durable

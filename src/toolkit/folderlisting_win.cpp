// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/folderlisting.h"

#include "toolkit/folderlisting_p.h"
#include "toolkit/sortedlistbox.h"
#include "toolkit/systempath_win.h"

#include <QCoreApplication>

#include <algorithm>

#include <windows.h>

namespace Toolkit {

namespace {

QString systemReason(DWORD code)
{
    return qt_error_string(int(code));
}

} // namespace

// Hidden means marked hidden or system. Names come from the system as
// UTF-16, so every one of them names its file; nothing is left out.
FolderListing listEntries(const QString &folder, EntryKind kind, const QString *pattern)
{
    FolderListing listing;
    if (folder.isEmpty()) {
        listing.error = QCoreApplication::translate("Toolkit", "No folder was given");
        return listing;
    }
    // The system would see only the part before a NUL: another folder.
    if (folder.contains(QChar(0))) {
        listing.error = QCoreApplication::translate("Toolkit", "A folder name cannot contain a NUL character");
        return listing;
    }
    // In the long-path form past MAX_PATH, as every other call here takes
    // a path: a local folder that deep lists even where the system has not
    // opted in.
    const std::wstring query
        = systemPath(folder.endsWith(QLatin1Char('/')) ? folder + QLatin1Char('*') : folder + QStringLiteral("/*"));
    WIN32_FIND_DATAW entry;
    HANDLE search = ::FindFirstFileExW(query.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        // A drive root with nothing on it has not even "." to give.
        const DWORD code = ::GetLastError();
        if (code != ERROR_FILE_NOT_FOUND)
            listing.error = systemReason(code);
        return listing;
    }
    do {
        const QString name = QString::fromWCharArray(entry.cFileName);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        // A link to a folder carries the folder attribute too.
        const bool isFolder = entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (isFolder != (kind == EntryKind::Folder))
            continue;
        if (pattern && !matchesWildcard(*pattern, name))
            continue;
        listing.names << name;
    } while (::FindNextFileW(search, &entry));
    const DWORD code = ::GetLastError();
    ::FindClose(search);
    if (code != ERROR_NO_MORE_FILES) {
        listing.error = systemReason(code);
        listing.names.clear();
        return listing;
    }
    std::sort(listing.names.begin(), listing.names.end(), namesLess);
    return listing;
}

QString folderProblem(const QString &folder)
{
    const FolderListing listing = listEntries(folder, EntryKind::Folder, nullptr);
    return listing.error;
}

} // namespace Toolkit

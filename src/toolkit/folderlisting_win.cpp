// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/folderlisting.h"

#include "toolkit/sortedlistbox.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

#include <windows.h>

namespace Toolkit {

namespace {

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

QString systemReason(DWORD code)
{
    return qt_error_string(int(code));
}

enum class EntryKind { File, Folder };

// The folder's entries of one kind that are not marked hidden or system and
// whose names match the pattern (none: every name). Names come from the
// system as UTF-16, so every one of them names its file; nothing is left out.
FolderListing list(const QString &folder, EntryKind kind, const QRegularExpression *pattern)
{
    FolderListing listing;
    if (folder.isEmpty()) {
        listing.error = QStringLiteral("No folder was given");
        return listing;
    }
    // The system would see only the part before a NUL: another folder.
    if (folder.contains(QChar(0))) {
        listing.error = QStringLiteral("A folder name cannot contain a NUL character");
        return listing;
    }
    const QString query = QDir::toNativeSeparators(
        folder.endsWith(QLatin1Char('/')) ? folder + QLatin1Char('*') : folder + QStringLiteral("/*"));
    WIN32_FIND_DATAW entry;
    HANDLE search = ::FindFirstFileExW(wide(query), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
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
        if (pattern && !pattern->match(name).hasMatch())
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

} // namespace

QString currentFolder()
{
    return QDir::currentPath();
}

QString folderFromEnvironment(const char *variable)
{
    const QString folder = QDir::fromNativeSeparators(qEnvironmentVariable(variable));
    return QDir::isAbsolutePath(folder) ? folder : QString();
}

QString folderProblem(const QString &folder)
{
    const FolderListing listing = list(folder, EntryKind::Folder, nullptr);
    return listing.error;
}

FolderListing listFiles(const QString &folder, const QString &pattern)
{
    // "*.*" is the "All" filter: it matches every name, also one without
    // a dot, which a plain wildcard would leave out.
    if (pattern == QLatin1String("*.*") || pattern.isEmpty())
        return list(folder, EntryKind::File, nullptr);
    const QRegularExpression expression = QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive);
    return list(folder, EntryKind::File, &expression);
}

FolderListing listSubfolders(const QString &folder)
{
    return list(folder, EntryKind::Folder, nullptr);
}

QStringList browsableVolumes()
{
    QStringList volumes;
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (drives & (DWORD(1) << letter))
            volumes << QString(QLatin1Char(char('A' + letter))) + QStringLiteral(":/");
    }
    return volumes;
}

QString volumeText(const QString &root)
{
    return root.left(2).toLower();
}

QString volumeLabel(const QString &root)
{
    // No error box for a drive without a disk: it lists without a label.
    // The program turns such boxes off for the whole process at start; this
    // thread's own setting also covers callers that did not.
    DWORD oldMode = 0;
    const bool quiet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &oldMode);
    wchar_t label[MAX_PATH + 1] = {};
    const bool known = ::GetVolumeInformationW(wide(QDir::toNativeSeparators(root)), label, MAX_PATH + 1, nullptr,
                                               nullptr, nullptr, nullptr, 0);
    if (quiet)
        ::SetThreadErrorMode(oldMode, nullptr);
    return known ? QString::fromWCharArray(label) : QString();
}

QString volumeOf(const QString &folder, const QStringList &volumes)
{
    // Drive letters match without regard to case.
    for (const QString &root : volumes) {
        if (folder.startsWith(root, Qt::CaseInsensitive) || folder.compare(root.left(2), Qt::CaseInsensitive) == 0)
            return root;
    }
    return folder.left(3);
}

} // namespace Toolkit

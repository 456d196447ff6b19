// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/folderlisting.h"

#include "toolkit/folderlisting_p.h"

#include <QDir>
#include <QFile>

namespace Toolkit {

QString normalizeFolder(const QString &path)
{
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

QString textOfName(QByteArrayView bytes)
{
    const QByteArray native = bytes.toByteArray();
    QString text = QFile::decodeName(native);
    if (QFile::encodeName(text) != native)
        return QString();
    if (text.isNull())
        text = QLatin1String("");
    return text;
}

QString escapedName(QByteArrayView bytes)
{
    QString shown;
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar c = uchar(bytes.at(i));
        // The length a UTF-8 sequence starting here would have; 0 where no
        // sequence can start.
        const qsizetype length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3
            : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        const bool plain = length > 1 || (length == 1 && c >= 0x20 && c != 0x7F && c != '\\');
        if (plain && i + length <= bytes.size()) {
            const QString text = textOfName(bytes.sliced(i, length));
            if (!text.isNull()) {
                shown += text;
                i += length;
                continue;
            }
        }
        shown += QStringLiteral("\\x") + QString::number(c, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        ++i;
    }
    return shown;
}

bool matchesWildcard(QStringView pattern, QStringView name)
{
    // After a mismatch the last '*' takes one character more.
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype star = -1;
    qsizetype resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern.at(p) == QLatin1Char('*')) {
            star = p++;
            resume = n;
        } else if (p < pattern.size()
                   && (pattern.at(p) == QLatin1Char('?') || pattern.at(p).toCaseFolded() == name.at(n).toCaseFolded())) {
            ++p;
            ++n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

FolderListing listFiles(const QString &folder, const QString &pattern)
{
    // "*.*" is the "All" filter: it matches every name, also one without
    // a dot, which a plain wildcard would leave out.
    if (pattern == QLatin1String("*.*") || pattern.isEmpty())
        return listEntries(folder, EntryKind::File, nullptr);
    return listEntries(folder, EntryKind::File, &pattern);
}

FolderListing listSubfolders(const QString &folder)
{
    return listEntries(folder, EntryKind::Folder, nullptr);
}

} // namespace Toolkit

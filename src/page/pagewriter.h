// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page/pageinput.h"

#include <QString>
#include <QStringList>

namespace Page {

enum class BuildResult {
    Written,
    EmptyName,   // nothing was written; the user was asked for a name
    BadName,     // nothing was written; the name holds a line break
    WriteFailed, // the earlier page is untouched; the user was told why
};

struct BuildOutcome
{
    BuildResult result = BuildResult::EmptyName;
    QString path;
    QString error;
};

// Leading and trailing spaces removed; other white space stays.
QString trimSpaces(const QString &text);

// Folder, separator, name and ".html" joined with nothing removed or added,
// in the system's form ("C:\\Trip.html" for the root of drive C).
QString pagePath(const QString &folder, const QString &pageName);

// A file name made safe as a relative URL inside a double-quoted attribute,
// reaching the file of exactly that name. Encoded are the characters that
// would end the value, start a fragment, query, escape or character
// reference, or be dropped or changed by the browser: control characters,
// spaces at either end, the backslash, "&", "<" and ">". A name with a colon
// before any slash gets "./" in front, so that it cannot read as a scheme.
// Inner spaces and all other characters stay as they are.
QString urlForFileName(const QString &fileName);

// A file name as the text of a link: "&", "<" and ">" written as character
// references, so that the browser shows the name and no markup. Everything
// else stays as it is.
QString linkText(const QString &fileName);

// The lines of the page, without their line ends. `pageName` is used as it
// stands, so pass it trimmed.
QStringList pageLines(const PageInput &input);

// The page as it is written: its lines, each ended by CR LF, in UTF-8.
QByteArray pageBytes(const PageInput &input);

// Trims the page name (writing it back into the input), refuses an empty
// name with a message, and writes the page off the window's thread, waiting
// for it as for any storage. A failed write, or a folder that did not answer
// in time, shows a message naming the page and the reason, and leaves any
// earlier page unchanged.
BuildOutcome buildPage(PageInput &input);

} // namespace Page

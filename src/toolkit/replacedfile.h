// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a file written in place of another must respect of the one there.
struct ReplacedFile
{
    // A regular file is there, also at the end of a link.
    bool exists = false;
    // Nobody may write it: it has no write bit at all, or on Windows the
    // read-only attribute. Whoever runs the program leaves it alone.
    bool readOnly = false;
    // Its POSIX permission bits; none on Windows.
    unsigned permissionBits = 0;
    // Its owner and group; none on Windows.
    unsigned owner = 0;
    unsigned group = 0;
};

namespace Toolkit {

ReplacedFile replacedFile(const QString &path);

// Whether this user may write the file itself, in a folder where a new file
// cannot be made.
bool writableInPlace(const QString &path);

// The system's own words for a name it takes as something other than a file
// of that name; empty for a name that may be tried.
QString nameProblem(const QString &path);

// The system's own words for a file that may not be written, as a failed
// open of it would give them.
QString readOnlyReason();

} // namespace Toolkit

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>

// The one way the program replaces a file: the page, the settings file and
// the thumbnail cache's entries all go through replaceFile().
//
// The bytes go to a temporary file in the target's folder, named
// ".kelvane-XXXXXX" whatever the target is called (so it never passes the
// file system's name limit, and the file lists leave it out). It is written
// in one call, flushed to the disk and closed, each result checked; only
// then is it renamed over the target. A failure anywhere removes the
// temporary file and leaves the target exactly as it was. Network file
// systems and quotas report a lost write only at sync or at close, which is
// why both are checked.
//
// A target that is a symbolic link is replaced at the end of the link; the
// link stays. A replaced file keeps its permission bits, and its owner
// where the system lets the program give it; a file with no write bit at
// all is left alone, whoever runs the program.
//
// Where the folder refuses new files but the file itself may be written,
// the file is written in place: the whole content in one call, cut to its
// length and synced; a failure puts the earlier content back.
namespace Toolkit {

struct ReplaceOptions
{
    // A new file readable by its owner only (the thumbnail cache's entries).
    bool ownerOnly = false;
    // Temporary files of this kind that a killed process left in the folder
    // are removed first.
    bool removeLeftovers = false;
    // Set by a caller that stopped waiting: the new content is then not put
    // in place, even when it was written whole.
    const std::atomic<bool> *abandoned = nullptr;
};

// Empty on success; otherwise the system's words for what failed.
QString replaceFile(const QString &path, const QByteArray &bytes, const ReplaceOptions &options = {});

// The steps of a replace, for tests that make one of them fail.
enum class ReplaceStep { Create, Write, Sync, Close, Rename };

// Tests only: before each step, `fault` is asked; a non-zero answer is a
// system error code that the step then fails with (a failing close still
// closes). An empty function restores the system's behaviour. Returns the
// previous one.
using ReplaceFault = std::function<int(ReplaceStep step)>;
ReplaceFault setReplaceFault(ReplaceFault fault);

} // namespace Toolkit

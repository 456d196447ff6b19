// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/filebox.h"

#include "toolkit/folderlisting.h"
#include "toolkit/processfolders.h"
#include "toolkit/storagewait.h"

#include <optional>
#include <utility>

namespace {

FileBox::Lister &lister()
{
    static FileBox::Lister current;
    return current;
}

} // namespace

FileBox::Lister FileBox::setLister(Lister replacement)
{
    return std::exchange(lister(), std::move(replacement));
}

FileBox::FileBox(QWidget *parent)
    : WholeFrame(parent)
    , m_path(Toolkit::currentFolder())
{
    setUniformItemSizes(true);
}

bool FileBox::setPath(const QString &path, QString *reason)
{
    return relist(Toolkit::normalizeFolder(path), m_pattern, reason);
}

bool FileBox::setPattern(const QString &pattern, QString *reason)
{
    const bool same = pattern == m_pattern;
    m_pattern = pattern;
    // Before its first folder the box shows nothing, so there is nothing to
    // read again.
    if (!m_listed || same)
        return true;
    return relist(m_path, pattern, reason);
}

bool FileBox::setPathAndPattern(const QString &path, const QString &pattern, QString *reason)
{
    m_pattern = pattern;
    return relist(Toolkit::normalizeFolder(path), pattern, reason);
}

bool FileBox::relist(const QString &path, const QString &pattern, QString *reason)
{
    const Lister list = lister();
    std::optional<FolderListing> answer = Toolkit::runWithin<FolderListing>(
        [list, path, pattern] { return list ? list(path, pattern) : Toolkit::listFiles(path, pattern); });
    FolderListing listing;
    if (answer)
        listing = *std::move(answer);
    else
        listing.error = Toolkit::notAnsweredReason();
    if (!listing.ok()) {
        if (reason)
            *reason = listing.error;
        return false;
    }
    m_path = path;
    m_listed = true;
    m_names = listing.names;
    m_leftOut = listing.leftOut;
    setUpdatesEnabled(false);
    clear();
    addItems(m_names);
    setUpdatesEnabled(true);
    return true;
}

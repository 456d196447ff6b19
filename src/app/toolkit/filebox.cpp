#include "app/toolkit/filebox.h"

#include "selection/folderlisting.h"

#include <QDir>

FileBox::FileBox(QWidget *parent)
    : QListWidget(parent)
    , m_path(QDir::currentPath())
{
    setUniformItemSizes(true);
}

bool FileBox::setPath(const QString &path, QString *reason)
{
    return relist(Selection::normalizeFolder(path), m_pattern, reason);
}

bool FileBox::setPattern(const QString &pattern, QString *reason)
{
    if (pattern == m_pattern && !m_listedPath.isNull() && m_listedPath == m_path)
        return true;
    m_pattern = pattern;
    return relist(m_path, pattern, reason);
}

bool FileBox::relist(const QString &path, const QString &pattern, QString *reason)
{
    const FolderListing listing = Selection::listFiles(path, pattern);
    if (!listing.ok()) {
        if (reason)
            *reason = listing.error;
        return false;
    }
    m_path = path;
    m_listedPath = path;
    m_pattern = pattern;
    m_names = listing.names;
    setUpdatesEnabled(false);
    clear();
    addItems(m_names);
    setUpdatesEnabled(true);
    return true;
}

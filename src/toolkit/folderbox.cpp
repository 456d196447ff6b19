// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/folderbox.h"

#include "toolkit/messagebox.h"
#include "toolkit/folderlisting.h"
#include "toolkit/processfolders.h"
#include "toolkit/volumes.h"
#include "toolkit/plaintooltip.h"
#include "toolkit/volumelist.h"
#include "toolkit/storagewait.h"

#include <QApplication>
#include <QDir>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include <utility>

namespace {

constexpr int pathRole = Qt::UserRole;
constexpr int depthRole = Qt::UserRole + 1;
constexpr int indentPixels = 10;

// Indents each folder, icon and all, by its depth below the volume root,
// from the side the list starts from.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented = option;
        const int indent = index.data(depthRole).toInt() * indentPixels;
        if (option.direction == Qt::RightToLeft)
            indented.rect.adjust(0, 0, -indent, 0);
        else
            indented.rect.adjust(indent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(index.data(depthRole).toInt() * indentPixels, 0);
    }
};

FolderBox::Lister &lister()
{
    static FolderBox::Lister current;
    return current;
}

FolderListing listNow(const QString &folder)
{
    return lister() ? lister()(folder) : Toolkit::listSubfolders(folder);
}

// The listing of a folder, waited for as storage is.
FolderListing listWithin(const QString &folder)
{
    const FolderBox::Lister list = lister();
    std::optional<FolderListing> listing = Toolkit::runWithin<FolderListing>(
        [folder, list] { return list ? list(folder) : Toolkit::listSubfolders(folder); });
    if (listing)
        return *std::move(listing);
    FolderListing late;
    late.error = Toolkit::notAnsweredReason();
    return late;
}

} // namespace

FolderBox::Lister FolderBox::setLister(Lister replacement)
{
    return std::exchange(lister(), std::move(replacement));
}

FolderBox::FolderBox(QWidget *parent)
    : WholeFrame(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderBox::open);
    // The process's folder is where the box starts; it raises no change.
    // One that cannot be listed leaves the box empty and without a path.
    // The chain from the volume root is drawn again when the volumes come
    // late and put the current folder on another volume.
    connect(&VolumeList::instance(), &VolumeList::changed, this, [this] {
        if (!m_path.isEmpty() && Toolkit::volumeOf(m_path, VolumeList::instance().volumes()) != m_volume)
            relist(m_subfolders);
    });
    const QString start = Toolkit::currentFolder();
    const FolderListing listing = listNow(start);
    if (listing.ok()) {
        m_path = start;
        m_leftOut = listing.leftOut;
        relist(listing.names);
    }
}

FolderBox::Move FolderBox::setPath(const QString &path, QString *reason)
{
    const QString folder = Toolkit::normalizeFolder(path);
    if (folder == m_path && !m_path.isEmpty())
        return Move::Unchanged;
    const FolderListing listing = listWithin(folder);
    if (!listing.ok()) {
        if (reason)
            *reason = listing.error;
        return Move::Failed;
    }
    m_path = folder;
    m_leftOut = listing.leftOut;
    relist(listing.names);
    Q_EMIT changed();
    return Move::Changed;
}

void FolderBox::relist(const QStringList &subfolders)
{
    setUpdatesEnabled(false);
    clear();
    m_subfolders = subfolders;
    m_volume = Toolkit::volumeOf(m_path, VolumeList::instance().volumes());
    const QString &volume = m_volume;
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    // The chain of folders from the volume root down to the current one.
    QStringList chain;
    for (QString folder = m_path;;) {
        chain.prepend(folder);
        if (folder == volume || folder == QLatin1String("/"))
            break;
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            break;
        folder = parent;
    }
    int depth = 0;
    for (const QString &folder : chain) {
        const QString label = depth == 0 ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName();
        auto *entry = new QListWidgetItem(openIcon, label, this);
        entry->setData(pathRole, folder);
        entry->setData(depthRole, depth);
        entry->setToolTip(QDir::toNativeSeparators(folder)); // the box is narrow; names get cut
        ++depth;
    }
    const QString prefix = m_path.endsWith(QLatin1Char('/')) ? m_path : m_path + QLatin1Char('/');
    for (const QString &name : subfolders) {
        auto *entry = new QListWidgetItem(closedIcon, name, this);
        entry->setData(pathRole, prefix + name);
        entry->setData(depthRole, depth);
        entry->setToolTip(QDir::toNativeSeparators(prefix + name));
    }
    setCurrentRow(static_cast<int>(chain.size()) - 1);
    setUpdatesEnabled(true);
}

void FolderBox::open(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString folder = item->data(pathRole).toString();
    QString reason;
    // A window closed while the folder kept it waiting has no one to tell.
    if (setPath(folder, &reason) == Move::Failed && window()->isVisible())
        showProblem(folder, reason, window());
}

void FolderBox::showProblem(const QString &folder, const QString &reason, QWidget *parent)
{
    Toolkit::showMessage(tr("The folder %1 cannot be opened.\n\n%2").arg(QDir::toNativeSeparators(folder), reason),
                         MessageStyle::Exclamation, QString(), parent);
}

QStringList FolderBox::takeLeftOut()
{
    return std::exchange(m_leftOut, QStringList());
}

void FolderBox::showLeftOut(const QString &folder, const QStringList &names, QWidget *parent)
{
    // The count says how many; a handful of names is enough to find them.
    constexpr qsizetype shownNames = 5;
    const QString native = QDir::toNativeSeparators(folder);
    QString text = names.size() == 1
        ? tr("The folder %1 holds a name that is not valid UTF-8 text. It was left out, so that no other "
             "file is opened in its place:").arg(native)
        : tr("The folder %1 holds %2 names that are not valid UTF-8 text. They were left out, so that no "
             "other file is opened in their place:").arg(native, QString::number(names.size()));
    text += QStringLiteral("\n\n") + names.first(qMin(names.size(), shownNames)).join(QLatin1Char('\n'));
    if (names.size() > shownNames)
        text += QLatin1Char('\n') + tr("and %1 more").arg(names.size() - shownNames);
    Toolkit::showMessage(text, MessageStyle::Exclamation, QString(), parent);
}

void FolderBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

bool FolderBox::viewportEvent(QEvent *event)
{
    // A folder's tip is its path, shown as it is named.
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        Toolkit::showPlainToolTip(help, index.data(Qt::ToolTipRole).toString(), viewport(), visualRect(index));
        return true;
    }
    return WholeFrame::viewportEvent(event);
}

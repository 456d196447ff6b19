// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/drivebox.h"

#include "toolkit/processfolders.h"
#include "toolkit/volumelist.h"
#include "toolkit/volumes.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSignalBlocker>

#include <atomic>
#include <thread>

namespace {

std::atomic<DriveBox::LabelLookup> labelLookup {&Toolkit::volumeLabel};

} // namespace

DriveBox::DriveBox(QWidget *parent)
    : QComboBox(parent)
{
    VolumeList &list = VolumeList::instance();
    list.refresh(VolumeList::startWaitMilliseconds);
    setVolumes(list.volumes());
    m_startFolder = Toolkit::currentFolder();
    setDrive(Toolkit::volumeOf(m_startFolder, list.volumes()));
    m_accepted = drive();
    // A list that comes late (a mount that was slow to answer) still puts
    // the box on the process folder's volume, unless the user chose one.
    connect(&list, &VolumeList::changed, this, [this] {
        setVolumes(VolumeList::instance().volumes());
        if (!m_chosen)
            setDrive(Toolkit::volumeOf(m_startFolder, VolumeList::instance().volumes()));
    });
    connect(this, &QComboBox::activated, this, [this](int) {
        m_chosen = true;
        const QString previous = m_accepted;
        m_accepted = drive();
        if (m_accepted == previous)
            return; // the same drive chosen again is no change
        m_previous = previous;
        Q_EMIT changed();
    });
}

QString DriveBox::drive() const
{
    return currentData().toString();
}

void DriveBox::setDrive(const QString &drive)
{
    const QSignalBlocker blocker(this);
    const int index = findData(drive);
    if (index >= 0)
        setCurrentIndex(index);
    m_accepted = this->drive();
}

void DriveBox::revert()
{
    setDrive(m_previous);
}

DriveBox::LabelLookup DriveBox::setLabelLookup(LabelLookup lookup)
{
    return labelLookup.exchange(lookup ? lookup : &Toolkit::volumeLabel);
}

void DriveBox::setVolumes(const QStringList &roots)
{
    {
        const QSignalBlocker blocker(this);
        const QString current = drive();
        clear();
        for (const QString &root : roots)
            addItem(itemTextOf(root), root);
        setDrive(current);
    }
    for (const QString &root : roots)
        lookUpLabel(root);
}

void DriveBox::showPopup()
{
    // The answer, now or later, comes through the list's changed().
    VolumeList::instance().refresh(VolumeList::openWaitMilliseconds);
    QComboBox::showPopup();
}

QString DriveBox::itemTextOf(const QString &root) const
{
    const QString label = m_labels.value(root);
    const QString text = Toolkit::volumeText(root);
    return label.isEmpty() ? text : text + QStringLiteral(" [") + label + QLatin1Char(']');
}

// The drives show by their letters at once; each label fills in when its
// lookup ends. A lookup that waits on a drive that does not answer holds
// only its own thread, never the window nor the program's end, and is not
// asked again while it waits: at most one thread per drive.
void DriveBox::lookUpLabel(const QString &root)
{
    if (m_pending.contains(root))
        return;
    m_pending.insert(root);
    std::thread([lookup = labelLookup.load(), root, box = QPointer<DriveBox>(this)]() mutable {
        QString label = lookup(root);
        // The answer is handed to the window's thread, where the box is
        // known to be still there or gone.
        QCoreApplication *app = QCoreApplication::instance();
        if (!app)
            return;
        QMetaObject::invokeMethod(
            app,
            [box = std::move(box), root, label = std::move(label)] {
                if (box)
                    box->labelFound(root, label);
            },
            Qt::QueuedConnection);
    }).detach();
}

void DriveBox::labelFound(const QString &root, const QString &label)
{
    m_pending.remove(root);
    if (label.isEmpty())
        m_labels.remove(root);
    else
        m_labels.insert(root, label);
    const int index = findData(root);
    if (index >= 0)
        setItemText(index, itemTextOf(root));
}

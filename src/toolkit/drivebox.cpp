// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/drivebox.h"

#include "toolkit/folderlisting.h"

#include <QSignalBlocker>

DriveBox::DriveBox(QWidget *parent)
    : QComboBox(parent)
{
    const QStringList volumes = Toolkit::browsableVolumes();
    setVolumes(volumes);
    setDrive(Toolkit::volumeOf(Toolkit::currentFolder(), volumes));
    m_accepted = drive();
    connect(this, &QComboBox::activated, this, [this](int) {
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

void DriveBox::setVolumes(const QStringList &roots)
{
    const QSignalBlocker blocker(this);
    const QString current = drive();
    clear();
    for (const QString &root : roots)
        addItem(Toolkit::volumeText(root), root);
    setDrive(current);
}

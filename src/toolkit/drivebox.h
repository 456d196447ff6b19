// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

// The drive box: a drop-down list of the volumes a user browses. Its drive
// is the chosen volume's root path.
class DriveBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveBox(QWidget *parent = nullptr);

    QString drive() const;
    // Chooses the volume without raising the change event.
    void setDrive(const QString &drive);
    void setVolumes(const QStringList &roots);
    // Shows the drive chosen before the user's last choice again, for when
    // that choice could not be opened.
    void revert();

Q_SIGNALS:
    // The user chose another drive.
    void changed();

private:
    QString m_accepted; // the drive shown now
    QString m_previous; // the drive shown before the user's last choice
};

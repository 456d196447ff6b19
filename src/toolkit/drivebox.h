// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QHash>
#include <QSet>

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

    // How a volume's label is found, on a thread of its own; nullptr
    // restores the system's lookup. Returns the lookup it replaces.
    using LabelLookup = QString (*)(const QString &root);
    static LabelLookup setLabelLookup(LabelLookup lookup);

protected:
    // The volumes are listed again, so a card put in since shows.
    void showPopup() override;

Q_SIGNALS:
    // The user chose another drive.
    void changed();

private:
    QString itemTextOf(const QString &root) const;
    void lookUpLabel(const QString &root);
    void labelFound(const QString &root, const QString &label);

    QHash<QString, QString> m_labels; // the labels found so far, by root
    QSet<QString> m_pending;          // the roots whose lookup still runs
    QString m_startFolder; // the process's folder when the box was made
    bool m_chosen = false;  // whether the user chose a drive
    QString m_accepted; // the drive shown now
    QString m_previous; // the drive shown before the user's last choice
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The volumes the drive and folder boxes show.
namespace Toolkit {

// The mounted volumes a user browses: the root and real data volumes, no
// pseudo file systems; on Windows the drive letters. Each entry is a
// volume's root path.
QStringList browsableVolumes();

// A volume as the drive box lists it before its label is known: the root
// path on Linux, the drive letter on Windows ("c:").
QString volumeText(const QString &root);

// The volume's label ("System"), empty when it has none, has no disk or
// does not answer; always empty on Linux. A network drive that is offline
// keeps the call waiting for the network's time-out, so it is never asked
// on the window's thread.
QString volumeLabel(const QString &root);

// The volume root that holds a folder, out of the given volume roots.
QString volumeOf(const QString &folder, const QStringList &volumes);

} // namespace Toolkit

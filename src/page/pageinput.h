// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

enum class PageKind {
    Images, // each picture's description, then the picture
    Links,  // a link to each picture, then its description
};

// What one build of a page reads. The window fills it from its controls at
// the moment of the click; tests fill it directly.
struct PageInput
{
    QString folder;
    // In/out: the build trims it, and the caller shows the trimmed name.
    QString pageName;
    QString pageDescription;
    QStringList pageList;
    // The description of board slot n is slotDescriptions[n - 1].
    QStringList slotDescriptions;
    PageKind kind = PageKind::Images;
    // Parent for the messages the build shows.
    QWidget *messageParent = nullptr;
};

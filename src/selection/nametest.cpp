// SPDX-License-Identifier: GPL-3.0-or-later
#include "selection/nametest.h"

namespace Selection {

bool passesPictureNameTest(const QString &name)
{
    static const QString pictureTypes = QStringLiteral("jpg, gif, bmp");
    return pictureTypes.indexOf(name.right(3), 0, Qt::CaseInsensitive) >= 0;
}

} // namespace Selection

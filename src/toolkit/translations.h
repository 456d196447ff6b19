// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The language the program speaks. Its own translations are built into it
// (":/i18n/kelvane_<code>.qm"); Qt's come from Qt's translations folder.
// English is the language of the sources and has no translation.
namespace Toolkit {

// The codes of the translations built into the program ("de", "pt_BR").
QStringList builtInTranslations();

// The translation for the first of the user's languages, most wanted first
// (QLocale::uiLanguages()), that is English or has one among available:
// its code, or empty for English. A language with a country takes the
// translation for that country, else the language's own ("de-AT" takes
// "de"; "zh-Hans-CN" takes "zh_CN").
QString chooseTranslation(const QStringList &uiLanguages, const QStringList &available);

// Installs the program's translation for the system's languages, and Qt's
// own for the same language, in the running application. Called before any
// text is made.
void installTranslations();

} // namespace Toolkit

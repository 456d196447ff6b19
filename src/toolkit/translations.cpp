// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace Toolkit {
namespace {

const char folder[] = ":/i18n";
const char prefix[] = "kelvane_";

void install(const QString &file, const QString &directory)
{
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (translator->load(file, directory))
        QCoreApplication::installTranslator(translator.release());
}

} // namespace

QStringList builtInTranslations()
{
    const QString head = QLatin1String(prefix);
    QStringList codes;
    const QStringList files = QDir(QLatin1String(folder)).entryList({head + QLatin1String("*.qm")}, QDir::Files);
    for (const QString &file : files)
        codes << file.mid(head.size(), file.size() - head.size() - 3);
    return codes;
}

QString chooseTranslation(const QStringList &uiLanguages, const QStringList &available)
{
    for (const QString &entry : uiLanguages) {
        if (entry == QLatin1String("C") || entry == QLatin1String("POSIX"))
            return QString();
        const QLocale locale(entry);
        if (locale.language() == QLocale::English)
            return QString();
        // A language Qt does not know reads as C; it has no translation.
        if (locale.language() == QLocale::C)
            continue;
        // The name carries the country Qt infers where none is given:
        // "zh-Hans" is "zh_CN", "pt" is "pt_BR".
        const QString name = locale.name();
        for (const QString &code : {name, name.section(QLatin1Char('_'), 0, 0)}) {
            if (available.contains(code))
                return code;
        }
    }
    return QString();
}

void installTranslations()
{
    const QString code = chooseTranslation(QLocale::system().uiLanguages(), builtInTranslations());
    if (code.isEmpty())
        return;
    install(QLatin1String(prefix) + code, QLatin1String(folder));
    // Qt's own texts: the standard buttons, a text box's menu, the command
    // line's. On Windows the qt.conf beside the program makes the folder
    // beside it Qt's translations folder. Arabic and Hebrew set the
    // right-to-left direction through it.
    install(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace Toolkit

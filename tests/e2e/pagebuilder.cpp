// SPDX-License-Identifier: GPL-3.0-or-later
// Builds one page the way the window's build buttons do, from a JSON file:
//   {"folder": "...", "pageName": "...", "pageDescription": "...",
//    "pageList": ["..."], "slotDescriptions": ["..."], "kind": "images"|"links"}
// Prints the path of the page written. A message shown by the build, or a
// build that writes nothing, ends it with status 1.

#include "toolkit/messagebox.h"
#include "toolkit/scopedoverride.h"
#include "page/pagewriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>
#include <cstdio>

namespace {

QStringList strings(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray())
        list << item.toString();
    return list;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // Under a file size limit a write past it then fails with EFBIG instead
    // of ending the program.
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <input.json>\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s\n", qPrintable(file.errorString()));
        return 2;
    }
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(file.readAll(), &error).object();
    if (error.error != QJsonParseError::NoError) {
        std::fprintf(stderr, "%s\n", qPrintable(error.errorString()));
        return 2;
    }

    int messages = 0;
    const Toolkit::ScopedOverride handler(
        Toolkit::setMessageHandler, [&messages](const QString &text, MessageStyle, const QString &, QWidget *) {
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
            ++messages;
        });

    PageInput input;
    input.folder = json.value(QStringLiteral("folder")).toString();
    input.pageName = json.value(QStringLiteral("pageName")).toString();
    input.pageDescription = json.value(QStringLiteral("pageDescription")).toString();
    input.pageList = strings(json.value(QStringLiteral("pageList")));
    input.slotDescriptions = strings(json.value(QStringLiteral("slotDescriptions")));
    input.kind = json.value(QStringLiteral("kind")).toString() == QLatin1String("links") ? PageKind::Links
                                                                                        : PageKind::Images;
    const Page::BuildOutcome outcome = Page::buildPage(input);
    if (outcome.result != Page::BuildResult::Written || messages > 0)
        return 1;
    std::printf("%s\n", outcome.path.toUtf8().constData());
    return 0;
}

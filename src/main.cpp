// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"
#include "app/quitsignals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>

namespace {

// QApplication takes these options of its own out of the arguments; they are
// accepted here so that they keep working.
const char *const qtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "display", "geometry",
};

} // namespace

int main(int argc, char *argv[])
{
    Platform::prepareProcess();
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setApplicationVersion(QStringLiteral(KELVANE_VERSION));

    // The arguments are read before any window system is opened, so --help
    // and --version work without a display.
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Turn a folder of pictures into a web page."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Without --help-all: Qt's own options are not this program's to explain.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
        QStringLiteral("Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
        QStringLiteral("Folder of pictures to open in place of the last one used."),
        QStringLiteral("[FOLDER]"));
    for (const char *name : qtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    QCommandLineOption reverse(QStringLiteral("reverse"));
    reverse.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(reverse);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const bool parsed = parser.parse(arguments);
    if (!parsed || parser.positionalArguments().size() > 1 || parser.isSet(help)
        || parser.isSet(version)) {
        // The usage line names the program as it was called.
        QCoreApplication app(argc, argv);
        if (parsed && parser.positionalArguments().size() <= 1) {
            const QString text = parser.isSet(version)
                ? QCoreApplication::applicationName() + QLatin1Char(' ')
                    + QCoreApplication::applicationVersion() + QLatin1Char('\n')
                : parser.helpText();
            std::fputs(qPrintable(text), stdout);
            return 0;
        }
        const QString error = parsed ? QStringLiteral("Only one FOLDER can be opened.")
                                     : parser.errorText();
        std::fprintf(stderr, "kelvane: %s\n%s", qPrintable(error), qPrintable(parser.helpText()));
        return 2;
    }
    QString folder = parser.positionalArguments().value(0);
    // A relative folder is taken from the current folder, as a shell user means.
    if (!folder.isEmpty())
        folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvane.Kelvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.png")));
    frmMain window;
    Platform::closeOnQuitSignals(window);
    window.Form_Load(folder);
    window.show();
    return app.exec();
}

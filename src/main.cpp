// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"
#include "board/decodestop.h"
#include "toolkit/folderlisting.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QSocketNotifier>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <thread>
#include <unistd.h>

namespace {

// QApplication takes these options of its own out of the arguments; they are
// accepted here so that they keep working.
const char *const qtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "display", "geometry",
};

int quitPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int)
{
    const char byte = 1;
    if (::write(quitPipe[1], &byte, 1) < 0) {
        // The pipe is full: a quit is already pending.
    }
}

// SIGTERM at logout and Ctrl+C in a terminal close the window the way the
// user would, so the folder is still stored. Signals that the caller ignores
// (nohup) stay ignored.
void closeOnQuitSignals(frmMain &window)
{
    if (::pipe2(quitPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, notifier] {
        notifier->setEnabled(false);
        window.close();
        // Also leaves a message box that is open at the time.
        QCoreApplication::quit();
    });
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction old = {};
        if (::sigaction(number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = onQuitSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(number, &action, nullptr);
    }
}

// Whether the window system the program is about to open needs a display
// server that the session does not name: over SSH, Qt would only abort.
bool missingDisplay(const QString &platformArgument)
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    const QString platforms = platformArgument.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : platformArgument;
    // Qt tries each platform of a list in turn; one that draws without a
    // display server (offscreen, vnc, linuxfb, ...) can start.
    for (const QString &entry : platforms.split(QLatin1Char(';'))) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (!name.isEmpty() && name != QLatin1String("xcb") && !name.startsWith(QLatin1String("wayland")))
            return false;
    }
    return true;
}

// Ends the process after delay unless it has ended by then. Everything the
// user made is on disk once the window has closed; only decodes may still
// run, and one that reads nothing for a while (a slow disk, a large picture
// being scaled) must not hold up the end. Skipping the destructors then is
// safe; waiting for those threads is what they would do.
void endWithin(std::chrono::milliseconds delay, int status)
{
    std::thread([delay, status] {
        std::this_thread::sleep_for(delay);
        std::_Exit(status);
    }).detach();
}

} // namespace

int main(int argc, char *argv[])
{
    // Past a file size limit a write fails with its reason instead of
    // ending the program half way through rewriting a page in place.
    ::signal(SIGXFSZ, SIG_IGN);
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
    // The decoded text of the arguments whose bytes are not UTF-8.
    QStringList notUtf8;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
        if (Toolkit::textOfName(argv[i]).isNull())
            notUtf8 << arguments.constLast();
    }
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
    const auto folderName = notUtf8.contains(folder) ? frmMain::RequestedName::NotUtf8 : frmMain::RequestedName::Text;
    // A relative folder is taken from the current folder, as a shell user means.
    if (!folder.isEmpty())
        folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());

    if (missingDisplay(parser.value(QStringLiteral("platform")))) {
        std::fputs("kelvane: no display: start it inside a desktop session "
                   "(DISPLAY or WAYLAND_DISPLAY is not set)\n", stderr);
        return 1;
    }

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvane.Kelvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.png")));
    frmMain window;
    closeOnQuitSignals(window);
    window.Form_Load(folder, folderName);
    window.show();
    const int status = app.exec();
    // Pictures still being decoded are of no use now. Their decodes end at
    // their next read, so the window's destruction, which waits for its
    // threads, does not wait for whole pictures.
    DecodeStop::requestAll();
    endWithin(std::chrono::milliseconds(400), status);
    return status;
}

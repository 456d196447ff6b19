// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"
#include "app/commandline.h"
#include "app/displayprobe.h"
#include "app/quitsignals.h"
#include "picture/decodestop.h"
#include "toolkit/translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>

namespace {

// QApplication takes these options of its own out of the arguments; they are
// accepted here so that they keep working.
const char *const qtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "display", "geometry",
};

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

// The program's options. Their texts are in the language of the
// translators installed by then.
void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QCoreApplication::translate("main", "Turn a folder of pictures into a web page."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Without --help-all: Qt's own options are not this program's to explain.
    parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                                        QCoreApplication::translate("main", "Displays help on commandline options.")));
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("FOLDER"),
        QCoreApplication::translate("main", "Folder of pictures to open in place of the last one used."),
        QStringLiteral("[FOLDER]"));
    for (const char *name : qtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    QCommandLineOption reverse(QStringLiteral("reverse"));
    reverse.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(reverse);
}

// Why no window can open, from the displays that cannot be reached.
QString displayProblem(const QStringList &unreachable)
{
    if (unreachable.isEmpty()) {
        return QCoreApplication::translate(
            "main", "no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)");
    }
    QString displays = unreachable.first();
    for (qsizetype i = 1; i < unreachable.size(); ++i)
        displays = QCoreApplication::translate("main", "%1 or %2").arg(displays, unreachable.at(i));
    return QCoreApplication::translate("main", "cannot open display %1").arg(displays);
}

// Notes that a window was closed.
class ClosedWatch : public QObject
{
public:
    bool closed = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            closed = true;
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    Platform::prepareProcess();
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setApplicationVersion(QStringLiteral(KELVANE_VERSION));

    // The arguments are read before any window system is opened, so --help
    // and --version work without a display. Translators need an application
    // object, so what is printed is made again once one exists.
    QCommandLineParser parser;
    addOptions(parser);

    // The decoded text of the arguments whose bytes are not UTF-8.
    QStringList notUtf8;
    const QStringList arguments = Platform::commandLine(argc, argv, &notUtf8);
    const bool parsed = parser.parse(arguments);
    const bool version = parsed && parser.isSet(QStringLiteral("version"));
    if (!parsed || parser.positionalArguments().size() > 1 || parser.isSet(QStringLiteral("help")) || version) {
        QCoreApplication app(argc, argv);
        Toolkit::installTranslations();
        QCommandLineParser shown;
        addOptions(shown);
        shown.parse(arguments);
        // The usage line names the program by its file, not by the path
        // that started it.
        const auto helpText = [&shown] {
            QString text = shown.helpText();
            const QString called = QCoreApplication::arguments().value(0);
            const qsizetype at = called.isEmpty() ? -1 : text.indexOf(called);
            if (at >= 0 && at < text.indexOf(QLatin1Char('\n')))
                text.replace(at, called.size(), QFileInfo(QCoreApplication::applicationFilePath()).fileName());
            return text;
        };
        if (parsed && parser.positionalArguments().size() <= 1) {
            const QString text = version
                ? QCoreApplication::applicationName() + QLatin1Char(' ')
                    + QCoreApplication::applicationVersion() + QLatin1Char('\n')
                : helpText();
            Platform::printText(text, false);
            return 0;
        }
        const QString error = parsed ? QCoreApplication::translate("main", "Only one FOLDER can be opened.")
                                     : shown.errorText();
        Platform::printText(QStringLiteral("kelvane: ") + error + QLatin1Char('\n') + helpText(), true);
        return 2;
    }
    QString folder = parser.positionalArguments().value(0);
    const auto folderName = notUtf8.contains(folder) ? frmMain::RequestedName::NotUtf8 : frmMain::RequestedName::Text;
    // A relative folder is taken from the current folder, as a shell user means.
    if (!folder.isEmpty())
        folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());

    const std::optional<QStringList> unreachable = Platform::unreachableDisplays(
        parser.value(QStringLiteral("platform")), parser.value(QStringLiteral("display")));
    if (unreachable) {
        QCoreApplication app(argc, argv);
        Toolkit::installTranslations();
        std::fputs(qPrintable(QStringLiteral("kelvane: ") + displayProblem(*unreachable) + QLatin1Char('\n')), stderr);
        return 1;
    }

    QApplication app(argc, argv);
    Toolkit::installTranslations();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvane.Kelvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvane.png")));
    frmMain window;
    // A quit signal may arrive while start-up waits for a folder in an event
    // loop of its own: the window it closed there has stored its folder and
    // is not to be shown after all.
    ClosedWatch closed;
    window.installEventFilter(&closed);
    Platform::closeOnQuitSignals(window);
    window.Form_Load(folder, folderName);
    int status = 0;
    if (!closed.closed) {
        window.show();
        status = app.exec();
    }
    // Pictures still being decoded are of no use now. Their decodes end at
    // their next read, so the window's destruction, which waits for its
    // threads, does not wait for whole pictures.
    DecodeStop::requestAll();
    endWithin(std::chrono::milliseconds(400), status);
    return status;
}

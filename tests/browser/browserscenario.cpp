// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one "View In Browser" attempt with the platform's browser service in
// a process of its own, so that the XDG folders GIO reads (and caches for the
// life of the process) are those of the caller's environment.
//
//   browserscenario [--app-folder FOLDER] PAGE
//
// Prints one line per event, fields separated by tabs:
//   find <probe path> <probe size>   found <executable>   not-found
//   started   start-failed           message <style> <title> <text>

#include "browser/browserservice.h"
#include "browser/openinbrowser.h"
#include "testsupport.h"
#include "toolkit/scopedoverride.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// Fields are written on one line, their own line breaks as "\n".
void report(QStringList fields)
{
    for (QString &field : fields)
        field.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    out() << fields.join(QLatin1Char('\t')) << Qt::endl;
}

// Passes every call on to the platform's service and reports it.
class ReportingService : public BrowserService
{
public:
    explicit ReportingService(BrowserService &inner)
        : m_inner(inner)
    {
    }

    std::optional<BrowserProgram> findProgram(const QString &probePath) override
    {
        report({QStringLiteral("find"), probePath, QString::number(QFileInfo(probePath).size())});
        std::optional<BrowserProgram> program = m_inner.findProgram(probePath);
        if (program)
            report({QStringLiteral("found"), program->executable});
        else
            report({QStringLiteral("not-found")});
        return program;
    }

    bool start(const BrowserProgram &program, const QString &pagePath, QWidget *owner) override
    {
        const bool started = m_inner.start(program, pagePath, owner);
        report({started ? QStringLiteral("started") : QStringLiteral("start-failed")});
        return started;
    }

private:
    BrowserService &m_inner;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption appFolderOption(QStringLiteral("app-folder"), QStringLiteral("Program folder"),
                                             QStringLiteral("folder"));
    parser.addOption(appFolderOption);
    parser.addPositionalArgument(QStringLiteral("page"), QStringLiteral("Page path"));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    if (parser.isSet(appFolderOption)) {
        const QString folder = parser.value(appFolderOption);
        Browser::setApplicationFolderLookup([folder] { return folder; });
    }
    ReportingService reporting(Browser::platformService());
    const Toolkit::ScopedOverride service(Browser::setService, &reporting);

    {
        MessageRecorder recorder;
        Module1::OpenInBrowser(parser.positionalArguments().constFirst(), nullptr);
        for (const MessageRecorder::Message &message : recorder.messages)
            report({QStringLiteral("message"), QString::number(int(message.style)), message.title, message.text});
    }
    return 0;
}

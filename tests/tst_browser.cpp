// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/messagebox.h"
#include "toolkit/scopedoverride.h"
#include "browser/browserservice.h"
#include "browser/openinbrowser.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray probeBytes("\"<HTML> <\\HTML>\"\r\n");
const QString notFoundText = QStringLiteral("Could not find associated Browser");
const QString notFoundTitle = QStringLiteral("Browser Not Found");
const QString notOpenedText = QStringLiteral("Web Page not Opened");
const QString notOpenedTitle = QStringLiteral("URL Failed");

// Stands in for the platform: records what it was asked and what the probe
// held at that moment.
class FakeBrowser : public BrowserService
{
public:
    std::optional<BrowserProgram> findProgram(const QString &probePath) override
    {
        probePaths.append(probePath);
        probeContents.append(readFileBytes(probePath));
        if (!finds)
            return std::nullopt;
        return BrowserProgram{QStringLiteral("/opt/fake/browser"), QStringLiteral("Fake"), {}};
    }

    bool start(const BrowserProgram &program, const QString &pagePath, QWidget *owner) override
    {
        startedPrograms.append(program.executable);
        startedPages.append(pagePath);
        startedOwners.append(owner);
        return starts;
    }

    bool finds = true;
    bool starts = true;
    QStringList probePaths;
    QList<QByteArray> probeContents;
    QStringList startedPrograms;
    QStringList startedPages;
    QList<QWidget *> startedOwners;
};

struct ShownMessage
{
    QString text;
    MessageStyle style;
    QString title;
    QWidget *parent;
    bool probeExisted; // whether the probe was still there while it showed
};

// Sets an environment variable for the life of the object.
class EnvironmentOverride
{
public:
    EnvironmentOverride(const char *name, const QByteArray &value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~EnvironmentOverride()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_old;
};

#ifndef Q_OS_WIN
int modeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

const uid_t nobody = 65534;

bool giveToNobody(const QString &path)
{
    return ::lchown(QFile::encodeName(path).constData(), nobody, nobody) == 0;
}
#endif

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// One process's worth of XDG folders in which GIO finds a recording browser.
struct Scenario
{
    QString root;
    QString appFolder;
    QString runtimeFolder;
    QString recorder;
    QString argumentsFile;
    QString page;
    QProcessEnvironment environment;
};

// What a name holds before the page or the probe is written under it.
enum class Planted { Nothing, File, Link, DanglingLink };

enum class Association {
    None,             // an entry that claims no type, and no default
    MissingProgram,   // the default names a program that is not there
    ProgramNotExecutable,
};

} // namespace

Q_DECLARE_METATYPE(Association)
Q_DECLARE_METATYPE(Planted)

class tst_browser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void outcomes_data();
    void outcomes();
    void pagePathPassedUnchanged_data();
    void pagePathPassedUnchanged();
    void emptyPathDoesNothing();
    void pathWithNulIsNotOpened();
    void plantedNamesAndPermissions_data();
    void plantedNamesAndPermissions();
    void fallbackFolder_data();
    void fallbackFolder();
    void noWritableFolder();

    void launchesAssociatedProgram_data();
    void launchesAssociatedProgram();
    void startsNothingWithoutUsableAssociation_data();
    void startsNothingWithoutUsableAssociation();
    void shellResults_data();
    void shellResults();
    void shellPassesPageAsOneArgument_data();
    void shellPassesPageAsOneArgument();

private:
    QString newFolder(const QString &name);
    QString regularFile();
    QString buildPageAs(bool asNobody, int sizeLimit, const QString &folder);
    Scenario prepareScenario(bool appFolderWritable);
    QList<QStringList> runScenario(const Scenario &scenario);

    QTemporaryDir m_dir;
    int m_folderCount = 0;
    QString m_runtimeFolder;
    QString m_pageBuilder;
    std::optional<EnvironmentOverride> m_runtimeOverride;

    FakeBrowser m_fake;
    QString m_appFolder;
    QList<ShownMessage> m_messages;
    // In place for the whole test case; init() gives each test fresh ones to use.
    const Toolkit::ScopedOverride<BrowserService *> m_service{Browser::setService, &m_fake};
    const Toolkit::ScopedOverride<Browser::FolderLookup> m_folderLookup{Browser::setApplicationFolderLookup,
                                                                        [this] { return m_appFolder; }};
    const Toolkit::ScopedOverride<Toolkit::MessageHandler> m_handler{
        Toolkit::setMessageHandler,
        [this](const QString &text, MessageStyle style, const QString &title, QWidget *parent) {
            const bool probeExisted = !m_fake.probePaths.isEmpty() && QFile::exists(m_fake.probePaths.last());
            m_messages.append({text, style, title, parent, probeExisted});
        }};
};

void tst_browser::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (OnWindows) {
        // The probe's fallback is a private folder in the user's temporary
        // folder, which the system takes from TMP.
        m_runtimeFolder = newFolder(QStringLiteral("temp"));
        m_runtimeOverride.emplace("TMP", QDir::toNativeSeparators(m_runtimeFolder).toLocal8Bit());
        QCOMPARE(QDir::tempPath(), m_runtimeFolder);
        m_pageBuilder = QStringLiteral(PAGE_BUILDER_PATH);
        return;
    }
    // An ordinary user runs a copy of the page builder from here.
    QVERIFY(QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                    | QFile::ReadOther | QFile::ExeOther));
    m_pageBuilder = m_dir.filePath(QStringLiteral("pagebuilder"));
    QVERIFY(QFile::copy(QStringLiteral(PAGE_BUILDER_PATH), m_pageBuilder));

    m_runtimeFolder = newFolder(QStringLiteral("runtime"));
    QVERIFY(QFile::setPermissions(m_runtimeFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    m_runtimeOverride.emplace("XDG_RUNTIME_DIR", QFile::encodeName(m_runtimeFolder));
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), m_runtimeFolder);
}

void tst_browser::cleanupTestCase()
{
    m_runtimeOverride.reset();
}

void tst_browser::init()
{
    m_fake = FakeBrowser();
    m_appFolder = newFolder(QStringLiteral("app"));
    m_messages.clear();
}

QString tst_browser::newFolder(const QString &name)
{
    const QString path = m_dir.filePath(QStringLiteral("%1-%2").arg(name).arg(++m_folderCount));
    if (!QDir().mkpath(path))
        qFatal("cannot create %s", qPrintable(path));
    return path;
}

QString tst_browser::regularFile()
{
    const QString path = m_dir.filePath(QStringLiteral("regular-%1").arg(++m_folderCount));
    if (!writeFileBytes(path, "not a folder"))
        qFatal("cannot create %s", qPrintable(path));
    return path;
}

void tst_browser::outcomes_data()
{
    QTest::addColumn<bool>("finds");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");

    QTest::newRow("browser found and started") << true << true << QString() << QString();
    QTest::newRow("no associated browser") << false << true << notFoundText << notFoundTitle;
    QTest::newRow("browser does not start") << true << false << notOpenedText << notOpenedTitle;
}

void tst_browser::outcomes()
{
    QFETCH(bool, finds);
    QFETCH(bool, starts);
    QFETCH(QString, text);
    QFETCH(QString, title);
    m_fake.finds = finds;
    m_fake.starts = starts;
    const QString page = m_dir.filePath(QStringLiteral("page.html"));

    QWidget owner;
    Module1::OpenInBrowser(page, &owner);

    const QString probe = QDir(m_appFolder).filePath(QStringLiteral("test.htm"));
    QCOMPARE(m_fake.probePaths, QStringList{probe});
    QCOMPARE(m_fake.probeContents.constFirst(), probeBytes);
    QCOMPARE(probeBytes.size(), 18);
    QCOMPARE(m_fake.startedPages, finds ? QStringList{page} : QStringList());
    if (finds)
        QCOMPARE(m_fake.startedPrograms, QStringList{QStringLiteral("/opt/fake/browser")});
    QCOMPARE(m_fake.startedOwners, finds ? QList<QWidget *>{&owner} : QList<QWidget *>());
    if (text.isEmpty()) {
        QVERIFY(m_messages.isEmpty());
    } else {
        QCOMPARE(m_messages.size(), 1);
        const ShownMessage &message = m_messages.constFirst();
        QCOMPARE(message.text, text);
        QCOMPARE(message.title, title);
        QCOMPARE(message.style, MessageStyle::Exclamation);
        QCOMPARE(message.parent, &owner);
        QVERIFY2(message.probeExisted, "the probe is deleted only after the message is closed");
    }
    QCOMPARE(entriesOf(m_appFolder), QStringList());
}

void tst_browser::pagePathPassedUnchanged_data()
{
    QTest::addColumn<QString>("page");

    QTest::newRow("spaces in folder and name") << m_dir.filePath(QStringLiteral("my pages/summer holiday.html"));
    QTest::newRow("blanks around the typed name") << m_dir.filePath(QStringLiteral("pages/  trip  .html"));
    QTest::newRow("page never built") << m_dir.filePath(QStringLiteral("missing/none.html"));
    QTest::newRow("name with quotes and percent")
        << m_dir.filePath(QStringLiteral("pages/\"a\" 100% b.html"));
}

void tst_browser::pagePathPassedUnchanged()
{
    QFETCH(QString, page);
    Module1::OpenInBrowser(page, nullptr);
    QCOMPARE(m_fake.startedPages, QStringList{page});
    QVERIFY(m_messages.isEmpty());
}

void tst_browser::emptyPathDoesNothing()
{
    Module1::OpenInBrowser(QString(), nullptr);
    QVERIFY(m_fake.probePaths.isEmpty());
    QVERIFY(m_fake.startedPages.isEmpty());
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(entriesOf(m_appFolder), QStringList());
}

void tst_browser::pathWithNulIsNotOpened()
{
    // Only "a" would reach the system, naming another file.
    Module1::OpenInBrowser(m_dir.filePath(QStringLiteral("a")) + QChar(0) + QStringLiteral("b.html"), nullptr);
    QVERIFY(m_fake.startedPages.isEmpty());
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.constFirst().text, notOpenedText);
    QCOMPARE(m_messages.constFirst().title, notOpenedTitle);
    QCOMPARE(entriesOf(m_appFolder), QStringList());
}

// Builds "Trip.html" in folder with the page builder, as an ordinary user
// and under a file size limit when asked. The message the build showed, or
// nothing when it wrote the page.
QString tst_browser::buildPageAs(bool asNobody, int sizeLimit, const QString &folder)
{
    const QString input = m_dir.filePath(QStringLiteral("page.json"));
    writeFileBytes(input,
                   "{\"folder\": \"" + folder.toUtf8() + "\", \"pageName\": \"Trip\", \"pageList\": [\"a.jpg\"]}");
    QStringList arguments{m_pageBuilder, input};
    if (asNobody)
        arguments = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
                                QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")} + arguments;
    if (sizeLimit > 0)
        arguments = QStringList{QStringLiteral("prlimit"), QStringLiteral("--fsize=%1").arg(sizeLimit)} + arguments;
    QProcess process;
    process.start(arguments.takeFirst(), arguments);
    if (!process.waitForFinished(30000))
        return QStringLiteral("the page builder did not finish");
    return process.exitCode() == 0 ? QString() : QString::fromLocal8Bit(process.readAllStandardError());
}

void tst_browser::plantedNamesAndPermissions_data()
{
    QTest::addColumn<bool>("probe");      // View In Browser's probe, else the page
    QTest::addColumn<bool>("asNobody");   // an ordinary user, else root
    QTest::addColumn<Planted>("planted"); // under the name before the write
    QTest::addColumn<bool>("folderOpen"); // the user may write in the folder of the file the name reaches
    QTest::addColumn<int>("mode");        // of that file
    QTest::addColumn<int>("sizeLimit");   // on the files the build writes, 0 for none
    QTest::addColumn<int>("error");       // the build fails with; 0: that file holds the page
    QTest::addColumn<bool>("longEarlier"); // the earlier file is longer than the size limit

    QTest::newRow("page: writable page in a closed folder, written in place")
        << false << true << Planted::File << false << 0644 << 0 << 0 << false;
    QTest::newRow("page: in place, a write that fails part way puts the earlier page back")
        << false << true << Planted::File << false << 0644 << 64 << EFBIG << false;
    QTest::newRow("page: in place, an earlier page past the size limit is kept whole and not reported lost")
        << false << true << Planted::File << false << 0644 << 64 << EFBIG << true;
    QTest::newRow("page: read-only page left alone")
        << false << true << Planted::File << true << 0444 << 0 << EACCES << false;
    QTest::newRow("page: new page in a closed folder")
        << false << true << Planted::Nothing << false << -1 << 0 << EACCES << false;
    QTest::newRow("page: link written through") << false << true << Planted::Link << true << 0644 << 0 << 0 << false;
    QTest::newRow("page: link into a closed folder, written through in place")
        << false << true << Planted::Link << false << 0640 << 0 << 0 << false;
    QTest::newRow("page: no write bit stops root too")
        << false << false << Planted::File << true << 0444 << 0 << EACCES << false;
    QTest::newRow("page: replaced by root, keeps its bits")
        << false << false << Planted::File << true << 0464 << 0 << 0 << false;
    QTest::newRow("probe: the user's own test.htm")
        << true << false << Planted::File << true << 0644 << 0 << 0 << false;
    QTest::newRow("probe: test.htm linking to notes")
        << true << false << Planted::Link << true << 0600 << 0 << 0 << false;
    QTest::newRow("probe: dangling test.htm link")
        << true << false << Planted::DanglingLink << true << -1 << 0 << 0 << false;
}

void tst_browser::plantedNamesAndPermissions()
{
#ifdef Q_OS_WIN
    QSKIP("POSIX owners, permission bits, links and file size limits");
#else
    QFETCH(bool, probe);
    QFETCH(bool, asNobody);
    QFETCH(Planted, planted);
    QFETCH(bool, folderOpen);
    QFETCH(int, mode);
    QFETCH(int, sizeLimit);
    QFETCH(int, error);
    QFETCH(bool, longEarlier);
    const bool written = !probe && error == 0;
    if (!probe && geteuid() != 0)
        QSKIP("only root can write as another user, and root's own rights are the point");

    const QByteArray earlier = QByteArray("earlier\r\n").repeated(longEarlier ? 20 : 1);
    const bool link = planted == Planted::Link || planted == Planted::DanglingLink;
    const QString folder = newFolder(QStringLiteral("names"));
    const QString targetFolder = link ? newFolder(QStringLiteral("targets")) : folder;
    const QString name = QDir(folder).filePath(probe ? QStringLiteral("test.htm") : QStringLiteral("Trip.html"));
    const QString reached = link ? QDir(targetFolder).filePath(QStringLiteral("notes.html")) : name;
    if (planted == Planted::File || planted == Planted::Link) {
        QVERIFY(writeFileBytes(reached, earlier));
        QCOMPARE(::chmod(QFile::encodeName(reached).constData(), mode_t(mode)), 0);
        QVERIFY(!asNobody || giveToNobody(reached));
    }
    if (link)
        QVERIFY(QFile::link(reached, name));
    QVERIFY(!asNobody || !folderOpen || giveToNobody(targetFolder));
    const QStringList before = entriesOf(folder) + entriesOf(targetFolder);

    QString message;
    if (probe) {
        m_appFolder = folder;
        Module1::OpenInBrowser(m_dir.filePath(QStringLiteral("page.html")), nullptr);
        QCOMPARE(m_fake.probeContents, QList<QByteArray>{probeBytes});
        QVERIFY(!m_fake.probePaths.constFirst().startsWith(folder + QLatin1Char('/')));
        QVERIFY(m_messages.isEmpty());
    } else {
        message = buildPageAs(asNobody, sizeLimit, folder);
        QVERIFY2(message.isEmpty() == written, qPrintable(message));
        QVERIFY2(written || (message.contains(name) && message.contains(qt_error_string(error))),
                 qPrintable(message));
        QVERIFY2(!message.contains(QStringLiteral("could not be put back")), qPrintable(message));
    }

    const QByteArray bytes = readFileBytes(reached);
    QVERIFY2(written ? bytes.startsWith("<Title>Trip</Title>\r\n")
                     : bytes == (mode < 0 ? QByteArray() : earlier), bytes.constData());
    QCOMPARE(modeOf(reached), mode);
    if (link)
        QCOMPARE(QFileInfo(name).symLinkTarget(), reached);
    // No temporary file or probe is left behind.
    QCOMPARE(entriesOf(folder) + entriesOf(targetFolder), before);
#endif
}

void tst_browser::fallbackFolder_data()
{
    QTest::addColumn<QString>("appFolder");

    QTest::newRow("program folder through a regular file") << regularFile() + QStringLiteral("/bin");
    QTest::newRow("program folder missing") << m_dir.filePath(QStringLiteral("no such folder"));
    QTest::newRow("program folder unknown") << QString();
}

void tst_browser::fallbackFolder()
{
    QFETCH(QString, appFolder);
    m_appFolder = appFolder;
    const QString page = m_dir.filePath(QStringLiteral("page.html"));

    Module1::OpenInBrowser(page, nullptr);

    QCOMPARE(m_fake.probePaths.size(), 1);
    const QFileInfo probe(m_fake.probePaths.constFirst());
    QCOMPARE(probe.fileName(), QStringLiteral("test.htm"));
    // A folder of its own inside the runtime folder (the temporary folder
    // on Windows).
    QCOMPARE(QFileInfo(probe.absolutePath()).absolutePath(), m_runtimeFolder);
    QCOMPARE(m_fake.probeContents.constFirst(), probeBytes);
    QCOMPARE(m_fake.startedPages, QStringList{page});
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(entriesOf(m_runtimeFolder), QStringList());
}

void tst_browser::noWritableFolder()
{
    // A regular file as the temporary folder, under which Qt's own fallback
    // for the runtime folder cannot be made either.
    const QString file = regularFile();
    m_appFolder = file + QStringLiteral("/bin");
    std::optional<EnvironmentOverride> runtime;
    if (!OnWindows)
        runtime.emplace("XDG_RUNTIME_DIR", QFile::encodeName(file + QStringLiteral("/runtime")));
    const EnvironmentOverride temp(OnWindows ? "TMP" : "TMPDIR", QDir::toNativeSeparators(file).toLocal8Bit());
    QCOMPARE(QDir::tempPath(), file);

    Module1::OpenInBrowser(m_dir.filePath(QStringLiteral("page.html")), nullptr);

    QVERIFY(m_fake.probePaths.isEmpty());
    QVERIFY(m_fake.startedPages.isEmpty());
    QCOMPARE(m_messages.size(), 1);
    const ShownMessage &message = m_messages.constFirst();
    QCOMPARE(message.style, MessageStyle::Exclamation);
    QVERIFY2(message.text.contains(QDir::toNativeSeparators(file)), qPrintable(message.text));
    if (!OnWindows)
        QVERIFY2(message.text.contains(qt_error_string(ENOTDIR)), qPrintable(message.text));
    QCOMPARE(readFileBytes(file), QByteArray("not a folder"));
}

Scenario tst_browser::prepareScenario(bool appFolderWritable)
{
    Scenario s;
    s.root = newFolder(QStringLiteral("scenario"));
    const QDir root(s.root);
    for (const char *folder : {"config", "config-dirs", "data/applications", "data-dirs/mime/packages", "runtime",
                               "app", "out", "my pages", "gio-modules"}) {
        if (!root.mkpath(QLatin1String(folder)))
            qFatal("cannot create %s", folder);
    }
    // A MIME database of the one type the lookup needs. The host's would
    // depend on what is installed: the first "mime" folder of the user's data
    // folders may be one that only some program's own types were put in.
    writeFileBytes(root.filePath(QStringLiteral("data-dirs/mime/packages/html.xml")),
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                   "  <mime-type type=\"text/html\"><glob pattern=\"*.html\"/><glob pattern=\"*.htm\"/></mime-type>\n"
                   "</mime-info>\n");
    s.runtimeFolder = root.filePath(QStringLiteral("runtime"));
    QFile::setPermissions(s.runtimeFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    s.appFolder = appFolderWritable ? root.filePath(QStringLiteral("app")) : regularFile() + QStringLiteral("/bin");
    s.page = root.filePath(QStringLiteral("my pages/ holiday snaps .html"));

    // Writes its arguments one to a line, and renames the file into place so
    // that it appears complete.
    s.recorder = root.filePath(QStringLiteral("recorder.sh"));
    s.argumentsFile = root.filePath(QStringLiteral("out/arguments.txt"));
    const QByteArray out = QFile::encodeName(s.argumentsFile);
    writeFileBytes(s.recorder, "#!/bin/sh\n"
                               "for arg in \"$@\"; do printf '%s\\n' \"$arg\"; done > '" + out + ".part'\n"
                               "mv '" + out + ".part' '" + out + "'\n");
    QFile::setPermissions(s.recorder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    s.environment = QProcessEnvironment::systemEnvironment();
    s.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    s.environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), root.filePath(QStringLiteral("config-dirs")));
    s.environment.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    s.environment.insert(QStringLiteral("XDG_DATA_DIRS"), root.filePath(QStringLiteral("data-dirs")));
    s.environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), s.runtimeFolder);
    s.environment.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    // No desktop session: GIO is to neither load remote file systems nor
    // look for a session bus to announce the launch on.
    s.environment.insert(QStringLiteral("GIO_USE_VFS"), QStringLiteral("local"));
    // Nor any of the host's GIO modules (settings backends, proxies).
    s.environment.insert(QStringLiteral("GIO_MODULE_DIR"), root.filePath(QStringLiteral("gio-modules")));
    s.environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                         QStringLiteral("unix:path=") + root.filePath(QStringLiteral("no-bus")));
    return s;
}

namespace {

void writeDesktopEntry(const Scenario &s, const QString &exec, bool claimsHtml, bool noFuse = false)
{
    QByteArray entry = "[Desktop Entry]\nType=Application\nName=Recording Browser\nExec=" + exec.toUtf8() + "\n";
    if (claimsHtml)
        entry += "MimeType=text/html;\n";
    // GIO hands %u and %U a local path unless the entry asks for URIs.
    if (noFuse)
        entry += "X-GIO-NoFuse=true\n";
    writeFileBytes(QDir(s.root).filePath(QStringLiteral("data/applications/kelvane-recorder.desktop")), entry);
}

} // namespace

namespace {

void makeDefaultForHtml(const Scenario &s)
{
    writeFileBytes(QDir(s.root).filePath(QStringLiteral("config/mimeapps.list")),
                   "[Default Applications]\ntext/html=kelvane-recorder.desktop\n");
}

} // namespace

QList<QStringList> tst_browser::runScenario(const Scenario &scenario)
{
    QProcess process;
    process.setProcessEnvironment(scenario.environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(BROWSER_SCENARIO_PATH),
                  {QStringLiteral("--app-folder"), scenario.appFolder, scenario.page});
    QList<QStringList> events;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("scenario helper failed: %s", qPrintable(process.errorString()));
        return events;
    }
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (!line.isEmpty())
            events.append(line.split(QLatin1Char('\t')));
    }
    return events;
}

namespace {

QStringList eventNames(const QList<QStringList> &events)
{
    QStringList names;
    for (const QStringList &event : events)
        names.append(event.constFirst());
    return names;
}

} // namespace

void tst_browser::launchesAssociatedProgram_data()
{
    QTest::addColumn<QString>("fieldCodes");
    QTest::addColumn<QStringList>("leadingArguments");
    QTest::addColumn<bool>("asUri");
    QTest::addColumn<bool>("appFolderWritable");

    QTest::newRow("%f gives the path") << QStringLiteral("%f") << QStringList() << false << true;
    QTest::newRow("%F gives the path") << QStringLiteral("%F") << QStringList() << false << true;
    QTest::newRow("%U gives the path") << QStringLiteral("%U") << QStringList() << false << true;
    QTest::newRow("%U of an entry that takes URIs gives the file URI")
        << QStringLiteral("%U") << QStringList() << true << true;
    QTest::newRow("%u after fixed arguments")
        << QStringLiteral("run --branch=stable org.example.Browser %u")
        << QStringList{"run", "--branch=stable", "org.example.Browser"} << true << true;
    QTest::newRow("probe in the runtime folder when the program folder is closed")
        << QStringLiteral("%f") << QStringList() << false << false;
}

void tst_browser::launchesAssociatedProgram()
{
    if (OnWindows)
        QSKIP("GIO desktop entries and mimeapps.list; the Windows shell is tested in shellResults");
    QFETCH(QString, fieldCodes);
    QFETCH(QStringList, leadingArguments);
    QFETCH(bool, asUri);
    QFETCH(bool, appFolderWritable);
    const Scenario s = prepareScenario(appFolderWritable);
    QVERIFY2(!s.recorder.contains(QLatin1Char(' ')), "the Exec line does not quote the recorder's path");
    writeDesktopEntry(s, s.recorder + QLatin1Char(' ') + fieldCodes, true, asUri);
    makeDefaultForHtml(s);

    const QList<QStringList> events = runScenario(s);

    QCOMPARE(eventNames(events), (QStringList{"find", "found", "started"}));
    const QStringList find = events.constFirst();
    if (appFolderWritable)
        QCOMPARE(find.value(1), QDir(s.appFolder).filePath(QStringLiteral("test.htm")));
    else
        QVERIFY2(find.value(1).startsWith(s.runtimeFolder + QLatin1Char('/')), qPrintable(find.value(1)));
    QCOMPARE(find.value(2), QString::number(probeBytes.size()));
    QCOMPARE(events.at(1).value(1), s.recorder);

    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(s.argumentsFile), 20000);
    QStringList arguments = QString::fromUtf8(readFileBytes(s.argumentsFile)).split(QLatin1Char('\n'));
    QCOMPARE(arguments.takeLast(), QString());
    QCOMPARE(arguments.size(), leadingArguments.size() + 1);
    QCOMPARE(arguments.mid(0, leadingArguments.size()), leadingArguments);
    const QString pageArgument = arguments.constLast();
    if (asUri) {
        QVERIFY2(pageArgument.startsWith(QStringLiteral("file:///")), qPrintable(pageArgument));
        QCOMPARE(QUrl(pageArgument).toLocalFile(), s.page);
    } else {
        QCOMPARE(pageArgument, s.page);
    }

    QVERIFY(!QFile::exists(QDir(s.root).filePath(QStringLiteral("app/test.htm"))));
    QCOMPARE(entriesOf(s.runtimeFolder), QStringList());
}

void tst_browser::startsNothingWithoutUsableAssociation_data()
{
    QTest::addColumn<Association>("association");

    QTest::newRow("no association") << Association::None;
    QTest::newRow("associated program missing") << Association::MissingProgram;
    QTest::newRow("associated program not executable") << Association::ProgramNotExecutable;
}

void tst_browser::startsNothingWithoutUsableAssociation()
{
    if (OnWindows)
        QSKIP("GIO desktop entries and mimeapps.list; the Windows shell is tested in shellResults");
    QFETCH(Association, association);
    const Scenario s = prepareScenario(true);
    switch (association) {
    case Association::None:
        writeDesktopEntry(s, s.recorder + QStringLiteral(" %f"), false);
        break;
    case Association::MissingProgram:
        writeDesktopEntry(s, QDir(s.root).filePath(QStringLiteral("no-browser")) + QStringLiteral(" %f"), true);
        makeDefaultForHtml(s);
        break;
    case Association::ProgramNotExecutable:
        QVERIFY(QFile::setPermissions(s.recorder, QFile::ReadOwner | QFile::WriteOwner));
        writeDesktopEntry(s, s.recorder + QStringLiteral(" %f"), true);
        makeDefaultForHtml(s);
        break;
    }

    const QList<QStringList> events = runScenario(s);

    QVERIFY(!events.isEmpty());
    QVERIFY2(!eventNames(events).contains(QStringLiteral("started")), qPrintable(eventNames(events).join(' ')));
    const QStringList message = events.constLast();
    QCOMPARE(message.value(0), QStringLiteral("message"));
    QCOMPARE(message.value(1), QString::number(int(MessageStyle::Exclamation)));
    const QStringList firstMessage{"message", "48", notFoundTitle, notFoundText};
    const QStringList secondMessage{"message", "48", notOpenedTitle, notOpenedText};
    if (association == Association::None)
        QCOMPARE(message, firstMessage);
    else
        QVERIFY2(message == firstMessage || message == secondMessage, qPrintable(message.join(' ')));
    QCOMPARE(eventNames(events).count(QStringLiteral("message")), 1);
    QVERIFY(!QFile::exists(s.argumentsFile));
    QCOMPARE(entriesOf(s.appFolder), QStringList());
}

void tst_browser::shellResults_data()
{
    QTest::addColumn<bool>("find");        // ask for a program, else start one
    QTest::addColumn<QString>("target");   // the probe's name, or the program's path
    QTest::addColumn<bool>("succeeds");

    QTest::newRow("no program for the type: not found") << true << QStringLiteral("probe.kelvane-none") << false;
    QTest::newRow("program that is not there: not started")
        << false << QStringLiteral("C:\\no such folder\\browser.exe") << false;
}

// The Windows shell's answers as the service reads them: at most 32 is a
// failure, whichever of the two calls gave it.
void tst_browser::shellResults()
{
    if (!OnWindows)
        QSKIP("the Windows shell's FindExecutable and ShellExecute");
    QFETCH(bool, find);
    QFETCH(QString, target);
    QFETCH(bool, succeeds);
    BrowserService &shell = Browser::platformService();
    if (find) {
        const QString probe = QDir(m_runtimeFolder).filePath(target);
        QVERIFY(writeFileBytes(probe, probeBytes));
        QCOMPARE(shell.findProgram(probe).has_value(), succeeds);
        QVERIFY(QFile::remove(probe));
    } else {
        const BrowserProgram program{target, QString(), {}};
        QCOMPARE(shell.start(program, m_dir.filePath(QStringLiteral("page.html")), nullptr), succeeds);
    }
}

void tst_browser::shellPassesPageAsOneArgument_data()
{
    QTest::addColumn<QString>("page");

    QTest::newRow("plain path") << QStringLiteral("C:\\Pictures\\Trip.html");
    QTest::newRow("spaces in folder and name") << QStringLiteral("D:\\My pictures\\summer holiday.html");
    QTest::newRow("blanks around the typed name") << QStringLiteral("C:\\Pictures\\  trip  .html");
    QTest::newRow("drive root: two backslashes") << QStringLiteral("C:\\\\Trip.html");
    QTest::newRow("tab in the typed name") << QStringLiteral("C:\\Pictures\\a\tb.html");
    QTest::newRow("quotes and percent in the typed name")
        << QStringLiteral("C:\\Pictures\\\"a\" 100% b.html");
    QTest::newRow("backslashes before a quote") << QStringLiteral("C:\\Pictures\\\\\"a.html");
}

// What the started program reads from its command line, as the C runtime
// splits it: the page path whole, whatever it holds.
void tst_browser::shellPassesPageAsOneArgument()
{
#ifndef Q_OS_WIN
    QSKIP("the Windows shell's ShellExecute and command lines");
#else
    QFETCH(QString, page);
    // The recorder writes beside itself; a space in its own path too.
    const QString folder = newFolder(QStringLiteral("my browser"));
    const QString recorder = QDir(folder).filePath(QStringLiteral("browser.exe"));
    QVERIFY(QFile::copy(QStringLiteral(ARGUMENT_RECORDER_PATH), recorder));
    const QString record = QDir(folder).filePath(QStringLiteral("browser.args"));

    const BrowserProgram program{QDir::toNativeSeparators(recorder), QString(), {}};
    QVERIFY(Browser::platformService().start(program, page, nullptr));

    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
    QStringList lines = QString::fromUtf8(readFileBytes(record)).split(QLatin1Char('\n'));
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines.mid(1), QStringList{page});
#endif
}

QTEST_MAIN(tst_browser)
#include "tst_browser.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profilefile.h"
#include "settings/settingsfile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// The tests of the file format our own reader and writer keep on Linux. On
// Windows the system's profile functions do that work; the windows* tests
// cover it there.
#define SKIP_ON_WINDOWS() \
    do { \
        if (OnWindows) \
            QSKIP("the Linux settings file; Windows uses its profile functions"); \
    } while (false)

namespace {

const QString defaults = QStringLiteral("Defaults");
const QString filesDir = QStringLiteral("FilesDir");

// A file with everything a hand-edited file may hold around the key.
const QByteArray busyFile = "; Kelvane settings\r\n"
                            "\r\n"
                            "[Window]\r\n"
                            "Left = 120\r\n"
                            "[ defaults ]  \r\n"
                            "  Other=1;2\r\n"
                            "   filesdir   =   /old/place/   \r\n"
                            "; FilesDir=/commented/\r\n"
                            "\r\n"
                            "[Last]\r\n"
                            "x=\"y\"";

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class tst_settings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void read_data();
    void read();
    void readWithoutReadableFile();

    void write_data();
    void write();
    void storedFolderRoundTrip_data();
    void storedFolderRoundTrip();
    void valueRoundTrip_data();
    void valueRoundTrip();
    void oddContentKeptByteForByte_data();
    void oddContentKeptByteForByte();

    void failedWriteLeavesFile_data();
    void failedWriteLeavesFile();
    void readOnlyFileKept();

    void filePathFollowsConfigHome_data();
    void filePathFollowsConfigHome();

    void windowsFilePath();
    void windowsRoundTrip_data();
    void windowsRoundTrip();
    void windowsFallback_data();
    void windowsFallback();

private:
    QString iniPath() const { return m_dir.filePath(QStringLiteral("Kelvane.INI")); }
    QTemporaryDir m_dir;
};

void tst_settings::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_settings::cleanup()
{
    QDir(m_dir.path()).removeRecursively();
    QVERIFY(QDir().mkpath(m_dir.path()));
}

void tst_settings::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");

    const QString trip = QStringLiteral("/home/u/Pictures/Trip/");
    QTest::newRow("plain") << QByteArray("[Defaults]\r\nFilesDir=/home/u/Pictures/Trip/\r\n") << trip;
    QTest::newRow("names in other case") << QByteArray("[DEFAULTS]\nfilesdir=/home/u/Pictures/Trip/\n") << trip;
    QTest::newRow("spaces around names and value")
        << QByteArray(" [  Defaults\t] ; note\n \tFilesDir \t=  /home/u/Pictures/Trip/ \t\n") << trip;
    QTest::newRow("unterminated last line") << QByteArray("[Defaults]\nFilesDir=/home/u/Pictures/Trip/") << trip;
    QTest::newRow("double quotes removed") << QByteArray("[Defaults]\nFilesDir=\" /a b/ \"\n") << " /a b/ ";
    QTest::newRow("single quotes removed") << QByteArray("[Defaults]\nFilesDir='/a/'\n") << "/a/";
    QTest::newRow("only one pair removed") << QByteArray("[Defaults]\nFilesDir=\"\"/a/\"\"\n") << "\"/a/\"";
    QTest::newRow("unmatched quotes kept") << QByteArray("[Defaults]\nFilesDir=\"/a/'\n") << "\"/a/'";
    QTest::newRow("inner quotes kept") << QByteArray("[Defaults]\nFilesDir=/it's \"here\"/\n") << "/it's \"here\"/";
    QTest::newRow("semicolon is data") << QByteArray("[Defaults]\nFilesDir=/a;b/ ; not a comment\n")
                                       << "/a;b/ ; not a comment";
    QTest::newRow("commented key ignored") << QByteArray("[Defaults]\n ;FilesDir=/no/\nFilesDir=/yes/\n") << "/yes/";
    QTest::newRow("empty value") << QByteArray("[Defaults]\nFilesDir=\nFilesDir=/later/\n") << QString();
    QTest::newRow("key before any section") << QByteArray("FilesDir=/no/\n[Defaults]\n") << QString();
    QTest::newRow("key of another section") << QByteArray("[Defaults]\n[Other]\nFilesDir=/no/\n") << QString();
    QTest::newRow("missing section") << QByteArray("[Window]\nFilesDir=/no/\n") << QString();
    QTest::newRow("missing key") << QByteArray("[Defaults]\nFilesDirs=/no/\nFiles Dir=/no/\n") << QString();
    QTest::newRow("empty file") << QByteArray("") << QString();
    QTest::newRow("byte-order mark before the header")
        << QByteArray("\xEF\xBB\xBF[Defaults]\r\nFilesDir=/home/u/Pictures/Trip/\r\n") << trip;
    QTest::newRow("first of duplicate keys") << QByteArray("[Defaults]\nFilesDir=/1/\nFilesDir=/2/\n") << "/1/";
    QTest::newRow("duplicate section, first holds key")
        << QByteArray("[Defaults]\nFilesDir=/1/\n[Defaults]\nFilesDir=/2/\n") << "/1/";
    QTest::newRow("duplicate section, second holds key")
        << QByteArray("[Defaults]\nOther=1\n[Defaults]\nFilesDir=/2/\n") << "/2/";
    QTest::newRow("UTF-8 value") << QByteArray("[Defaults]\nFilesDir=/home/\xc3\xa9t\xc3\xa9/\xe2\x9c\x93/\n")
                                 << QStringLiteral("/home/\u00e9t\u00e9/\u2713/");
    QTest::newRow("value that is not UTF-8 is ignored") << QByteArray("[Defaults]\nFilesDir=/caf\xe9/\n") << "";
    QTest::newRow("overlong UTF-8 is ignored") << QByteArray("[Defaults]\nFilesDir=/a\xc0\xaf/\n") << "";
    QTest::newRow("NUL bytes around")
        << QByteArray("\0\0[x]\0\n[Defaults]\nFilesDir=/a/\n\0=\0\n", 31) << "/a/";

    // A folder at the path limit and its separator: 4,096 bytes, read whole.
    const QString longest = QStringLiteral("/") + QString(4094, QLatin1Char('x')) + QStringLiteral("/");
    QTest::newRow("longest path read whole") << QByteArray("[Defaults]\nFilesDir=" + longest.toLatin1() + "\n")
                                             << longest;
    QTest::newRow("one byte past the limit cut to 254")
        << QByteArray("[Defaults]\nFilesDir=" + longest.toLatin1() + "x\n") << longest.left(254);
    const QString pairAtEdge = QString(253, QLatin1Char('a')) + QStringLiteral("\U0001F600") + longest;
    QTest::newRow("surrogate pair at the cut is dropped whole")
        << QByteArray("[Defaults]\nFilesDir=" + pairAtEdge.toUtf8() + "\n") << QString(253, QLatin1Char('a'));
}

void tst_settings::read()
{
    SKIP_ON_WINDOWS();
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);

    QVERIFY(writeFileBytes(iniPath(), content));
    QCOMPARE(Settings::readStoredFolder(iniPath()), expected);
}

void tst_settings::readWithoutReadableFile()
{
    SKIP_ON_WINDOWS();
    QCOMPARE(Settings::readStoredFolder(iniPath()), QString());
    QVERIFY(QDir().mkpath(iniPath()));
    QCOMPARE(Settings::readStoredFolder(iniPath()), QString());
}

void tst_settings::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QByteArray replaced = busyFile;
    replaced.replace("/old/place/   ", "/home/u/Pictures/Trip/");
    QTest::newRow("key replaced in place") << busyFile << replaced;

    QTest::newRow("new file uses CR LF")
        << QByteArray() << QByteArray("[Defaults]\r\nFilesDir=/home/u/Pictures/Trip/\r\n");
    QTest::newRow("key added after the section's last entry")
        << QByteArray("[Defaults]\r\nA=1\r\n; about B\r\n\r\n[B]\r\nB=2\r\n")
        << QByteArray("[Defaults]\r\nA=1\r\nFilesDir=/home/u/Pictures/Trip/\r\n; about B\r\n\r\n[B]\r\nB=2\r\n");
    QTest::newRow("key added after a bare header")
        << QByteArray("[Defaults]\n\n[B]\n")
        << QByteArray("[Defaults]\nFilesDir=/home/u/Pictures/Trip/\n\n[B]\n");
    QTest::newRow("key added to an unterminated last line")
        << QByteArray("[Defaults]\nA=1")
        << QByteArray("[Defaults]\nA=1\nFilesDir=/home/u/Pictures/Trip/\n");
    QTest::newRow("section added to an LF file")
        << QByteArray("; only a comment\n[A]\r\nB=1")
        << QByteArray("; only a comment\n[A]\r\nB=1\n[Defaults]\nFilesDir=/home/u/Pictures/Trip/\n");
    QTest::newRow("each line keeps its own end")
        << QByteArray("[Defaults]\r\nA=1\nFilesDir=/x/\r\nB=2\n")
        << QByteArray("[Defaults]\r\nA=1\nFilesDir=/home/u/Pictures/Trip/\r\nB=2\n");
    QTest::newRow("name and spacing of the key kept")
        << QByteArray("[Defaults]\r\n  FILESDIR =\t'/x/'\r\n")
        << QByteArray("[Defaults]\r\n  FILESDIR =\t/home/u/Pictures/Trip/\r\n");
    QTest::newRow("duplicate section, key replaced where it is read")
        << QByteArray("[Defaults]\r\nA=1\r\n[Defaults]\r\nFilesDir=/x/\r\n")
        << QByteArray("[Defaults]\r\nA=1\r\n[Defaults]\r\nFilesDir=/home/u/Pictures/Trip/\r\n");
    QTest::newRow("byte-order mark kept, header still found")
        << QByteArray("\xEF\xBB\xBF[Defaults]\nOther=1\n") << QByteArray("\xEF\xBB\xBF[Defaults]\nOther=1\nFilesDir=/home/u/Pictures/Trip/\n");
    QTest::newRow("duplicate section, missing key goes to the first")
        << QByteArray("[Defaults]\r\nA=1\r\n[Defaults]\r\nB=2\r\n")
        << QByteArray("[Defaults]\r\nA=1\r\nFilesDir=/home/u/Pictures/Trip/\r\n[Defaults]\r\nB=2\r\n");
}

void tst_settings::write()
{
    SKIP_ON_WINDOWS();
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    if (!before.isNull())
        QVERIFY(writeFileBytes(iniPath(), before));
    Settings::writeStoredFolder(QStringLiteral("/home/u/Pictures/Trip"), iniPath());
    QCOMPARE(readFileBytes(iniPath()), after);
    // An empty folder box stores nothing, rather than "/".
    Settings::writeStoredFolder(QString(), iniPath());
    QCOMPARE(readFileBytes(iniPath()), after);
    QCOMPARE(entries(m_dir.path()), QStringList{QStringLiteral("Kelvane.INI")});
}

void tst_settings::storedFolderRoundTrip_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("stored");

    QTest::newRow("ordinary folder") << "/home/u/Pictures/Trip" << "/home/u/Pictures/Trip/";
    QTest::newRow("root folder gives two separators") << "/" << "//";
    QTest::newRow("quotes, semicolon, equals and spaces")
        << "/a 'b' \"c\"=;d " << "/a 'b' \"c\"=;d /";
    QTest::newRow("non-ASCII names") << QStringLiteral("/home/u/\u00dcrlaub \u2713") << QStringLiteral("/home/u/\u00dcrlaub \u2713/");
    const QString longest = QStringLiteral("/") + QString(2047, QChar(0x00e9));
    QTest::newRow("folder of 4,095 bytes") << longest << longest + QLatin1Char('/');
}

void tst_settings::storedFolderRoundTrip()
{
    SKIP_ON_WINDOWS();
    QFETCH(QString, folder);
    QFETCH(QString, stored);

    // Through a folder that does not exist yet, as on a first run.
    const QString path = m_dir.filePath(QStringLiteral("config/sub/Kelvane.INI"));
    Settings::writeStoredFolder(folder, path);
    QCOMPARE(Settings::readStoredFolder(path), stored);
    // Written twice, the file holds one key.
    Settings::writeStoredFolder(folder, path);
    QCOMPARE(readFileBytes(path), "[Defaults]\r\nFilesDir=" + stored.toUtf8() + "\r\n");
}

void tst_settings::valueRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("spaces at the ends") << "  padded \t" << QByteArray("k=\"  padded \t\"");
    QTest::newRow("enclosing single quotes") << "'q'" << QByteArray("k=\"'q'\"");
    QTest::newRow("two double quotes") << "\"\"" << QByteArray("k=\"\"\"\"");
    QTest::newRow("empty") << QString() << QByteArray("k=");
}

void tst_settings::valueRoundTrip()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, line);

    ProfileFile file(iniPath());
    QVERIFY(file.writeString(QStringLiteral("s"), QStringLiteral("k"), value));
    QCOMPARE(file.readString(QStringLiteral("S"), QStringLiteral("K")), value);
    QCOMPARE(readFileBytes(iniPath()), "[s]\r\n" + line + "\r\n");
}

void tst_settings::oddContentKeptByteForByte_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("tail");

    QByteArray everyByte;
    for (int c = 0; c < 256; ++c)
        everyByte += char(c);
    everyByte.replace('\n', "\r\r");

    QTest::newRow("300 KB lines") << "x=" + QByteArray(300 << 10, 'a') + "\r\n"
                                  << "; " + QByteArray(300 << 10, ';') + "\r\n" + QByteArray(300 << 10, 'b');
    QTest::newRow("binary garbage with NUL bytes")
        << everyByte + "\r\n" + QByteArray("\0\xff\xfe=\0\r\n", 7)
        << QByteArray("\0\0\0", 3) + everyByte;
}

void tst_settings::oddContentKeptByteForByte()
{
    SKIP_ON_WINDOWS();
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, tail);

    const QByteArray section = "[Defaults]\r\n";
    QVERIFY(writeFileBytes(iniPath(), head + section + "FilesDir=/old/\r\n" + tail));
    QCOMPARE(Settings::readStoredFolder(iniPath()), QStringLiteral("/old/"));

    Settings::writeStoredFolder(QStringLiteral("/new"), iniPath());
    QCOMPARE(readFileBytes(iniPath()), head + section + "FilesDir=/new/\r\n" + tail);
    QCOMPARE(Settings::readStoredFolder(iniPath()), QStringLiteral("/new/"));
}

void tst_settings::failedWriteLeavesFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("value");

    QTest::newRow("path through a regular file") << "Kelvane.INI/Kelvane.INI" << "/a";
    QTest::newRow("folder where the file should be") << "folder" << "/a";
    QTest::newRow("LF in the value") << "Kelvane.INI" << "/a\n[Defaults]\nFilesDir=/b";
    QTest::newRow("CR in the value") << "Kelvane.INI" << "/a\rb";
}

void tst_settings::failedWriteLeavesFile()
{
    SKIP_ON_WINDOWS();
    QFETCH(QString, target);
    QFETCH(QString, value);

    const QByteArray content = "[Defaults]\r\nFilesDir=/old/\r\n";
    QVERIFY(writeFileBytes(iniPath(), content));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("folder"))));
    const QStringList before = entries(m_dir.path());

    const QString path = m_dir.filePath(target);
    QVERIFY(!ProfileFile(path).writeString(defaults, filesDir, value));
    Settings::writeStoredFolder(value, path);

    QCOMPARE(readFileBytes(iniPath()), content);
    QCOMPARE(entries(m_dir.path()), before);
    QVERIFY(entries(m_dir.filePath(QStringLiteral("folder"))).isEmpty());
}

void tst_settings::readOnlyFileKept()
{
    SKIP_ON_WINDOWS();
    const QByteArray content = "[Defaults]\r\nFilesDir=/old/\r\n";
    QVERIFY(writeFileBytes(iniPath(), content));
    QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner));

    QVERIFY(!ProfileFile(iniPath()).writeString(defaults, filesDir, QStringLiteral("/new/")));
    QCOMPARE(readFileBytes(iniPath()), content);
    QCOMPARE(Settings::readStoredFolder(iniPath()), QStringLiteral("/old/"));
    QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner));
}

void tst_settings::filePathFollowsConfigHome_data()
{
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QByteArray>("configHome"); // null: unset
    QTest::addColumn<QString>("expected");

    const QByteArray home = "/home/tester";
    const QString inHome = QStringLiteral("/home/tester/.config/Kelvane.INI");
    QTest::newRow("set") << home << QByteArray("/tmp/some config") << "/tmp/some config/Kelvane.INI";
    QTest::newRow("empty") << home << QByteArray("") << inHome;
    QTest::newRow("unset") << home << QByteArray() << inHome;
    QTest::newRow("relative config home ignored") << home << QByteArray("relcfg") << inHome;
    QTest::newRow("config home not UTF-8 ignored") << home << QByteArray("/tmp/caf\xe9") << inHome;
    QTest::newRow("root as home") << QByteArray("/") << QByteArray() << "/.config/Kelvane.INI";
    QTest::newRow("no home, relative config home: none") << QByteArray() << QByteArray("relcfg") << "";
    QTest::newRow("relative home: none") << QByteArray("tester") << QByteArray() << "";
}

void tst_settings::filePathFollowsConfigHome()
{
    SKIP_ON_WINDOWS();
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, configHome);
    QFETCH(QString, expected);

    const QByteArray oldHome = qgetenv("HOME");
    const bool hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray oldConfigHome = qgetenv("XDG_CONFIG_HOME");
    const QString oldCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));

    auto setOrUnset = [](const char *name, const QByteArray &value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    setOrUnset("HOME", home);
    setOrUnset("XDG_CONFIG_HOME", configHome);
    const QString path = Settings::filePath();
    // Without a place for the file nothing is written, here or anywhere.
    Settings::writeStoredFolder(QStringLiteral("/x"));
    const QString stored = Settings::readStoredFolder();

    setOrUnset("HOME", oldHome);
    setOrUnset("XDG_CONFIG_HOME", hadConfigHome ? oldConfigHome : QByteArray());
    QDir::setCurrent(oldCurrent);
    QCOMPARE(path, expected);
    if (expected.isEmpty()) {
        QCOMPARE(stored, QString());
        QCOMPARE(entries(m_dir.path()), QStringList());
    }
}

#ifdef Q_OS_WIN
namespace {

// A test folder stands in for the Windows folder: the user's own
// Kelvane.INI there stays untouched.
void writeLegacy(const QString &path, const QString &value)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    ::WritePrivateProfileStringW(L"Defaults", L"FilesDir", reinterpret_cast<const wchar_t *>(value.utf16()),
                                 reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()));
    // Flushes the system's cached copy.
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr,
                                 reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()));
}

} // namespace
#endif

namespace {

// The file's text: UTF-16 after its byte-order mark.
QString unicodeText(const QByteArray &bytes)
{
    if (!bytes.startsWith("\xFF\xFE"))
        return QStringLiteral("(no UTF-16 byte-order mark)");
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2);
}

} // namespace

void tst_settings::windowsFilePath()
{
    if (!OnWindows)
        QSKIP("%APPDATA% is a Windows folder");
    const QByteArray previous = qgetenv("APPDATA");
    qputenv("APPDATA", QDir::toNativeSeparators(m_dir.path()).toLocal8Bit());
    const QString path = Settings::filePath();
    qputenv("APPDATA", previous);
    QCOMPARE(path, m_dir.filePath(QStringLiteral("Kelvane.INI")));
}

void tst_settings::windowsRoundTrip_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("stored");
    QTest::newRow("folder gets one backslash") << "C:/Pictures/Trip" << "C:\\Pictures\\Trip\\";
    QTest::newRow("drive root gives two") << "C:/" << "C:\\\\";
    QTest::newRow("spaces and a semicolon") << "D:/My Pictures/a;b" << "D:\\My Pictures\\a;b\\";
    QTest::newRow("Greek folder comes back whole")
        << QStringLiteral("C:/\u03a6\u03c9\u03c4\u03bf\u03b3\u03c1\u03b1\u03c6\u03af\u03b5\u03c2/\u03a4\u03b1\u03be\u03af\u03b4\u03b9")
        << QStringLiteral("C:\\\u03a6\u03c9\u03c4\u03bf\u03b3\u03c1\u03b1\u03c6\u03af\u03b5\u03c2\\\u03a4\u03b1\u03be\u03af\u03b4\u03b9\\");
    QTest::newRow("Japanese folder comes back whole") << QStringLiteral("C:/\u5199\u771f/\u65c5\u884c")
                                                      << QStringLiteral("C:\\\u5199\u771f\\\u65c5\u884c\\");
    const QString deep = QStringLiteral("/one folder of thirty").repeated(30);
    QTest::newRow("folder of 632 characters comes back whole")
        << QStringLiteral("C:") + deep << QStringLiteral("C:") + QDir::toNativeSeparators(deep) + QStringLiteral("\\");
    const QString d252(252, QLatin1Char('d'));
    QTest::newRow("folder of 255 characters comes back whole")
        << QStringLiteral("C:/") + d252 << QStringLiteral("C:\\") + d252 + QStringLiteral("\\");
    const QString x40k(40000, QLatin1Char('x'));
    QTest::newRow("value too long for any path cut to 254")
        << QStringLiteral("C:/") + x40k << QStringLiteral("C:\\") + x40k.left(251);
}

void tst_settings::windowsRoundTrip()
{
    if (!OnWindows)
        QSKIP("the Windows profile functions");
    QFETCH(QString, folder);
    QFETCH(QString, stored);
    const QString path = m_dir.filePath(QStringLiteral("roaming/Kelvane.INI"));
    Settings::writeStoredFolder(folder, path);
    QCOMPARE(unicodeText(readFileBytes(path)), QStringLiteral("[Defaults]\r\nFilesDir=")
                 + QDir::toNativeSeparators(folder + QLatin1Char('/')) + QStringLiteral("\r\n"));
    QCOMPARE(Settings::readStoredFolder(path), stored);
    // A second run stores over the first; nothing else changes.
    Settings::writeStoredFolder(QStringLiteral("E:/Other"), path);
    QCOMPARE(Settings::readStoredFolder(path), QStringLiteral("E:\\Other\\"));
}

void tst_settings::windowsFallback_data()
{
    QTest::addColumn<QByteArray>("roaming"); // the file in %APPDATA%; null: none
    QTest::addColumn<QString>("legacy");     // FilesDir in the Windows folder's file; empty: none
    QTest::addColumn<QString>("expected");
    QTest::newRow("no file in APPDATA: the Windows folder's")
        << QByteArray() << "C:\\Old\\" << "C:\\Old\\";
    QTest::newRow("APPDATA file without the key: the Windows folder's")
        << QByteArray("[Defaults]\r\nOther=1\r\n") << "C:\\Old\\" << "C:\\Old\\";
    QTest::newRow("APPDATA's value wins") << QByteArray("[Defaults]\r\nFilesDir=C:\\New\\\r\n") << "C:\\Old\\"
                                          << "C:\\New\\";
    QTest::newRow("neither: nothing stored") << QByteArray() << QString() << QString();
}

void tst_settings::windowsFallback()
{
#ifndef Q_OS_WIN
    QSKIP("the Windows folder's Kelvane.INI");
#else
    QFETCH(QByteArray, roaming);
    QFETCH(QString, legacy);
    QFETCH(QString, expected);
    const QString path = iniPath();
    const QString legacyPath = m_dir.filePath(QStringLiteral("Windows/Kelvane.INI"));
    if (!roaming.isNull())
        QVERIFY(writeFileBytes(path, roaming));
    if (!legacy.isEmpty())
        writeLegacy(legacyPath, legacy);
    QCOMPARE(Settings::readStoredFolder(path, legacyPath), expected);
    // Reading never writes either file.
    QCOMPARE(QFile::exists(path), !roaming.isNull());
#endif
}

QTEST_GUILESS_MAIN(tst_settings)
#include "tst_settings.moc"

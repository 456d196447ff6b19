// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/durablefile.h"
#include "toolkit/replacedfile.h"
#include "toolkit/scopedoverride.h"
#include "toolkit/textfile.h"
#include "page/pagewriter.h"
#include "page/replaceall.h"
#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The replacement done the plain way, splicing the text at each
// occurrence. Slow, but obviously right within the limits.
QString referenceReplaceAll(QString text, const QString &find, const QString &replacement)
{
    qsizetype p = text.indexOf(find, 0, Qt::CaseInsensitive);
    while (p >= 0) {
        text = text.left(p) + replacement + text.mid(p + find.size());
        p = text.indexOf(find, p, Qt::CaseInsensitive);
    }
    return text;
}

} // namespace

class tst_page : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void replaceAll_data();
    void replaceAll();
    void replaceAllNullText();
    void replaceAllLeavesCallerTextWhenNothingFound();
    void replaceAllOutsideLimits_data();
    void replaceAllOutsideLimits();
    void replaceAllMatchesReferenceOnRandomText();

    void textFileServices();

    void workedExample_data();
    void workedExample();
    void pageLineShapes_data();
    void pageLineShapes();
    void pagePath_data();
    void pagePath();
    void fileNamesInItemLines_data();
    void fileNamesInItemLines();

    void spacesOnlyNameWritesNothing();
    void nameWithDotsGetsSecondExtension();
    void sameBuildTwiceIsByteIdentical();
    void otherKindReplacesPage();
    void longDescriptionBeyondSixteenBitPositions();
    void failedWriteLeavesEarlierPage_data();
    void failedWriteLeavesEarlierPage();
    void readOnlyPageIsKept_data();
    void readOnlyPageIsKept();
    void replaceFaults_data();
    void replaceFaults();
    void rebuildLeavesOnlyThePage_data();
    void rebuildLeavesOnlyThePage();

private:
    QString folder(const QString &name);
    QTemporaryDir m_dir;
};

void tst_page::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString tst_page::folder(const QString &name)
{
    const QString path = m_dir.filePath(name);
    QDir().mkpath(path);
    return path;
}

void tst_page::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    const QString br = QStringLiteral("<BR>");
    const QString nl = QStringLiteral("\r\n");
    QTest::newRow("line break between words") << "a\r\nb" << nl << br << "a<BR>b";
    QTest::newRow("two line breaks") << "\r\n\r\n" << nl << br << "<BR><BR>";
    QTest::newRow("text ending in a line break") << "end\r\n" << nl << br << "end<BR>";
    QTest::newRow("only a line break") << "\r\n" << nl << br << "<BR>";
    QTest::newRow("lone CR before a line break stays") << "\r\r\n" << nl << br << "\r<BR>";
    QTest::newRow("lone LF after a line break stays") << "\r\n\n" << nl << br << "<BR>\n";
    QTest::newRow("no occurrence") << "plain text" << nl << br << "plain text";
    QTest::newRow("empty text") << "" << nl << br << "";
    QTest::newRow("case is ignored") << "AB ab Ab" << "ab" << "x" << "x x x";
    QTest::newRow("search restarts inside the replacement") << "aaaa" << "aa" << "a" << "a";
    QTest::newRow("occurrence runs from replacement into text") << "abb" << "ab" << "xa" << "xxa";
    QTest::newRow("replacement longer than find") << "a-b-c" << "-" << "<+>" << "a<+>b<+>c";
    QTest::newRow("replacement empty") << "a\r\nb\r\n" << nl << "" << "ab";
}

void tst_page::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);

    QString inOut = text;
    const QString result = Module1::ReplaceAll(inOut, find, replacement);
    QCOMPARE(result, expected);
    QCOMPARE(result, referenceReplaceAll(text, find, replacement));
    QCOMPARE(inOut, expected);
}

void tst_page::replaceAllNullText()
{
    QString null;
    const QString result = Module1::ReplaceAll(null, QStringLiteral("\r\n"), QStringLiteral("<BR>"));
    QVERIFY(!result.isNull());
    QVERIFY(result.isEmpty());
    QVERIFY(null.isNull());
}

void tst_page::replaceAllLeavesCallerTextWhenNothingFound()
{
    QString text = QStringLiteral("nothing to do");
    const QChar *before = text.constData();
    Module1::ReplaceAll(text, QStringLiteral("zz"), QStringLiteral("y"));
    // The caller's text is not even detached when nothing was replaced.
    QCOMPARE(text.constData(), before);
}

void tst_page::replaceAllOutsideLimits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty find returns the text") << "abc" << "" << "x" << "abc";
    QTest::newRow("replacement contains find") << "a.b.c" << "." << ".." << "a..b..c";
    QTest::newRow("replacement contains find in other case") << "xAx" << "a" << "[A]" << "x[A]x";
    QTest::newRow("replacement equals find") << "\r\n\r\n" << "\r\n" << "\r\n" << "\r\n\r\n";
    const QString longText = QString(40000, QLatin1Char('x')) + QStringLiteral("\r\nend\r\n");
    QTest::newRow("line break beyond 32767") << longText << "\r\n" << "<BR>"
                                             << QString(40000, QLatin1Char('x')) + QStringLiteral("<BR>end<BR>");
}

void tst_page::replaceAllOutsideLimits()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(Module1::ReplaceAll(text, find, replacement), expected);
}

void tst_page::replaceAllMatchesReferenceOnRandomText()
{
    // Small alphabets make overlapping and case-folded matches common.
    QRandomGenerator rng(20261207);
    const QString alphabet = QStringLiteral("aAbB\r\n");
    auto randomText = [&](int maxLength) {
        QString s;
        const int length = rng.bounded(maxLength + 1);
        for (int i = 0; i < length; ++i)
            s += alphabet.at(rng.bounded(alphabet.size()));
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const QString text = randomText(24);
        QString find = randomText(3);
        if (find.isEmpty())
            find = QStringLiteral("a");
        const QString replacement = randomText(4);
        if (replacement.contains(find, Qt::CaseInsensitive))
            continue;
        QString inOut = text;
        const QString got = Module1::ReplaceAll(inOut, find, replacement);
        const QString want = referenceReplaceAll(text, find, replacement);
        if (got != want)
            QFAIL(qPrintable(QStringLiteral("text %1 find %2 replacement %3: got %4, want %5")
                                 .arg(QString::fromLatin1(text.toUtf8().toPercentEncoding()),
                                      QString::fromLatin1(find.toUtf8().toPercentEncoding()),
                                      QString::fromLatin1(replacement.toUtf8().toPercentEncoding()),
                                      QString::fromLatin1(got.toUtf8().toPercentEncoding()),
                                      QString::fromLatin1(want.toUtf8().toPercentEncoding()))));
    }
}

void tst_page::textFileServices()
{
    const QString path = folder(QStringLiteral("textfile")) + QStringLiteral("/out.txt");
    QVERIFY(writeFileBytes(path, "old content that is longer than the new one"));
    TextFile file(path);
    QVERIFY(file.open());
    QVERIFY(file.print(QStringLiteral("plain é")));
    QVERIFY(file.write(QStringLiteral("<HTML> <\\HTML>")));
    QVERIFY(file.close());
    QCOMPARE(readFileBytes(path), QByteArray("plain \xc3\xa9\r\n\"<HTML> <\\HTML>\"\r\n"));
}

void tst_page::workedExample_data()
{
    QTest::addColumn<PageKind>("kind");
    QTest::addColumn<QByteArray>("expected");

    const QList<QByteArray> head = {
        "<Title>Trip</Title>", "<Font Size=4>", "<Heading>Trip</Heading><BR><BR>", "</Font>",
        "<Font Size=3>",       "Day one<BR>sunny<BR><BR>",
    };
    QTest::newRow("page of images")
        << PageKind::Images
        << crlfLines(head + QList<QByteArray>{"Beach<BR><BR>", "<img src=\"a.jpg\"><P><BR>", "<BR><BR>",
                                              "<img src=\"b.jpg\"><P><BR>", "</Font>"});
    QTest::newRow("page of links")
        << PageKind::Links
        << crlfLines(head + QList<QByteArray>{"<A HREF=\"a.jpg\">a.jpg</A>&nbsp&nbsp ", "Beach<BR><BR>",
                                              "<A HREF=\"b.jpg\">b.jpg</A>&nbsp&nbsp ", "<BR><BR>", "</Font>"});
}

void tst_page::workedExample()
{
    QFETCH(PageKind, kind);
    QFETCH(QByteArray, expected);

    MessageRecorder recorder;
    PageInput input;
    input.folder = folder(QStringLiteral("pics"));
    input.pageName = QStringLiteral("  Trip ");
    input.pageDescription = QStringLiteral("Day one\r\nsunny");
    input.pageList = {QStringLiteral("a.jpg"), QStringLiteral("b.jpg")};
    input.slotDescriptions = {QStringLiteral("Beach"), QString()};
    input.kind = kind;

    const Page::BuildOutcome outcome = Page::buildPage(input);
    QCOMPARE(outcome.result, Page::BuildResult::Written);
    QCOMPARE(input.pageName, QStringLiteral("Trip"));
    QCOMPARE(outcome.path, QDir::toNativeSeparators(input.folder + QStringLiteral("/Trip.html")));
    QCOMPARE(readFileBytes(outcome.path), expected);
    QVERIFY(recorder.messages.isEmpty());
}

void tst_page::pageLineShapes_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("pageList");
    QTest::addColumn<QStringList>("slotTexts");
    QTest::addColumn<QStringList>("expectedBody"); // the lines after "<Font Size=3>"

    QTest::newRow("empty page list, no description") << QString() << QStringList() << QStringList()
                                                     << QStringList{"</Font>"};
    QTest::newRow("description of one space is written")
        << " " << QStringList() << QStringList() << QStringList{" <BR><BR>", "</Font>"};
    QTest::newRow("description ending in a line break")
        << "end\r\n" << QStringList() << QStringList() << QStringList{"end<BR><BR><BR>", "</Font>"};
    QTest::newRow("lone CR and lone LF stay")
        << "a\rb\nc" << QStringList() << QStringList() << QStringList{"a\rb\nc<BR><BR>", "</Font>"};
    QTest::newRow("three items on a board of five slots")
        << QString() << QStringList{"a.jpg", "b.jpg", "c.jpg"} << QStringList{"1", "2", "3", "4", "5"}
        << QStringList{"1<BR><BR>", "<img src=\"a.jpg\"><P><BR>", "2<BR><BR>", "<img src=\"b.jpg\"><P><BR>",
                       "3<BR><BR>", "<img src=\"c.jpg\"><P><BR>", "</Font>"};
    QTest::newRow("items without a slot get no description")
        << QString() << QStringList{"a.jpg", "b.jpg"} << QStringList{"one\r\ntwo"}
        << QStringList{"one<BR>two<BR><BR>", "<img src=\"a.jpg\"><P><BR>", "<BR><BR>",
                       "<img src=\"b.jpg\"><P><BR>", "</Font>"};
    QTest::newRow("markup in descriptions is kept")
        << "<b>bold</b> & \"q\"" << QStringList{"my pic.jpg"} << QStringList{"<i>x</i>"}
        << QStringList{"<b>bold</b> & \"q\"<BR><BR>", "<i>x</i><BR><BR>", "<img src=\"my pic.jpg\"><P><BR>",
                       "</Font>"};
}

void tst_page::pageLineShapes()
{
    QFETCH(QString, description);
    QFETCH(QStringList, pageList);
    QFETCH(QStringList, slotTexts);
    QFETCH(QStringList, expectedBody);

    PageInput input;
    input.pageName = QStringLiteral("P");
    input.pageDescription = description;
    input.pageList = pageList;
    input.slotDescriptions = slotTexts;
    const QStringList lines = Page::pageLines(input);
    QCOMPARE(lines.mid(0, 5), (QStringList{"<Title>P</Title>", "<Font Size=4>", "<Heading>P</Heading><BR><BR>",
                                           "</Font>", "<Font Size=3>"}));
    QCOMPARE(lines.mid(5), expectedBody);
}

namespace {

void linuxPagePathRows()
{
    QTest::newRow("plain folder") << "/home/u/Pictures" << "Trip" << "/home/u/Pictures/Trip.html";
    QTest::newRow("root folder gives two separators") << "/" << "Trip" << "//Trip.html";
    QTest::newRow("name ending in .html gets another") << "/p" << "Trip.html" << "/p/Trip.html.html";
    QTest::newRow("tab around the name stays") << "/p" << "\tT" << "/p/\tT.html";
}

// Folders come from the folder box as Qt paths; the page path goes out with
// backslashes.
void windowsPagePathRows()
{
    QTest::newRow("plain folder") << "C:/Pictures" << "Trip" << "C:\\Pictures\\Trip.html";
    QTest::newRow("drive root gives two backslashes") << "C:/" << "Trip" << "C:\\\\Trip.html";
    QTest::newRow("folder of another drive, with spaces") << "D:/My Pictures/2026" << "Summer trip"
                                                          << "D:\\My Pictures\\2026\\Summer trip.html";
    QTest::newRow("name ending in .html gets another") << "C:/p" << "Trip.html" << "C:\\p\\Trip.html.html";
    QTest::newRow("Greek and Japanese names whole") << QStringLiteral("C:/\u03a6\u03c9\u03c4\u03bf")
                                                    << QStringLiteral("\u65c5\u884c")
                                                    << QStringLiteral("C:\\\u03a6\u03c9\u03c4\u03bf\\\u65c5\u884c.html");
}

} // namespace

void tst_page::pagePath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    addSystemRows(linuxPagePathRows, windowsPagePathRows);
}

void tst_page::pagePath()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(Page::pagePath(folder, name), expected);
}

void tst_page::fileNamesInItemLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("linkText"); // empty: the name as it is
    QTest::newRow("inner space stays") << "my pic.jpg" << "my pic.jpg" << "";
    QTest::newRow("hash, percent, question mark and quote") << "a#b%c?d\"e.jpg" << "a%23b%25c%3Fd%22e.jpg" << "";
    QTest::newRow("non-ASCII stays") << "東京 é.jpg" << "東京 é.jpg" << "";
    QTest::newRow("spaces at either end") << "  x.jpg " << "%20%20x.jpg%20" << "";
    QTest::newRow("tab, LF, CR, DEL") << "a\tb\nc\rd\x7f.jpg" << "a%09b%0Ac%0Dd%7F.jpg" << "";
    QTest::newRow("character reference") << "a&amp.jpg" << "a%26amp.jpg" << "a&amp;amp.jpg";
    QTest::newRow("backslash and angle brackets") << "c\\d<b>.jpg" << "c%5Cd%3Cb%3E.jpg" << "c\\d&lt;b&gt;.jpg";
    QTest::newRow("colon would start a scheme") << "img:1.jpg" << "./img:1.jpg" << "";
    QTest::newRow("script link") << "javascript:alert(1),x.jpg" << "./javascript:alert(1),x.jpg" << "";
    QTest::newRow("tag that never closes") << "a<b.jpg" << "a%3Cb.jpg" << "a&lt;b.jpg";
    QTest::newRow("tag that runs script") << "<img src=x onerror=alert(1)>.jpg"
                                          << "%3Cimg src=x onerror=alert(1)%3E.jpg"
                                          << "&lt;img src=x onerror=alert(1)&gt;.jpg";
}

void tst_page::fileNamesInItemLines()
{
    QFETCH(QString, name);
    QFETCH(QString, url);
    QFETCH(QString, linkText);
    PageInput input;
    input.pageName = QStringLiteral("P");
    input.pageList = {name};
    QCOMPARE(Page::pageLines(input).at(6), QStringLiteral("<img src=\"%1\"><P><BR>").arg(url));
    input.kind = PageKind::Links;
    QCOMPARE(Page::pageLines(input).at(5),
             QStringLiteral("<A HREF=\"%1\">%2</A>&nbsp&nbsp ").arg(url, linkText.isEmpty() ? name : linkText));
}

void tst_page::spacesOnlyNameWritesNothing()
{
    MessageRecorder recorder;
    PageInput input;
    input.folder = folder(QStringLiteral("empty-name"));
    input.pageName = QStringLiteral("    ");
    QCOMPARE(Page::buildPage(input).result, Page::BuildResult::EmptyName);
    QCOMPARE(input.pageName, QString());
    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages.at(0).text,
             QStringLiteral("Please fill in a Name in the text box.  This will become the name of the file and "
                            "will be appended with .html"));
    QCOMPARE(recorder.messages.at(0).style, MessageStyle::Plain);
    QCOMPARE(recorder.messages.at(0).title, QStringLiteral("Kelvane"));
    QCOMPARE(QDir(input.folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

void tst_page::nameWithDotsGetsSecondExtension()
{
    MessageRecorder recorder;
    PageInput input;
    input.folder = folder(QStringLiteral("dots"));
    input.pageName = QStringLiteral("Trip.html");
    QCOMPARE(Page::buildPage(input).result, Page::BuildResult::Written);
    const QByteArray page = readFileBytes(input.folder + QStringLiteral("/Trip.html.html"));
    QVERIFY(page.startsWith("<Title>Trip.html</Title>\r\n"));
}

void tst_page::sameBuildTwiceIsByteIdentical()
{
    MessageRecorder recorder;
    PageInput input;
    input.folder = folder(QStringLiteral("twice"));
    input.pageName = QStringLiteral("Twice");
    input.pageDescription = QStringLiteral("x\r\ny");
    input.pageList = {QStringLiteral("a.jpg")};
    const Page::BuildOutcome first = Page::buildPage(input);
    const QByteArray bytes = readFileBytes(first.path);
    QVERIFY(!bytes.isEmpty());
    Page::buildPage(input);
    QCOMPARE(readFileBytes(first.path), bytes);
    QVERIFY(recorder.messages.isEmpty());
}

void tst_page::otherKindReplacesPage()
{
    MessageRecorder recorder;
    PageInput input;
    input.folder = folder(QStringLiteral("kinds"));
    input.pageName = QStringLiteral("K");
    input.pageList = {QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), QStringLiteral("c.jpg")};
    const QString path = Page::buildPage(input).path;
    input.kind = PageKind::Links;
    input.pageList = {QStringLiteral("a.jpg")};
    Page::buildPage(input);
    QCOMPARE(readFileBytes(path), crlfLines({"<Title>K</Title>", "<Font Size=4>", "<Heading>K</Heading><BR><BR>",
                                              "</Font>", "<Font Size=3>", "<A HREF=\"a.jpg\">a.jpg</A>&nbsp&nbsp ",
                                              "<BR><BR>", "</Font>"}));
}

void tst_page::longDescriptionBeyondSixteenBitPositions()
{
    // 100,000 characters with line breaks well past position 32,767.
    QString description;
    while (description.size() < 100000)
        description += QString(997, QLatin1Char('w')) + QStringLiteral("\r\n");
    PageInput input;
    input.pageName = QStringLiteral("Long");
    input.pageDescription = description;
    const QString line = Page::pageLines(input).at(5);
    QVERIFY(!line.contains(QStringLiteral("\r\n")));
    QCOMPARE(line.count(QStringLiteral("<BR>")), description.count(QStringLiteral("\r\n")) + 2);
}

void tst_page::failedWriteLeavesEarlierPage_data()
{
    QTest::addColumn<QString>("subfolder");
    QTest::addColumn<QString>("name");
    QTest::newRow("folder that does not exist") << "missing/deeper" << "Page";
    QTest::newRow("path through a regular file") << "file-not-folder" << "Page";
    QTest::newRow("page name equal to a folder") << "" << "existing-folder";
    QTest::newRow("name with a slash into a missing folder") << "" << "no/such";
    QTest::newRow("name longer than a file name may be") << "" << QString(300, QLatin1Char('n'));
}

void tst_page::failedWriteLeavesEarlierPage()
{
    QFETCH(QString, subfolder);
    QFETCH(QString, name);

    static int round = 0;
    const QString base = folder(QStringLiteral("fail-") + QString::number(++round));
    writeFileBytes(base + QStringLiteral("/file-not-folder"), "plain file");
    QDir(base).mkpath(QStringLiteral("existing-folder.html"));
    const QString earlier = base + QStringLiteral("/Page.html");
    QVERIFY(writeFileBytes(earlier, "earlier page\r\n"));
    const QStringList before = QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    MessageRecorder recorder;
    PageInput input;
    input.folder = subfolder.isEmpty() ? base : base + QLatin1Char('/') + subfolder;
    input.pageName = name;
    input.pageList = {QStringLiteral("a.jpg")};
    const Page::BuildOutcome outcome = Page::buildPage(input);

    QCOMPARE(outcome.result, Page::BuildResult::WriteFailed);
    QVERIFY(!outcome.error.isEmpty());
    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages.at(0).style, MessageStyle::Exclamation);
    QVERIFY2(recorder.messages.at(0).text.contains(QDir::toNativeSeparators(outcome.path)),
             qPrintable(recorder.messages.at(0).text));
    QVERIFY(recorder.messages.at(0).text.contains(outcome.error));
    QCOMPARE(readFileBytes(earlier), QByteArray("earlier page\r\n"));
    QCOMPARE(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
}

// Whoever runs the program, root or Wine's root included; and whatever
// script the folder is named in.
void tst_page::readOnlyPageIsKept_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::newRow("Latin folder") << QStringLiteral("read-only");
    QTest::newRow("Greek folder") << QStringLiteral("\u03a0\u03b1\u03c1\u03b1\u03bb\u03af\u03b1");
    QTest::newRow("Japanese folder") << QStringLiteral("\u6d77\u8fba");
}

void tst_page::readOnlyPageIsKept()
{
    QFETCH(QString, folderName);
    MessageRecorder recorder;
    PageInput input;
    input.folder = folder(folderName);
    input.pageName = QStringLiteral("Kept");
    input.pageList = {QStringLiteral("a.jpg")};
    const QString page = input.folder + QStringLiteral("/Kept.html");
    QVERIFY(writeFileBytes(page, "earlier page\r\n"));
    QVERIFY(QFile::setPermissions(page, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    const Page::BuildOutcome outcome = Page::buildPage(input);
    const bool writable = QFileInfo(page).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
    // The reason is the one the system gives for writing such a file (where
    // it refuses; root may write it anyway).
    QFile refused(page);
    const bool refusedBySystem = !refused.open(QIODevice::WriteOnly | QIODevice::Append);
    const QString systemReason = refused.errorString();
    refused.close();
    QFile::setPermissions(page, QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(outcome.result, Page::BuildResult::WriteFailed);
    QCOMPARE(outcome.error, Toolkit::readOnlyReason());
    if (refusedBySystem)
        QCOMPARE(outcome.error, systemReason);
    QCOMPARE(readFileBytes(page), QByteArray("earlier page\r\n"));
    QVERIFY(!writable);
    QCOMPARE(QDir(input.folder).entryList(QDir::Files), QStringList{"Kept.html"});
}


void tst_page::replaceFaults_data()
{
    using Step = Toolkit::ReplaceStep;
    QTest::addColumn<QList<Step>>("failing");
    QTest::addColumn<bool>("written");
    QTest::newRow("write fails") << QList<Step>{Step::Write} << false;
    QTest::newRow("sync fails, as a share reports a lost write") << QList<Step>{Step::Sync} << false;
    QTest::newRow("close fails, as a quota reports it") << QList<Step>{Step::Close} << false;
    QTest::newRow("rename fails") << QList<Step>{Step::Rename} << false;
    QTest::newRow("no new file in the folder: written in place") << QList<Step>{Step::Create} << true;
    QTest::newRow("in place, the write fails: earlier page back") << QList<Step>{Step::Create, Step::Write} << false;
    QTest::newRow("in place, the sync fails: earlier page back") << QList<Step>{Step::Create, Step::Sync} << false;
}

// A failure at any step leaves the earlier page whole, no temporary file,
// and a message with the system's words.
void tst_page::replaceFaults()
{
    QFETCH(QList<Toolkit::ReplaceStep>, failing);
    QFETCH(bool, written);
    static int round = 0;
    const QString base = folder(QStringLiteral("faults-") + QString::number(++round));
    const QByteArray earlier = QByteArray("earlier page\r\n").repeated(300);
    QVERIFY(writeFileBytes(base + QStringLiteral("/pg.html"), earlier));
    constexpr int ioError = 5; // EIO; on Windows, access denied
    const Toolkit::ScopedOverride fault(Toolkit::setReplaceFault, [failing](Toolkit::ReplaceStep step) {
        return failing.contains(step) ? ioError : 0;
    });
    // One that ends inside hands back the fault above, not the system's.
    [] { const Toolkit::ScopedOverride none(Toolkit::setReplaceFault, {}); }();

    MessageRecorder recorder;
    PageInput input;
    input.folder = base;
    input.pageName = QStringLiteral("pg");
    input.pageList = {QStringLiteral("a.jpg"), QStringLiteral("b.jpg")};
    QCOMPARE(Page::buildPage(input).result == Page::BuildResult::Written, written);
    QCOMPARE(readFileBytes(base + QStringLiteral("/pg.html")), written ? Page::pageBytes(input) : earlier);
    QCOMPARE(recorder.messages.size(), written ? 0 : 1);
    QVERIFY(written || recorder.messages.at(0).text.endsWith(qt_error_string(ioError)));
    QCOMPARE(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("pg.html")});
}

void tst_page::rebuildLeavesOnlyThePage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("leftover");  // a killed build's temporary file
    QTest::addColumn<bool>("otherOwner");   // the earlier page is another user's
    QTest::newRow("name at the file name limit") << QString(250, QLatin1Char('n')) << QString() << false;
    QTest::newRow("a killed build's temporary file") << QStringLiteral("pg") << QStringLiteral(".kelvane-Ab3xYz")
                                                     << false;
    QTest::newRow("another user's page keeps its owner") << QStringLiteral("pg") << QString() << true;
}

void tst_page::rebuildLeavesOnlyThePage()
{
    QFETCH(QString, name);
    QFETCH(QString, leftover);
    QFETCH(bool, otherOwner);
    static int round = 0;
    const QString base = folder(QStringLiteral("rebuild-") + QString::number(++round));
    const QString page = base + QLatin1Char('/') + name + QStringLiteral(".html");
    QVERIFY(writeFileBytes(page, "earlier page\r\n"));
    QVERIFY(leftover.isEmpty() || writeFileBytes(base + QLatin1Char('/') + leftover, "half a page"));
#ifndef Q_OS_WIN
    if (otherOwner && geteuid() != 0)
        QSKIP("only root can give a page to another user");
    QVERIFY(!otherOwner || ::chown(QFile::encodeName(page).constData(), 65534, 65534) == 0);
#else
    if (otherOwner)
        QSKIP("POSIX owners");
#endif

    MessageRecorder recorder;
    PageInput input;
    input.folder = base;
    input.pageName = name;
    input.pageList = {QStringLiteral("a.jpg")};
    QCOMPARE(Page::buildPage(input).result, Page::BuildResult::Written);
    QVERIFY(recorder.messages.isEmpty());
    QCOMPARE(readFileBytes(page), Page::pageBytes(input));
    QCOMPARE(QDir(base).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{name + QStringLiteral(".html")});
#ifndef Q_OS_WIN
    struct stat info {};
    QVERIFY(::stat(QFile::encodeName(page).constData(), &info) == 0);
    QVERIFY(!otherOwner || (info.st_uid == 65534 && info.st_gid == 65534));
#endif
}

QTEST_GUILESS_MAIN(tst_page)
#include "tst_page.moc"

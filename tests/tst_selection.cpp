// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"
#include "settings/settingsfile.h"
#include "toolkit/drivebox.h"
#include "toolkit/volumelist.h"
#include "toolkit/filebox.h"
#include "toolkit/folderbox.h"
#include "toolkit/scopedoverride.h"
#include "toolkit/sortedlistbox.h"
#include "toolkit/folderlisting.h"
#include "toolkit/volumes.h"
#include "selection/listmoves.h"
#include "selection/nametest.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Why a case cannot be made on Windows, where names are UTF-16 text and a
// process's current folder cannot be removed.
const char RemovedCurrent[] = "Windows does not remove a folder that a process works in";
const char ByteNames[] = "names that are not UTF-8 are POSIX bytes; Windows names are UTF-16 text";
const char LongPaths[] = "Windows paths end at 260 characters unless the program and the system opt in";

} // namespace

class tst_selection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void nameTest_data();
    void nameTest();
    void listFiles_data();
    void listFiles();
    void listingProblems_data();
    void listingProblems();
    void normalizeFolder_data();
    void normalizeFolder();
    void volumes();
    void slowDriveLabelsWaitForNothing();
    void slowVolumeListWaitsForNothing();

    void sortedListIgnoresCase_data();
    void sortedListIgnoresCase();
    void moves_data();
    void moves();
    void moveThousandsKeepsOrder();

    void folderBoxMoves();
    void fileBoxKeepsNamesWhenFolderVanishes();
    void startUpFolder_data();
    void startUpFolder();
    void folderArgument_data();
    void folderArgument();
    void leftOutToldOncePerFolder();

private:
    QByteArray raw(const QByteArray &relative) const { return QFile::encodeName(m_dir.path()) + '/' + relative; }
    QTemporaryDir m_dir;
    QString m_folder;
    QByteArray m_long;
    const QList<QByteArray> m_rawFolders{"start", "home", "latin", "latin/s\xe9jour", "latin/s\xef\xbf\xbdjour",
                                         "latin/Zoo", "caf\xe9", "caf\xef\xbf\xbd"};
    const QList<QByteArray> m_rawFiles{"latin/caf\xe9.jpg", "latin/caf\xef\xbf\xbd.jpg", "latin/ok.jpg",
                                       "latin/n\xe9.txt", "caf\xe9/inside.jpg", "caf\xef\xbf\xbd/sibling.jpg"};
};

void tst_selection::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.filePath(QStringLiteral("pics"));
    QVERIFY(QDir().mkpath(m_folder));
    for (const char *name : {"b.jpg", "Photo.JPG", "a.jpg", "notes.bmp", "index.html", "README", ".hidden.jpg",
                             "photo.jpeg", "x.Jpg"})
        QVERIFY(writeFileBytes(m_folder + QLatin1Char('/') + QString::fromLatin1(name), "x"));
    QVERIFY(QDir(m_folder).mkdir(QStringLiteral("sub.jpg")));
    QVERIFY(QDir(m_folder).mkdir(QStringLiteral("Zoo")));
    QVERIFY(QDir(m_folder).mkdir(QStringLiteral(".secret")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("config"))));
#ifdef Q_OS_WIN
    qputenv("APPDATA", QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("config"))).toUtf8());
    // Only the names that are text can be made here.
    for (const QByteArray &folder : m_rawFolders) {
        if (!Toolkit::textOfName(folder).isNull())
            QVERIFY(QDir().mkpath(QFile::decodeName(raw(folder))));
    }
    for (const QByteArray &file : m_rawFiles) {
        if (!Toolkit::textOfName(file).isNull())
            QVERIFY(writeFileBytes(QFile::decodeName(raw(file)), QByteArray()));
    }
#else
    // Names made from bytes: \xE9 alone is no UTF-8; EF BF BD is U+FFFD,
    // what Qt decodes it to.
    for (const QByteArray &folder : m_rawFolders)
        QCOMPARE(::mkdir(raw(folder).constData(), 0755), 0);
    for (const QByteArray &file : m_rawFiles)
        QVERIFY(::close(::open(raw(file).constData(), O_CREAT | O_WRONLY, 0644)) == 0);
    // A link to nothing is no file.
    QCOMPARE(::symlink("nowhere", raw("latin/broken.jpg").constData()), 0);
#endif
    // A folder far past the old 254-character cut, short of the path limit.
    m_long = "long" + ('/' + QByteArray(200, 'L')).repeated(14);
    QVERIFY(QDir().mkpath(QFile::decodeName(raw(m_long))));
}

void tst_selection::cleanupTestCase()
{
#ifndef Q_OS_WIN
    // QDir cannot remove what it cannot name.
    for (const QByteArray &file : m_rawFiles + QList<QByteArray>{"latin/broken.jpg"})
        ::unlink(raw(file).constData());
    for (auto folder = m_rawFolders.crbegin(); folder != m_rawFolders.crend(); ++folder)
        ::rmdir(raw(*folder).constData());
#endif
}

void tst_selection::nameTest_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("passes");
    QTest::newRow("upper-case JPG") << "Photo.JPG" << true;
    QTest::newRow("gif") << "anim.gif" << true;
    QTest::newRow("bmp picked under All") << "notes.bmp" << true;
    QTest::newRow("jpeg ends in peg") << "photo.jpeg" << false;
    QTest::newRow("png") << "photo.png" << false;
    QTest::newRow("html") << "index.html" << false;
    QTest::newRow("a piece across the separator: if,") << "odd.if," << true;
    QTest::newRow("a piece with the space: , b") << "x, b" << true;
    QTest::newRow("one character that occurs") << "g" << true;
    QTest::newRow("two characters that occur") << "bm" << true;
    QTest::newRow("short name that does not occur") << "zz" << false;
}

void tst_selection::nameTest()
{
    QFETCH(QString, name);
    QFETCH(bool, passes);
    QCOMPARE(Selection::passesPictureNameTest(name), passes);
}

void tst_selection::listFiles_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("jpg matches without regard to case, folders left out")
        << "*.jpg" << QStringList{"a.jpg", "b.jpg", "Photo.JPG", "x.Jpg"};
    QTest::newRow("*.* lists names without a dot too")
        << "*.*" << QStringList{"a.jpg", "b.jpg", "index.html", "notes.bmp", "photo.jpeg", "Photo.JPG", "README",
                                "x.Jpg"};
    QTest::newRow("html") << "*.html" << QStringList{"index.html"};
    QTest::newRow("? is one character, * may be none") << "?.*jp*g" << QStringList{"a.jpg", "b.jpg", "x.Jpg"};
    QTest::newRow("no match gives an empty list") << "*.tif" << QStringList{};
}

void tst_selection::listFiles()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, expected);
    const FolderListing listing = Toolkit::listFiles(m_folder, pattern);
    QVERIFY(listing.ok());
    QCOMPARE(listing.names, expected);
}

void tst_selection::listingProblems_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("missing folder") << "no-such-folder";
    QTest::newRow("a regular file") << "pics/a.jpg";
    QTest::newRow("through a regular file") << "pics/a.jpg/deeper";
}

void tst_selection::listingProblems()
{
    QFETCH(QString, relative);
    const FolderListing listing = Toolkit::listFiles(m_dir.filePath(relative), QStringLiteral("*.jpg"));
    QVERIFY(!listing.ok());
    QVERIFY(listing.names.isEmpty());
    QVERIFY(!listing.error.isEmpty());
}

namespace {

void linuxStoredFolderRows()
{
    QTest::newRow("trailing separator") << "/home/u/Pictures/Trip/" << "/home/u/Pictures/Trip";
    QTest::newRow("root stored with two separators") << "//" << "/";
    QTest::newRow("root") << "/" << "/";
}

void windowsStoredFolderRows()
{
    QTest::newRow("trailing backslash") << "C:\\Pictures\\Trip\\" << "C:/Pictures/Trip";
    QTest::newRow("drive root as stored") << "C:\\" << "C:/";
    QTest::newRow("Greek folder") << QStringLiteral("D:\\\u03a6\u03c9\u03c4\u03bf\\")
                                  << QStringLiteral("D:/\u03a6\u03c9\u03c4\u03bf");
}

} // namespace

void tst_selection::normalizeFolder_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("folder");
    addSystemRows(linuxStoredFolderRows, windowsStoredFolderRows);
    QTest::newRow("empty stays empty") << "" << "";
}

void tst_selection::normalizeFolder()
{
    QFETCH(QString, stored);
    QFETCH(QString, folder);
    QCOMPARE(Toolkit::normalizeFolder(stored), folder);
}

namespace {

QSemaphore labelsLetGo;

// A drive that takes 30 s to give its label (an offline network drive),
// unless the test lets it go sooner.
QString slowLabel(const QString &root)
{
    labelsLetGo.tryAcquire(1, 30000);
    return QStringLiteral("Slow ") + root.left(1);
}

} // namespace

void tst_selection::slowDriveLabelsWaitForNothing()
{
    const Toolkit::ScopedOverride labels(DriveBox::setLabelLookup, &slowLabel);
    QElapsedTimer shown;
    shown.start();
    frmMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY2(shown.elapsed() < 1000, qPrintable(QString::number(shown.elapsed())));
    const int index = form.Drive1->currentIndex();
    const QString root = form.Drive1->drive();
    QCOMPARE(form.Drive1->itemText(index), Toolkit::volumeText(root));
    labelsLetGo.release(form.Drive1->count());
    QTRY_COMPARE(form.Drive1->itemText(index), Toolkit::volumeText(root) + QStringLiteral(" [Slow ")
                 + root.left(1) + QLatin1Char(']'));
}

QSemaphore volumesLetGo;

// A mount that takes 30 s to answer (a share gone away), unless the test
// lets it go sooner; the list it ends with has one volume more.
QStringList slowVolumes()
{
    volumesLetGo.tryAcquire(1, 30000);
    return Toolkit::browsableVolumes() << QStringLiteral("/late volume/");
}

void tst_selection::slowVolumeListWaitsForNothing()
{
    // Runs after the lookup is given back: the first refresh ends a reading
    // that may still run, the second reads the system's list again for the
    // tests after this one.
    const auto reread = qScopeGuard([] {
        VolumeList::instance().refresh(5000);
        VolumeList::instance().refresh(5000);
        while (volumesLetGo.tryAcquire()) {
        }
    });
    const Toolkit::ScopedOverride volumes(VolumeList::setLookup, &slowVolumes);
    const auto letGo = qScopeGuard([] { volumesLetGo.release(); });
    QElapsedTimer shown;
    shown.start();
    frmMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY2(shown.elapsed() < VolumeList::startWaitMilliseconds + 1000, qPrintable(QString::number(shown.elapsed())));
    const QString drive = form.Drive1->drive();
    shown.restart();
    static_cast<QComboBox *>(form.Drive1)->showPopup(); // the reading still runs: it opens with what it has
    QVERIFY2(shown.elapsed() < VolumeList::openWaitMilliseconds + 1000, qPrintable(QString::number(shown.elapsed())));
    form.Drive1->hidePopup();
    QCOMPARE(form.Drive1->findData(QStringLiteral("/late volume/")), -1);
    volumesLetGo.release();
    QTRY_VERIFY(form.Drive1->findData(QStringLiteral("/late volume/")) >= 0);
    QCOMPARE(form.Drive1->drive(), drive);
}

void tst_selection::volumes()
{
    const QStringList volumes = Toolkit::browsableVolumes();
    QVERIFY(!volumes.isEmpty());
    if (OnWindows) {
        // Drive letters, the system's drive among them.
        QVERIFY2(volumes.contains(QDir::rootPath()), qPrintable(volumes.join(QLatin1Char(' '))));
        for (const QString &root : volumes)
            QVERIFY2(root.size() == 3 && root.endsWith(QLatin1String(":/")), qPrintable(root));
        QCOMPARE(Toolkit::volumeOf(QStringLiteral("c:/Users/u"), {QStringLiteral("C:/"), QStringLiteral("D:/")}),
                 QStringLiteral("C:/"));
        return;
    }
    QCOMPARE(volumes.first(), QStringLiteral("/"));
    for (const QString &root : volumes) {
        QVERIFY2(!root.startsWith(QLatin1String("/proc")) && !root.startsWith(QLatin1String("/sys")),
                 qPrintable(root));
    }
    QCOMPARE(Toolkit::volumeOf(QStringLiteral("/home/u"), {QStringLiteral("/"), QStringLiteral("/home/u2")}),
             QStringLiteral("/"));
    QCOMPARE(Toolkit::volumeOf(QStringLiteral("/media/usb/pics"), {QStringLiteral("/"), QStringLiteral("/media/usb")}),
             QStringLiteral("/media/usb"));
}

void tst_selection::sortedListIgnoresCase_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("mixed case added backwards")
        << QStringList{"c.jpg", "B.jpg", "a.jpg"} << QStringList{"a.jpg", "B.jpg", "c.jpg"};
    QTest::newRow("upper before lower would be the plain order")
        << QStringList{"Zeta.jpg", "alpha.jpg", "Mid.jpg"} << QStringList{"alpha.jpg", "Mid.jpg", "Zeta.jpg"};
}

void tst_selection::sortedListIgnoresCase()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, shown);
    SortedListBox one;
    for (const QString &name : added)
        one.addName(name);
    QCOMPARE(one.names(), shown);
    // The bulk path must give the same order.
    SortedListBox bulk;
    QStringList many = added;
    for (int i = 0; i < 40; ++i)
        many << QStringLiteral("m%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    bulk.addNames(many);
    QStringList sorted = bulk.names();
    std::stable_sort(sorted.begin(), sorted.end(), namesLess);
    QCOMPARE(bulk.names(), sorted);
}

void tst_selection::moves_data()
{
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QStringList>("destination");
    QTest::addColumn<QList<int>>("selectedRows");
    QTest::addColumn<QStringList>("sourceAfter");
    QTest::addColumn<QStringList>("destinationAfter");

    const QStringList files{"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
    QTest::newRow("nothing selected changes nothing") << files << QStringList{"x.jpg"} << QList<int>{} << files
                                                       << QStringList{"x.jpg"};
    QTest::newRow("two names go in sorted order")
        << files << QStringList{} << QList<int>{1, 0} << QStringList{"c.jpg", "d.jpg"}
        << QStringList{"a.jpg", "b.jpg"};
    QTest::newRow("names take their sorted places among others")
        << QStringList{"B.jpg", "d.jpg"} << QStringList{"a.jpg", "c.jpg", "E.jpg"} << QList<int>{0, 1}
        << QStringList{} << QStringList{"a.jpg", "B.jpg", "c.jpg", "d.jpg", "E.jpg"};
    QTest::newRow("names not selected stay") << files << QStringList{} << QList<int>{0, 3}
                                             << QStringList{"b.jpg", "c.jpg"} << QStringList{"a.jpg", "d.jpg"};
}

void tst_selection::moves()
{
    QFETCH(QStringList, source);
    QFETCH(QStringList, destination);
    QFETCH(QList<int>, selectedRows);
    QFETCH(QStringList, sourceAfter);
    QFETCH(QStringList, destinationAfter);

    SortedListBox from;
    SortedListBox to;
    from.addNames(source);
    to.addNames(destination);
    for (const int row : selectedRows)
        from.item(row)->setSelected(true);
    Selection::moveSelected(from, to);
    QCOMPARE(from.names(), sourceAfter);
    QCOMPARE(to.names(), destinationAfter);

    // And back again restores both lists.
    for (int i = 0; i < to.count(); ++i)
        to.item(i)->setSelected(!destination.contains(to.item(i)->text()));
    Selection::moveSelected(to, from);
    QCOMPARE(from.names(), source);
    QCOMPARE(to.names(), destination);
}

void tst_selection::moveThousandsKeepsOrder()
{
    SortedListBox files;
    SortedListBox page;
    QStringList names;
    for (int i = 0; i < 3000; ++i)
        names << QStringLiteral("%1IMG_%2.JPG").arg(i % 2 ? "" : "x").arg(i, 4, 10, QLatin1Char('0'));
    files.addNames(names);
    page.addNames({QStringLiteral("m.jpg")});
    for (int i = 0; i < files.count(); i += 2)
        files.item(i)->setSelected(true);
    Selection::moveSelected(files, page);
    QCOMPARE(files.count() + page.count(), 3001);
    QCOMPARE(files.count(), 1500);
    QStringList expected = page.names();
    std::stable_sort(expected.begin(), expected.end(), namesLess);
    QCOMPARE(page.names(), expected);
    QVERIFY(page.selectedItems().isEmpty());
}

void tst_selection::folderBoxMoves()
{
    FolderBox box;
    QSignalSpy changed(&box, &FolderBox::changed);

    QCOMPARE(box.setPath(m_folder + QLatin1Char('/')), FolderBox::Move::Changed);
    QCOMPARE(box.path(), m_folder);
    QCOMPARE(changed.count(), 1);
    // The subfolders follow the chain down to the current folder; hidden
    // ones are left out.
    QStringList shown;
    for (int i = 0; i < box.count(); ++i)
        shown << box.item(i)->text();
    QCOMPARE(shown.mid(shown.size() - 3), (QStringList{"pics", "sub.jpg", "Zoo"}));
    QCOMPARE(shown.first(), QDir::toNativeSeparators(QDir::rootPath()));

    QCOMPARE(box.setPath(m_folder), FolderBox::Move::Unchanged);
    QCOMPARE(changed.count(), 1);

    QString reason;
    QCOMPARE(box.setPath(m_dir.filePath(QStringLiteral("gone")), &reason), FolderBox::Move::Failed);
    QVERIFY(!reason.isEmpty());
    QCOMPARE(box.path(), m_folder);
    QCOMPARE(changed.count(), 1);

    // Enter on a subfolder opens it.
    box.setCurrentRow(box.count() - 1);
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.path(), m_folder + QStringLiteral("/Zoo"));
    QCOMPARE(changed.count(), 2);
}

void tst_selection::fileBoxKeepsNamesWhenFolderVanishes()
{
    const QString doomed = m_dir.filePath(QStringLiteral("doomed"));
    QVERIFY(QDir().mkpath(doomed));
    QVERIFY(writeFileBytes(doomed + QStringLiteral("/one.jpg"), "x"));
    FileBox box;
    QVERIFY(box.setPattern(QStringLiteral("*.jpg")));
    QVERIFY(box.setPath(doomed));
    QCOMPARE(box.names(), QStringList{"one.jpg"});
    QVERIFY(QDir(doomed).removeRecursively());
    QString reason;
    QVERIFY(!box.setPath(doomed + QStringLiteral("-other"), &reason));
    QVERIFY(!reason.isEmpty());
    QCOMPARE(box.path(), doomed);
    QCOMPARE(box.names(), QStringList{"one.jpg"});
}

void tst_selection::startUpFolder_data()
{
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QByteArray>("stored");  // null: nothing stored
    QTest::addColumn<QByteArray>("current"); // "-": removed
    QTest::addColumn<QByteArray>("home");    // null: unset
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("subfolders"); // the last ones the folder box shows
    QTest::addColumn<QStringList>("message");    // what the one message says; empty: none
    QTest::addColumn<bool>("requestedNotUtf8");  // the command line gave bytes that are not UTF-8
    QTest::addColumn<QString>("linuxOnly");      // why the case cannot be made on Windows

    const QString start = m_dir.filePath(QStringLiteral("start"));
    const QString home = m_dir.filePath(QStringLiteral("home"));
    const QString gone = m_dir.filePath(QStringLiteral("gone"));
    const QString latin = m_dir.filePath(QStringLiteral("latin"));
    const QString decoded = m_dir.filePath(QStringLiteral("caf\uFFFD"));
    const QString pics = m_folder;
    const QStringList picsFiles{"a.jpg", "b.jpg", "Photo.JPG", "x.Jpg"};
    const QByteArray none;
    auto row = [](const char *name, const QString &requested, const QByteArray &stored, const QByteArray &current,
                  const QByteArray &home, const QString &expected, const QStringList &files = {},
                  const QStringList &subfolders = {}, const QStringList &message = {}, bool notUtf8 = false,
                  const char *linuxOnly = "") {
        QTest::newRow(name) << requested << stored << current << home << expected << files << subfolders << message
                            << notUtf8 << QString::fromLatin1(linuxOnly);
    };
    row("stored folder", "", raw("pics"), raw("start"), raw("home"), pics, picsFiles);
    row("stored folder gone: current folder", "", raw("gone"), raw("start"), raw("home"), start);
    row("nothing stored, current folder removed: home", "", none, "-", raw("home"), home, {}, {}, {}, false,
        RemovedCurrent);
    row("stored gone, current removed, no home: root", "", raw("gone"), "-", none, "/", {}, {}, {}, false,
        RemovedCurrent);
    row("stored folder of 2,900 bytes", "", raw(m_long), raw("start"), none, QFile::decodeName(raw(m_long)), {}, {},
        {}, false, LongPaths);
    row("requested folder over the stored one", start, raw("pics"), raw("home"), none, start);
    row("requested folder gone: told, then stored", gone, raw("pics"), raw("start"), none, pics, picsFiles, {},
        {gone});
    row("requested and stored gone: told, then current", gone, raw("gone"), raw("start"), none, start, {}, {},
        {gone});
    // Names that are not UTF-8 are left out and told once, never confused
    // with the U+FFFD names they would decode to.
    row("names left out of both boxes", "", raw("latin"), raw("start"), none, latin, {"caf\uFFFD.jpg", "ok.jpg"},
        {"s\uFFFDjour", "Zoo"}, {latin, "2 names", "caf\\xE9.jpg", "s\\xE9jour"}, false, ByteNames);
    row("current folder not UTF-8: home", "", none, raw("caf\xe9"), raw("home"), home, {}, {}, {}, false, ByteNames);
    row("stored folder not UTF-8: current folder", "", raw("caf\xe9"), raw("start"), none, start, {}, {}, {}, false,
        ByteNames);
    row("requested folder decoded from bytes that are not UTF-8", decoded, raw("pics"), raw("start"), none, pics,
        picsFiles, {}, {decoded, "not valid UTF-8"}, true, ByteNames);
    row("requested folder named in UTF-8 with U+FFFD", decoded, raw("pics"), raw("start"), none, decoded,
        {"sibling.jpg"}, {}, {}, false, ByteNames);
}

void tst_selection::startUpFolder()
{
    QFETCH(QString, requested);
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, current);
    QFETCH(QByteArray, home);
    QFETCH(QString, expected);
    QFETCH(QStringList, files);
    QFETCH(QStringList, subfolders);
    QFETCH(QStringList, message);
    QFETCH(bool, requestedNotUtf8);
    QFETCH(QString, linuxOnly);
    if (OnWindows && !linuxOnly.isEmpty())
        QSKIP(qPrintable(linuxOnly));

    QFile::remove(Settings::filePath());
    if (!stored.isNull())
        QVERIFY(writeFileBytes(Settings::filePath(), "[Defaults]\r\nFilesDir=" + stored + "/\r\n"));
    const QString previous = QDir::currentPath();
    const QByteArray previousHome = qgetenv("HOME");
    const auto restore = qScopeGuard([&] {
        QDir::setCurrent(previous);
        qputenv("HOME", previousHome);
    });
    if (current == "-") {
#ifndef Q_OS_WIN
        QVERIFY(::mkdir(raw("removed").constData(), 0755) == 0 && ::chdir(raw("removed").constData()) == 0);
        QVERIFY(::rmdir(raw("removed").constData()) == 0);
#endif
    } else {
#ifdef Q_OS_WIN
        QVERIFY(QDir::setCurrent(QFile::decodeName(current)));
#else
        QVERIFY(::chdir(current.constData()) == 0);
#endif
    }
    if (home.isNull())
        qunsetenv("HOME");
    else
        qputenv("HOME", home);

    MessageRecorder recorder;
    {
        frmMain form;
        form.Form_Load(requested, requestedNotUtf8 ? frmMain::RequestedName::NotUtf8 : frmMain::RequestedName::Text);
        form.show();
        QCoreApplication::processEvents(); // the shown window's first turn, when start-up messages come
        QCOMPARE(form.Dir1->path(), expected);
        QCOMPARE(form.File1->path(), expected);
        if (expected != QLatin1String("/"))
            QCOMPARE(form.List1->names(), files);
        QStringList shown;
        for (int i = form.Dir1->count() - int(subfolders.size()); i < form.Dir1->count(); ++i)
            shown << form.Dir1->item(i)->text();
        QCOMPARE(shown, subfolders);
        QCOMPARE(recorder.messages.size(), message.isEmpty() ? 0 : 1);
        for (const QString &part : message) {
            QVERIFY2(recorder.messages.at(0).text.contains(QDir::toNativeSeparators(part)),
                     qPrintable(recorder.messages.at(0).text));
        }
        form.Form_Unload();
    }
    QCOMPARE(Settings::readStoredFolder(),
             expected == QLatin1String("/") ? "//" : QDir::toNativeSeparators(expected + QLatin1Char('/')));
}

// The folder reaches the window whole, in any script, through the command
// line as the system passes it on.
void tst_selection::folderArgument_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("givenAsPicture"); // the picture's path is the argument, as "Open with" gives it
    QTest::newRow("folder named in Japanese") << QStringLiteral("\u6d77\u8fba") << QStringLiteral("\u5199\u771f.jpg")
                                              << false;
    QTest::newRow("folder named in Greek")
        << QStringLiteral("\u03a0\u03b1\u03c1\u03b1\u03bb\u03af\u03b1") << QStringLiteral("\u03a6\u03c9\u03c2.jpg")
        << false;
    QTest::newRow("spaces and a quote") << QStringLiteral("My \"best\" pictures") << QStringLiteral("a b.jpg") << false;
    QTest::newRow("a picture opens its folder") << QStringLiteral("opened with") << QStringLiteral("a beach.jpg")
                                                << true;
}

void tst_selection::folderArgument()
{
    QFETCH(QString, folder);
    QFETCH(QString, picture);
    QFETCH(bool, givenAsPicture);
    if (OnWindows && folder.contains(QLatin1Char('"')))
        QSKIP("a Windows file name cannot hold a double quote");
    const QString path = m_dir.filePath(QStringLiteral("arguments/") + folder);
    QVERIFY(QDir().mkpath(path));
    QVERIFY(writeFileBytes(path + QLatin1Char('/') + picture, "x"));
    QVERIFY(writeFileBytes(path + QStringLiteral("/other.txt"), "x"));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    const QString helper = QStandardPaths::findExecutable(QStringLiteral("selection_folderargument"),
                                                          {QCoreApplication::applicationDirPath()});
    QVERIFY(!helper.isEmpty());
    process.start(helper, {QDir::toNativeSeparators(givenAsPicture ? path + QLatin1Char('/') + picture : path)});
    QVERIFY(process.waitForFinished(60000));
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
             process.readAllStandardError().constData());
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput())
                                  .remove(QLatin1Char('\r'))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{path, picture}));
}

void tst_selection::leftOutToldOncePerFolder()
{
    if (OnWindows)
        QSKIP(ByteNames);
    QVERIFY(writeFileBytes(Settings::filePath(), "[Defaults]\r\nFilesDir=" + raw("latin") + "/\r\n"));
    MessageRecorder recorder;
    frmMain form;
    form.Form_Load();
    QCoreApplication::processEvents();
    QCOMPARE(recorder.messages.size(), 1);
    // Filter clicks list the folder again: only "All" leaves out a name
    // not told yet, and only the first time.
    for (const auto &[filter, messages] : {std::pair{1, 1}, {0, 2}, {1, 2}, {0, 2}, {2, 2}}) {
        form.optFilter.at(filter)->click();
        QCoreApplication::processEvents();
        QCOMPARE(recorder.messages.size(), messages);
    }
    QVERIFY(recorder.messages.at(1).text.contains(QStringLiteral("n\\xE9.txt")));
    // Another folder and back is a new visit.
    QCOMPARE(form.Dir1->setPath(m_folder), FolderBox::Move::Changed);
    QCOMPARE(form.Dir1->setPath(QFile::decodeName(raw("latin"))), FolderBox::Move::Changed);
    QCoreApplication::processEvents();
    QCOMPARE(recorder.messages.size(), 3);
}

QTEST_MAIN(tst_selection)
#include "tst_selection.moc"

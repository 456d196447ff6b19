// SPDX-License-Identifier: GPL-3.0-or-later
// What folders, files and users can throw at the window: pictures that are
// damaged or odd, files and folders that vanish, page names and texts that
// no one would type, settings files that were mangled, and a disk that
// fills up while writing. The window must stay usable, lose nothing and say
// what went wrong.

#include "app/frmmain.h"
#include "app/commandline.h"
#include "toolkit/filebox.h"
#include "toolkit/folderbox.h"
#include "toolkit/imagebox.h"
#include "toolkit/sortedlistbox.h"
#include "picture/pictureloader.h"
#include "page/pagewriter.h"
#include "selection/listmoves.h"
#include "settings/settingsfile.h"
#include "testpictures.h"
#include "testsupport.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QItemSelection>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// ---- Pictures ----

QByteArray noiseBytes(int count)
{
    QRandomGenerator random(20240521);
    QByteArray bytes(count, '\0');
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

enum class Outcome { Shows, Fails };

struct CorpusFile
{
    CorpusFile(const char *row, const QString &name, const QByteArray &bytes, Outcome outcome,
               bool portrait = false, const QColor &lower = QColor())
        : row(row), name(name), bytes(bytes), outcome(outcome), portrait(portrait), lower(lower)
    {
    }

    const char *row;
    QString name;
    QByteArray bytes;
    Outcome outcome;
    bool portrait;
    // The colour three quarters down the middle column; invalid: not checked.
    QColor lower;
};

QList<CorpusFile> corpus()
{
    const QByteArray jpeg = encoded(twoHalves(QSize(400, 300)), "jpeg");
    const QSize gifSize(40, 30);
    const int gifPixels = gifSize.width() * gifSize.height();
    const QByteArray allRed = gifLzw(QByteArray(gifPixels, '\0'));
    const QByteArray allBlue = gifLzw(QByteArray(gifPixels, '\1'));
    BitWriter badFirst(BitOrder::GifLowFirst);
    badFirst.put(4, 3);
    for (int i = 0; i < gifPixels; ++i)
        badFirst.put(7, 3);
    badFirst.put(5, 3);

    return {
        {"zero-byte .jpg", "empty.jpg", QByteArray(""), Outcome::Fails},
        {"text named .jpg", "notes.jpg", QByteArray("Holiday notes\r\nDay one: sunny\r\n"), Outcome::Fails},
        // libjpeg fills the missing rows in grey.
        {"JPEG cut at a third", "cut.jpg", jpeg.left(jpeg.size() / 3), Outcome::Shows},
        {"PNG named .jpg", "png.jpg", encoded(twoHalves(QSize(400, 300)), "png"), Outcome::Shows},
        {"progressive JPEG", "progressive.jpg", encoded(twoHalves(QSize(400, 300)), "jpeg", DefaultQuality, JpegScan::Progressive), Outcome::Shows},
        {"CMYK JPEG", "cmyk.jpg", flatJpeg(QSize(320, 240), {255, 0, 0, 255}), Outcome::Shows, false, Qt::red},
        // 115 MB in full, just under the reader's allocation limit; decoded
        // small, it costs next to nothing.
        {"6000 x 5000 JPEG", "large.jpg", flatJpeg(QSize(6000, 5000), {76, 85, 255}), Outcome::Shows, false, Qt::red},
        {"1 x 30000 JPEG", "sliver.jpg", encoded(twoHalves(QSize(1, 30000)), "jpeg"), Outcome::Shows, true},
        {"BMP claiming 60000 x 60000", "huge.bmp", bmpClaiming(60000, 60000), Outcome::Fails},
        {"animated GIF shows its first frame", "animated.gif", twoColourGif(gifSize, {allRed, allBlue}),
         Outcome::Shows, false, Qt::red},
        // The decoder draws what the codes give and stops where they end.
        {"GIF of random LZW codes", "noise.gif", twoColourGif(gifSize, {noiseBytes(600)}), Outcome::Shows},
        {"GIF whose codes run past the table", "pastend.gif", twoColourGif(gifSize, {badFirst.finish()}), Outcome::Shows},
        {"GIF with LZW code size 15", "codesize.gif", twoColourGif(gifSize, {allRed}, 15), Outcome::Fails},
        // Stored landscape, red on the left; orientation 8 turns it a
        // quarter anticlockwise, so red ends at the bottom.
        {"JPEG with EXIF orientation 8", "turned.jpg", withExifOrientation(jpeg, 8), Outcome::Shows, true, Qt::red},
        // Outside any one ANSI code page: the name reaches the system whole.
        {"JPEG named in Greek", QStringLiteral("\u03a0\u03b1\u03c1\u03b1\u03bb\u03af\u03b1.jpg"),
         withExifOrientation(jpeg, 8), Outcome::Shows, true, Qt::red},
        {"JPEG named in Japanese", QStringLiteral("\u6d77\u8fba.jpg"), withExifOrientation(jpeg, 8), Outcome::Shows,
         true, Qt::red},
    };
}

// ---- The window ----

void pick(frmMain &form, const QString &name)
{
    const QList<QListWidgetItem *> found = form.List1->findItems(name, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    form.List1->setCurrentItem(found.first());
    form.List1_Click();
    QTRY_VERIFY(!form.previewPending());
}

void checkPicture(const QPixmap &pixmap, bool portrait, const QColor &lower)
{
    QVERIFY(!pixmap.isNull());
    const QImage image = pixmap.toImage();
    QCOMPARE(image.height() > image.width(), portrait);
    if (lower.isValid()) {
        const QColor seen = image.pixelColor(image.width() / 2, image.height() * 3 / 4);
        QVERIFY2(isNear(seen, lower), qPrintable(seen.name()));
    }
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

// The text a user pastes, as the clipboard hands it over.
void paste(QWidget *box, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keySequence(box, QKeySequence::Paste);
}

// Pastes `text` as the description of the page and of slot 1, then builds
// the page `name`.
void describeAndBuild(frmMain &form, const QString &text, const QString &name)
{
    paste(form.txtDesc, text);
    form.imgView_Click(1);
    paste(form.txtItemDesc, text);
    form.imgView_Click(1);
    form.txtName->setText(name);
    form.cmdBuild->click();
}

// Small good pictures under these names in `folder`.
bool writeGoodPictures(const QString &folder, const QStringList &names)
{
    const QByteArray jpeg = encoded(twoHalves(QSize(80, 60)), "jpeg");
    for (const QString &name : names) {
        if (!writeFileBytes(folder + QLatin1Char('/') + name, jpeg))
            return false;
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class tst_hardening : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void badPicture_data();
    void badPicture();
    void craftedPicture_data();
    void craftedPicture();
    void fifoNeverBlocks_data();
    void fifoNeverBlocks();
    void fiftyThousandNamesMove();
    void wholeCorpusOnOneBoard();
    void fileVanishesBeforeLoading();
    void folderVanishesAfterOpening();

    void pageName_data();
    void pageName();

    void lineBreaksStayOutOfPageNames();
    void longDescriptions();
    void oddDescriptionCharacters_data();
    void oddDescriptionCharacters();

    void startUpWithOddSettingsFile_data();
    void startUpWithOddSettingsFile();
    void readOnlySettingsFile();

    void writeFailsPartWay_data();
    void writeFailsPartWay();

    void windowsErrorModeAndRedirectedText();

private:
    QString freshFolder();
    // A window on `folder` with the "All" filter, so every corpus file is listed.
    void openAll(frmMain &form, const QString &folder);
    // The same with every file moved to the page list.
    void openAllOnPage(frmMain &form, const QString &folder);

    QTemporaryDir m_dir;
    QString m_startFolder;
    int m_folders = 0;
};

void tst_hardening::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    qputenv("APPDATA", QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("config"))).toUtf8());
    m_startFolder = QDir::currentPath();
}

void tst_hardening::init()
{
    QFile::remove(Settings::filePath());
}

void tst_hardening::cleanup()
{
    QDir::setCurrent(m_startFolder);
}

QString tst_hardening::freshFolder()
{
    const QString folder = m_dir.filePath(QStringLiteral("case-%1").arg(++m_folders));
    QDir().mkpath(folder);
    return folder;
}

void tst_hardening::openAll(frmMain &form, const QString &folder)
{
    Settings::writeStoredFolder(folder);
    form.Form_Load();
    form.optFilter[0]->click();
}

void tst_hardening::openAllOnPage(frmMain &form, const QString &folder)
{
    openAll(form, folder);
    form.List1->selectAll();
    form.cmdAdd->click();
}

void tst_hardening::badPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<QColor>("lower");
    for (const CorpusFile &file : corpus())
        QTest::newRow(file.row) << file.name << file.bytes << file.outcome << file.portrait << file.lower;
}

// Each file through the preview, then beside a good picture on the board.
void tst_hardening::badPicture()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(Outcome, outcome);
    QFETCH(bool, portrait);
    QFETCH(QColor, lower);

    const QString folder = freshFolder();
    QVERIFY(writeFileBytes(folder + QStringLiteral("/good.jpg"), encoded(twoHalves(QSize(200, 150)), "jpeg")));
    QVERIFY(writeFileBytes(folder + QLatin1Char('/') + name, bytes));
    const QString path = folder + QLatin1Char('/') + name;

    MessageRecorder recorder;
    frmMain form;
    openAll(form, folder);
    QCOMPARE(form.List1->count(), 2);

    pick(form, QStringLiteral("good.jpg"));
    QVERIFY(recorder.messages.isEmpty());
    const qint64 goodKey = form.imgView2->picture().cacheKey();
    pick(form, name);
    if (outcome == Outcome::Shows) {
        QVERIFY2(recorder.messages.isEmpty(), qPrintable(recorder.messages.value(0).text));
        QVERIFY(form.imgView2->picture().cacheKey() != goodKey);
        checkPicture(form.imgView2->picture(), portrait, lower);
    } else {
        QCOMPARE(recorder.messages.size(), 1);
        const MessageRecorder::Message &message = recorder.messages.at(0);
        QCOMPARE(message.style, MessageStyle::Exclamation);
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)), qPrintable(message.text));
        const QString reason = loadPicture(path, form.imgView2->devicePixelTarget()).error();
        QVERIFY(!reason.isEmpty());
        QVERIFY2(message.text.contains(reason), qPrintable(message.text));
        QCOMPARE(form.imgView2->picture().cacheKey(), goodKey);
    }

    recorder.messages.clear();
    form.List1->selectAll();
    form.cmdAdd->click();
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 2);
    QVERIFY(!QGuiApplication::overrideCursor());
    const int slot = int(form.List2->names().indexOf(name)) + 1;
    const int goodSlot = 3 - slot;
    QVERIFY(!form.imgView(goodSlot)->hasFailure());
    QCOMPARE(form.imgView(slot)->hasFailure(), outcome == Outcome::Fails);
    if (outcome == Outcome::Shows) {
        QVERIFY(recorder.messages.isEmpty());
        checkPicture(form.imgView(slot)->picture(), portrait, lower);
    } else {
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY(recorder.messages.at(0).text.contains(name));
        QVERIFY(!recorder.messages.at(0).text.contains(QLatin1String("good.jpg")));
    }
}

// The whole corpus in one refresh: one message naming exactly the files that
// fail, and memory kept well below what a full decode of the claimed sizes
// would take.
void tst_hardening::wholeCorpusOnOneBoard()
{
    const QString folder = freshFolder();
    QStringList failing;
    for (const CorpusFile &file : corpus()) {
        QVERIFY(writeFileBytes(folder + QLatin1Char('/') + file.name, file.bytes));
        if (file.outcome == Outcome::Fails)
            failing << file.name;
    }
    // Decoded ahead on worker threads, large pictures add up.
    for (int i = 2; i <= 6; ++i)
        QVERIFY(QFile::copy(folder + QStringLiteral("/large.jpg"), folder + QStringLiteral("/large%1.jpg").arg(i)));
    MessageRecorder recorder;
    frmMain form;
    openAllOnPage(form, folder);
    form.cmdRefresh->click();
    // A second refresh says the same once more, not twice.
    form.cmdRefresh->click();

    QCOMPARE(form.thumbnailCount(), int(corpus().size()) + 5);
    const QStringList pageList = form.List2->names();
    for (int n = 1; n <= form.thumbnailCount(); ++n)
        QCOMPARE(form.imgView(n)->hasFailure(), failing.contains(pageList.at(n - 1)));
    QCOMPARE(recorder.messages.size(), 2);
    const QString text = recorder.messages.at(1).text;
    QCOMPARE(text, recorder.messages.at(0).text);
    QVERIFY(text.contains(QDir::toNativeSeparators(folder)));
    for (const QString &name : pageList)
        QCOMPARE(text.contains(name + QLatin1Char(':')), failing.contains(name));

    const long peak = peakMegabytes();
    QVERIFY(peak >= 0);
    qInfo("peak resident memory: %ld MB", peak);
    // Also under AddressSanitizer, whose shadow memory and quarantine come on top.
    QVERIFY2(peak < 500, qPrintable(QString::number(peak)));
}

void tst_hardening::craftedPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QList<ZeroRun>>("zeros");
    for (const CraftedPicture &file : craftedPictures())
        QTest::newRow(file.row) << file.name << file.bytes << file.reason << file.zeros;
}

// Each file in a process of its own with 1 GB of address space: it must fail
// with its reason, in the preview and on the board, and not take the memory.
void tst_hardening::craftedPicture()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QFETCH(QList<ZeroRun>, zeros);
    const QString folder = freshFolder();
    QVERIFY(writeCrafted(folder + QLatin1Char('/') + name, CraftedPicture{"", name, bytes, reason, zeros}));

    QProcess process;
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELVANE_ASAN 1
#endif
#endif
#if !defined(__SANITIZE_ADDRESS__) && !defined(KELVANE_ASAN) && !defined(Q_OS_WIN)
    // The address sanitizer reserves terabytes up front, and Windows has no
    // such limit; there only the outcome is checked.
    process.setChildProcessModifier([] {
        const rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
        setrlimit(RLIMIT_AS, &limit);
    });
#endif
    process.start(QStringLiteral(LOAD_PICTURE_PATH), {folder, name});
    QVERIFY(process.waitForFinished(60000));
    // Windows ends the helper's lines in CR LF.
    const QStringList lines = QString::fromLocal8Bit(process.readAllStandardOutput())
                                  .remove(QLatin1Char('\r'))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
             qPrintable(process.readAllStandardError()));
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(0).contains(reason), qPrintable(lines.at(0))); // preview
    QVERIFY2(lines.at(1).contains(name + QStringLiteral(": ") + reason), qPrintable(lines.at(1))); // board
    QCOMPARE(lines.at(2), QStringLiteral("done"));
}

void tst_hardening::fifoNeverBlocks_data()
{
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("FIFO in place of a listed picture") << false;
    QTest::newRow("symbolic link to a FIFO") << true;
}

// Opening a FIFO for reading would wait for a writer: the window must not.
void tst_hardening::fifoNeverBlocks()
{
#ifdef Q_OS_WIN
    QSKIP("FIFOs are POSIX; a Windows folder cannot hold one");
#else
    QFETCH(bool, throughLink);
    const QString folder = freshFolder();
    QVERIFY(writeGoodPictures(folder, {QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));
    MessageRecorder recorder;
    frmMain form;
    openAll(form, folder);
    const QString pipe = folder + (throughLink ? QStringLiteral("/.pipe") : QStringLiteral("/b.jpg"));
    QVERIFY(QFile::remove(folder + QStringLiteral("/b.jpg")));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    if (throughLink)
        QVERIFY(QFile::link(pipe, folder + QStringLiteral("/b.jpg")));

    pick(form, QStringLiteral("b.jpg"));
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY2(recorder.messages.at(0).text.contains(QLatin1String("Not a regular file")),
             qPrintable(recorder.messages.at(0).text));
    form.List1->selectAll();
    form.cmdAdd->click();
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 2);
    QVERIFY(!form.imgView(1)->hasFailure());
    QCOMPARE(form.imgView(2)->failure(), QStringLiteral("Not a regular file"));
    QCOMPARE(recorder.messages.size(), 2);
#endif
}

// Moves keep every name once, in order, and the selection of the names
// already on the receiving list.
void tst_hardening::fiftyThousandNamesMove()
{
    QStringList names;
    for (int i = 0; i < 50000; ++i)
        names << QStringLiteral("IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
    SortedListBox files, page;
    files.addNames(names);
    // Every even name first, all of them selected on the page list, then
    // the odd ones in between.
    QStringList even, odd;
    QItemSelection evenRows;
    for (int i = 0; i < names.size(); ++i) {
        (i % 2 ? odd : even) << names.at(i);
        if (i % 2 == 0)
            evenRows.select(files.model()->index(i, 0), files.model()->index(i, 0));
    }
    files.selectionModel()->select(evenRows, QItemSelectionModel::Select);
    Selection::moveSelected(files, page);
    page.selectAll();
    files.selectAll();
    Selection::moveSelected(files, page);
    QCOMPARE(files.count(), 0);
    QCOMPARE(page.names(), names);
    QCOMPARE(page.selectedRows().size(), even.size());
    for (int row : {0, 2, 49998})
        QVERIFY(page.item(row)->isSelected());
    for (int row : {1, 3, 49999})
        QVERIFY(!page.item(row)->isSelected());

    Selection::moveSelected(page, files);
    QCOMPARE(files.names(), even);
    QCOMPARE(page.names(), odd);
    QVERIFY(page.selectedRows().isEmpty());
}

void tst_hardening::fileVanishesBeforeLoading()
{
    const QString folder = freshFolder();
    QVERIFY(writeGoodPictures(folder, {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
    MessageRecorder recorder;
    frmMain form;
    openAll(form, folder);
    selectNames(form.List1, {"a.jpg", "b.jpg", "c.jpg"});
    form.cmdAdd->click();
    pick(form, QStringLiteral("d.jpg"));
    const qint64 shown = form.imgView2->picture().cacheKey();

    QVERIFY(QFile::remove(folder + QStringLiteral("/b.jpg")));
    QVERIFY(QFile::remove(folder + QStringLiteral("/d.jpg")));
    const QString noSuchFile = noSuchFileReason();

    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 3);
    QVERIFY(!form.imgView(1)->hasFailure());
    QVERIFY(form.imgView(2)->hasFailure());
    QVERIFY(!form.imgView(3)->hasFailure());
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY(recorder.messages.at(0).text.contains(QStringLiteral("b.jpg: ") + noSuchFile));

    pick(form, QStringLiteral("d.jpg"));
    QCOMPARE(recorder.messages.size(), 2);
    QVERIFY(recorder.messages.at(1).text.contains(QDir::toNativeSeparators(folder + QStringLiteral("/d.jpg"))));
    QVERIFY(recorder.messages.at(1).text.contains(noSuchFile));
    QCOMPARE(form.imgView2->picture().cacheKey(), shown);

    // The page still lists the vanished picture: the user chose it.
    form.txtName->setText(QStringLiteral("Still"));
    form.cmdBuild->click();
    QCOMPARE(recorder.messages.size(), 2);
    QVERIFY(readFileBytes(folder + QStringLiteral("/Still.html")).contains("<img src=\"b.jpg\">"));
}

// Every handler that reads the folder, once it is gone.
void tst_hardening::folderVanishesAfterOpening()
{
    const QString folder = freshFolder();
    QVERIFY(writeGoodPictures(folder, {"a.jpg", "b.jpg", "c.jpg"}));
    const QString other = freshFolder();
    QVERIFY(writeGoodPictures(other, {"z.jpg"}));

    MessageRecorder recorder;
    frmMain form;
    openAll(form, folder);
    selectNames(form.List1, {"a.jpg", "b.jpg"});
    form.cmdAdd->click();
    form.cmdRefresh->click();
    pick(form, QStringLiteral("c.jpg"));
    const qint64 shown = form.imgView2->picture().cacheKey();
    QVERIFY(!form.imgView2->picture().isNull());
    QVERIFY(recorder.messages.isEmpty());

    QVERIFY(QDir(folder).removeRecursively());
    const QString native = QDir::toNativeSeparators(folder);

    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 2);
    QVERIFY(form.imgView(1)->hasFailure());
    QVERIFY(form.imgView(2)->hasFailure());
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY(recorder.messages.at(0).text.contains(native));
    QVERIFY(recorder.messages.at(0).text.contains(QLatin1String("a.jpg")));
    QVERIFY(recorder.messages.at(0).text.contains(QLatin1String("b.jpg")));

    pick(form, QStringLiteral("c.jpg"));
    QCOMPARE(recorder.messages.size(), 2);
    QVERIFY(recorder.messages.at(1).text.contains(QDir::toNativeSeparators(folder + QStringLiteral("/c.jpg"))));
    QCOMPARE(form.imgView2->picture().cacheKey(), shown);

    form.txtName->setText(QStringLiteral("Lost"));
    form.cmdBuild->click();
    QCOMPARE(recorder.messages.size(), 3);
    QVERIFY(recorder.messages.at(2).text.contains(QDir::toNativeSeparators(folder + QStringLiteral("/Lost.html"))));
    QVERIFY(!QFileInfo::exists(folder));

    form.optFilter[1]->click();
    QCOMPARE(recorder.messages.size(), 4);
    QVERIFY(recorder.messages.at(3).text.contains(native));
    QCOMPARE(form.List1->names(), QStringList{"c.jpg"});
    QCOMPARE(form.List2->names(), (QStringList{"a.jpg", "b.jpg"}));

    // The window goes on working elsewhere.
    QCOMPARE(form.Dir1->setPath(other), FolderBox::Move::Changed);
    QCOMPARE(form.List1->names(), QStringList{"z.jpg"});
    form.close();
    QCOMPARE(Settings::readStoredFolder(), QDir::toNativeSeparators(other + QLatin1Char('/')));
    QCOMPARE(recorder.messages.size(), 4);
}

namespace {

// With ".html" the longest name a Linux file system takes.
const QString longestName(250, QLatin1Char('l'));

void linuxPageNameRows()
{
    QTest::newRow("longest name the file system takes") << longestName << true << longestName + QStringLiteral(".html")
                                                        << "<Title>" + longestName.toLatin1() + "</Title>";
    QTest::newRow("markup characters pasted")
        << "<Tom> & \"Jerry\"" << true << "<Tom> & \"Jerry\".html" << QByteArray("<Title><Tom> & \"Jerry\"</Title>");
}

void windowsPageNameRows()
{
    // The page goes to the system in the long-path form, as every path does.
    QTest::newRow("name that takes the path past 260 characters")
        << longestName << true << longestName + QStringLiteral(".html")
        << "<Title>" + longestName.toLatin1() + "</Title>";
    QTest::newRow("markup characters pasted, which no Windows name holds")
        << "<Tom> & \"Jerry\"" << true << "" << QByteArray();
    QTest::newRow("colon, which would name a stream of another file") << "Trip:x" << false << "" << QByteArray();
}

} // namespace

void tst_hardening::pageName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted");
    // Where the page lands, relative to the folder; empty: it cannot be
    // written and the user is told.
    QTest::addColumn<QString>("writtenAs");
    QTest::addColumn<QByteArray>("titleLine");

    const QString tooLong(300, QLatin1Char('n'));
    QTest::newRow("slash into a folder that does not exist") << "no/such" << false << "" << QByteArray();
    QTest::newRow("slash into a subfolder that exists")
        << "sub/inside" << false << "sub/inside.html" << QByteArray("<Title>sub/inside</Title>");
    QTest::newRow("longer than a file name may be") << tooLong << true << "" << QByteArray();
    QTest::newRow("only dots") << "..." << false << "....html" << QByteArray("<Title>...</Title>");
    QTest::newRow("one dot") << "." << false << "..html" << QByteArray("<Title>.</Title>");
    addSystemRows(linuxPageNameRows, windowsPageNameRows);
    QTest::newRow("NUL pasted") << QString::fromUtf16(u"Nul\0name", 8) << true << "" << QByteArray();
    QTest::newRow("name of a folder that exists") << "Album" << false << "" << QByteArray();
}

// Through the name box and the build button; the earlier page must survive
// whatever happens to the new one.
void tst_hardening::pageName()
{
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(QString, writtenAs);
    QFETCH(QByteArray, titleLine);

    const QString folder = freshFolder();
    QVERIFY(writeGoodPictures(folder, {"a.jpg"}));
    QVERIFY(QDir(folder).mkpath(QStringLiteral("sub")));
    QVERIFY(QDir(folder).mkpath(QStringLiteral("Album.html")));

    MessageRecorder recorder;
    frmMain form;
    openAllOnPage(form, folder);
    form.txtName->setText(QStringLiteral("Earlier"));
    form.cmdBuild->click();
    const QString earlierPath = folder + QStringLiteral("/Earlier.html");
    const QByteArray earlier = readFileBytes(earlierPath);
    QVERIFY(earlier.startsWith("<Title>Earlier</Title>\r\n"));
    const QStringList before = entries(folder);

    form.txtName->clear();
    if (pasted)
        paste(form.txtName, typed);
    else
        QTest::keyClicks(form.txtName, typed);
    form.cmdBuild->click();

    QCOMPARE(readFileBytes(earlierPath), earlier);
    QVERIFY(entries(folder + QStringLiteral("/Album.html")).isEmpty());
    QVERIFY(entries(folder + QStringLiteral("/sub")).size() <= 1);
    const QString page = folder + QLatin1Char('/') + Page::trimSpaces(typed) + QStringLiteral(".html");
    if (!writtenAs.isEmpty()) {
        QVERIFY2(recorder.messages.isEmpty(), qPrintable(recorder.messages.value(0).text));
        QCOMPARE(page, folder + QLatin1Char('/') + writtenAs);
        const QByteArray bytes = readFileBytes(page);
        QVERIFY2(bytes.startsWith(titleLine + "\r\n"), bytes.left(300).constData());
        QVERIFY(bytes.endsWith("<img src=\"a.jpg\"><P><BR>\r\n</Font>\r\n"));
        if (!writtenAs.contains(QLatin1Char('/')))
            QCOMPARE(entries(folder).size(), before.size() + 1);
    } else {
        QCOMPARE(recorder.messages.size(), 1);
        const QString text = recorder.messages.at(0).text;
        QCOMPARE(recorder.messages.at(0).style, MessageStyle::Exclamation);
        QVERIFY2(text.contains(QDir::toNativeSeparators(page)), qPrintable(text));
        const QString reason = text.section(QLatin1Char('\n'), -1);
        QVERIFY2(!reason.trimmed().isEmpty() && !reason.contains(QDir::toNativeSeparators(page)), qPrintable(text));
        QCOMPARE(entries(folder), before);
        QVERIFY(entries(folder + QStringLiteral("/sub")).isEmpty());
    }
}

// The one-line name box takes pasted line breaks as characters. Whether the
// build mends such a name or refuses it, no line break may reach a file
// name, and the page keeps its lines.
void tst_hardening::lineBreaksStayOutOfPageNames()
{
    const QString folder = freshFolder();
    QVERIFY(writeGoodPictures(folder, {"a.jpg"}));
    MessageRecorder recorder;
    frmMain form;
    openAllOnPage(form, folder);
    paste(form.txtName, QStringLiteral("  Day\r\none\n "));
    form.cmdBuild->click();

    const QStringList names = entries(folder);
    QVERIFY2(names.filter(QRegularExpression(QStringLiteral("[\r\n]"))).isEmpty(), qPrintable(names.join('|')));
    for (const QString &name : names) {
        if (name.endsWith(QLatin1String(".html")))
            QCOMPARE(readFileBytes(folder + QLatin1Char('/') + name).count("\r\n"), 8);
    }
}

void tst_hardening::longDescriptions()
{
    // 100,000 characters with line breaks long past position 32,767, and a
    // marker at the very end that must not be lost.
    QString text;
    while (text.size() < 100000)
        text += QString(997, QLatin1Char('w')) + QStringLiteral("\r\n");
    text += QStringLiteral("END");
    QByteArray expected = text.toLatin1();
    expected.replace("\r\n", "<BR>");

    const QString folder = freshFolder();
    QVERIFY(writeGoodPictures(folder, {"a.jpg"}));
    MessageRecorder recorder;
    frmMain form;
    openAllOnPage(form, folder);
    form.cmdRefresh->click();

    describeAndBuild(form, text, QStringLiteral("Long"));
    QVERIFY(recorder.messages.isEmpty());

    const QList<QByteArray> lines = readFileBytes(folder + QStringLiteral("/Long.html")).split('\n');
    QCOMPARE(lines.size(), 10); // nine lines and the empty rest after the last
    QCOMPARE(lines.at(5), expected + "<BR><BR>\r");
    QCOMPARE(lines.at(6).size(), expected.size() + 9);
    QVERIFY(lines.at(6).startsWith(expected.left(32000)));
}

void tst_hardening::oddDescriptionCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("pageLine");
    QTest::addColumn<QByteArray>("slotLine");

    // The page description box makes a paragraph of every line, whatever
    // ended it; the one-line description box keeps the characters.
    QTest::newRow("lone CR first, lone LF last")
        << QStringLiteral("\rmiddle\n") << QByteArray("<BR>middle<BR><BR><BR>") << QByteArray("\rmiddle\n<BR><BR>");
    QTest::newRow("lone LF first, lone CR last")
        << QStringLiteral("\nmiddle\r") << QByteArray("<BR>middle<BR><BR><BR>") << QByteArray("\nmiddle\r<BR><BR>");
    QTest::newRow("NUL characters")
        << QString::fromUtf16(u"a\0b\0", 4) << QByteArray("a\0b\0<BR><BR>", 12) << QByteArray("a\0b\0<BR><BR>", 12);
    // Not text at all: the encoder writes the replacement character.
    QTest::newRow("lone high surrogate")
        << QString::fromUtf16(u"x\xd800y", 3) << QByteArray("x\xef\xbf\xbdy<BR><BR>")
        << QByteArray("x\xef\xbf\xbdy<BR><BR>");
    QTest::newRow("lone low surrogate last")
        << QString::fromUtf16(u"x\xdc00", 2) << QByteArray("x\xef\xbf\xbd<BR><BR>") << QByteArray("x\xef\xbf\xbd<BR><BR>");
}

void tst_hardening::oddDescriptionCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, pageLine);
    QFETCH(QByteArray, slotLine);

    const QString folder = freshFolder();
    QVERIFY(writeGoodPictures(folder, {"a.jpg"}));
    MessageRecorder recorder;
    frmMain form;
    openAllOnPage(form, folder);
    form.cmdRefresh->click();
    describeAndBuild(form, text, QStringLiteral("Odd"));
    QVERIFY(recorder.messages.isEmpty());

    const QByteArray bytes = readFileBytes(folder + QStringLiteral("/Odd.html"));
    QCOMPARE(bytes, crlfLines({"<Title>Odd</Title>", "<Font Size=4>", "<Heading>Odd</Heading><BR><BR>", "</Font>",
                               "<Font Size=3>", pageLine, slotLine, "<img src=\"a.jpg\"><P><BR>", "</Font>"}));
    QStringDecoder strict(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = strict.decode(bytes);
    QVERIFY(!strict.hasError());
    QVERIFY(!decoded.isEmpty());
}

void tst_hardening::startUpWithOddSettingsFile_data()
{
    // @STORED@ stands for a folder of pictures, @SHOWN@ for the folder the
    // window shows when it closes, with its separator.
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("opensStored");
    QTest::addColumn<QByteArray>("after");

    QByteArray garbage;
    for (int c = 0; c < 256; ++c)
        garbage += char(c == '\n' ? 0 : c);
    garbage += noiseBytes(2000).replace('\n', '\r');
    const QByteArray bigLine(1 << 19, 'm');

    QTest::newRow("binary garbage only") << garbage << false
                                         << garbage + "\r\n[Defaults]\r\nFilesDir=@SHOWN@\r\n";
    QTest::newRow("binary garbage around the key")
        << garbage + "\n[Defaults]\nFilesDir=@STORED@\n" + garbage << true
        << garbage + "\n[Defaults]\nFilesDir=@SHOWN@\n" + garbage;
    const QByteArray tooLarge = "; " + QByteArray(1 << 20, 'm') + "\r\n[Defaults]\r\nFilesDir=@STORED@\r\n";
    QTest::newRow("over 1 MB: neither read nor rewritten") << tooLarge << false << tooLarge;
    QTest::newRow("512 KB line before the section")
        << "; " + bigLine + "\r\n[Defaults]\r\nFilesDir=@STORED@\r\n" << true
        << "; " + bigLine + "\r\n[Defaults]\r\nFilesDir=@SHOWN@\r\n";
    QTest::newRow("512 KB value") << "[Defaults]\r\nFilesDir=/" + bigLine + "\r\n[Next]\r\nx=1\r\n" << false
                                << QByteArray("[Defaults]\r\nFilesDir=@SHOWN@\r\n[Next]\r\nx=1\r\n");
    QTest::newRow("FilesDir names a file") << QByteArray("[Defaults]\nFilesDir=@STORED@a.jpg/\n") << false
                                           << QByteArray("[Defaults]\nFilesDir=@SHOWN@\n");
    // Stands in for a folder without permission, which root reads anyway.
    QTest::newRow("FilesDir runs through a file")
        << QByteArray("[Defaults]\r\nFilesDir=@STORED@a.jpg/inner/\r\n") << false
        << QByteArray("[Defaults]\r\nFilesDir=@SHOWN@\r\n");
    QTest::newRow("NUL inside the folder") << QByteArray("[Defaults]\r\nFilesDir=@STORED@\0x/\r\n", 34) << false
                                           << QByteArray("[Defaults]\r\nFilesDir=@SHOWN@\r\n");
    QTest::newRow("CR LF line ends")
        << QByteArray("[Window]\r\nx=1\r\n[Defaults]\r\nFilesDir=@STORED@\r\n[After]\r\ny=2\r\n") << true
        << QByteArray("[Window]\r\nx=1\r\n[Defaults]\r\nFilesDir=@SHOWN@\r\n[After]\r\ny=2\r\n");
    QTest::newRow("LF line ends")
        << QByteArray("[Window]\nx=1\n[Defaults]\nFilesDir=@STORED@\n[After]\ny=2") << true
        << QByteArray("[Window]\nx=1\n[Defaults]\nFilesDir=@SHOWN@\n[After]\ny=2");
    QTest::newRow("[Defaults] twice, key in the second")
        << QByteArray("[Defaults]\r\nOther=1\r\n[Misc]\r\n[Defaults]\r\nFilesDir=@STORED@\r\n") << true
        << QByteArray("[Defaults]\r\nOther=1\r\n[Misc]\r\n[Defaults]\r\nFilesDir=@SHOWN@\r\n");
    QTest::newRow("[Defaults] twice, key in both")
        << QByteArray("[Defaults]\nFilesDir=@STORED@\n[defaults]\nFilesDir=/elsewhere/\n") << true
        << QByteArray("[Defaults]\nFilesDir=@SHOWN@\n[defaults]\nFilesDir=/elsewhere/\n");
}

// The window opens, shows a folder that exists with its files listed, and
// closing it changes the stored folder and nothing else.
void tst_hardening::startUpWithOddSettingsFile()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, opensStored);
    QFETCH(QByteArray, after);
    if (OnWindows)
        QSKIP("the Linux settings file's own reader; Windows reads it with its profile functions");

    const QString stored = freshFolder();
    QVERIFY(writeGoodPictures(stored, {"a.jpg"}));
    const QString current = freshFolder();
    QVERIFY(writeGoodPictures(current, {"c.jpg"}));
    QVERIFY(QDir::setCurrent(current));
    const QByteArray storedValue = QFile::encodeName(stored) + '/';
    QVERIFY(QDir().mkpath(QFileInfo(Settings::filePath()).absolutePath()));
    QVERIFY(writeFileBytes(Settings::filePath(), QByteArray(before).replace("@STORED@", storedValue)));

    MessageRecorder recorder;
    {
        frmMain form;
        form.Form_Load();
        const QString shown = opensStored ? stored : current;
        QCOMPARE(form.Dir1->path(), shown);
        QCOMPARE(form.File1->path(), shown);
        QCOMPARE(form.List1->names(), QStringList(opensStored ? "a.jpg" : "c.jpg"));
        form.List1->selectAll();
        form.cmdAdd->click();
        form.cmdRefresh->click();
        QCOMPARE(form.thumbnailCount(), 1);
        QVERIFY(!form.imgView(1)->hasFailure());
        form.close();
        QCOMPARE(readFileBytes(Settings::filePath()),
                 QByteArray(after).replace("@SHOWN@", QFile::encodeName(shown) + '/').replace("@STORED@", storedValue));
    }
    QVERIFY(recorder.messages.isEmpty());
}

// A settings file marked read-only opens its folder and is left as it is,
// also for root, whom the permissions alone would not stop.
void tst_hardening::readOnlySettingsFile()
{
    const QString stored = freshFolder();
    QVERIFY(writeGoodPictures(stored, {"a.jpg"}));
    const QString other = freshFolder();
    const QByteArray content = "; kept\r\n[Defaults]\r\nFilesDir=" + QFile::encodeName(stored) + "/\r\n";
    QVERIFY(QDir().mkpath(QFileInfo(Settings::filePath()).absolutePath()));
    QVERIFY(writeFileBytes(Settings::filePath(), content));
    QVERIFY(QFile::setPermissions(Settings::filePath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    // Wine run as root maps the read-only attribute to permission bits, which
    // root writes through; the system's profile functions then do too.
    if (QFile probe(Settings::filePath()); OnWindows && probe.open(QIODevice::Append)) {
        probe.close();
        QFile::setPermissions(Settings::filePath(), QFile::ReadOwner | QFile::WriteOwner);
        QSKIP("the read-only attribute does not hold here");
    }

    {
        frmMain form;
        form.Form_Load();
        QCOMPARE(form.Dir1->path(), stored);
        QCOMPARE(form.List1->names(), QStringList{"a.jpg"});
        QCOMPARE(form.Dir1->setPath(other), FolderBox::Move::Changed);
        form.close();
    }
    const QByteArray after = readFileBytes(Settings::filePath());
    const bool writable = QFileInfo(Settings::filePath()).permissions()
        & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
    QFile::setPermissions(Settings::filePath(), QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(after, content);
    QVERIFY(!writable);
}

void tst_hardening::writeFailsPartWay_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("error");
    QTest::newRow("small file system filled to its last page") << "tmpfs" << ENOSPC;
    QTest::newRow("file size limit") << "fsize" << EFBIG;
}

// A helper process builds a page and closes the window while writes fail:
// on a private tmpfs of its own (mounted in a new mount namespace, as an
// unprivileged user where the kernel allows it), or under RLIMIT_FSIZE.
void tst_hardening::writeFailsPartWay()
{
#ifdef Q_OS_WIN
    QSKIP("a private tmpfs and RLIMIT_FSIZE are Linux's");
#else
    QFETCH(QString, mode);
    QFETCH(int, error);

    const QString folder = freshFolder();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // LeakSanitizer stops the process with ptrace, which a user namespace
    // may not allow.
    const QString sanitizerOptions = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"), sanitizerOptions.isEmpty()
                           ? QStringLiteral("detect_leaks=0")
                           : sanitizerOptions + QStringLiteral(":detect_leaks=0"));

    QList<QStringList> attempts;
    const QString helper = QStringLiteral(WRITE_FAULTS_PATH);
    if (mode == QLatin1String("tmpfs")) {
        const QStringList script = {
            QStringLiteral("sh"), QStringLiteral("-c"),
            QStringLiteral("mount -t tmpfs -o size=256k kelvane-full \"$1\" || exit 77; exec \"$2\" tmpfs \"$1\""),
            QStringLiteral("sh"), folder, helper};
        attempts << (QStringList{"--user", "--map-root-user", "--mount"} + script)
                 << (QStringList{"--mount"} + script);
    } else {
        attempts << QStringList{QStringLiteral("fsize"), folder};
    }

    QString output;
    QString tried;
    for (const QStringList &arguments : attempts) {
        QProcess process;
        process.setProcessEnvironment(environment);
        if (mode == QLatin1String("tmpfs"))
            process.start(QStringLiteral("unshare"), arguments);
        else
            process.start(helper, arguments);
        if (!process.waitForStarted()) {
            tried += process.errorString() + QLatin1Char('\n');
            continue;
        }
        QVERIFY(process.waitForFinished(20000));
        output = QString::fromUtf8(process.readAllStandardOutput());
        tried += QString::fromUtf8(process.readAllStandardError());
        if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
            break;
        output.clear();
    }
    if (output.isEmpty() && mode == QLatin1String("tmpfs"))
        QSKIP(qPrintable(QStringLiteral("no private tmpfs can be mounted here: ") + tried));
    QVERIFY2(output.contains(QLatin1String("\ndone\t")), qPrintable(output + tried));

    QMap<QString, QStringList> facts;
    for (const QString &line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        facts[line.section(QLatin1Char('\t'), 0, 0)] << line.section(QLatin1Char('\t'), 1);
    auto fact = [&](const char *name) { return facts.value(QLatin1String(name)).value(0); };

    const QString reason = QString::fromLocal8Bit(std::strerror(error));
    const QString page = QDir::toNativeSeparators(folder + QStringLiteral("/pics/Album.html"));
    QCOMPARE(fact("earlier written"), QStringLiteral("yes"));
    QCOMPARE(fact("build messages"), QStringLiteral("1"));
    QVERIFY2(fact("message").contains(page) && fact("message").contains(reason), qPrintable(fact("message")));
    QCOMPARE(fact("earlier page"), QStringLiteral("intact"));
    QCOMPARE(fact("settings file"), QStringLiteral("intact"));
    QCOMPARE(fact("close messages"), QStringLiteral("1")); // the build's; the settings fail quietly
    QCOMPARE(fact("pictures folder"), QStringLiteral("Album.html,a.jpg"));
    QCOMPARE(fact("config folder"), QStringLiteral("Kelvane.INI"));
    QCOMPARE(fact("reopened at"), QStringLiteral("pictures"));
    QVERIFY(fact("rebuilt page bytes").toInt() > 100000);
    QCOMPARE(fact("rebuild messages"), QStringLiteral("0"));
#endif
}

// The error mode keeps what the process had; text for a file or a pipe is
// UTF-8, whatever the ANSI code page.
void tst_hardening::windowsErrorModeAndRedirectedText()
{
#ifndef Q_OS_WIN
    QSKIP("the Windows error mode and standard handles");
#else
    const UINT before = ::SetErrorMode(SEM_NOGPFAULTERRORBOX);
    Platform::prepareProcess();
    const UINT mode = ::GetErrorMode();
    ::SetErrorMode(before);
    QCOMPARE(mode, UINT(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX));

    const QString path = QDir::toNativeSeparators(freshFolder() + QStringLiteral("/err.txt"));
    const HANDLE file = ::CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, 0, nullptr);
    QVERIFY(file != INVALID_HANDLE_VALUE);
    const HANDLE saved = ::GetStdHandle(STD_ERROR_HANDLE);
    ::SetStdHandle(STD_ERROR_HANDLE, file);
    Platform::printText(QStringLiteral("kelvane: \u03a6\u03c9\u03c4\u03bf \u5199\u771f\n"), true);
    ::SetStdHandle(STD_ERROR_HANDLE, saved);
    ::CloseHandle(file);
    QCOMPARE(readFileBytes(path), QStringLiteral("kelvane: \u03a6\u03c9\u03c4\u03bf \u5199\u771f\r\n").toUtf8());
#endif
}

QTEST_MAIN(tst_hardening)
#include "tst_hardening.moc"

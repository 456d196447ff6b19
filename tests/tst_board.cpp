// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frmmain.h"
#include "toolkit/filebox.h"
#include "toolkit/folderbox.h"
#include "toolkit/imagebox.h"
#include "toolkit/scopedoverride.h"
#include "toolkit/sortedlistbox.h"
#include "board/pictureprefetcher.h"
#include "board/slotgeometry.h"
#include "picture/thumbnailsources.h"
#include "board/thumbnailboard.h"
#include "settings/settingsfile.h"
#include "testpictures.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QThread>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include <atomic>
#include <map>

class tst_board : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void placement_data();
    void placement();
    void frameHeight_data();
    void frameHeight();
    void rowsAround_data();
    void rowsAround();

    void refreshPlacesSlots_data();
    void refreshPlacesSlots();
    void shorterSecondRefresh();
    void emptyRefreshKeepsScrollBar();
    void slot153CanBeScrolledIntoView();
    void descriptionsRoad();
    void textTypedBeforeAnyClickGoesToTemplate();
    void clickAfterCurrentSlotVanished();
    void failurePlaceholders();
    void manyFailuresAreCounted_data();
    void manyFailuresAreCounted();
    void secondRefreshDuringRefresh();
    void pageListShrinksAtYield();
    void closeDuringRefresh();
    void interruptedRefreshDropsItsLookAhead();
    void nestedRefreshFailsUnderNormalPointer();
    void editedPhotoEndsOnItsOwnPixels_data();
    void editedPhotoEndsOnItsOwnPixels();
    void settlingEndsWithItsBoard_data();
    void settlingEndsWithItsBoard();
    void failedDecodeReplacesFirstLook();
    void hungPictureHoldsOnlyItsSlot();
    void hungCacheIsLeftAlone();
    void farSlotsTakeBackTheirOwnPixels_data();
    void farSlotsTakeBackTheirOwnPixels();

private:
    // A window opened on a folder of `count` small pictures, all of them on
    // the page list.
    void openWindow(frmMain &form, const QString &folder);
    QString pictureFolder(int count);
    // A folder and an empty thumbnail cache of the running row's own.
    QString rowFolder();
    QTemporaryDir m_dir;
};

void tst_board::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
}

QString tst_board::pictureFolder(int count)
{
    const QString folder = m_dir.filePath(QStringLiteral("pics-%1").arg(count));
    if (QDir(folder).exists())
        return folder;
    QDir().mkpath(folder);
    for (int i = 1; i <= count; ++i) {
        flatImage(QSize(16, 12), QColor::fromHsv((i * 37) % 360, 200, 200))
            .save(folder + QStringLiteral("/p%1.jpg").arg(i, 3, 10, QLatin1Char('0')), "JPG");
    }
    return folder;
}

QString tst_board::rowFolder()
{
    const QString tag = QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char('-')
        + QString::fromLatin1(QTest::currentDataTag());
    setCacheHome(m_dir.filePath(QStringLiteral("cache/") + tag));
    const QString folder = m_dir.filePath(QStringLiteral("rows/") + tag);
    QDir().mkpath(folder);
    return folder;
}

namespace {

// A camera picture changed by a tool that kept its EXIF thumbnail: the
// thumbnail shows `before`, the picture is `after`.
QByteArray editedPhoto(const QImage &before, const QByteArray &after)
{
    return withExifThumbnail(after, encoded(before.scaled(320, 240), "jpeg"), 0);
}

// Pictures whose name says "hung" are not read until the gate opens, as on a
// network mount that stopped answering.
QSemaphore hungGate;
std::atomic<int> hungReads{0};

template<ThumbnailBoard::Loader load>
LoadedPicture hangingLoad(const QString &path, const QSize &target, const DecodeStop *stop)
{
    if (QFileInfo(path).fileName().contains(QLatin1String("hung"))) {
        ++hungReads;
        hungGate.acquire();
        hungGate.release();
    }
    return load(path, target, stop);
}

QColor leftColour(const ImageBox *box)
{
    const QImage image = box->picture().toImage();
    return image.pixelColor(image.width() / 8, image.height() / 2);
}

} // namespace

void tst_board::openWindow(frmMain &form, const QString &folder)
{
    Settings::writeStoredFolder(folder);
    form.Form_Load();
    form.List1->selectAll();
    form.cmdAdd_Click();
}

void tst_board::placement_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<int>("row");
    QTest::newRow("slot 1") << 1 << 60.0f << 120.0f << 0;
    QTest::newRow("slot 2") << 2 << 1935.0f << 120.0f << 0;
    QTest::newRow("slot 3") << 3 << 3810.0f << 120.0f << 0;
    QTest::newRow("slot 4, last column") << 4 << 5685.0f << 120.0f << 0;
    QTest::newRow("slot 5 starts row 1") << 5 << 60.0f << 1815.0f << 1;
    QTest::newRow("slot 9 starts row 2") << 9 << 60.0f << 3510.0f << 2;
    QTest::newRow("slot 153 starts row 38") << 153 << 60.0f << 64530.0f << 38;
}

void tst_board::placement()
{
    QFETCH(int, n);
    QFETCH(float, left);
    QFETCH(float, top);
    QFETCH(int, row);
    const SlotPlacement place = Board::placeSlot(n, TwipsRect{60, 120, 1875, 1695});
    QCOMPARE(place.left, left);
    QCOMPARE(place.top, top);
    QCOMPARE(place.row, row);
    QCOMPARE(Board::frameTopForScroll(3, 1695), -5085.0f);
}

void tst_board::frameHeight_data()
{
    QTest::addColumn<int>("slotCount");
    QTest::addColumn<float>("height");
    QTest::newRow("empty board keeps ten times the table height") << 0 << 63750.0f;
    QTest::newRow("148 slots fit the frame as the start-up made it") << 148 << 63750.0f;
    QTest::newRow("152 slots: row 37 must fit whole") << 152 << 120.0f + 38 * 1695.0f + 120.0f;
    QTest::newRow("153 slots: row 38 too") << 153 << 120.0f + 39 * 1695.0f + 120.0f;
}

void tst_board::frameHeight()
{
    QFETCH(int, slotCount);
    QFETCH(float, height);
    QCOMPARE(Board::boardFrameHeight(slotCount, TwipsRect{60, 120, 1875, 1695}), height);
}

void tst_board::rowsAround_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<float>("viewportHeight");
    QTest::addColumn<int>("screens");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("the viewport shows a part of its fourth row") << 30 << 6435.0f << 0 << 30 << 33;
    QTest::newRow("two screens either side") << 30 << 6435.0f << 2 << 22 << 41;
    QTest::newRow("none above the first row") << 3 << 6435.0f << 2 << 0 << 14;
    QTest::newRow("a viewport lower than a row shows one") << 5 << 100.0f << 1 << 4 << 6;
}

void tst_board::rowsAround()
{
    QFETCH(int, position);
    QFETCH(float, viewportHeight);
    QFETCH(int, screens);
    QFETCH(int, first);
    QFETCH(int, last);
    const RowSpan rows = Board::rowsAround(position, viewportHeight, 1695, screens);
    QCOMPARE(rows.first, first);
    QCOMPARE(rows.last, last);
}

void tst_board::refreshPlacesSlots_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QPoint>("lastSlot");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("notches"); // of the wheel, down over a slot
    QTest::newRow("3 items") << 3 << Qt::LeftToRight << QPoint(254, 8) << 0 << 1;
    QTest::newRow("5 items") << 5 << Qt::LeftToRight << QPoint(4, 121) << 1 << 1;
    QTest::newRow("9 items, the wheel turned past the last row") << 9 << Qt::LeftToRight << QPoint(4, 234) << 2 << 3;
    QTest::newRow("3 items, right to left") << 3 << Qt::RightToLeft << QPoint(142, 8) << 0 << 1;
}

void tst_board::refreshPlacesSlots()
{
    QFETCH(int, items);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QPoint, lastSlot);
    QFETCH(int, maximum);
    QFETCH(int, notches);
    const auto restore = qScopeGuard([] { QGuiApplication::setLayoutDirection(Qt::LeftToRight); });
    QGuiApplication::setLayoutDirection(direction);
    frmMain form;
    openWindow(form, pictureFolder(items));
    // Asked at the refresh's first yield, while it places its slots.
    bool settledWhilePlacing = true;
    QTimer::singleShot(0, &form, [&] { settledWhilePlacing = form.board().isSettled(); });
    form.cmdRefresh->click();
    QVERIFY(!settledWhilePlacing);
    QVERIFY(form.board().isSettled());
    QCOMPARE(form.thumbnailCount(), items);
    // The first slot lies where the template lies, whichever way the board runs.
    QCOMPARE(form.imgView(1)->geometry(), form.imgView(0)->geometry());
    QCOMPARE(form.imgView(items)->pos(), lastSlot);
    QCOMPARE(form.imgView(items)->size(), QSize(125, 113));
    QVERIFY(form.imgView(items)->isVisibleTo(&form));
    QVERIFY(!form.imgView(items)->picture().isNull());
    QCOMPARE(form.VScroll1->maximum(), maximum);
    QVERIFY(form.VScroll1->updatesEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());

    // The wheel turns the scroll bar, one row a notch, as its arrow does.
    for (int i = 0; i < notches; ++i) {
        QWheelEvent turn(QPointF(9, 9), form.imgView(1)->mapToGlobal(QPointF(9, 9)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&turn); // as from the window system: on up to the parents
        qApp->notify(form.imgView(1), &turn);
    }
    QCOMPARE(form.VScroll1->value(), std::min(notches, maximum));
    QCOMPARE(form.Frame1->y(), -113 * std::min(notches, maximum));
    form.VScroll1->setMaximum(32767);
    form.VScroll1->setValue(3);
    QCOMPARE(form.Frame1->y(), -339); // -5085 twips
    // Turned the other way with the board in place, the slots follow the
    // template across, and the frame keeps its scroll.
    QGuiApplication::setLayoutDirection(direction == Qt::LeftToRight ? Qt::RightToLeft : Qt::LeftToRight);
    QCOMPARE(form.imgView(items)->pos(), QPoint(form.Frame1->width() - lastSlot.x() - 125, lastSlot.y()));
    QCOMPARE(form.Frame1->y(), -339);
}

void tst_board::shorterSecondRefresh()
{
    frmMain form;
    openWindow(form, pictureFolder(9));
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 9);
    form.List2->selectAll();
    form.List2->item(0)->setSelected(false);
    form.List2->item(1)->setSelected(false);
    form.cmdRemove_Click();
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 2);
    QCOMPARE(form.Frame1->findChildren<ImageBox *>().size(), 3); // the template and two slots
    QCOMPARE(form.VScroll1->maximum(), 0);
}

void tst_board::emptyRefreshKeepsScrollBar()
{
    frmMain form;
    openWindow(form, pictureFolder(9));
    form.cmdRefresh->click();
    form.VScroll1->setValue(2);
    form.cmdClear->click();
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 0);
    QCOMPARE(form.VScroll1->maximum(), 2);
    QCOMPARE(form.VScroll1->value(), 2);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_board::slot153CanBeScrolledIntoView()
{
    frmMain form;
    openWindow(form, pictureFolder(153));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 153);
    QCOMPARE(form.VScroll1->maximum(), 38);
    form.VScroll1->setValue(38);
    ImageBox *last = form.imgView(153);
    const QRect inViewport(last->mapTo(form.Frame2, QPoint(0, 0)), last->size());
    QVERIFY2(form.Frame2->rect().contains(inViewport), qPrintable(QStringLiteral("slot at %1,%2").arg(inViewport.x()).arg(inViewport.y())));
    QVERIFY(form.Frame1->rect().contains(last->geometry()));

    // And it can be described.
    QTest::mouseClick(last, Qt::LeftButton);
    QCOMPARE(form.currentSlot(), 153);
}

void tst_board::descriptionsRoad()
{
    MessageRecorder recorder;
    frmMain form;
    openWindow(form, pictureFolder(5));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.cmdRefresh->click();

    QTest::mouseClick(form.imgView(2), Qt::LeftButton);
    QCOMPARE(form.lblPicDesc->text(), QStringLiteral("Picture Description for Pic 2"));
    QVERIFY(QTest::qWaitForWindowActive(&form));
    // Keys typed right after the click land in the description box.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Second <b>bold</b>"));
    QCOMPARE(form.txtItemDesc->text(), QStringLiteral("Second <b>bold</b>"));
    QTest::mouseClick(form.imgView(5), Qt::LeftButton);
    QCOMPARE(form.imgView(2)->toolTip(), QStringLiteral("Second <b>bold</b>"));
    QCOMPARE(form.txtItemDesc->text(), QString());
    QCOMPARE(form.lblPicDesc->text(), QStringLiteral("Picture Description for Pic 5"));

    // Text still waiting in the box is not on the page.
    form.txtItemDesc->setText(QStringLiteral("Fifth"));
    form.txtName->setText(QStringLiteral("Desc"));
    form.cmdBuild->click();
    const QString page = QString::fromUtf8(readFileBytes(form.File1->path() + QStringLiteral("/Desc.html")));
    QVERIFY(page.contains(QStringLiteral("Second <b>bold</b><BR><BR>\r\n<img src=\"p002.jpg\">")));
    QVERIFY(!page.contains(QStringLiteral("Fifth")));
    // A second click on the same slot stores it.
    QTest::mouseClick(form.imgView(5), Qt::LeftButton);
    QCOMPARE(form.txtItemDesc->text(), QStringLiteral("Fifth"));
    form.cmdBuild->click();
    QVERIFY(QString::fromUtf8(readFileBytes(form.File1->path() + QStringLiteral("/Desc.html")))
                .contains(QStringLiteral("Fifth<BR><BR>\r\n<img src=\"p005.jpg\">")));
    QVERIFY(recorder.messages.isEmpty());
}

void tst_board::textTypedBeforeAnyClickGoesToTemplate()
{
    frmMain form;
    openWindow(form, pictureFolder(3));
    form.cmdRefresh->click();
    form.txtItemDesc->setText(QStringLiteral("shared"));
    form.imgView_Click(1);
    QCOMPARE(form.imgView(0)->toolTip(), QStringLiteral("shared"));
    QCOMPARE(form.imgView(1)->toolTip(), QString());
    form.cmdRefresh->click();
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(form.imgView(n)->toolTip(), QStringLiteral("shared"));
}

void tst_board::clickAfterCurrentSlotVanished()
{
    frmMain form;
    openWindow(form, pictureFolder(9));
    form.cmdRefresh->click();
    form.imgView_Click(7);
    form.txtItemDesc->setText(QStringLiteral("nowhere to go"));
    form.List2->selectAll();
    form.List2->item(0)->setSelected(false);
    form.List2->item(1)->setSelected(false);
    form.cmdRemove_Click();
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 2);
    form.imgView_Click(1);
    QCOMPARE(form.currentSlot(), 1);
    QCOMPARE(form.txtItemDesc->text(), QString());
    QCOMPARE(form.imgView(2)->toolTip(), QString());
    QCOMPARE(form.imgView(1)->toolTip(), QString());
}

void tst_board::failurePlaceholders()
{
    const QString folder = m_dir.filePath(QStringLiteral("bad"));
    QDir().mkpath(folder);
    QVERIFY(flatImage(QSize(16, 12), Qt::red).save(folder + QStringLiteral("/good.jpg"), "JPG"));
    QVERIFY(writeFileBytes(folder + QStringLiteral("/empty.jpg"), QByteArray()));
    QVERIFY(writeFileBytes(folder + QStringLiteral("/text.jpg"), "just some words\n"));
    QVERIFY(writeFileBytes(folder + QStringLiteral("/page.html"), "<html><body>hi</body></html>"));

    MessageRecorder recorder;
    frmMain form;
    Settings::writeStoredFolder(folder);
    form.Form_Load();
    form.optFilter[0]->click();
    form.List1->selectAll();
    form.cmdAdd_Click();
    form.cmdRefresh->click();

    QCOMPARE(form.thumbnailCount(), 4); // empty, good, page, text
    QVERIFY(form.imgView(1)->hasFailure());
    QVERIFY(!form.imgView(2)->hasFailure());
    QVERIFY(form.imgView(3)->hasFailure());
    QVERIFY(form.imgView(4)->hasFailure());
    // Each failing slot says why, to the mouse and to a screen reader, also
    // once the message is gone; a description follows the reason.
    form.board().setDescription(3, QStringLiteral("Our page"));
    QVERIFY(form.imgView(3)->shownToolTip().startsWith(QStringLiteral("Cannot show: ") + form.imgView(3)->failure()));
    QVERIFY(form.imgView(3)->shownToolTip().endsWith(QStringLiteral("\n\nOur page")));
    QCOMPARE(form.imgView(1)->accessibleDescription(), QStringLiteral("Cannot show: ") + form.imgView(1)->failure());
    QCOMPARE(form.imgView(2)->shownToolTip(), QString());
    QCOMPARE(form.imgView(2)->accessibleDescription(), QString());
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(recorder.messages.size(), 1);
    const QString text = recorder.messages.at(0).text;
    QCOMPARE(recorder.messages.at(0).style, MessageStyle::Exclamation);
    QVERIFY2(!recorder.messages.at(0).busyPointer, "the message waits for a click under the wait cursor");
    for (const char *name : {"empty.jpg", "text.jpg", "page.html"})
        QVERIFY2(text.contains(QLatin1String(name)), qPrintable(text));
    QVERIFY(!text.contains(QLatin1String("good.jpg")));

    // A placeholder can still be described.
    form.imgView_Click(3);
    form.txtItemDesc->setText(QStringLiteral("the page"));
    form.imgView_Click(1);
    QCOMPARE(form.imgView(3)->toolTip(), QStringLiteral("the page"));
}

void tst_board::manyFailuresAreCounted_data()
{
    QTest::addColumn<bool>("typed");
    QTest::newRow("settled at once") << false;
    // The list then waits for the next refresh: it would have taken the
    // keys the user went on typing.
    QTest::newRow("typed while it settled") << true;
}

void tst_board::manyFailuresAreCounted()
{
    QFETCH(bool, typed);
    const QString folder = m_dir.filePath(QStringLiteral("many-bad"));
    QDir().mkpath(folder);
    for (int i = 0; i < 13; ++i)
        QVERIFY(writeFileBytes(folder + QStringLiteral("/bad%1.jpg").arg(i, 2, 10, QLatin1Char('0')), "no"));
    MessageRecorder recorder;
    frmMain form;
    openWindow(form, folder);
    if (typed)
        QTimer::singleShot(0, &form, [&] { QTest::keyClicks(form.txtItemDesc, QStringLiteral("abc")); });
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 13);
    QTRY_VERIFY(form.board().isSettled());
    if (typed) {
        QCOMPARE(recorder.messages.size(), 0);
        QCOMPARE(form.txtItemDesc->text(), QStringLiteral("abc"));
        QVERIFY(form.imgView(13)->hasFailure());
        form.cmdRefresh->click();
        QTRY_VERIFY(form.board().isSettled());
        QCOMPARE(recorder.messages.size(), 2); // the held list, then the new board's
    }
    QCOMPARE(recorder.messages.size(), typed ? 2 : 1);
    const QString text = recorder.messages.at(0).text;
    QVERIFY(text.contains(QLatin1String("bad09.jpg")));
    QVERIFY(!text.contains(QLatin1String("bad10.jpg")));
    QVERIFY(text.contains(QLatin1String("and 3 more")));
}

void tst_board::secondRefreshDuringRefresh()
{
    frmMain form;
    openWindow(form, pictureFolder(9));
    int restarts = 0;
    // The first yield of the first refresh runs a second one.
    QTimer::singleShot(0, &form, [&] {
        ++restarts;
        form.cmdRefresh->click();
    });
    form.cmdRefresh->click();
    QCOMPARE(restarts, 1);
    QCOMPARE(form.thumbnailCount(), 9);
    QCOMPARE(form.Frame1->findChildren<ImageBox *>().size(), 10);
    for (int n = 1; n <= 9; ++n)
        QCOMPARE(form.imgView(n)->property("index").toInt(), n);
    QVERIFY(form.VScroll1->updatesEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_board::pageListShrinksAtYield()
{
    frmMain form;
    openWindow(form, pictureFolder(9));
    QTimer::singleShot(0, &form, [&] {
        form.List2->selectAll();
        form.List2->item(0)->setSelected(false);
        form.List2->item(1)->setSelected(false);
        form.List2->item(2)->setSelected(false);
        form.cmdRemove_Click();
    });
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 3);
    QCOMPARE(form.VScroll1->maximum(), 0);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_board::closeDuringRefresh()
{
    const QString folder = pictureFolder(9);
    {
        frmMain form;
        openWindow(form, folder);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QFile::remove(Settings::filePath());
        QTimer::singleShot(0, &form, [&] { form.close(); });
        form.cmdRefresh->click();
        QVERIFY(form.thumbnailCount() < 9);
        QVERIFY(!QGuiApplication::overrideCursor());
    }
    QCOMPARE(Settings::readStoredFolder(), QDir::toNativeSeparators(folder + QLatin1Char('/')));
}

void tst_board::interruptedRefreshDropsItsLookAhead()
{
    // Pictures that take a while to decode, so the look-ahead is still
    // queued when the second refresh starts.
    const QString folder = m_dir.filePath(QStringLiteral("slow"));
    QDir().mkpath(folder);
    const QByteArray jpeg = encoded(twoHalves(QSize(3000, 2000)), "jpeg");
    const int count = 24;
    for (int i = 0; i < count; ++i)
        QVERIFY(writeFileBytes(folder + QStringLiteral("/s%1.jpg").arg(i, 2, 10, QLatin1Char('0')), jpeg));
    frmMain form;
    openWindow(form, folder);
    QTimer::singleShot(0, &form, [&] { form.cmdRefresh->click(); });
    const quint64 before = PicturePrefetcher::decodesStarted();
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), count);
    // The second refresh decodes every picture once; of the first, only
    // what was already running when it was interrupted, not its whole
    // look-ahead (typically 2 on 2 cores against 9).
    const quint64 decoded = PicturePrefetcher::decodesStarted() - before;
    QVERIFY2(decoded < quint64(count + 1 + PicturePrefetcher::DefaultLookahead), qPrintable(QString::number(decoded)));
}

void tst_board::nestedRefreshFailsUnderNormalPointer()
{
    const QString folder = m_dir.filePath(QStringLiteral("nested"));
    QDir().mkpath(folder);
    QVERIFY(writeFileBytes(folder + QStringLiteral("/bad.jpg"), "not a picture"));
    QVERIFY(flatImage(QSize(16, 12), Qt::red).save(folder + QStringLiteral("/good.jpg"), "JPG"));
    MessageRecorder recorder;
    frmMain form;
    openWindow(form, folder);
    QTimer::singleShot(0, &form, [&] { form.cmdRefresh->click(); });
    form.cmdRefresh->click();
    QCOMPARE(recorder.messages.size(), 1); // the interrupted refresh says nothing
    QVERIFY(recorder.messages.at(0).text.contains(QLatin1String("bad.jpg")));
    QVERIFY2(!recorder.messages.at(0).busyPointer, "the message waits for a click under the wait cursor");
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_board::editedPhotoEndsOnItsOwnPixels_data()
{
    QTest::addColumn<QImage>("before");
    QTest::addColumn<QImage>("after");
    QTest::addColumn<bool>("previewFirst");
    const QImage red = flatImage(QSize(800, 600), Qt::red);
    const QImage negated = flatImage(QSize(800, 600), Qt::cyan);
    // The right half of a red | blue picture, at the same aspect.
    const QImage halves = twoHalves(QSize(1600, 1200));
    const QImage cropped = halves.copy(800, 300, 800, 600);
    QTest::newRow("negated, empty cache") << red << negated << false;
    QTest::newRow("negated, after a preview") << red << negated << true;
    QTest::newRow("same-aspect crop, empty cache") << halves << cropped << false;
    QTest::newRow("same-aspect crop, after a preview") << halves << cropped << true;
}

void tst_board::editedPhotoEndsOnItsOwnPixels()
{
    QFETCH(QImage, before);
    QFETCH(QImage, after);
    QFETCH(bool, previewFirst);
    const QString folder = rowFolder();
    QVERIFY(writeFileBytes(folder + QStringLiteral("/edited.jpg"), editedPhoto(before, encoded(after, "jpeg"))));
    const QColor edited = after.pixelColor(after.width() / 8, after.height() / 2);
    const QColor stale = before.pixelColor(before.width() / 8, before.height() / 2);

    MessageRecorder recorder;
    frmMain form;
    Settings::writeStoredFolder(folder);
    form.Form_Load();
    if (previewFirst) {
        form.List1->setCurrentRow(0);
        form.List1_Click();
        QTRY_VERIFY(!form.previewPending());
        QVERIFY(isNear(leftColour(form.imgView2), edited));
    }
    form.List1->selectAll();
    form.cmdAdd_Click();
    form.cmdRefresh->click();
    // The preview's decode went to the cache; without it the slot starts on
    // the embedded thumbnail, under the normal pointer. Where there is no
    // cache (Windows), every refresh starts that way.
    const bool cached = !ThumbnailSources::cacheFolder().isEmpty();
    QCOMPARE(form.board().isSettled(), previewFirst && cached);
    QVERIFY(isNear(leftColour(form.imgView(1)), previewFirst && cached ? edited : stale));
    QVERIFY(!QGuiApplication::overrideCursor());
    QTRY_VERIFY(form.board().isSettled());
    QVERIFY(isNear(leftColour(form.imgView(1)), edited));
    QCOMPARE(form.imgView(1)->accessibleName(), QStringLiteral("Picture 1: edited.jpg"));

    // The decode went to the cache too: the next refresh is right at once.
    form.cmdRefresh->click();
    if (!cached)
        QTRY_VERIFY(form.board().isSettled());
    QVERIFY(form.board().isSettled());
    QVERIFY(isNear(leftColour(form.imgView(1)), edited));
    QVERIFY(recorder.messages.isEmpty());
}

void tst_board::settlingEndsWithItsBoard_data()
{
    QTest::addColumn<bool>("closeWindow");
    QTest::newRow("a new refresh takes over") << false;
    QTest::newRow("the window closes") << true;
}

void tst_board::settlingEndsWithItsBoard()
{
    QFETCH(bool, closeWindow);
    const QString folder = rowFolder();
    // Pictures that take a while to decode, so their decodes are still
    // running when the board is thrown away; and a plain one, listed last.
    const QByteArray edited = editedPhoto(flatImage(QSize(800, 600), Qt::red),
                                          encoded(flatImage(QSize(4000, 3000), Qt::cyan), "jpeg"));
    const int count = 8;
    for (int i = 0; i < count; ++i)
        QVERIFY(writeFileBytes(folder + QStringLiteral("/e%1.jpg").arg(i), edited));
    QVERIFY(flatImage(QSize(16, 12), Qt::green).save(folder + QStringLiteral("/plain.jpg"), "JPG"));

    MessageRecorder recorder;
    frmMain form;
    Settings::writeStoredFolder(folder);
    form.Form_Load();
    for (int i = 0; i < count; ++i)
        form.List1->item(i)->setSelected(true);
    form.cmdAdd_Click();
    form.cmdRefresh->click();
    QVERIFY(!form.board().isSettled());
    if (closeWindow) {
        form.close();
    } else {
        form.cmdClear_Click();
        form.List1->selectAll();
        form.cmdAdd_Click();
        form.cmdRefresh->click();
        QCOMPARE(form.thumbnailCount(), 1);
    }
    QVERIFY(form.board().isSettled());
    // Long enough for every decode that was running to end.
    QTest::qWait(1000);
    // No decode of the old board reached a slot, and nothing was reported.
    QVERIFY(isNear(leftColour(form.imgView(1)), closeWindow ? QColor(Qt::red) : QColor(Qt::green)));
    QVERIFY(recorder.messages.isEmpty());
}

void tst_board::failedDecodeReplacesFirstLook()
{
    const QString folder = rowFolder();
    // An embedded thumbnail fit to show, before a picture the decoder refuses.
    const QImage picture = flatImage(QSize(800, 600), Qt::cyan);
    const QByteArray refused = withRepeatedLastScan(encoded(picture, "jpeg", DefaultQuality, JpegScan::Progressive), 1000);
    QVERIFY(writeFileBytes(folder + QStringLiteral("/bad.jpg"), editedPhoto(picture, refused)));
    MessageRecorder recorder;
    frmMain form;
    openWindow(form, folder);
    form.cmdRefresh->click();
    QVERIFY(!form.imgView(1)->hasFailure());
    QVERIFY(recorder.messages.isEmpty());
    QTRY_VERIFY(form.board().isSettled());
    QVERIFY(form.imgView(1)->hasFailure());
    // Listed once, when the board is settled, under the normal pointer.
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY(recorder.messages.at(0).text.contains(QLatin1String("bad.jpg")));
    QVERIFY(!recorder.messages.at(0).busyPointer);
}

void tst_board::hungPictureHoldsOnlyItsSlot()
{
    const QString folder = rowFolder();
    for (const char *name : {"p1.jpg", "p2.jpg", "p3hung.jpg", "p4.jpg", "p5.jpg", "p6.jpg"})
        QVERIFY(flatImage(QSize(16, 12), Qt::green).save(folder + QLatin1Char('/') + QLatin1String(name), "JPG"));
    hungGate.tryAcquire(hungGate.available());
    hungReads = 0;
    MessageRecorder recorder;
    frmMain form;
    form.board().setLoaders({&hangingLoad<&loadFirstLook>, &hangingLoad<&loadPicture>,
                             &hangingLoad<&loadUnlessCached>});
    openWindow(form, folder);
    // Lets a refresh end that would wait for the picture.
    QTimer::singleShot(10000, &form, [] { hungGate.release(); });
    QElapsedTimer clock;
    clock.start();
    form.cmdRefresh->click();
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(form.thumbnailCount(), 6);
    for (int n : {1, 2, 4, 5, 6})
        QTRY_VERIFY(!form.imgView(n)->picture().isNull());
    QVERIFY(form.imgView(3)->picture().isNull() && !form.imgView(3)->hasFailure());
    QVERIFY(!form.board().isSettled());
    QCOMPARE(hungReads.load(), 1); // no second read of it waits on the pool

    // The look-ahead that read it was stopped when placing ended: the slot
    // is read again, not failed for the stop.
    hungGate.release();
    QTRY_VERIFY(form.board().isSettled());
    QVERIFY(!form.imgView(3)->picture().isNull() && !form.imgView(3)->hasFailure());
    QVERIFY(recorder.messages.isEmpty());
}

// A cache on storage that stopped answering is not used for the refresh;
// once it answers again, the next refresh uses it.
void tst_board::hungCacheIsLeftAlone()
{
    const QString folder = rowFolder();
    for (const char *name : {"p1.jpg", "p2.jpg", "p3.jpg"})
        QVERIFY(flatImage(QSize(320, 240), Qt::blue).save(folder + QLatin1Char('/') + QLatin1String(name), "JPG"));
    const QString cache = ThumbnailSources::cacheFolder();
    const auto release = std::make_shared<std::atomic<bool>>(false);
    const Toolkit::ScopedOverride probe(ThumbnailSources::setCacheProbe, [release](const QString &) {
        while (!*release)
            QThread::msleep(10);
    });
    const auto letGo = qScopeGuard([release] { *release = true; });
    const auto entries = [cache] {
        return QDir(cache + QStringLiteral("/normal")).entryList(QDir::Files).size()
            + QDir(cache + QStringLiteral("/large")).entryList(QDir::Files).size();
    };
    MessageRecorder recorder;
    frmMain form;
    openWindow(form, folder);
    for (const bool answers : {false, true}) {
        *release = answers;
        QThread::msleep(50);
        QElapsedTimer clock;
        clock.start();
        form.cmdRefresh->click();
        QTRY_VERIFY(form.board().isSettled());
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        for (int n = 1; n <= 3; ++n)
            QVERIFY(!form.imgView(n)->picture().isNull());
        QCOMPARE(entries() > 0, answers);
    }
    QVERIFY(recorder.messages.isEmpty());
}

void tst_board::farSlotsTakeBackTheirOwnPixels_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("warm"); // a first refresh filled the cache
    QTest::newRow("small pictures, decoded again") << QSize(16, 12) << false;
    QTest::newRow("pictures the cache holds") << QSize(320, 240) << false;
    QTest::newRow("a warm cache: the far slots decode nothing") << QSize(320, 240) << true;
}

void tst_board::farSlotsTakeBackTheirOwnPixels()
{
    QFETCH(QSize, size);
    QFETCH(bool, warm);
    const QString folder = rowFolder();
    const int count = 200; // 50 rows, four of them in the viewport
    const int refused = 150; // far from the viewport, and its failure recorded
    const auto colour = [](int n) { return QColor::fromHsv((n * 37) % 360, 200, 200); };
    MessageRecorder recorder;
    frmMain form;
    // Far fewer than all of them: only the rows around the viewport.
    const auto fewHavePixels = [&] {
        int withPixels = 0;
        for (int n = 1; n <= count; ++n)
            withPixels += form.imgView(n)->picture().isNull() ? 0 : 1;
        return withPixels < count / 2;
    };
    for (int n = 1; n <= count; ++n)
        QVERIFY(flatImage(size, colour(n)).save(folder + QStringLiteral("/p%1.jpg").arg(n, 3, 10, QLatin1Char('0'))));
    QVERIFY(writeFileBytes(folder + QStringLiteral("/p002.jpg"), "not a picture"));
    QVERIFY(writeFileBytes(folder + QStringLiteral("/p%1.jpg").arg(refused),
                           withRepeatedLastScan(encoded(flatImage(size, Qt::red), "jpeg", DefaultQuality,
                                                        JpegScan::Progressive), 1000)));
    openWindow(form, folder);
    // Every cached thumbnail's pixels are then broken, its header and texts
    // kept: a slot that decodes its entry finds it broken and writes it anew.
    std::map<QString, QByteArray> entries;
    if (warm) {
        form.cmdRefresh->click();
        QTRY_VERIFY(form.board().isSettled());
        for (const QString &side : {QStringLiteral("normal"), QStringLiteral("large")}) {
            const QDir entryFolder(ThumbnailSources::cacheFolder() + QLatin1Char('/') + side);
            for (const QString &name : entryFolder.entryList(QDir::Files)) {
                QByteArray bytes = readFileBytes(entryFolder.filePath(name));
                const qsizetype pixels = bytes.indexOf("IDAT");
                QVERIFY(pixels > 0 && pixels + 4 < bytes.size());
                bytes[pixels + 4] = char(bytes.at(pixels + 4) ^ 0x55);
                QVERIFY(writeFileBytes(entryFolder.filePath(name), bytes));
                entries[entryFolder.filePath(name)] = bytes;
            }
        }
        QVERIFY(entries.size() > size_t(count / 2));
    }
    form.cmdRefresh->click();
    // The far rows were placed without their pictures.
    QVERIFY(!form.board().isSettled());
    QVERIFY(form.imgView(count)->picture().isNull());
    QTRY_VERIFY(form.board().isSettled());
    QVERIFY(fewHavePixels());
    QVERIFY(form.imgView(refused)->hasFailure());
    // Only the slots near the viewport read their entries.
    int untouched = 0;
    for (const auto &entry : entries)
        untouched += readFileBytes(entry.first) == entry.second ? 1 : 0;
    QVERIFY2(!warm || untouched > count / 2, qPrintable(QString::number(untouched)));
    form.imgView_Click(1);
    form.txtItemDesc->setText(QStringLiteral("first"));
    form.imgView_Click(3);

    for (const int position : {form.VScroll1->maximum(), 0}) {
        form.VScroll1->setValue(position);
        const ImageBox *far = form.imgView(position ? 1 : count);
        QVERIFY(far->picture().isNull() && !far->hasFailure());
        QVERIFY(form.imgView(2)->hasFailure());
        for (int n = position * Board::columns + 1; n <= (position + 1) * Board::columns; ++n) {
            if (n == 2)
                continue;
            QTRY_VERIFY(!form.imgView(n)->picture().isNull());
            QVERIFY2(isNear(leftColour(form.imgView(n)), colour(n)), qPrintable(QString::number(n)));
        }
        QVERIFY(fewHavePixels());
    }
    QCOMPARE(form.imgView(1)->toolTip(), QStringLiteral("first"));
    QCOMPARE(form.imgView(1)->accessibleName(), QStringLiteral("Picture 1: p001.jpg"));
    // A board that took over a second to settle holds its list of failures
    // until the next refresh.
    if (recorder.messages.isEmpty())
        form.cmdRefresh->click();
    QVERIFY(recorder.messages.first().text.contains(QLatin1String("p002.jpg")));
    QVERIFY(recorder.messages.first().text.contains(QLatin1String("p150.jpg")));
}

QTEST_MAIN(tst_board)
#include "tst_board.moc"

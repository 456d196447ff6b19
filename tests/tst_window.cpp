// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/centerform.h"
#include "app/controltable.h"
#include "app/frmmain.h"
#include "toolkit/drivebox.h"
#include "toolkit/durablefile.h"
#include "toolkit/filebox.h"
#include "toolkit/focusring.h"
#include "toolkit/frameextents.h"
#include "toolkit/folderbox.h"
#include "toolkit/imagebox.h"
#include "toolkit/messagebox.h"
#include "toolkit/scopedoverride.h"
#include "toolkit/sortedlistbox.h"
#include "toolkit/storagewait.h"
#include "toolkit/translations.h"
#include "toolkit/twips.h"
#include "board/previewloader.h"
#include "board/thumbnailboard.h"
#include "browser/browserservice.h"
#include "browser/openinbrowser.h"
#include "settings/settingsfile.h"
#include "testpictures.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QHelpEvent>
#include <QFileInfo>
#include <QLabel>
#include <QSet>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QThread>
#include <QTimer>
#include <QTranslator>

#include <climits>
#include <atomic>
#include <memory>
#include <optional>

namespace {

// Records what would have been started instead of starting a browser.
class FakeBrowser : public BrowserService
{
public:
    std::optional<BrowserProgram> findProgram(const QString &probePath) override
    {
        probeExisted = QFile::exists(probePath);
        return BrowserProgram{QStringLiteral("/usr/bin/true"), QStringLiteral("fake"), nullptr};
    }
    bool start(const BrowserProgram &, const QString &pagePath, QWidget *) override
    {
        started << pagePath;
        return true;
    }
    QStringList started;
    bool probeExisted = false;
};

// The application's font for one test; the one before it again afterwards.
class ApplicationFont
{
public:
    explicit ApplicationFont(qreal points)
        : m_saved(QApplication::font())
    {
        if (points <= 0)
            return;
        QFont font = m_saved;
        font.setPointSizeF(points);
        QApplication::setFont(font);
    }
    ~ApplicationFont() { QApplication::setFont(m_saved); }

private:
    QFont m_saved;
};

// Puts the program's texts in brackets; Qt's own stay as they are. A text
// without them was shown past the translators.
class BracketTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (!context || context[0] == 'Q')
            return QString();
        return QLatin1Char('[') + QString::fromUtf8(sourceText) + QLatin1Char(']');
    }
};

// A screen of this many pixels, free of panels.
Module1::ScreenSizeProvider screenOf(QSize pixels)
{
    return [pixels] { return QSizeF(pixels) * Twips::perPixel; };
}

// The darkest grey among device pixels of a shot, a line or column across.
int darkest(const QImage &shot, const QRect &pixels)
{
    int result = 255;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            result = std::min(result, qGray(shot.pixel(x, y)));
    }
    return result;
}

// The device pixels a widget covers in a shot of its window: each edge on
// the pixel boundary nearest to it.
QRect devicePixels(const QWidget *widget, qreal ratio)
{
    const auto at = [&](QPoint p) { return (QPointF(widget->mapTo(widget->window(), p)) * ratio).toPoint(); };
    return QRect(at(QPoint(0, 0)), at(QPoint(widget->width(), widget->height())) - QPoint(1, 1));
}

} // namespace

class tst_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void placedRect_data();
    void placedRect();
    void controlGeometry_data();
    void controlGeometry();
    void controlsCarryTextsAndTags();
    void textsGoThroughTheTranslators();
    void translationChoice_data();
    void translationChoice();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void layoutGrowsWithTheTextSize_data();
    void layoutGrowsWithTheTextSize();
    void windowThatFitsShowsNoScrollBars();
    void clickInSmallWindowLeavesTheLayoutInPlace();
    void boxBordersStayWhole_data();
    void boxBordersStayWhole();
    void tabWalkWithKeys_data();
    void tabWalkWithKeys();
    void boardFramesShowTheirBorders();
    void picturesLieOnWholeDevicePixels_data();
    void picturesLieOnWholeDevicePixels();
    void centeredOffset_data();
    void centeredOffset();
    void centerFormUsesTheScreenProvider();
    void centredOnTheFrameTheSystemDraws();
    void toolTipsShowTextAsTyped();

    void startUpOpensStoredFolder();
    void startUpWithoutStoredFolderStillFillsFileList_data();
    void startUpWithoutStoredFolderStillFillsFileList();
    void rebuildEmptiesPageList();
    void clearLeavesNamesOnNeitherList();
    void folderThatCannotBeListed();
    void driveThatCannotBeOpened_data();
    void driveThatCannotBeOpened();
    void storageThatDoesNotAnswer_data();
    void storageThatDoesNotAnswer();
    void preview();
    void fileArgumentIsPickedAndPreviewed();
    void quickPicksDecodeOnlyTheNewest();
    void windowClosesWhilePreviewDecodes();
    void slotClicks();
    void typedTextReachesThePage();
    void wholeRoadOfOnePage();
    void viewInBrowserOpensTheBuiltPage();
    void messageBoxIsADialogOfTheWindow_data();
    void messageBoxIsADialogOfTheWindow();

private:
    QString makeFolder(const QString &name, const QStringList &files);
    QTemporaryDir m_dir;
    QString m_pictures;
};

void tst_window::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
    m_pictures = makeFolder(QStringLiteral("pictures"), {"b.jpg", "a.jpg", "C.JPG", "index.html", "notes.bmp"});
}

void tst_window::init()
{
    QFile::remove(Settings::filePath());
}

QString tst_window::makeFolder(const QString &name, const QStringList &files)
{
    const QString folder = m_dir.filePath(name);
    QDir().mkpath(folder);
    for (const QString &file : files) {
        const QString path = folder + QLatin1Char('/') + file;
        if (file.endsWith(QLatin1String(".html"))) {
            writeFileBytes(path, "<html></html>");
            continue;
        }
        const QByteArray format = file.endsWith(QLatin1String(".bmp")) ? "BMP" : "JPG";
        flatImage(QSize(40, 30), Qt::darkCyan).save(path, format.constData());
    }
    return folder;
}

void tst_window::placedRect_data()
{
    QTest::addColumn<QRect>("designed");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<int>("containerWidth");
    QTest::addColumn<QRect>("placed");
    const auto rtl = Qt::RightToLeft;
    QTest::newRow("window, middle") << QRect(188, 24, 129, 290) << Qt::LeftToRight << 999 << QRect(188, 24, 129, 290);
    QTest::newRow("window, left edge, right to left") << QRect(0, 24, 169, 21) << rtl << 999 << QRect(830, 24, 169, 21);
    QTest::newRow("window, right edge, right to left") << QRect(830, 24, 169, 21) << rtl << 999 << QRect(0, 24, 169, 21);
    QTest::newRow("window, middle, right to left") << QRect(188, 24, 129, 290) << rtl << 999 << QRect(682, 24, 129, 290);
    QTest::newRow("frame, left edge, right to left") << QRect(0, 0, 521, 425) << rtl << 537 << QRect(16, 0, 521, 425);
    QTest::newRow("frame, right edge, right to left") << QRect(520, 8, 17, 417) << rtl << 537 << QRect(0, 8, 17, 417);
    QTest::newRow("frame, middle, right to left") << QRect(4, 8, 125, 113) << rtl << 521 << QRect(392, 8, 125, 113);
}

void tst_window::placedRect()
{
    QFETCH(QRect, designed);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(int, containerWidth);
    QFETCH(QRect, placed);
    QCOMPARE(Twips::placed(designed, direction, containerWidth), placed);
    QCOMPARE(Twips::placed(placed, direction, containerWidth), designed);
}

void tst_window::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("Drive1") << "Drive1" << -1 << Qt::LeftToRight << QRect(8, 24, 169, 21);
    QTest::newRow("List2") << "List2" << -1 << Qt::LeftToRight << QRect(324, 24, 129, 290);
    QTest::newRow("File1 lies under List1") << "File1" << -1 << Qt::LeftToRight << QRect(188, 60, 129, 253);
    QTest::newRow("optFilter(2)") << "optFilter" << 2 << Qt::LeftToRight << QRect(276, 324, 45, 17);
    QTest::newRow("VScroll1 in Frame2") << "VScroll1" << -1 << Qt::LeftToRight << QRect(520, 8, 17, 417);
    QTest::newRow("template in Frame1") << "imgView" << 0 << Qt::LeftToRight << QRect(4, 8, 125, 113);
    QTest::newRow("txtItemDesc") << "txtItemDesc" << -1 << Qt::LeftToRight << QRect(460, 456, 529, 117);
    QTest::newRow("cmdViewInBrowser") << "cmdViewInBrowser" << -1 << Qt::LeftToRight << QRect(320, 396, 105, 21);
    QTest::newRow("List1, right to left") << "List1" << -1 << Qt::RightToLeft << QRect(682, 24, 129, 290);
    QTest::newRow("Label1(1), right to left") << "Label1" << 1 << Qt::RightToLeft << QRect(934, 364, 33, 13);
}

void tst_window::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QRect, pixels);
    QGuiApplication::setLayoutDirection(direction);
    const auto restore = qScopeGuard([] { QGuiApplication::setLayoutDirection(Qt::LeftToRight); });
    frmMain form;
    QWidget *control = nullptr;
    for (QWidget *w : form.findChildren<QWidget *>(name)) {
        if (index < 0 || w->property("index").toInt() == index)
            control = w;
    }
    QVERIFY(control);
    QCOMPARE(control->geometry(), pixels);
    QCOMPARE(form.size(), QSize(999, 595));
    // Captions and typed text, English ones too, keep to the side the layout starts from.
    if (const QVariant alignment = control->property("alignment"); alignment.isValid())
        QCOMPARE(QStyle::visualAlignment(Qt::LeftToRight, alignment.value<Qt::Alignment>()) & Qt::AlignHorizontal_Mask,
                 (direction == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute);
}

void tst_window::controlsCarryTextsAndTags()
{
    frmMain form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Kelvane"));
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(form.optFilter[0]->text(), QStringLiteral("All"));
    QCOMPARE(form.optFilter[1]->property("tag").toString(), QStringLiteral("*.jpg"));
    QVERIFY(form.optFilter[1]->isChecked());
    QCOMPARE(form.optFilter[2]->property("tag").toString(), QStringLiteral("*.html"));
    QCOMPARE(form.Label1[0]->text(), QStringLiteral("Page Description"));
    QCOMPARE(form.Label1[1]->text(), QStringLiteral("Name"));
    QCOMPARE(form.txtName->toolTip(),
             QStringLiteral("Filename and Title. Filename appended with .html when building it."));
    QCOMPARE(form.txtName->text(), QString());
    QCOMPARE(form.txtDesc->toolTip(), QStringLiteral("Description at top of the page"));
    QCOMPARE(form.txtItemDesc->toolTip(), QStringLiteral("Item Description"));
    QCOMPARE(form.lblPicDesc->text(), QStringLiteral("Picture Description (click on a pic)"));
    QCOMPARE(form.VScroll1->minimum(), 0);
    QCOMPARE(form.VScroll1->maximum(), 32767);
    QCOMPARE(form.VScroll1->pageStep(), 1);
    QVERIFY(!form.VScroll1->hasTracking());
    QCOMPARE(form.List1->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(form.List2->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(form.txtDesc->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void tst_window::textsGoThroughTheTranslators()
{
    BracketTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const auto removed = qScopeGuard([&translator] { QCoreApplication::removeTranslator(&translator); });
    frmMain form;
    QCOMPARE(form.cmdClear->text(), QStringLiteral("[Clear]"));
    for (const QWidget *control : form.findChildren<QWidget *>()) {
        QStringList texts{control->toolTip(), control->accessibleName(), control->accessibleDescription()};
        if (const auto *button = qobject_cast<const QAbstractButton *>(control))
            texts << button->text();
        if (const auto *label = qobject_cast<const QLabel *>(control))
            texts << label->text();
        for (const QString &text : texts) {
            QVERIFY2(text.isEmpty() || (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'))),
                     qPrintable(control->objectName() + QStringLiteral(": ") + text));
        }
    }
}

void tst_window::translationChoice_data()
{
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<QString>("code");
    QTest::newRow("English before German") << QStringList{"en-US", "de"} << QString();
    QTest::newRow("C") << QStringList{"C"} << QString();
    QTest::newRow("POSIX before German") << QStringList{"POSIX", "de"} << QString();
    QTest::newRow("German of Germany") << QStringList{"de-DE"} << "de";
    QTest::newRow("German of Austria") << QStringList{"de-AT", "de-Latn-AT"} << "de";
    QTest::newRow("Brazilian Portuguese") << QStringList{"pt-BR", "pt-Latn-BR", "pt"} << "pt_BR";
    QTest::newRow("Simplified Chinese by its script") << QStringList{"zh-Hans-CN"} << "zh_CN";
    QTest::newRow("Simplified Chinese of China") << QStringList{"zh-CN"} << "zh_CN";
    QTest::newRow("Traditional Chinese has none") << QStringList{"zh-TW", "zh-Hant-TW"} << QString();
    QTest::newRow("unknown language passed over") << QStringList{"xx", "fr-CA"} << "fr";
    QTest::newRow("untranslated language passed over") << QStringList{"sv-SE", "ja-JP", "en"} << "ja";
    QTest::newRow("Swedish has none") << QStringList{"sv"} << QString();
    QTest::newRow("Hebrew") << QStringList{"he-IL"} << "he";
}

void tst_window::translationChoice()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(QString, code);
    QCOMPARE(Toolkit::chooseTranslation(uiLanguages, Toolkit::builtInTranslations()), code);
    // The chosen translation is built into the program.
    QTranslator translator;
    QVERIFY(code.isEmpty() || translator.load(QStringLiteral(":/i18n/kelvane_") + code + QStringLiteral(".qm")));
}

void tst_window::captionsFitTheirControls_data()
{
    QTest::addColumn<qreal>("points");
    QTest::addColumn<QString>("language");
    QTest::newRow("default font") << 0.0 << QString();
    QTest::newRow("11 pt") << 11.0 << QString();
    QTest::newRow("14 pt") << 14.0 << QString();
    // Every translation at the designed size, with the font English gets:
    // a longer caption takes shorter words, never a smaller font.
    for (const QString &code : Toolkit::builtInTranslations())
        QTest::newRow(qPrintable(code)) << 0.0 << code;
}

void tst_window::captionsFitTheirControls()
{
    QFETCH(qreal, points);
    QFETCH(QString, language);
    const ApplicationFont font(points);
    QTranslator translator;
    QVERIFY(language.isEmpty() || translator.load(QStringLiteral(":/i18n/kelvane_") + language));
    const auto removed = qScopeGuard([&] { QCoreApplication::removeTranslator(&translator); });
    // Offscreen under Wine draws with a stand-in "Sans Serif", a pixel
    // wider on "All" than the 37 pixels of its button; Windows draws with its
    // own UI font, which this platform does not load.
    if (OnWindows)
        QSKIP("the offscreen platform's stand-in font is not the font Windows draws captions with");
    const Toolkit::ScopedOverride large(Module1::setScreenSizeProvider, screenOf(QSize(1920, 1080)));
    const int englishPixels = QFontInfo(frmMain().font()).pixelSize();
    QCoreApplication::installTranslator(&translator);
    frmMain form;
    QCOMPARE(QFontInfo(form.font()).pixelSize(), englishPixels);
    int spare = INT_MAX;
    QString tightest;
    for (QWidget *w : form.findChildren<QWidget *>()) {
        QString text;
        int extra = 0;
        if (auto *button = qobject_cast<QPushButton *>(w)) {
            text = button->text();
            extra = 4;
        } else if (auto *option = qobject_cast<QRadioButton *>(w)) {
            text = option->text();
            extra = option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth);
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            text = label->text();
        }
        if (text.isEmpty())
            continue;
        const QFontMetrics metrics(w->font());
        QVERIFY2(metrics.horizontalAdvance(text) + extra <= w->width(),
                 qPrintable(QStringLiteral("%1 \"%2\" in %3: %4 + %5 pixels wide, the control %6")
                                .arg(w->objectName(), text, w->font().family())
                                .arg(metrics.horizontalAdvance(text))
                                .arg(extra)
                                .arg(w->width())));
        QVERIFY2(metrics.height() <= w->height(), qPrintable(w->objectName()));
        if (w->width() - extra - metrics.horizontalAdvance(text) < spare) {
            spare = w->width() - extra - metrics.horizontalAdvance(text);
            tightest = QStringLiteral("%1 \"%2\"").arg(w->objectName(), text);
        }
    }
    qInfo("%s: every caption fits; the tightest is %s, %d pixels to spare", qPrintable(QTest::currentDataTag()),
          qPrintable(tightest), spare);
}

void tst_window::layoutGrowsWithTheTextSize_data()
{
    // Qt's default font is 9 pt; 15 twips to the pixel at that size.
    QTest::addColumn<qreal>("points");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("itemDesc");
    QTest::newRow("default font") << 0.0 << QSize(999, 595) << QRect(460, 456, 529, 117);
    QTest::newRow("smaller font keeps the layout") << 8.0 << QSize(999, 595) << QRect(460, 456, 529, 117);
    QTest::newRow("14 pt") << 14.0 << QSize(1554, 926) << QRect(716, 709, 823, 182);
    // On 1920 x 1080; the offscreen platform frames a window with two pixels a side.
    QTest::newRow("20 pt grows only as high as the screen") << 20.0 << QSize(1807, 1076) << QRect(832, 825, 957, 212);
}

void tst_window::layoutGrowsWithTheTextSize()
{
    QFETCH(qreal, points);
    QFETCH(QSize, window);
    QFETCH(QRect, itemDesc);
    int standardPixels = 0;
    {
        frmMain standard;
        standardPixels = QFontInfo(standard.font()).pixelSize();
    }
    const ApplicationFont font(points);
    const Toolkit::ScopedOverride large(Module1::setScreenSizeProvider, screenOf(QSize(1920, 1080)));
    frmMain form;
    form.Form_Load(m_pictures);
    QCOMPARE(form.size(), window);
    QCOMPARE(form.txtItemDesc->geometry(), itemDesc);
    // The text shown grows with the layout, as far as whole pixels allow.
    const qreal ratio = window.width() / 999.0;
    QVERIFY2(QFontInfo(form.font()).pixelSize() >= std::floor(standardPixels * ratio),
             qPrintable(QString::number(QFontInfo(form.font()).pixelSize())));

    // The board's slots are placed at the same scale, side by side.
    selectNames(form.List1, form.List1->names());
    form.cmdAdd->click();
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 3);
    const QRect first = form.imgView(1)->geometry();
    QCOMPARE(first.size(), form.imgView(0)->size());
    QCOMPARE(form.imgView(2)->geometry(), first.translated(first.width(), 0));
}

void tst_window::windowThatFitsShowsNoScrollBars()
{
    frmMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *area = form.findChild<QScrollArea *>();
    QVERIFY(area);
    // The user may make the window smaller or larger than the layout.
    QCOMPARE(form.size(), QSize(999, 595));
    QVERIFY(form.minimumWidth() < 999 && form.maximumWidth() > 999);
    QVERIFY(form.minimumHeight() < 595 && form.maximumHeight() > 595);
    for (const QSize size : {QSize(999, 595), QSize(1400, 900)}) {
        form.resize(size);
        QTRY_COMPARE(form.size(), size);
        QVERIFY(!area->horizontalScrollBar()->isVisible());
        QVERIFY(!area->verticalScrollBar()->isVisible());
        // The layout stays where it is in the window.
        QCOMPARE(form.cmdViewInBrowser->mapTo(&form, QPoint(0, 0)), QPoint(320, 396));
        QCOMPARE(form.VScroll1->mapTo(&form, QPoint(0, 0)), QPoint(980, 16));
    }
}

void tst_window::clickInSmallWindowLeavesTheLayoutInPlace()
{
    frmMain form;
    form.resize(600, 400);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    // The first stop, low in the layout, is shown; the file list's top is
    // then above the window's edge.
    const QPoint before = form.List1->mapTo(&form, QPoint(0, 0));
    QVERIFY(before.y() < 0);
    QTest::mouseClick(form.List1, Qt::LeftButton, {}, QPoint(10, 100));
    QCOMPARE(QApplication::focusWidget(), form.List1);
    QCOMPARE(form.List1->mapTo(&form, QPoint(0, 0)), before);
}

void tst_window::boxBordersStayWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("points");
    for (const qreal points : {0.0, 14.0}) {
        const QByteArray font = points > 0 ? QByteArray(", 14 pt") : QByteArray();
        QTest::newRow("file list" + font) << "List1" << points;
        QTest::newRow("page list" + font) << "List2" << points;
        QTest::newRow("page description" + font) << "txtDesc" << points;
    }
}

void tst_window::boxBordersStayWhole()
{
    // Meant for fractional scales too (QT_SCALE_FACTOR=1.5), where a frame
    // line can share a device pixel with the box's viewport.
    QFETCH(QString, name);
    QFETCH(qreal, points);
    const ApplicationFont font(points);
    const Toolkit::ScopedOverride large(Module1::setScreenSizeProvider, screenOf(QSize(3840, 2160)));
    frmMain form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget *box = form.findChild<QWidget *>(name);
    QVERIFY(box);
    const QImage shot = form.grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    const QRect at(box->mapTo(&form, QPoint(0, 0)), box->size());
    // Device pixels of the box, counted from the window's corner.
    const int top = qFloor(at.top() * ratio);
    const int right = qCeil((at.right() + 1) * ratio) - 1;
    const int bottom = qCeil((at.bottom() + 1) * ratio) - 1;
    const int middleX = qFloor(at.center().x() * ratio);
    const int middleY = qFloor(at.center().y() * ratio);
    // The frame's line lies in the two outermost device pixels of each side,
    // as dark at the bottom and right as at the top.
    const int line = darkest(shot, QRect(QPoint(middleX, top), QPoint(middleX, top + 1)));
    QVERIFY(line < qGray(box->palette().color(QPalette::Base).rgb()));
    QCOMPARE(darkest(shot, QRect(QPoint(middleX, bottom - 1), QPoint(middleX, bottom))), line);
    QCOMPARE(darkest(shot, QRect(QPoint(right - 1, middleY), QPoint(right, middleY))), line);
    // Just inside the line, each side is one colour from top to bottom:
    // nothing behind the box shows through, neither the window nor the
    // file box that lies under the file list.
    const int left = qFloor(at.left() * ratio);
    for (const int x : {left + 1, left + 2, right - 2, right - 1}) {
        QSet<QRgb> colours;
        for (int y = top + 3; y <= bottom - 3; ++y)
            colours.insert(shot.pixel(x, y));
        QVERIFY2(colours.size() == 1, qPrintable(QStringLiteral("device column %1 of %2").arg(x).arg(left)));
    }
}

void tst_window::tabWalkWithKeys_data()
{
    QTest::addColumn<int>("selected");
    QTest::newRow("jpg selected") << 1;
    QTest::newRow("html selected") << 2;
}

void tst_window::tabWalkWithKeys()
{
    QFETCH(int, selected);
    frmMain form;
    form.Form_Load();
    form.optFilter[static_cast<size_t>(selected)]->click();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.cmdBuild);

    // The filter group is one stop, on its selected button.
    QStringList expected;
    for (const QString &name : ControlTable::tabOrder())
        expected << (name == QLatin1String("optFilter") ? QStringLiteral("optFilter(%1)").arg(selected) : name);
    expected << expected.takeFirst();
    const auto focusName = [] {
        QWidget *w = QApplication::focusWidget();
        while (w && (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))))
            w = w->parentWidget();
        if (!w)
            return QString();
        const QVariant index = w->property("index");
        return index.isValid() ? QStringLiteral("%1(%2)").arg(w->objectName()).arg(index.toInt()) : w->objectName();
    };
    // Every stop shows its ring but the file box, which lies under the file
    // list: a ring there would cross the list's names.
    expected.replace(expected.indexOf(QStringLiteral("File1")), QStringLiteral("File1(no ring)"));
    const auto *ring = form.findChild<FocusRing *>();
    QVERIFY(ring);
    QStringList walk;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walk << focusName() + (ring->isVisible() ? QString() : QStringLiteral("(no ring)"));
    }
    QCOMPARE(walk.join(QLatin1Char(' ')), expected.join(QLatin1Char(' ')));
    form.cmdViewInBrowser->setFocus();
    QTest::keyClick(form.cmdViewInBrowser, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), form.optFilter[static_cast<size_t>(selected)]);
    // Turned the other way, the layout takes the ring along with its control.
    const auto restore = qScopeGuard([] { QGuiApplication::setLayoutDirection(Qt::LeftToRight); });
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    const int t = FocusRing::thickness;
    QCOMPARE(ring->geometry(), form.optFilter[static_cast<size_t>(selected)]->geometry().adjusted(-t, -t, t, t));
}

void tst_window::boardFramesShowTheirBorders()
{
    frmMain form;
    form.Form_Load();
    QCOMPARE(form.Frame1->frameShape(), QFrame::Box);
    QCOMPARE(form.Frame1->lineWidth(), 1);
    // The viewport's edge stays whole on all four sides, also where the
    // board frame and the scroll bar lie over it.
    const QImage shot = form.Frame2->grab().toImage();
    const QRgb line = form.Frame2->palette().color(QPalette::WindowText).rgb();
    const int right = shot.width() - 1;
    const int bottom = shot.height() - 1;
    for (int y = 0; y <= bottom; ++y)
        QVERIFY2(shot.pixel(0, y) == line && shot.pixel(right, y) == line, qPrintable(QString::number(y)));
    for (int x = 0; x <= right; ++x)
        QVERIFY2(shot.pixel(x, 0) == line && shot.pixel(x, bottom) == line, qPrintable(QString::number(x)));
}

void tst_window::picturesLieOnWholeDevicePixels_data()
{
    QTest::addColumn<int>("slot"); // 0 is the preview
    QTest::addColumn<int>("scroll");
    QTest::newRow("preview") << 0 << 0;
    QTest::newRow("first slot") << 1 << 0;
    QTest::newRow("slot in the second column") << 2 << 0;
    QTest::newRow("slot in the second row") << 6 << 0;
    QTest::newRow("slot scrolled to the top") << 5 << 1;
}

void tst_window::picturesLieOnWholeDevicePixels()
{
    // Meant for fractional scales (QT_SCALE_FACTOR=1.5), where a box's edges
    // fall inside device pixels, and a scroll can move them by part of one.
    QFETCH(int, slot);
    QFETCH(int, scroll);
    const QString folder = makeFolder(QStringLiteral("whole pixels %1").arg(QTest::currentDataTag()), {});
    Settings::writeStoredFolder(folder);
    frmMain form;
    // Noise the size its box draws it at, once the board is scrolled: shown
    // as it is, any resampling shows.
    const QRect first = form.imgView(0)->geometry();
    for (int n = 1; n <= 8; ++n) {
        const QPoint place =
            first.topLeft() + QPoint((n - 1) % 4 * first.width(), ((n - 1) / 4 - scroll) * first.height());
        const QSize size = slot ? form.imgView(0)->devicePixelTarget(place) : form.imgView2->devicePixelTarget();
        QVERIFY(noisyImage(size).save(folder + QStringLiteral("/p%1.bmp").arg(n)));
    }
    form.Form_Load();
    form.optFilter[0]->click();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.List1->setCurrentRow(0);
    form.List1_Click();
    form.List1->selectAll();
    form.cmdAdd->click();
    form.cmdRefresh->click();
    QTRY_VERIFY(form.board().isSettled());
    form.VScroll1->setValue(scroll);
    ImageBox *box = slot ? form.imgView(slot) : form.imgView2;
    QTRY_COMPARE(box->picture().size(), box->devicePixelTarget());
    // The box's device pixels hold the picture as it is, in a border as wide
    // on every side: between two slots lie two such borders, wherever they are.
    QImage shot = form.grab().toImage();
    const QRect outer = devicePixels(box, shot.devicePixelRatio());
    const int line = (outer.width() - box->devicePixelTarget().width()) / 2;
    QCOMPARE(outer.size() - QSize(2 * line, 2 * line), box->devicePixelTarget());
    QImage expected(outer.size(), QImage::Format_RGB32);
    expected.fill(box->palette().color(QPalette::WindowText));
    QPainter(&expected).drawImage(line, line, box->picture().toImage());
    shot = shot.copy(outer).convertToFormat(QImage::Format_RGB32);
    shot.setDevicePixelRatio(1);
    QCOMPARE(shot, expected);
}

void tst_window::centeredOffset_data()
{
    QTest::addColumn<float>("screen");
    QTest::addColumn<float>("window");
    QTest::addColumn<int>("offset");
    QTest::newRow("odd difference halves toward zero") << 9000.0f << 8001.0f << 499;
    QTest::newRow("window taller than the screen") << 9000.0f << 9431.0f << -215;
    QTest::newRow("window wider than the screen") << 12000.0f << 15105.0f << -1552;
    QTest::newRow("half rounds to even, down") << 100.0f << 97.5f << 1;
    QTest::newRow("half rounds to even, up") << 100.0f << 96.5f << 2;
}

void tst_window::centeredOffset()
{
    QFETCH(float, screen);
    QFETCH(float, window);
    QFETCH(int, offset);
    QCOMPARE(Module1::centeredOffset(screen, window), offset);
}

void tst_window::centerFormUsesTheScreenProvider()
{
    QWidget form;
    form.setFixedSize(1007, 629); // 15105 x 9435 twips
    {
        const Toolkit::ScopedOverride screen(Module1::setScreenSizeProvider, [] { return QSizeF(12000, 9000); });
        Module1::CenterForm(form);
    }
    QCOMPARE(form.pos(), QPoint(Twips::toPixels(-1552), Twips::toPixels(-217)));
}

// Where the system draws the frame (Windows, at any DPI: the Windows leg
// runs this at 96, 144 and 192), the window is centred on the frame as the
// system has it, capped at the screen plus its frame, before and after it
// is shown.
void tst_window::centredOnTheFrameTheSystemDraws()
{
    frmMain form;
    form.Form_Load();
    if (!Toolkit::systemFrame(form))
        QSKIP("the system tells no frame before the window is shown here");
    // Equal margins on opposite sides, within a pixel of the middle: the
    // halving in twips, and Qt's logical pixels of two at 192 DPI, may
    // leave one.
    const auto uncentred = [&form] {
        const Toolkit::SystemFrame system = *Toolkit::systemFrame(form);
        const QRect f = system.frame, s = system.screen;
        const bool centred = qAbs((f.left() - s.left()) - (s.right() - f.right())) <= 2
            && qAbs((f.top() - s.top()) - (s.bottom() - f.bottom())) <= 2;
        return centred ? QString() : QStringLiteral("frame %1,%2 %3x%4").arg(f.left()).arg(f.top()).arg(f.width()).arg(f.height());
    };
    QCOMPARE(uncentred(), QString());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(uncentred(), QString());
}

void tst_window::toolTipsShowTextAsTyped()
{
    // "&lt;" too makes Qt read a text as markup, and a folder's name may hold it.
    const QString folder = makeFolder(QStringLiteral("Rock &lt;b&gt; roll"), {"a.jpg"});
    const QString description = QStringLiteral("Sunrise & <b>waves</b>");
    frmMain form;
    form.Form_Load(folder);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    selectNames(form.List1, form.List1->names());
    form.cmdAdd->click();
    form.cmdRefresh->click();
    form.board().setDescription(1, description);
    const auto shownTip = [](QWidget *widget, QPoint at) {
        QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &help);
        QTextDocument shown; // what the tip's label shows, read as it reads it
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *tip = qobject_cast<QLabel *>(w); tip && tip->isVisible())
                Qt::mightBeRichText(tip->text()) ? shown.setHtml(tip->text()) : shown.setPlainText(tip->text());
        }
        return shown.toPlainText();
    };
    QCOMPARE(shownTip(form.imgView(1), QPoint(9, 9)), description);
    const QRect item = form.Dir1->visualItemRect(form.Dir1->currentItem());
    QCOMPARE(shownTip(form.Dir1->viewport(), item.center()), QDir::toNativeSeparators(folder));
}

void tst_window::startUpOpensStoredFolder()
{
    Settings::writeStoredFolder(m_pictures);
    frmMain form;
    form.Form_Load();
    QCOMPARE(form.Dir1->path(), m_pictures);
    QCOMPARE(form.File1->path(), m_pictures);
    QCOMPARE(form.File1->pattern(), QStringLiteral("*.jpg"));
    QCOMPARE(form.List1->names(), (QStringList{"a.jpg", "b.jpg", "C.JPG"}));
    QCOMPARE(form.List2->count(), 0);
    QCOMPARE(form.Frame1->height(), 4250); // ten times 6375 twips
    QVERIFY(form.imgView(0)->isHidden());
    QCOMPARE(form.thumbnailCount(), 0);
    QCOMPARE(form.currentSlot(), 0);
}

void tst_window::startUpWithoutStoredFolderStillFillsFileList_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::newRow("nothing stored") << QByteArray();
    QTest::newRow("stored folder is gone") << QByteArray("[Defaults]\r\nFilesDir=/no/such/folder/\r\n");
    QTest::newRow("stored folder is the current one") << QByteArray("CURRENT");
}

void tst_window::startUpWithoutStoredFolderStillFillsFileList()
{
    QFETCH(QByteArray, ini);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_pictures));
    if (ini == "CURRENT")
        Settings::writeStoredFolder(m_pictures);
    else if (!ini.isEmpty())
        QVERIFY(writeFileBytes(Settings::filePath(), ini));
    MessageRecorder recorder;
    frmMain form;
    form.Form_Load();
    QDir::setCurrent(previous);
    QCOMPARE(form.Dir1->path(), m_pictures);
    QCOMPARE(form.List1->names(), (QStringList{"a.jpg", "b.jpg", "C.JPG"}));
    QVERIFY(recorder.messages.isEmpty());
}

void tst_window::rebuildEmptiesPageList()
{
    Settings::writeStoredFolder(m_pictures);
    frmMain form;
    form.Form_Load();
    selectNames(form.List1, {"a.jpg"});
    form.cmdAdd->click();
    QCOMPARE(form.List2->names(), QStringList{"a.jpg"});

    // A filter click rebuilds from the same folder and empties the page list.
    QTest::mouseClick(form.optFilter[0], Qt::LeftButton, {}, QPoint(4, 8));
    QVERIFY(form.optFilter[0]->isChecked());
    QCOMPARE(form.File1->pattern(), QStringLiteral("*.*"));
    QCOMPARE(form.List1->names(), (QStringList{"a.jpg", "b.jpg", "C.JPG", "index.html", "notes.bmp"}));
    QCOMPARE(form.List2->count(), 0);

    // So does opening another folder.
    selectNames(form.List1, {"b.jpg"});
    form.cmdAdd->click();
    const QString other = makeFolder(QStringLiteral("other"), {"z.jpg"});
    QCOMPARE(form.Dir1->setPath(other), FolderBox::Move::Changed);
    QCOMPARE(form.File1->path(), other);
    QCOMPARE(form.List1->names(), QStringList{"z.jpg"});
    QCOMPARE(form.List2->count(), 0);
}

void tst_window::clearLeavesNamesOnNeitherList()
{
    Settings::writeStoredFolder(m_pictures);
    frmMain form;
    form.Form_Load();
    selectNames(form.List1, {"a.jpg", "C.JPG"});
    form.cmdAdd->click();
    form.cmdClear->click();
    QCOMPARE(form.List1->names(), QStringList{"b.jpg"});
    QCOMPARE(form.List2->count(), 0);
    form.optFilter[1]->click();
    QCOMPARE(form.List1->names(), (QStringList{"a.jpg", "b.jpg", "C.JPG"}));
}

void tst_window::folderThatCannotBeListed()
{
    Settings::writeStoredFolder(m_pictures);
    frmMain form;
    form.Form_Load();
    selectNames(form.List1, {"a.jpg"});
    form.cmdAdd->click();

    // The folder vanishes after it was opened; a filter click must say so
    // and keep what the lists held.
    const QString doomed = makeFolder(QStringLiteral("doomed"), {"d.jpg"});
    form.Dir1->setPath(doomed);
    selectNames(form.List1, {"d.jpg"});
    form.cmdAdd->click();
    QVERIFY(QDir(doomed).removeRecursively());
    MessageRecorder recorder;
    form.optFilter[0]->click();
    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages.at(0).style, MessageStyle::Exclamation);
    QVERIFY(recorder.messages.at(0).text.contains(QDir::toNativeSeparators(doomed)));
    QCOMPARE(form.List2->names(), QStringList{"d.jpg"});
    QCOMPARE(form.File1->path(), doomed);
}

namespace {

void linuxUnopenedDriveRows()
{
    QTest::newRow("volume no longer mounted") << QStringLiteral("/no such volume") << true;
    QTest::newRow("volume that does not answer") << QStringLiteral("/no such volume") << false;
}

// A letter that names no drive fails as a drive without a disk does.
void windowsUnopenedDriveRows()
{
    QString freeLetter;
    for (char letter = 'Z'; letter > 'C' && freeLetter.isEmpty(); --letter) {
        const QString root = QString(QLatin1Char(letter)) + QStringLiteral(":/");
        if (!QFileInfo::exists(root))
            freeLetter = root;
    }
    QTest::newRow("drive letter without a disk") << freeLetter << true;
    QTest::newRow("drive that does not answer") << freeLetter << false;
}

} // namespace

void tst_window::driveThatCannotBeOpened_data()
{
    QTest::addColumn<QString>("volume");
    QTest::addColumn<bool>("answers"); // false: its listing never returns, as an offline share's
    addSystemRows(linuxUnopenedDriveRows, windowsUnopenedDriveRows);
}

void tst_window::driveThatCannotBeOpened()
{
    QFETCH(QString, volume);
    QFETCH(bool, answers);
    QVERIFY(!volume.isEmpty());
    const auto release = std::make_shared<std::atomic<bool>>(answers);
    const Toolkit::ScopedOverride lister(FolderBox::setLister, [release, volume](const QString &folder) {
        while (folder == Toolkit::normalizeFolder(volume) && !*release)
            QThread::msleep(10);
        return Toolkit::listSubfolders(folder);
    });
    const auto restore = qScopeGuard([&] {
        *release = true;
        Toolkit::storageWaitMilliseconds = 5000;
    });
    Toolkit::storageWaitMilliseconds = 300;
    Settings::writeStoredFolder(m_pictures);
    frmMain form;
    form.Form_Load();
    selectNames(form.List1, {"a.jpg"});
    form.cmdAdd->click();
    const QString shownDrive = form.Drive1->drive();
    form.Drive1->setVolumes({shownDrive, volume});
    form.show();
    MessageRecorder recorder;
    // The window's own events go on while the drive keeps it waiting.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(20);

    const int index = form.Drive1->findData(volume);
    form.Drive1->setCurrentIndex(index);
    Q_EMIT form.Drive1->activated(index);

    QVERIFY2(answers || ticks >= 5, qPrintable(QString::number(ticks)));
    QCOMPARE(recorder.messages.size(), 1);
    QCOMPARE(recorder.messages.at(0).text.contains(QStringLiteral("did not answer")), !answers);
    QCOMPARE(recorder.messages.at(0).style, MessageStyle::Exclamation);
    QVERIFY2(recorder.messages.at(0).text.contains(QDir::toNativeSeparators(volume)),
             qPrintable(recorder.messages.at(0).text));
    // The box shows the drive that is open again, and nothing else moved.
    QCOMPARE(form.Drive1->drive(), shownDrive);
    QCOMPARE(form.Dir1->path(), m_pictures);
    QCOMPARE(form.File1->path(), m_pictures);
    QCOMPARE(form.List1->names(), (QStringList{"b.jpg", "C.JPG"}));
    QCOMPARE(form.List2->names(), QStringList{"a.jpg"});
}

void tst_window::storageThatDoesNotAnswer_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("filter click while the folder's listing hangs") << QStringLiteral("filter");
    QTest::newRow("build while the folder's file creation hangs") << QStringLiteral("build");
    QTest::newRow("close while the settings file's folder hangs") << QStringLiteral("close");
}

// The window answers while storage does not, and gives up on it after the
// storage wait: nothing is reported written, and nothing is half-written.
void tst_window::storageThatDoesNotAnswer()
{
    QFETCH(QString, action);
    if (OnWindows && action == QLatin1String("close"))
        QSKIP("Windows writes the settings file with its own profile functions");
    const QString folder = makeFolder(QStringLiteral("hung-") + action, {"a.jpg", "b.jpg"});
    const QByteArray settings = "[Defaults]\r\nFilesDir=" + QFile::encodeName(folder) + "/\r\n[Other]\r\nx=1\r\n";
    QVERIFY(QDir().mkpath(QFileInfo(Settings::filePath()).path()));
    QVERIFY(writeFileBytes(Settings::filePath(), settings));
    frmMain form;
    form.Form_Load();
    form.show();
    QCOMPARE(form.File1->path(), folder);

    const auto release = std::make_shared<std::atomic<bool>>(false);
    const auto hang = [release] {
        while (!*release)
            QThread::msleep(10);
    };
    std::optional<Toolkit::ScopedOverride<FileBox::Lister>> lister;
    if (action == QLatin1String("filter")) {
        lister.emplace(FileBox::setLister, [hang](const QString &path, const QString &pattern) {
            hang();
            return Toolkit::listFiles(path, pattern);
        });
    }
    const Toolkit::ScopedOverride fault(Toolkit::setReplaceFault, [hang](Toolkit::ReplaceStep step) {
        if (step == Toolkit::ReplaceStep::Create)
            hang();
        return 0;
    });
    const auto restore = qScopeGuard([&] {
        *release = true;
        Toolkit::storageWaitMilliseconds = 5000;
        QThread::msleep(50);
    });
    Toolkit::storageWaitMilliseconds = 300;
    MessageRecorder recorder;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();

    if (action == QLatin1String("filter")) {
        form.optFilter[0]->click();
    } else if (action == QLatin1String("build")) {
        form.txtName->setText(QStringLiteral("pg"));
        form.cmdBuild->click();
    } else {
        form.close();
    }
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    QCOMPARE(recorder.messages.size(), action == QLatin1String("close") ? 0 : 1);
    QVERIFY(recorder.messages.isEmpty() || recorder.messages.at(0).text.contains(QStringLiteral("did not answer")));
    QCOMPARE(form.List1->names(), (QStringList{"a.jpg", "b.jpg"}));
    // A write that was given up stays undone once the storage answers.
    *release = true;
    QTest::qWait(100);
    QVERIFY(!QFile::exists(folder + QStringLiteral("/pg.html")));
    QCOMPARE(readFileBytes(Settings::filePath()), settings);
}

void tst_window::preview()
{
    const QString folder = makeFolder(QStringLiteral("preview"), {"Photo.JPG", "notes.bmp", "index.html"});
    QVERIFY(writeFileBytes(folder + QStringLiteral("/broken.jpg"), "not a picture"));
    Settings::writeStoredFolder(folder);
    frmMain form;
    form.Form_Load();
    form.optFilter[0]->click();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    MessageRecorder recorder;

    auto pick = [&](const QString &name) {
        const QList<QListWidgetItem *> found = form.List1->findItems(name, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {},
                          form.List1->visualItemRect(found.first()).center());
        QTRY_VERIFY(!form.previewPending());
    };
    pick(QStringLiteral("Photo.JPG"));
    QVERIFY(!form.imgView2->picture().isNull());
    const qint64 shown = form.imgView2->picture().cacheKey();

    pick(QStringLiteral("index.html")); // fails the name test: nothing happens
    QCOMPARE(form.imgView2->picture().cacheKey(), shown);
    QVERIFY(recorder.messages.isEmpty());

    pick(QStringLiteral("broken.jpg")); // passes the test but cannot load
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY(recorder.messages.at(0).text.contains(QDir::toNativeSeparators(folder + QStringLiteral("/broken.jpg"))));
    QCOMPARE(form.imgView2->picture().cacheKey(), shown);

    pick(QStringLiteral("notes.bmp"));
    QVERIFY(form.imgView2->picture().cacheKey() != shown);
}

void tst_window::fileArgumentIsPickedAndPreviewed()
{
    const QString folder = makeFolder(QStringLiteral("argument"), {"a.jpg", "b.jpg", "c.bmp"});
    frmMain form;
    form.Form_Load(folder + QStringLiteral("/b.jpg"));
    QCOMPARE(form.List1->currentItem() ? form.List1->currentItem()->text() : QString(), QStringLiteral("b.jpg"));
    QCOMPARE(form.List1->selectedItems().size(), 1);
    QTRY_VERIFY(!form.previewPending());
    QVERIFY(!form.imgView2->picture().isNull());

    // One the filter hides opens its folder, and nothing more.
    frmMain hidden;
    hidden.Form_Load(folder + QStringLiteral("/c.bmp"));
    QCOMPARE(QDir(hidden.Dir1->path()), QDir(folder));
    QVERIFY(hidden.List1->selectedItems().isEmpty());
    QVERIFY(!hidden.previewPending());
    QVERIFY(hidden.imgView2->picture().isNull());
}

void tst_window::quickPicksDecodeOnlyTheNewest()
{
    // Five pictures that are slow to decode, then a red one.
    const QString folder = m_dir.filePath(QStringLiteral("quick picks"));
    QDir().mkpath(folder);
    const QByteArray slow = encoded(noisyImage(QSize(4000, 3000)), "jpeg", DefaultQuality, JpegScan::Progressive);
    for (int i = 1; i <= 5; ++i)
        QVERIFY(writeFileBytes(folder + QStringLiteral("/p%1.jpg").arg(i), slow));
    QVERIFY(flatImage(QSize(40, 30), Qt::red).save(folder + QStringLiteral("/p6.jpg"), "JPG"));
    Settings::writeStoredFolder(folder);
    frmMain form;
    form.Form_Load();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // A click on the first name, then Down five times within 50 ms, each
    // while the picks before it still wait for their pictures.
    int downs = 0;
    for (int i = 1; i <= 5; ++i) {
        QTimer::singleShot(10 * i, &form, [&] {
            ++downs;
            QTest::keyClick(form.List1, Qt::Key_Down);
        });
    }
    const quint64 before = PreviewLoader::decodesStarted();
    const QList<QListWidgetItem *> first = form.List1->findItems(QStringLiteral("p1.jpg"), Qt::MatchExactly);
    QVERIFY(!first.isEmpty());
    QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {}, form.List1->visualItemRect(first.first()).center());
    QTRY_COMPARE(downs, 5);
    QTRY_VERIFY(isReddish(form.imgView2->picture().toImage().pixelColor(5, 5)));
    // The first pick's decode, already running, and the newest one.
    const quint64 decoded = PreviewLoader::decodesStarted() - before;
    QVERIFY2(decoded <= 2, qPrintable(QStringLiteral("%1 decodes").arg(decoded)));
}

// The preview's picture arrives after its window is gone: nothing is shown
// and nothing breaks.
void tst_window::windowClosesWhilePreviewDecodes()
{
    const QString folder = m_dir.filePath(QStringLiteral("closing preview"));
    QDir().mkpath(folder);
    QVERIFY(writeFileBytes(folder + QStringLiteral("/slow.jpg"),
                           encoded(noisyImage(QSize(4000, 3000)), "jpeg", DefaultQuality, JpegScan::Progressive)));
    Settings::writeStoredFolder(folder);
    MessageRecorder recorder;
    {
        frmMain form;
        form.Form_Load();
        form.List1->setCurrentRow(0);
        form.List1_Click();
        QVERIFY(form.previewPending());
    }
    // Whatever the decode still had queued for the window runs here.
    QTest::qWait(200);
    QVERIFY(recorder.messages.isEmpty());
}

void tst_window::slotClicks()
{
    Settings::writeStoredFolder(m_pictures);
    frmMain form;
    form.Form_Load();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    selectNames(form.List1, {"a.jpg", "b.jpg"});
    form.cmdAdd->click();
    form.cmdRefresh->click();
    QCOMPARE(form.thumbnailCount(), 2);
    ImageBox *one = form.imgView(1);
    ImageBox *two = form.imgView(2);

    // A press dragged off its slot is no click, wherever it is let go.
    QTest::mousePress(one, Qt::LeftButton);
    QTest::mouseRelease(one, Qt::LeftButton, {}, one->mapFromGlobal(two->mapToGlobal(two->rect().center())));
    QCOMPARE(form.currentSlot(), 0);
    QTest::mousePress(two, Qt::LeftButton);
    QCOMPARE(form.currentSlot(), 0);
    QTest::mouseRelease(two, Qt::LeftButton);
    QCOMPARE(form.currentSlot(), 2);

    // Slot numbers do not wrap at 16 bits.
    form.imgView_Click(32769);
    QCOMPARE(form.currentSlot(), 32769);
    QCOMPARE(form.lblPicDesc->text(), QStringLiteral("Picture Description for Pic 32769"));
}

void tst_window::typedTextReachesThePage()
{
    const QString folder = makeFolder(QStringLiteral("typed"), {"a.jpg"});
    Settings::writeStoredFolder(folder);
    frmMain form;
    form.Form_Load();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList namesAtMessages;
    const Toolkit::ScopedOverride handler(
        Toolkit::setMessageHandler,
        [&](const QString &, MessageStyle, const QString &, QWidget *) { namesAtMessages << form.txtName->text(); });

    // A name of spaces: the box is empty by the time the message shows.
    QTest::keyClicks(form.txtName, QStringLiteral("   "));
    QTest::mouseClick(form.cmdBuild, Qt::LeftButton);
    QCOMPARE(namesAtMessages, QStringList{QString()});

    // No-break spaces and both kinds of typed line break reach the page.
    selectNames(form.List1, {"a.jpg"});
    form.cmdAdd->click();
    form.cmdRefresh->click();
    QTest::mouseClick(form.imgView(1), Qt::LeftButton);
    QTest::keyClicks(form.txtItemDesc, QStringLiteral("x\u00a0y"));
    QTest::mouseClick(form.imgView(1), Qt::LeftButton);
    QTest::keyClicks(form.txtName, QStringLiteral(" Trip\u00a0one "));
    QTest::keyClicks(form.txtDesc, QStringLiteral("a\u00a0b"));
    QTest::keyClick(form.txtDesc, Qt::Key_Return);
    QTest::keyClicks(form.txtDesc, QStringLiteral("c"));
    QTest::keyClick(form.txtDesc, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(form.txtDesc, QStringLiteral("d"));
    QTest::mouseClick(form.cmdBuild, Qt::LeftButton);

    QCOMPARE(namesAtMessages.size(), 1);
    QCOMPARE(form.txtName->text(), QStringLiteral("Trip\u00a0one"));
    QCOMPARE(readFileBytes(folder + QStringLiteral("/Trip\u00a0one.html")),
             crlfLines({"<Title>Trip\u00a0one</Title>", "<Font Size=4>", "<Heading>Trip\u00a0one</Heading><BR><BR>",
                        "</Font>", "<Font Size=3>", "a\u00a0b<BR>c<BR>d<BR><BR>", "x\u00a0y<BR><BR>",
                        "<img src=\"a.jpg\"><P><BR>", "</Font>"}));
}

void tst_window::wholeRoadOfOnePage()
{
    const QString folder = makeFolder(QStringLiteral("road"), {"beach.jpg", "Alps.jpg", "zoo.jpg", "index.html"});
    MessageRecorder recorder;
    {
        frmMain form;
        form.Form_Load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.Dir1->setPath(folder + QLatin1Char('/')), FolderBox::Move::Changed);
        form.optFilter[2]->click();
        QCOMPARE(form.List1->names(), QStringList{"index.html"});
        form.optFilter[1]->click();
        QCOMPARE(form.List1->names(), (QStringList{"Alps.jpg", "beach.jpg", "zoo.jpg"}));

        selectNames(form.List1, {"zoo.jpg", "Alps.jpg"});
        QTest::mouseClick(form.cmdAdd, Qt::LeftButton);
        QCOMPARE(form.List2->names(), (QStringList{"Alps.jpg", "zoo.jpg"}));
        QCOMPARE(form.List1->names(), QStringList{"beach.jpg"});

        QTest::keyClicks(form.txtName, QStringLiteral("  Holiday "));
        QTest::keyClicks(form.txtDesc, QStringLiteral("Day one"));
        QTest::keyClick(form.txtDesc, Qt::Key_Return);
        QTest::keyClicks(form.txtDesc, QStringLiteral("sunny"));
        QTest::mouseClick(form.cmdBuildLinks, Qt::LeftButton);
        QCOMPARE(form.txtName->text(), QStringLiteral("Holiday"));
        form.close();
    }
    QVERIFY(recorder.messages.isEmpty());
    QCOMPARE(readFileBytes(folder + QStringLiteral("/Holiday.html")),
             crlfLines({"<Title>Holiday</Title>", "<Font Size=4>", "<Heading>Holiday</Heading><BR><BR>", "</Font>",
                        "<Font Size=3>", "Day one<BR>sunny<BR><BR>", "<A HREF=\"Alps.jpg\">Alps.jpg</A>&nbsp&nbsp ",
                        "<BR><BR>", "<A HREF=\"zoo.jpg\">zoo.jpg</A>&nbsp&nbsp ", "<BR><BR>", "</Font>"}));
    QCOMPARE(Settings::readStoredFolder(), QDir::toNativeSeparators(folder + QLatin1Char('/')));

    frmMain again;
    again.Form_Load();
    QCOMPARE(again.Dir1->path(), folder);
    QCOMPARE(again.List1->names(), (QStringList{"Alps.jpg", "beach.jpg", "zoo.jpg"}));
}

void tst_window::viewInBrowserOpensTheBuiltPage()
{
    const QString folder = makeFolder(QStringLiteral("view in browser"), {"a.jpg"});
    const QString programFolder = m_dir.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(programFolder));
    FakeBrowser fake;
    const Toolkit::ScopedOverride service(Browser::setService, &fake);
    const Toolkit::ScopedOverride lookup(Browser::setApplicationFolderLookup, [&] { return programFolder; });
    MessageRecorder recorder;

    Settings::writeStoredFolder(folder);
    frmMain form;
    form.Form_Load();
    form.txtName->setText(QStringLiteral(" My Trip "));
    form.cmdBuild->click();
    form.cmdViewInBrowser->click();
    // The name box is not trimmed here: typed blanks reach the path.
    form.txtName->setText(QStringLiteral("Other "));
    form.cmdViewInBrowser->click();

    QCOMPARE(fake.started, (QStringList{QDir::toNativeSeparators(folder + QStringLiteral("/My Trip.html")),
                                        QDir::toNativeSeparators(folder + QStringLiteral("/Other .html"))}));
    QVERIFY(fake.probeExisted);
    QVERIFY(!QFile::exists(programFolder + QStringLiteral("/test.htm")));
    QVERIFY(recorder.messages.isEmpty());
}


void tst_window::messageBoxIsADialogOfTheWindow_data()
{
    QTest::addColumn<bool>("fromControl");
    QTest::addColumn<QString>("text");
    QTest::newRow("asked by a control") << true << QStringLiteral("text");
    QTest::newRow("asked with no parent") << false << QStringLiteral("text");
    QTest::newRow("path longer than the screen is wide")
        << true << QStringLiteral("The page could not be written:\n/") + QStringLiteral("long folder name/").repeated(40)
            + QString(250, QLatin1Char('n')) + QStringLiteral(".html\n\nFile name too long");
}

void tst_window::messageBoxIsADialogOfTheWindow()
{
    QFETCH(bool, fromControl);
    QFETCH(QString, text);
    frmMain form;
    form.Form_Load(m_pictures);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QWidget *owner = nullptr;
    Qt::WindowFlags flags;
    int width = 0;
    QTimer::singleShot(0, &form, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        owner = box->parentWidget();
        flags = box->windowFlags();
        width = box->frameGeometry().width();
        box->close();
    });
    Toolkit::showMessage(text, MessageStyle::Plain, QString(),
                         fromControl ? static_cast<QWidget *>(form.txtName) : nullptr);
    QCOMPARE(owner, &form);
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY2(width <= form.screen()->availableGeometry().width(), qPrintable(QString::number(width)));
}

QTEST_MAIN(tst_window)
#include "tst_window.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/thumbnailboard.h"

#include "toolkit/imagebox.h"
#include "toolkit/messagebox.h"
#include "toolkit/twips.h"
#include "board/pictureprefetcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QScrollBar>
#include <QThread>

namespace {

// The busy pointer for as long as a refresh runs, however it ends.
class BusyPointer
{
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

QString joinPath(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

constexpr int listedFailures = 10;

} // namespace

struct ThumbnailBoard::Settling
{
    Settling() = default;
    Settling(const Settling &) = delete;
    Settling &operator=(const Settling &) = delete;
    // The watcher may be the sender whose signal is running.
    ~Settling()
    {
        if (watcher) {
            watcher->disconnect();
            watcher->deleteLater();
        }
    }

    Failures failures;
    std::vector<FirstLook> firstLooks; // in board order
    size_t next = 0;
    std::unique_ptr<PicturePrefetcher> decodes;
    QFutureWatcher<LoadedPicture> *watcher = nullptr;
};

ThumbnailBoard::ThumbnailBoard(QWidget *frame, QScrollBar *scrollBar, ImageBox *templateSlot, QObject *parent)
    : QObject(parent)
    , m_frame(frame)
    , m_scrollBar(scrollBar)
    , m_slots{templateSlot}
{
    m_pool.setMaxThreadCount(QThread::idealThreadCount());
}

ThumbnailBoard::~ThumbnailBoard()
{
    // Decodes that have not started are dropped and those running stopped;
    // the pool then waits for them only until their next read.
    if (m_prefetcher)
        m_prefetcher->cancel();
    m_settling.reset();
}

ImageBox *ThumbnailBoard::slotAt(int n) const
{
    if (n < 0 || n >= static_cast<int>(m_slots.size()))
        return nullptr;
    return m_slots[static_cast<size_t>(n)];
}

QString ThumbnailBoard::description(int n) const
{
    const ImageBox *slot = slotAt(n);
    return slot ? slot->toolTip() : QString();
}

void ThumbnailBoard::setDescription(int n, const QString &text)
{
    if (ImageBox *slot = slotAt(n))
        slot->setToolTip(text);
}

QStringList ThumbnailBoard::slotDescriptions() const
{
    QStringList descriptions;
    for (size_t n = 1; n < m_slots.size(); ++n)
        descriptions << m_slots[n]->toolTip();
    return descriptions;
}

TwipsRect ThumbnailBoard::templateRect() const
{
    const QRect r = m_slots.front()->geometry();
    return TwipsRect{static_cast<float>(Twips::fromPixels(r.x())), static_cast<float>(Twips::fromPixels(r.y())),
                     static_cast<float>(Twips::fromPixels(r.width())),
                     static_cast<float>(Twips::fromPixels(r.height()))};
}

void ThumbnailBoard::removeSlots()
{
    while (m_slots.size() > 1) {
        delete m_slots.back();
        m_slots.pop_back();
    }
}

ImageBox *ThumbnailBoard::createSlot()
{
    const ImageBox *model = m_slots.front();
    auto *slot = new ImageBox(m_frame);
    slot->setObjectName(model->objectName());
    const int index = static_cast<int>(m_slots.size());
    slot->setProperty("index", index);
    slot->resize(model->size());
    slot->setFrameStyle(model->frameStyle());
    slot->setLineWidth(model->lineWidth());
    slot->setToolTip(model->toolTip());
    slot->hide();
    connect(slot, &ImageBox::clicked, this, [this, index] { Q_EMIT slotClicked(index); });
    m_slots.push_back(slot);
    return slot;
}

void ThumbnailBoard::refresh(const PageSource &source)
{
    const quint64 generation = ++m_generation;
    m_aborted = false;
    m_placing = true;
    // The refresh this one interrupts, if any, wants nothing more decoded;
    // nor do the first looks of the board about to be thrown away.
    stopWaiting();
    m_settling.reset();
    auto settling = std::make_unique<Settling>();
    {
        const BusyPointer busy;
        if (!placeSlots(source, generation, *settling))
            return; // a newer refresh owns the board, or the window is closing
    }
    m_placing = false;
    // The pointer is back to normal before the message asks for a click.
    settle(std::move(settling));
}

bool ThumbnailBoard::placeSlots(const PageSource &source, quint64 generation, Settling &settling)
{
    Failures &failures = settling.failures;
    removeSlots();
    const int itemCount = source.count();
    m_frame->resize(m_frame->width(), Twips::toPixels(Board::boardFrameHeight(itemCount, templateRect())));

    // What the passes are expected to load, so workers can decode ahead.
    // Each pass still reads its item afresh and uses a decoded picture only
    // when its path is the one it reads.
    failures.folder = source.folder();
    QStringList predicted;
    predicted.reserve(itemCount);
    for (int i = 0; i < itemCount; ++i)
        predicted << joinPath(failures.folder, source.item(i));
    PicturePrefetcher prefetcher(&m_pool, predicted, m_slots.front()->devicePixelTarget(),
                                 PicturePrefetcher::DefaultLookahead, &loadFirstLook);
    m_prefetcher = &prefetcher;
    struct Release
    {
        ThumbnailBoard *board;
        PicturePrefetcher *mine;
        ~Release()
        {
            if (board->m_prefetcher == mine)
                board->m_prefetcher = nullptr;
        }
    } release{this, &prefetcher};

    for (int i = 0; i < itemCount; ++i) {
        // A page list that shrank at a yield ends the board at its end.
        if (i >= source.count())
            break;
        const QString folder = source.folder();
        const QString name = source.item(i);
        const QFuture<LoadedPicture> decoding = prefetcher.take(i, joinPath(folder, name));
        waitFor(decoding);
        if (generation != m_generation || m_aborted)
            return false;
        const LoadedPicture picture = decoding.result();

        ImageBox *slot = createSlot();
        const int n = thumbnailCount();
        slot->setName(tr("Picture %1: %2").arg(n).arg(name));
        showPicture(n, name, folder, picture, failures);
        if (picture.ok() && picture.firstLook)
            settling.firstLooks.push_back(FirstLook{n, name, folder});
        const SlotPlacement place = Board::placeSlot(n, templateRect());
        slot->move(Twips::toPixels(place.left), Twips::toPixels(place.top));
        slot->show();
        m_scrollBar->setMaximum(place.row);

        QCoreApplication::processEvents();
        if (generation != m_generation || m_aborted)
            return false;
    }
    return true;
}

void ThumbnailBoard::showPicture(int n, const QString &name, const QString &folder, const LoadedPicture &picture,
                                 Failures &failures)
{
    ImageBox *slot = slotAt(n);
    if (picture.ok()) {
        slot->setPicture(QPixmap::fromImage(picture.image));
    } else {
        slot->setFailure(picture.error);
        failures.lines[n] = QStringLiteral("%1: %2").arg(name, picture.error);
        failures.folder = folder;
    }
}

void ThumbnailBoard::settle(std::unique_ptr<Settling> settling)
{
    if (settling->firstLooks.empty()) {
        Q_EMIT settled();
        reportFailures(settling->failures);
        return;
    }
    QStringList paths;
    for (const FirstLook &look : settling->firstLooks)
        paths << joinPath(look.folder, look.name);
    // Only the pool's threads decode; the window goes on answering.
    settling->decodes = std::make_unique<PicturePrefetcher>(&m_pool, paths, m_slots.front()->devicePixelTarget());
    settling->watcher = new QFutureWatcher<LoadedPicture>(this);
    connect(settling->watcher, &QFutureWatcherBase::finished, this, &ThumbnailBoard::firstLookDecoded);
    m_settling = std::move(settling);
    decodeNextFirstLook();
}

void ThumbnailBoard::decodeNextFirstLook()
{
    Settling &settling = *m_settling;
    const FirstLook &look = settling.firstLooks[settling.next];
    settling.watcher->setFuture(settling.decodes->take(static_cast<int>(settling.next), joinPath(look.folder, look.name)));
}

void ThumbnailBoard::firstLookDecoded()
{
    if (!m_settling)
        return;
    Settling &settling = *m_settling;
    const FirstLook &look = settling.firstLooks[settling.next];
    const QFuture<LoadedPicture> decoding = settling.watcher->future();
    const LoadedPicture picture = decoding.resultCount() > 0
        ? decoding.result() : LoadedPicture{QImage(), tr("The picture was not decoded")};
    // A picture whose decode fails shows its failure, not a thumbnail that
    // may show something else.
    showPicture(look.slot, look.name, look.folder, picture, settling.failures);
    if (++settling.next < settling.firstLooks.size()) {
        decodeNextFirstLook();
        return;
    }
    // The board is settled before the message can run a nested event loop,
    // in which a new refresh may start.
    const Failures failures = std::move(settling.failures);
    m_settling.reset();
    Q_EMIT settled();
    reportFailures(failures);
}

void ThumbnailBoard::waitFor(const QFuture<LoadedPicture> &decoding)
{
    if (decoding.isFinished())
        return;
    // The window goes on answering while the picture is decoded; whatever
    // runs meanwhile may start a refresh of its own or close the window.
    QEventLoop loop;
    QFutureWatcher<LoadedPicture> watcher;
    connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    connect(&watcher, &QFutureWatcherBase::canceled, &loop, &QEventLoop::quit);
    connect(this, &ThumbnailBoard::waitingStopped, &loop, &QEventLoop::quit);
    watcher.setFuture(decoding);
    if (!decoding.isFinished())
        loop.exec();
}

void ThumbnailBoard::stopWaiting()
{
    if (m_prefetcher)
        m_prefetcher->cancel();
    Q_EMIT waitingStopped();
}

void ThumbnailBoard::abort()
{
    m_aborted = true;
    m_placing = false;
    stopWaiting();
    m_settling.reset();
}

void ThumbnailBoard::scrollTo(int position)
{
    const float top = Board::frameTopForScroll(position, templateRect().height);
    m_frame->move(m_frame->x(), Twips::toPixels(top));
}

void ThumbnailBoard::reportFailures(const Failures &failures) const
{
    if (failures.lines.empty())
        return;
    QStringList lines;
    for (const auto &line : failures.lines) {
        if (lines.size() == listedFailures)
            break;
        lines << line.second;
    }
    if (failures.lines.size() > size_t(listedFailures))
        lines << tr("and %1 more").arg(failures.lines.size() - listedFailures);
    Toolkit::showMessage(tr("These pictures in %1 cannot be shown:\n\n%2")
                             .arg(QDir::toNativeSeparators(failures.folder), lines.join(QLatin1Char('\n'))),
                         MessageStyle::Exclamation, QString(), m_frame->window());
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "board/thumbnailboard.h"

#include "toolkit/imagebox.h"
#include "toolkit/messagebox.h"
#include "toolkit/storagewait.h"
#include "toolkit/twips.h"
#include "toolkit/userinput.h"
#include "board/pictureprefetcher.h"
#include "picture/decoderpool.h"
#include "picture/thumbnailsources.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QPointer>
#include <QScrollBar>
#include <QThread>
#include <QtConcurrent/qtconcurrenttask.h>

#include <set>
#include <utility>

namespace {

// Each change of the scroll bar's range repaints the board frame under its
// edge, and Qt then walks every slot of the frame to find those to paint:
// while a board fills, the bar is drawn at most every 50 ms, not at every
// yield, or a board of thousands costs seconds in walks alone.
class ScrollBarDrawing
{
public:
    explicit ScrollBarDrawing(QWidget *bar)
        : m_bar(bar)
    {
        m_bar->setUpdatesEnabled(false);
        m_clock.start();
    }
    ~ScrollBarDrawing()
    {
        if (m_bar)
            m_bar->setUpdatesEnabled(true);
    }
    ScrollBarDrawing(const ScrollBarDrawing &) = delete;
    ScrollBarDrawing &operator=(const ScrollBarDrawing &) = delete;

    void beforeYield()
    {
        if (m_bar && m_clock.elapsed() >= 50) {
            m_bar->setUpdatesEnabled(true);
            m_clock.restart();
        }
    }
    // Off again until the next 50 ms are up.
    void afterYield()
    {
        if (m_bar)
            m_bar->setUpdatesEnabled(false);
    }

private:
    QPointer<QWidget> m_bar;
    QElapsedTimer m_clock;
};

QString joinPath(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

constexpr int listedFailures = 10;

// Slots keep their pixels within this many viewports of rows around the
// rows shown, and load them within the nearer band, so that scrolling back
// and forth by a row does not drop and load the same pictures again.
constexpr int loadScreens = 2;
constexpr int keepScreens = 3;

// Runs `done` on the context's thread with the load's picture, always from
// the event loop: a continuation attached to a load that has already ended
// would otherwise run at once, inside the call that started the load. The
// board's pools end their loads before the board is gone.
template<typename Done>
void whenLoaded(QFuture<LoadedPicture> future, QObject *context, Done done)
{
    future.then([context, done = std::move(done)](const LoadedPicture &picture) mutable {
        QMetaObject::invokeMethod(
            context, [done = std::move(done), picture]() mutable { done(picture); }, Qt::QueuedConnection);
    });
}

LoadedPicture loadOnPool(ThumbnailBoard::Loader loader, const QString &path, const QSize &target,
                         const std::shared_ptr<DecodeStop> &stop)
{
    return loader(path, target, stop.get());
}

} // namespace

// What a slot has shown so far: nothing yet, its embedded thumbnail, or a
// decoded or cached picture or its failure (the slot is settled).
enum class SlotLook : quint8 { None, FirstLook, Final };

struct ThumbnailBoard::SlotPicture
{
    QString name;
    QString folder;
    SlotLook look = SlotLook::None;
    // A background decode of the picture is on its way.
    bool decoding = false;
    // That decode is the look-ahead's, which placing gave up waiting for.
    // Its file may not answer at all: while it runs, nothing else reads it,
    // or a few such files would hold every thread of the pools.
    bool overdue = false;
};

struct ThumbnailBoard::Work
{
    explicit Work(quint64 generation)
        : generation(generation)
    {
    }
    Work(const Work &) = delete;
    Work &operator=(const Work &) = delete;

    struct Reload
    {
        quint64 ticket = 0;
        QFuture<LoadedPicture> future;
    };

    quint64 generation;
    // Every decode and reload of this board reads through it.
    std::shared_ptr<DecodeStop> stop = std::make_shared<DecodeStop>();
    std::vector<SlotPicture> pictures{1}; // [0] is the template's place
    // The slots that hold pixels: those near the viewport.
    std::set<int> resident;
    std::map<int, Reload> reloads;
    quint64 nextTicket = 0;
    // Slots that have not shown a decoded or cached picture or a failure.
    int unsettled = 0;
    // Background decodes: slots before the cursor have been started once.
    size_t cursor = 1;
    int decodesRunning = 0;
    // The pictures that could not be shown, by slot, and the folder they
    // were read from.
    std::map<int, QString> failures;
    QString failureFolder;

    void setLook(int n, SlotLook look)
    {
        SlotLook &was = pictures[static_cast<size_t>(n)].look;
        if (was != SlotLook::Final && look == SlotLook::Final)
            --unsettled;
        else if (was == SlotLook::Final && look != SlotLook::Final)
            ++unsettled;
        was = look;
    }
};

ThumbnailBoard::ThumbnailBoard(QWidget *frame, QScrollBar *scrollBar, ImageBox *templateSlot, QObject *parent)
    : QObject(parent)
    , m_frame(frame)
    , m_scrollBar(scrollBar)
    , m_slots{templateSlot}
{
    m_pool.setMaxThreadCount(QThread::idealThreadCount());
    m_reloadPool.setMaxThreadCount(QThread::idealThreadCount());
    // A decoding helper takes a moment to start, under Wine a third of a
    // second: those the board's threads will use start now, on those
    // threads, while the user is still choosing pictures, rather than at the
    // first Refresh. The board's end waits for a start under way as for a
    // decode; a program ending with it under way could hang under Wine.
    const int threads = m_pool.maxThreadCount();
    for (int i = 0; i < threads; ++i)
        m_pool.start([threads] { DecoderPool::prepare(threads); });
}

ThumbnailBoard::~ThumbnailBoard()
{
    // Decodes that have not started are dropped and those running stopped;
    // the pools then wait for them only until their next read.
    if (m_prefetcher)
        m_prefetcher->cancel();
    endWork();
}

bool ThumbnailBoard::isSettled() const
{
    return m_state == State::Empty || m_state == State::Settled || m_state == State::Stopped;
}

void ThumbnailBoard::enter(State next)
{
    // A refresh may start, and the window close, at any time; placing ends
    // in settling and settling in settled, each only from the one before.
    Q_ASSERT(next == State::Placing || next == State::Stopped
             || (next == State::Settling && m_state == State::Placing)
             || (next == State::Settled && m_state == State::Settling));
    m_state = next;
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
    // Mirroring the template's place again gives its place left to right.
    const QRect r = Twips::placed(m_slots.front()->geometry(), m_frame->layoutDirection(), m_frame->width());
    return TwipsRect{static_cast<float>(Twips::fromPixels(r.x())), static_cast<float>(Twips::fromPixels(r.y())),
                     static_cast<float>(Twips::fromPixels(r.width())),
                     static_cast<float>(Twips::fromPixels(r.height()))};
}

QPoint ThumbnailBoard::placedAt(const SlotPlacement &place) const
{
    const QRect designed(QPoint(Twips::toPixels(place.left), Twips::toPixels(place.top)), m_slots.front()->size());
    return Twips::placed(designed, m_frame->layoutDirection(), m_frame->width()).topLeft();
}

void ThumbnailBoard::placeAcross()
{
    const TwipsRect cell = templateRect();
    for (int n = 1; n <= thumbnailCount(); ++n)
        m_slots[static_cast<size_t>(n)]->move(placedAt(Board::placeSlot(n, cell)));
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
    // The user asked for a board: the list of what the last one could not
    // show, held back then, is expected now.
    if (!m_heldFailures.isEmpty())
        Toolkit::showMessage(std::exchange(m_heldFailures, QString()), MessageStyle::Exclamation, QString(),
                             m_frame->window());
    m_sinceRefresh.start();
    m_inputAtRefresh = Toolkit::userInputCount();
    const quint64 generation = ++m_generation;
    enter(State::Placing);
    // The refresh this one interrupts, if any, wants nothing more decoded;
    // nor does the board about to be thrown away.
    stopWaiting();
    endWork();
    m_work = std::make_unique<Work>(generation);
    // A cache on storage that hangs would hold every decode; the board then
    // goes without it.
    ThumbnailSources::checkCacheAnswers(NearSlotWaitMs);
    if (generation != m_generation || m_state == State::Stopped)
        return;
    {
        const Toolkit::BusyPointer busy;
        if (!placeSlots(source, generation))
            return; // a newer refresh owns the board, or the window is closing
    }
    enter(State::Settling);
    // The pointer is back to normal before the message asks for a click.
    settleMore();
}

bool ThumbnailBoard::placeSlots(const PageSource &source, quint64 generation)
{
    removeSlots();
    const int itemCount = source.count();
    m_frame->resize(m_frame->width(), Twips::toPixels(Board::boardFrameHeight(itemCount, templateRect())));

    // What the passes near the top are expected to load, so workers can
    // decode ahead. Each pass still reads its item afresh and uses a decoded
    // picture only when its path is the one it reads.
    m_work->failureFolder = source.folder();
    const qint64 nearItems = qint64(nearRows(0, loadScreens).last + 1) * Board::columns;
    QStringList predicted;
    for (int i = 0; i < itemCount && i < nearItems; ++i)
        predicted << joinPath(m_work->failureFolder, source.item(i));
    PicturePrefetcher prefetcher(&m_pool, predicted, [this](int i) { return targetOf(i + 1); },
                                 PicturePrefetcher::DefaultLookahead, m_loaders.firstLook);
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

    ScrollBarDrawing drawing(m_scrollBar);
    for (int i = 0; i < itemCount; ++i) {
        // A page list that shrank at a yield ends the board at its end.
        if (i >= source.count())
            break;
        const QString folder = source.folder();
        const QString name = source.item(i);
        const int n = thumbnailCount() + 1;
        const SlotPlacement place = Board::placeSlot(n, templateRect());
        // Only a slot near the viewport waits for its picture. The scroll
        // bar is about to reach the slot's row and pulls its position up to it.
        const bool near = nearRows(std::min(m_scrollBar->value(), place.row), loadScreens).contains(place.row);
        QFuture<LoadedPicture> decoding;
        bool answered = false;
        if (near) {
            decoding = prefetcher.take(i, joinPath(folder, name));
            answered = waitFor(decoding);
            if (generation != m_generation || m_state == State::Stopped)
                return false;
        }

        ImageBox *slot = createSlot();
        m_work->pictures.push_back(SlotPicture{name, folder});
        ++m_work->unsettled;
        slot->setName(tr("Picture %1: %2").arg(n).arg(name));
        if (answered) {
            showPicture(n, decoding.result());
        } else if (near) {
            // Placed empty; the decode runs on as the slot's background work.
            SlotPicture &waiting = m_work->pictures.back();
            waiting.decoding = true;
            waiting.overdue = true;
            ++m_work->decodesRunning;
            whenLoaded(decoding, this, [this, generation, n](const LoadedPicture &decoded) {
                if (m_work && m_work->generation == generation && m_state != State::Stopped)
                    settleOverdue(n, decoded);
            });
        }
        slot->move(placedAt(place));
        slot->show();
        m_scrollBar->setMaximum(place.row);

        drawing.beforeYield();
        QCoreApplication::processEvents();
        drawing.afterYield();
        if (generation != m_generation || m_state == State::Stopped)
            return false;
    }
    return true;
}

void ThumbnailBoard::showPicture(int n, const LoadedPicture &picture)
{
    ImageBox *slot = slotAt(n);
    Work &work = *m_work;
    if (picture.ok()) {
        slot->setPicture(QPixmap::fromImage(picture.image()));
        work.resident.insert(n);
        work.setLook(n, picture.isFirstLook() ? SlotLook::FirstLook : SlotLook::Final);
    } else {
        const SlotPicture &slotPicture = work.pictures[static_cast<size_t>(n)];
        slot->setFailure(picture.error());
        work.resident.erase(n);
        work.setLook(n, SlotLook::Final);
        //: A picture that cannot be shown: its file name, then the reason.
        work.failures[n] = tr("%1: %2").arg(slotPicture.name, picture.error());
        work.failureFolder = slotPicture.folder;
    }
}

void ThumbnailBoard::release(int n)
{
    // The slot keeps its number, description, name and place; only the
    // pixels go, to be loaded again when the board comes near it.
    slotAt(n)->setPicture(QPixmap());
    m_work->resident.erase(n);
}

void ThumbnailBoard::settleMore()
{
    if (!m_work || m_state != State::Settling)
        return;
    Work &work = *m_work;
    const int count = thumbnailCount();
    const auto wanted = [&](int n) {
        const SlotPicture &picture = work.pictures[static_cast<size_t>(n)];
        return picture.look != SlotLook::Final && !picture.decoding;
    };
    // The slots near the viewport first, then the rest in board order, a
    // few at a time so that the pool's queue follows the scrolling.
    const int limit = 2 * m_pool.maxThreadCount();
    const RowSpan near = nearRows(m_position, loadScreens);
    while (work.unsettled > 0 && work.decodesRunning < limit) {
        int next = 0;
        for (int n = near.first * Board::columns + 1; !next && n <= count && Board::rowOf(n) <= near.last; ++n)
            next = wanted(n) ? n : 0;
        while (!next && work.cursor < work.pictures.size()) {
            const int n = static_cast<int>(work.cursor++);
            next = wanted(n) ? n : 0;
        }
        if (!next)
            break;
        work.pictures[static_cast<size_t>(next)].decoding = true;
        ++work.decodesRunning;
        // A slot far from the viewport would drop the decoded pixels at
        // once: it only asks whether the cache holds them already.
        startSettling(next, isNear(next, keepScreens) ? m_loaders.picture : m_loaders.unlessCached,
                      near.contains(Board::rowOf(next)) ? 1 : 0);
    }
    if (work.unsettled > 0)
        return;
    // The board is settled before the message can run a nested event loop,
    // in which a new refresh may start.
    enter(State::Settled);
    Q_EMIT settled();
    reportFailures();
}

void ThumbnailBoard::startSettling(int n, Loader loader, int priority)
{
    const Work &work = *m_work;
    const SlotPicture &picture = work.pictures[static_cast<size_t>(n)];
    const quint64 generation = work.generation;
    const QFuture<LoadedPicture> decoding = QtConcurrent::task(&loadOnPool)
        .withArguments(loader, joinPath(picture.folder, picture.name), targetOf(n), work.stop)
        .onThreadPool(m_pool)
        .withPriority(priority)
        .spawn();
    whenLoaded(decoding, this, [this, generation, n](const LoadedPicture &decoded) {
        if (m_work && m_work->generation == generation && m_state != State::Stopped)
            settleDecoded(n, decoded);
    });
}

void ThumbnailBoard::settleDecoded(int n, const LoadedPicture &picture)
{
    Work &work = *m_work;
    SlotPicture &slotPicture = work.pictures[static_cast<size_t>(n)];
    const bool resident = work.resident.count(n) > 0;
    if (picture.isCached() && slotPicture.look != SlotLook::Final && isNear(n, keepScreens)) {
        // Scrolled near while the cache was asked: the slot may show its
        // embedded thumbnail, or nothing. The real picture settles it, from
        // the cache; the slot's work goes on meanwhile.
        startSettling(n, m_loaders.picture, isNear(n, loadScreens) ? 1 : 0);
        return;
    }
    slotPicture.decoding = false;
    --work.decodesRunning;
    if (slotPicture.look == SlotLook::Final) {
        // A reload settled it meanwhile.
        if (picture.ok() && !resident && isNear(n, keepScreens))
            showPicture(n, picture);
    } else if (picture.isCached()) {
        // Far from the viewport, and the cache holds its picture for the
        // scroll that comes near it.
        if (resident)
            release(n);
        work.setLook(n, SlotLook::Final);
    } else if (!picture.ok() || isNear(n, keepScreens)) {
        // A picture whose decode fails shows its failure, not a thumbnail
        // that may show something else.
        showPicture(n, picture);
    } else {
        // Far from the viewport: the decode is in the cache, for the scroll
        // that comes near it.
        if (resident)
            release(n);
        work.setLook(n, SlotLook::Final);
    }
    settleMore();
}

void ThumbnailBoard::settleOverdue(int n, const LoadedPicture &picture)
{
    Work &work = *m_work;
    SlotPicture &slotPicture = work.pictures[static_cast<size_t>(n)];
    slotPicture.overdue = false;
    if (picture.isStopped() && !DecodeStop::requested(work.stop.get())) {
        // Stopped with the rest of the look-ahead when placing ended, not
        // for anything the file did: it is read afresh, by the board.
        startSettling(n, isNear(n, keepScreens) ? m_loaders.picture : m_loaders.unlessCached,
                      isNear(n, loadScreens) ? 1 : 0);
        return;
    }
    if (picture.isFirstLook() && !isNear(n, keepScreens)) {
        // Scrolled away meanwhile: an embedded thumbnail nobody sees settles
        // nothing, and the slot waits for its turn in the background.
        slotPicture.decoding = false;
        --work.decodesRunning;
        settleMore();
        return;
    }
    settleDecoded(n, picture);
}

void ThumbnailBoard::updateResidency()
{
    if (!m_work || m_state == State::Stopped)
        return;
    Work &work = *m_work;
    const RowSpan keep = nearRows(m_position, keepScreens);
    for (auto it = work.resident.begin(); it != work.resident.end();) {
        const int n = *it++;
        if (!keep.contains(Board::rowOf(n)))
            release(n);
    }
    for (auto it = work.reloads.begin(); it != work.reloads.end();) {
        if (keep.contains(Board::rowOf(it->first))) {
            ++it;
            continue;
        }
        it->second.future.cancel();
        it = work.reloads.erase(it);
    }

    const RowSpan shown = nearRows(m_position, 0);
    const RowSpan load = nearRows(m_position, loadScreens);
    const int count = thumbnailCount();
    for (int n = load.first * Board::columns + 1; n <= count && Board::rowOf(n) <= load.last; ++n) {
        const ImageBox *slot = m_slots[static_cast<size_t>(n)];
        // At a fractional scale a scroll may move the board by part of a
        // device pixel, and a slot's size in device pixels with it: a slot
        // on screen is loaded again for its new size, showing the picture
        // it has meanwhile.
        const bool refit = shown.contains(Board::rowOf(n)) && !slot->pictureFits();
        if ((work.resident.count(n) && !refit) || work.reloads.count(n) || slot->hasFailure())
            continue;
        const SlotPicture &picture = work.pictures[static_cast<size_t>(n)];
        if (picture.overdue)
            continue;
        // A settled slot takes back what it showed, from the cache or by a
        // decode; one not settled yet may show its embedded thumbnail first.
        const Loader loader = picture.look == SlotLook::Final ? m_loaders.picture : m_loaders.firstLook;
        const quint64 ticket = ++work.nextTicket;
        const quint64 generation = work.generation;
        QFuture<LoadedPicture> future = QtConcurrent::task(&loadOnPool)
            .withArguments(loader, joinPath(picture.folder, picture.name), targetOf(n), work.stop)
            .onThreadPool(m_reloadPool)
            .withPriority(shown.contains(Board::rowOf(n)) ? 3 : 2)
            .spawn();
        work.reloads.emplace(n, Work::Reload{ticket, future});
        whenLoaded(future, this, [this, generation, ticket, n](const LoadedPicture &loaded) {
            if (!m_work || m_work->generation != generation || m_state == State::Stopped)
                return;
            const auto found = m_work->reloads.find(n);
            if (found == m_work->reloads.end() || found->second.ticket != ticket)
                return;
            m_work->reloads.erase(found);
            reloaded(n, loaded);
        });
    }
}

void ThumbnailBoard::reloaded(int n, const LoadedPicture &picture)
{
    Work &work = *m_work;
    const ImageBox *slot = m_slots[static_cast<size_t>(n)];
    if ((work.resident.count(n) && slot->pictureFits()) || slot->hasFailure() || !isNear(n, keepScreens))
        return;
    if (picture.ok() && picture.isFirstLook() && work.pictures[static_cast<size_t>(n)].look == SlotLook::Final) {
        // Settled while its embedded thumbnail was read: the decode is wanted.
        updateResidency();
        return;
    }
    showPicture(n, picture);
    settleMore();
}

QSize ThumbnailBoard::targetOf(int n) const
{
    if (const ImageBox *slot = n > 0 ? slotAt(n) : nullptr)
        return slot->devicePixelTarget();
    const SlotPlacement place = Board::placeSlot(n, templateRect());
    return m_slots.front()->devicePixelTarget(QPoint(Twips::toPixels(place.left), Twips::toPixels(place.top)));
}

RowSpan ThumbnailBoard::nearRows(int position, int screens) const
{
    const QWidget *viewport = m_frame->parentWidget() ? m_frame->parentWidget() : m_frame;
    return Board::rowsAround(position, static_cast<float>(Twips::fromPixels(viewport->height())),
                             templateRect().height, screens);
}

bool ThumbnailBoard::isNear(int n, int screens) const
{
    return nearRows(m_position, screens).contains(Board::rowOf(n));
}

void ThumbnailBoard::endWork()
{
    if (!m_work)
        return;
    m_work->stop->request();
    for (auto &reload : m_work->reloads)
        reload.second.future.cancel();
    m_work->reloads.clear();
}

bool ThumbnailBoard::waitFor(const QFuture<LoadedPicture> &decoding)
{
    if (decoding.isFinished())
        return true;
    // The window goes on answering while the picture is decoded; whatever
    // runs meanwhile may start a refresh of its own or close the window.
    const auto latch = std::make_shared<Toolkit::WaitLatch>();
    QFutureWatcher<LoadedPicture> watcher;
    connect(&watcher, &QFutureWatcherBase::finished, this, [latch] { latch->open(); });
    connect(&watcher, &QFutureWatcherBase::canceled, this, [latch] { latch->open(); });
    const QMetaObject::Connection stopped =
        connect(this, &ThumbnailBoard::waitingStopped, this, [latch] { latch->open(); });
    watcher.setFuture(decoding);
    if (!decoding.isFinished())
        Toolkit::waitFor(latch, NearSlotWaitMs, Toolkit::WaitInput::Answered);
    disconnect(stopped);
    return decoding.isFinished();
}

void ThumbnailBoard::stopWaiting()
{
    if (m_prefetcher)
        m_prefetcher->cancel();
    Q_EMIT waitingStopped();
}

void ThumbnailBoard::abort()
{
    enter(State::Stopped);
    stopWaiting();
    endWork();
}

void ThumbnailBoard::scrollTo(int position)
{
    const float top = Board::frameTopForScroll(position, templateRect().height);
    m_frame->move(m_frame->x(), Twips::toPixels(top));
    m_position = position;
    updateResidency();
}

void ThumbnailBoard::reportFailures()
{
    const Work &work = *m_work;
    if (work.failures.empty())
        return;
    QStringList lines;
    for (const auto &line : work.failures) {
        if (lines.size() == listedFailures)
            break;
        lines << line.second;
    }
    if (work.failures.size() > size_t(listedFailures))
        lines << tr("and %1 more").arg(work.failures.size() - listedFailures);
    QString text = tr("These pictures in %1 cannot be shown:\n\n%2")
                       .arg(QDir::toNativeSeparators(work.failureFolder), lines.join(QLatin1Char('\n')));
    // Each failing slot already says why on itself.
    if (m_sinceRefresh.elapsed() > QuietSettleMs || Toolkit::userInputCount() != m_inputAtRefresh) {
        m_heldFailures = std::move(text);
        return;
    }
    // The board may be replaced while the message waits for its click.
    Toolkit::showMessage(text, MessageStyle::Exclamation, QString(), m_frame->window());
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "board/slotgeometry.h"

#include "picture/pictureloader.h"

#include <QElapsedTimer>
#include <QFuture>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class ImageBox;
class PicturePrefetcher;
class QScrollBar;
class QWidget;

// The thumbnail board: slots 1..count, each a copy of the hidden template
// (slot 0), four to a row inside the board frame, each carrying its
// picture's description as its tool tip.
class ThumbnailBoard : public QObject
{
    Q_OBJECT

public:
    // What a refresh reads, afresh at every pass.
    struct PageSource
    {
        std::function<int()> count;
        std::function<QString(int)> item;
        std::function<QString()> folder;
    };

    // How the board reads its pictures: a slot's first look, the picture
    // it keeps, and a far slot's question to the cache (see pictureloader.h).
    using Loader = decltype(&loadPicture);
    struct Loaders
    {
        Loader firstLook = &loadFirstLook;
        Loader picture = &loadPicture;
        Loader unlessCached = &loadUnlessCached;
    };

    // The longest a refresh waits for the picture of a slot near the
    // viewport; past it the slot is placed empty and fills in later, as a
    // far slot does, so that one picture on a stalled mount holds only its
    // own slot.
    static constexpr int NearSlotWaitMs = 1000;

    ThumbnailBoard(QWidget *frame, QScrollBar *scrollBar, ImageBox *templateSlot, QObject *parent = nullptr);
    ~ThumbnailBoard() override;

    // For tests: pictures that are slow or never answer. Takes effect at
    // the next refresh.
    void setLoaders(const Loaders &loaders) { m_loaders = loaders; }

    int thumbnailCount() const { return static_cast<int>(m_slots.size()) - 1; }
    // Slot n, 0 being the template; null when there is no such slot.
    ImageBox *slotAt(int n) const;
    bool hasSlot(int n) const { return slotAt(n) != nullptr; }

    QString description(int n) const;
    void setDescription(int n, const QString &text);
    // The descriptions of slots 1..count, in order.
    QStringList slotDescriptions() const;

    // Throws the board away and builds it again from the page list. Yields
    // to the event loop after every slot it places and while it waits for a
    // picture to be decoded. A refresh started at a yield takes over: the
    // interrupted one's decodes that have not started are dropped, and it
    // stops when it gets control back.
    // Only the slots in and near the viewport wait for their pictures; a
    // slot may first show the thumbnail embedded in its file. The refresh
    // returns, and the busy pointer goes, once every slot is placed; the
    // decodes that replace the embedded thumbnails, and those of the slots
    // placed without a picture, then run in the background, the slots near
    // the viewport first, and the pictures that could not be shown are
    // listed when the board is settled: at once when that is within
    // QuietSettleMs of the refresh and the user has done nothing since,
    // else at the next refresh, before it starts, so that a box the user
    // did not wait for never takes the keys meant for another control.
    void refresh(const PageSource &source);
    static constexpr int QuietSettleMs = 1000;
    // Ends a running refresh at its next yield, and drops the background
    // decodes (the window is closing).
    void abort();

    // Every slot has shown a decoded or cached picture, or its failure:
    // false from the start of a refresh, while it places its slots too. A
    // slot far from the viewport holds no pixels; its picture is in the
    // cache (or is a decode away, where there is none), and where the cache
    // held it already, it was not decoded at all.
    bool isSettled() const;

    // Moves the board frame to a scroll position.
    void scrollTo(int position);

    // The template's geometry, as the layout reads it: where it lies left to
    // right, whichever way the board runs.
    TwipsRect templateRect() const;

    // Puts every slot at its place again, after the frame's layout direction
    // changed; the template is to be at its new place already.
    void placeAcross();

Q_SIGNALS:
    void slotClicked(int index);
    // A refresh waiting for a decode is to stop waiting.
    void waitingStopped();
    // The board is settled: every slot has shown its picture or failure.
    void settled();

private:
    void removeSlots();
    ImageBox *createSlot();
    // Where a slot placed there left to right lies in the frame: rows fill
    // from the frame's right edge when it runs right to left.
    QPoint placedAt(const SlotPlacement &place) const;
    struct Work;
    struct SlotPicture;
    // Places a slot for every item; false when a newer refresh or an abort
    // took over at a yield.
    bool placeSlots(const PageSource &source, quint64 generation);
    void showPicture(int n, const LoadedPicture &picture);
    // Starts background decodes of slots that have not shown a decoded or
    // cached picture yet, or ends the settling when there are none left.
    void settleMore();
    // Runs the slot's background work, `loader`, on the decode pool.
    void startSettling(int n, Loader loader, int priority);
    void settleDecoded(int n, const LoadedPicture &picture);
    // The slot's look-ahead decode, which placing stopped waiting for, has
    // ended.
    void settleOverdue(int n, const LoadedPicture &picture);
    // Releases the pixels of slots far from the viewport and starts loading
    // those of slots near it.
    void updateResidency();
    void reloaded(int n, const LoadedPicture &picture);
    void release(int n);
    // The size slot n's picture is drawn at, in device pixels, where the
    // slot lies or, before it is made, where it will.
    QSize targetOf(int n) const;
    // The rows near the viewport at scroll position `position`.
    RowSpan nearRows(int position, int screens) const;
    bool isNear(int n, int screens) const;
    // Where the board is in its life: placed by a refresh, then settling
    // its pictures in the background until each has shown one or its
    // failure; stopped when the window closes. isSettled() follows from it.
    enum class State { Empty, Placing, Settling, Settled, Stopped };
    void enter(State next);
    void endWork();
    void reportFailures();
    // Answers events until the decode has ended, the refresh is stopped or
    // NearSlotWaitMs have passed; true when the decode has ended.
    bool waitFor(const QFuture<LoadedPicture> &decoding);
    void stopWaiting();

    QWidget *m_frame;
    QScrollBar *m_scrollBar;
    std::vector<ImageBox *> m_slots; // [0] is the template
    quint64 m_generation = 0;
    State m_state = State::Empty;
    // Since the latest refresh began, and the user's input before it.
    QElapsedTimer m_sinceRefresh;
    quint64 m_inputAtRefresh = 0;
    // The failures of a board that settled after the user had gone on.
    QString m_heldFailures;
    QThreadPool m_pool;
    // The look-ahead of the refresh that owns the board, while it runs.
    PicturePrefetcher *m_prefetcher = nullptr;
    // The pictures of the board's slots, and the work on them, from the
    // refresh that built the board until it is replaced or the window closes.
    std::unique_ptr<Work> m_work;
    // Reloads of released pictures: apart from the decodes, so that the
    // viewport never waits behind them.
    QThreadPool m_reloadPool;
    int m_position = 0;
    Loaders m_loaders;
};

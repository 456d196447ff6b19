// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class QEventLoop;

// The one way a handler waits for something that runs elsewhere while the
// window goes on answering: storage that may hang (a network share, a FUSE
// folder, an offline drive), or a decode. Every such wait runs the window's
// events here, and nowhere else but at the refresh's designed yield.
namespace Toolkit {

// How long the window waits for storage before it gives up on it.
inline int storageWaitMilliseconds = 5000;

// The busy pointer for as long as it lives.
class BusyPointer
{
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

private:
    // A process without a GUI (a command-line tool building a page) has no
    // pointer to change.
    bool m_shown = false;
};

// Opened once by whoever ends the wait, from any thread, also before the
// wait began or after it gave up.
class WaitLatch
{
public:
    void open();
    bool isOpen() const;

    // For waitFor(): the loop that open() ends; false when already open.
    bool attach(QEventLoop *loop);
    void detach();
    // For waitFor() before there is a window: whether it opened in time.
    bool block(int milliseconds);

private:
    mutable std::mutex m_lock;
    std::condition_variable m_opened;
    bool m_open = false;
    QEventLoop *m_loop = nullptr;
};

enum class WaitInput {
    Held,     // the window paints and can be closed, and takes no input
    Answered, // the user may go on working (the board's decodes)
    NoWindow, // start-up, before the window is shown: no events are run
};

enum class WaitEnd {
    Done,     // the latch was opened
    TimedOut, // the time ran out first
    Quitting, // the application is ending
};

// Answers the window's events until the latch opens or `milliseconds` pass
// (a negative time: no limit).
WaitEnd waitFor(const std::shared_ptr<WaitLatch> &latch, int milliseconds, WaitInput input);

// Whether the program shows a window yet.
bool windowShown();

// The message for storage that did not answer in time.
QString notAnsweredReason(int milliseconds = storageWaitMilliseconds);

// Runs `work` on a thread of its own and waits for it with input held and
// the busy pointer, at most storageWaitMilliseconds; before the window is
// shown, without running events. The thread is detached:
// a system call that never returns must not hold up the end of the process.
// Empty when the time ran out or the application is ending; the work then
// goes on to its end unwatched, so it must own everything it touches.
template<typename T>
std::optional<T> runWithin(std::function<T()> work, WaitEnd *end = nullptr)
{
    struct Answer
    {
        std::shared_ptr<WaitLatch> latch = std::make_shared<WaitLatch>();
        std::optional<T> value;
    };
    const auto answer = std::make_shared<Answer>();
    std::thread([answer, work = std::move(work)] {
        T value = work();
        answer->value = std::move(value);
        answer->latch->open();
    }).detach();
    // Before the window is shown there is nothing to answer for, and events
    // run then, or a pointer set, would reach a window still being set up.
    const WaitInput input = windowShown() ? WaitInput::Held : WaitInput::NoWindow;
    std::optional<BusyPointer> busy;
    if (input != WaitInput::NoWindow)
        busy.emplace();
    const WaitEnd ended = waitFor(answer->latch, storageWaitMilliseconds, input);
    if (end)
        *end = ended;
    // The latch's lock orders the worker's write of the value before this read.
    if (ended != WaitEnd::Done)
        return std::nullopt;
    return std::move(answer->value);
}

} // namespace Toolkit

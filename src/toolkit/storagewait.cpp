// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/storagewait.h"

#include <QEventLoop>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace Toolkit {

BusyPointer::BusyPointer()
    : m_shown(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
{
    if (m_shown)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer()
{
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}

void WaitLatch::open()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_open = true;
    m_opened.notify_all();
    if (m_loop)
        QMetaObject::invokeMethod(m_loop, "quit", Qt::QueuedConnection);
}

bool WaitLatch::isOpen() const
{
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_open;
}

bool WaitLatch::attach(QEventLoop *loop)
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_loop = loop;
    return !m_open;
}

void WaitLatch::detach()
{
    const std::lock_guard<std::mutex> hold(m_lock);
    m_loop = nullptr;
}

bool WaitLatch::block(int milliseconds)
{
    std::unique_lock<std::mutex> hold(m_lock);
    if (milliseconds < 0)
        m_opened.wait(hold, [this] { return m_open; });
    else
        m_opened.wait_for(hold, std::chrono::milliseconds(milliseconds), [this] { return m_open; });
    return m_open;
}

WaitEnd waitFor(const std::shared_ptr<WaitLatch> &latch, int milliseconds, WaitInput input)
{
    // Before the window is shown nothing waits for an answer from it, and
    // events run now would reach a window that is still being set up.
    if (input == WaitInput::NoWindow)
        return latch->block(milliseconds) ? WaitEnd::Done : WaitEnd::TimedOut;
    QEventLoop loop;
    if (!latch->attach(&loop))
        return WaitEnd::Done;
    bool timedOut = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    if (milliseconds >= 0)
        deadline.start(milliseconds);
    // Quitting the application ends every running loop, this one too.
    loop.exec(input == WaitInput::Held ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    latch->detach();
    if (latch->isOpen())
        return WaitEnd::Done;
    return timedOut ? WaitEnd::TimedOut : WaitEnd::Quitting;
}

bool windowShown()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    const QWindowList windows = QGuiApplication::topLevelWindows();
    return std::any_of(windows.cbegin(), windows.cend(), [](const QWindow *window) { return window->isVisible(); });
}

QString notAnsweredReason(int milliseconds)
{
    // A plain number: lupdate does not see a message whose count is an expression.
    const int seconds = (milliseconds + 999) / 1000;
    return QCoreApplication::translate("FolderBox", "The folder did not answer within %n seconds.", nullptr, seconds);
}

} // namespace Toolkit

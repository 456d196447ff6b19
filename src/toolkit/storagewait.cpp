// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/storagewait.h"

#include <QEventLoop>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

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

WaitEnd waitFor(const std::shared_ptr<WaitLatch> &latch, int milliseconds, WaitInput input)
{
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

QString notAnsweredReason(int milliseconds)
{
    return QCoreApplication::translate("FolderBox", "The folder did not answer within %n seconds.", nullptr,
                                       (milliseconds + 999) / 1000);
}

} // namespace Toolkit

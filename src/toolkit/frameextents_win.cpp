// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/frameextents.h"

#include <QGuiApplication>
#include <QWidget>

#include <windows.h>

namespace Toolkit {
namespace {

// The system's window, where there is one: the offscreen platform that
// tests use has none.
HWND systemWindow(QWidget &window)
{
    if (QGuiApplication::platformName() != QLatin1String("windows"))
        return nullptr;
    return reinterpret_cast<HWND>(window.winId());
}

} // namespace

// Windows tells the frame once the window exists; there is nothing to ask
// of a window manager.
std::optional<QMargins> announcedFrameMargins(QWidget &)
{
    return std::nullopt;
}

std::optional<SystemFrame> systemFrame(QWidget &window)
{
    const HWND handle = systemWindow(window);
    RECT frame {};
    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    if (!handle || !::GetWindowRect(handle, &frame)
        || !::GetMonitorInfoW(::MonitorFromWindow(handle, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return std::nullopt;
    const auto rect = [](const RECT &r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); };
    return SystemFrame{rect(frame), rect(monitor.rcMonitor)};
}

void moveSystemFrame(QWidget &window, const QPoint &topLeft)
{
    // Qt learns the new place from the system's own message.
    if (const HWND handle = systemWindow(window))
        ::SetWindowPos(handle, nullptr, topLeft.x(), topLeft.y(), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

} // namespace Toolkit

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/displayprobe.h"

#include <QString>
#include <QStringList>

#include <xcb/xcb.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The platforms Qt tries in turn, as it chooses them: the -platform option,
// else QT_QPA_PLATFORM, else Wayland where the session names it, then X11.
QStringList platformOrder(const QString &platformArgument)
{
    const QString chosen = platformArgument.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : platformArgument;
    if (!chosen.isEmpty())
        return chosen.split(QLatin1Char(';'));
    QStringList order;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
        order << QStringLiteral("wayland");
    return order << QStringLiteral("xcb");
}

bool reachesX11(const QByteArray &display)
{
    xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
    const bool reached = !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return reached;
}

// The compositor's socket as the Wayland library finds it: a name with a
// leading slash is its path, any other lies in XDG_RUNTIME_DIR.
bool reachesWayland(const QByteArray &name)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!name.startsWith('/') && runtime.isEmpty())
        return false;
    const QByteArray path = name.startsWith('/') ? name : runtime + '/' + name;
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (std::size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool reached = socket >= 0
        && ::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    if (socket >= 0)
        ::close(socket);
    return reached;
}

} // namespace

namespace Platform {

std::optional<QStringList> unreachableDisplays(const QString &platformArgument, const QString &displayArgument)
{
    QStringList unreachable;
    for (const QString &entry : platformOrder(platformArgument)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (name == QLatin1String("xcb")) {
            const QByteArray display = displayArgument.isEmpty() ? qgetenv("DISPLAY") : displayArgument.toLocal8Bit();
            if (display.isEmpty())
                continue;
            if (reachesX11(display))
                return std::nullopt;
            unreachable << QString::fromLocal8Bit(display);
        } else if (name.startsWith(QLatin1String("wayland"))) {
            // A socket handed over already open is not for us to try.
            if (qEnvironmentVariableIsSet("WAYLAND_SOCKET"))
                return std::nullopt;
            const QByteArray socket = qgetenv("WAYLAND_DISPLAY");
            if (reachesWayland(socket.isEmpty() ? QByteArrayLiteral("wayland-0") : socket))
                return std::nullopt;
            if (!socket.isEmpty())
                unreachable << QString::fromLocal8Bit(socket);
        } else if (!name.isEmpty()) {
            // One that draws without a display server (offscreen, vnc,
            // linuxfb, ...) can start.
            return std::nullopt;
        }
    }
    return unreachable;
}

} // namespace Platform

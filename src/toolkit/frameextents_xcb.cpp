// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/frameextents.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace Toolkit {
namespace {

template<typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

ReplyPtr<xcb_get_property_reply_t> property(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name,
                                            xcb_atom_t type)
{
    return ReplyPtr<xcb_get_property_reply_t>(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), nullptr),
        &std::free);
}

} // namespace

std::optional<QMargins> announcedFrameMargins(QWidget &window)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    // A window manager that does not list the request would never answer it.
    const auto supported = property(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (!supported || supported->format != 32 || request == XCB_ATOM_NONE)
        return std::nullopt;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(supported.get()));
    const int count = xcb_get_property_value_length(supported.get()) / int(sizeof(xcb_atom_t));
    if (std::find(atoms, atoms + count, request) == atoms + count)
        return std::nullopt;

    const auto id = xcb_window_t(window.winId());
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    // The answer is a property on the window; the event that announces it
    // goes to Qt's own event queue, so the property is read until it is set.
    const QDeadlineTimer deadline(250);
    do {
        const auto reply = property(connection, id, extents, XCB_ATOM_CARDINAL);
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 16) {
            const auto *v = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
            const qreal ratio = window.devicePixelRatioF();
            return QMargins(qRound(v[0] / ratio), qRound(v[2] / ratio), qRound(v[1] / ratio), qRound(v[3] / ratio));
        }
        QThread::msleep(5);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

// The window manager places its frame only once the window is shown.
std::optional<SystemFrame> systemFrame(QWidget &)
{
    return std::nullopt;
}

void moveSystemFrame(QWidget &, const QPoint &) {}

} // namespace Toolkit

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/centerform.h"

#include "toolkit/frameextents.h"
#include "toolkit/twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Module1 {
namespace {

ScreenSizeProvider &provider()
{
    static ScreenSizeProvider current;
    return current;
}

const QScreen *screenOf(const QWidget &form)
{
    return form.screen() ? form.screen() : QGuiApplication::primaryScreen();
}

// A provider's screen is measured at the designed 15 twips to the pixel,
// whatever the layout's scale.
QSize screenPixels(const QWidget &form)
{
    if (provider()) {
        const QSizeF twips = provider()();
        return QSize(qRound(twips.width() / Twips::perPixel), qRound(twips.height() / Twips::perPixel));
    }
    const QScreen *screen = screenOf(form);
    return screen ? screen->geometry().size() : QSize();
}

QSizeF screenSizeTwips(const QWidget &form)
{
    const QSize size = screenPixels(form);
    return QSizeF(Twips::fromPixels(size.width()), Twips::fromPixels(size.height()));
}

} // namespace

int centeredOffset(float screenTwips, float windowTwips)
{
    // nearbyint rounds in the current mode, which is to nearest, ties to even.
    const auto difference = static_cast<std::int32_t>(std::nearbyint(screenTwips - windowTwips));
    return difference / 2; // C++ division truncates toward zero
}

namespace {

// The window's frame goes to the returned point.
QPoint centredFrame(const QWidget &form, const QSize &outer)
{
    const float screenHeight = static_cast<float>(screenSizeTwips(form).height());
    const int top = centeredOffset(screenHeight, static_cast<float>(Twips::fromPixels(outer.height())));
    const float screenWidth = static_cast<float>(screenSizeTwips(form).width());
    const int left = centeredOffset(screenWidth, static_cast<float>(Twips::fromPixels(outer.width())));
    return QPoint(Twips::toPixels(left), Twips::toPixels(top));
}

void centreOnOuterSize(QWidget &form)
{
    // Top from the heights, then Left from the widths, and one move for
    // both: a window manager shows each move of a visible window. A
    // window's pos() is that of its outer frame, as the sizes used here.
    form.move(centredFrame(form, form.frameGeometry().size()));
}

// Until the window manager has put its frame around the window, the outer
// size is the client size. The watch centres the window once more, on the
// frame, as soon as the frame's margins are known; without a window manager
// they never differ and the first centring stands.
class FrameWatch : public QObject
{
public:
    explicit FrameWatch(QWidget &form)
        : QObject(&form)
        , m_form(form)
    {
        setObjectName(QStringLiteral("centreOnFrame"));
        form.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show)
            && m_form.frameGeometry().size() != m_form.size()) {
            m_form.removeEventFilter(this);
            centreOnOuterSize(m_form);
            deleteLater();
        }
        return false;
    }

private:
    QWidget &m_form;
};

} // namespace

namespace {

// The screen of `screen` pixels less the `panels` along its edges is the
// work area. Centred on the whole screen, the window keeps as far from each
// edge as the widest panel on the opposite side.
double fittingScale(double wanted, const QSize &client, const QMargins &frame, const QSize &screen,
                    const QMargins &panels)
{
    if (!(wanted > 1.0) || client.isEmpty())
        return 1.0;
    const int width = screen.width() - 2 * std::max(panels.left(), panels.right()) - frame.left() - frame.right();
    const int height = screen.height() - 2 * std::max(panels.top(), panels.bottom()) - frame.top() - frame.bottom();
    // A client of width x pixels at the factor x / its designed width is
    // exactly x pixels wide: the layout's rounding adds nothing.
    const double fits = std::min(double(width) / client.width(), double(height) / client.height());
    return std::max(1.0, std::min(wanted, fits));
}

} // namespace

double fittingScale(QWidget &form, double wanted, const QSize &client)
{
    // At the designed size there is nothing to fit, nor a frame to ask for.
    if (!(wanted > 1.0))
        return 1.0;
    QMargins frame;
    if (const std::optional<QMargins> announced = Toolkit::announcedFrameMargins(form)) {
        frame = *announced;
    } else {
        // A platform that draws the frame itself knows it once the window
        // exists, shown or not.
        form.winId();
        if (const QWindow *window = form.windowHandle())
            frame = window->frameMargins();
    }
    QMargins panels;
    const QScreen *screen = screenOf(form);
    if (screen && !provider()) {
        const QRect whole = screen->geometry();
        const QRect free = screen->availableGeometry();
        panels = QMargins(free.left() - whole.left(), free.top() - whole.top(), whole.right() - free.right(),
                          whole.bottom() - free.bottom());
    }
    return fittingScale(wanted, client, frame, screenPixels(form), panels);
}

void CenterForm(QWidget &form)
{
    // Where the system has the window's frame before it is shown, its size
    // is the one to centre: after the system's limits, and with the frame
    // as the system draws it. The screen's pixels are finer than the
    // layout's by the device-pixel ratio.
    if (form.isWindow() && !form.isVisible()) {
        if (const std::optional<Toolkit::SystemFrame> system = Toolkit::systemFrame(form)) {
            const double perPixel = Twips::perPixel / (Twips::scale() * form.devicePixelRatioF());
            const QSizeF screen = provider() ? provider()() : QSizeF(system->screen.size()) * perPixel;
            const int top = centeredOffset(static_cast<float>(screen.height()),
                                           static_cast<float>(system->frame.height() * perPixel));
            const int left = centeredOffset(static_cast<float>(screen.width()),
                                            static_cast<float>(system->frame.width() * perPixel));
            // To the nearest pixel, ties to even, as the difference is rounded.
            const auto pixels = [perPixel](int twips) { return static_cast<int>(std::nearbyint(twips / perPixel)); };
            Toolkit::moveSystemFrame(form, system->screen.topLeft() + QPoint(pixels(left), pixels(top)));
            return;
        }
    }
    // A window manager that tells its frame before the window is shown lets
    // the window appear in its place at once. Until Qt sees that frame, a
    // move places the window's own area, which lies inside the frame.
    if (form.isWindow() && !form.isVisible()) {
        if (const std::optional<QMargins> frame = Toolkit::announcedFrameMargins(form)) {
            const QSize outer = form.size().grownBy(*frame);
            form.move(centredFrame(form, outer) + QPoint(frame->left(), frame->top()));
            return;
        }
    }
    centreOnOuterSize(form);
    if (form.isWindow() && form.frameGeometry().size() == form.size()
        && !form.findChild<QObject *>(QStringLiteral("centreOnFrame"), Qt::FindDirectChildrenOnly))
        new FrameWatch(form);
}

ScreenSizeProvider setScreenSizeProvider(ScreenSizeProvider p)
{
    ScreenSizeProvider previous = std::move(provider());
    provider() = std::move(p);
    return previous;
}

} // namespace Module1

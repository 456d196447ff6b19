// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/centerform.h"

#include "toolkit/frameextents.h"
#include "toolkit/twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <cstdint>

namespace Module1 {
namespace {

ScreenSizeProvider &provider()
{
    static ScreenSizeProvider current;
    return current;
}

QSizeF screenSizeTwips(const QWidget &form)
{
    if (provider())
        return provider()();
    const QScreen *screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return QSizeF();
    const QSize size = screen->geometry().size();
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

void CenterForm(QWidget &form)
{
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

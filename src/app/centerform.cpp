#include "app/centerform.h"

#include "toolkit/twips.h"

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

void CenterForm(QWidget &form)
{
    // A window's pos() is that of its outer frame, as the sizes used here.
    const float screenHeight = static_cast<float>(screenSizeTwips(form).height());
    const int top = centeredOffset(screenHeight, static_cast<float>(Twips::fromPixels(form.frameGeometry().height())));
    form.move(form.x(), Twips::toPixels(top));

    const float screenWidth = static_cast<float>(screenSizeTwips(form).width());
    const int left = centeredOffset(screenWidth, static_cast<float>(Twips::fromPixels(form.frameGeometry().width())));
    form.move(Twips::toPixels(left), form.y());
}

ScreenSizeProvider setScreenSizeProvider(ScreenSizeProvider p)
{
    ScreenSizeProvider previous = std::move(provider());
    provider() = std::move(p);
    return previous;
}

} // namespace Module1

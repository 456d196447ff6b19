// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/userinput.h"

#include <QCoreApplication>
#include <QEvent>

#include <atomic>

namespace Toolkit {
namespace {

std::atomic<quint64> counted{0};

class InputCounter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TabletPress:
            // An event that travels on to a parent counts again: what
            // matters is whether the count changed, not by how much.
            counted.fetch_add(1, std::memory_order_relaxed);
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

quint64 userInputCount()
{
    static const bool watching = [] {
        QCoreApplication *application = QCoreApplication::instance();
        if (application)
            application->installEventFilter(new InputCounter(application));
        return application != nullptr;
    }();
    Q_UNUSED(watching);
    return counted.load(std::memory_order_relaxed);
}

} // namespace Toolkit

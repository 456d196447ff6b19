// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/durablefile.h"

#include "toolkit/durablefile_p.h"
#include "toolkit/replacedfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMutex>

#include <utility>

namespace Toolkit {
namespace {

QMutex faultLock;

ReplaceFault &currentFault()
{
    static ReplaceFault fault;
    return fault;
}

// The injected failure of a step, or 0 to go on. The fault is asked
// outside the lock: a test's fault may hang, as storage does, while
// another thread puts the system's behaviour back.
int injected(ReplaceStep step)
{
    ReplaceFault fault;
    {
        const QMutexLocker hold(&faultLock);
        fault = currentFault();
    }
    return fault ? fault(step) : 0;
}

int stepResult(ReplaceStep step, int systemResult)
{
    const int fault = injected(step);
    return fault ? fault : systemResult;
}

QString joinedReasons(const QString &first, const QString &second)
{
    return first.isEmpty() ? second : first + QLatin1Char('\n') + second;
}

// The whole content in one call over the earlier one, cut to its length
// and synced. A failure puts the earlier content back, as far as the system
// lets it.
QString replaceInPlace(const QString &target, const QByteArray &bytes)
{
    const Durable::Opened file = Durable::openExisting(target);
    if (file.error)
        return Durable::errorText(file.error);
    QByteArray earlier;
    int error = Durable::readAll(file.handle, &earlier);
    if (error) {
        Durable::close(file.handle);
        return Durable::errorText(error);
    }
    error = stepResult(ReplaceStep::Write, Durable::writeAt(file.handle, 0, bytes));
    if (!error)
        error = Durable::truncate(file.handle, bytes.size());
    if (!error)
        error = stepResult(ReplaceStep::Sync, Durable::sync(file.handle));
    if (!error) {
        // Past the sync the content is on the disk; a close that still
        // fails is reported, there is nothing left to put back.
        error = stepResult(ReplaceStep::Close, Durable::close(file.handle));
        return error ? Durable::errorText(error) : QString();
    }

    QString reason = Durable::errorText(error);
    const int restore = [&] {
        if (const int e = Durable::writeAt(file.handle, 0, earlier))
            return e;
        if (const int e = Durable::truncate(file.handle, earlier.size()))
            return e;
        return Durable::sync(file.handle);
    }();
    // Under a file size limit the restore stops where the failed write did,
    // and what lies beyond was never touched: the bytes decide.
    QByteArray now;
    const bool kept = restore && !Durable::readAll(file.handle, &now) && now == earlier;
    Durable::close(file.handle);
    if (restore && !kept)
        reason = joinedReasons(reason, QCoreApplication::translate("Toolkit", "The earlier contents could not be put "
                                                                             "back: %1")
                                           .arg(Durable::errorText(restore)));
    return reason;
}

} // namespace

ReplaceFault setReplaceFault(ReplaceFault fault)
{
    const QMutexLocker hold(&faultLock);
    return std::exchange(currentFault(), std::move(fault));
}

QString replaceFile(const QString &path, const QByteArray &bytes, const ReplaceOptions &options)
{
    // The system would take the name only up to the NUL and write to
    // another file than the one asked for.
    if (path.contains(QChar(0)))
        return QCoreApplication::translate("Toolkit", "A file name cannot contain a NUL character");
    if (const QString problem = nameProblem(path); !problem.isEmpty())
        return problem;

    const QString target = Durable::resolvedTarget(path);
    const ReplacedFile existing = replacedFile(target);
    if (existing.readOnly)
        return readOnlyReason();
    const QString folder = QFileInfo(target).path();
    if (options.removeLeftovers)
        Durable::removeLeftovers(folder);

    Durable::Opened temporary = Durable::createTemporary(folder, options.ownerOnly);
    if (const int fault = injected(ReplaceStep::Create); fault && !temporary.error) {
        Durable::close(temporary.handle);
        Durable::remove(temporary.path);
        temporary = Durable::Opened{Durable::NoHandle, QString(), fault};
    }
    if (temporary.error) {
        // A folder the user cannot write in may hold a file the user can.
        if (existing.exists && writableInPlace(target))
            return replaceInPlace(target, bytes);
        return Durable::errorText(temporary.error);
    }

    int error = Durable::keepAttributes(temporary.handle, existing);
    if (!error)
        error = stepResult(ReplaceStep::Write, Durable::writeAt(temporary.handle, 0, bytes));
    if (!error)
        error = stepResult(ReplaceStep::Sync, Durable::sync(temporary.handle));
    const int closed = stepResult(ReplaceStep::Close, Durable::close(temporary.handle));
    if (!error)
        error = closed;
    if (!error && options.abandoned && options.abandoned->load())
        error = -1;
    if (!error)
        error = injected(ReplaceStep::Rename);
    if (!error)
        error = Durable::rename(temporary.path, target);
    if (!error)
        return QString();
    Durable::remove(temporary.path);
    return error == -1 ? QCoreApplication::translate("Toolkit", "The write was given up") : Durable::errorText(error);
}

} // namespace Toolkit

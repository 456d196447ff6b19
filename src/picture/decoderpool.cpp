// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/decoderpool.h"

#include "picture/decodestop.h"
#include "picture/decoderworker.h"
#include "picture/picturedecode.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace DecoderPool {
namespace {

using Clock = std::chrono::steady_clock;

// How often the watch looks at the busy helpers.
constexpr auto WatchPeriod = std::chrono::milliseconds(20);
// A helper that is not ready by then (its plugins hang, say) is ended.
constexpr auto StartLimit = std::chrono::seconds(20);

enum class Ending { None, Stopped, TooLarge };

struct Helper
{
    std::unique_ptr<WorkerProcess::Process> process;
    bool testMarkers = false;
    QString program; // empty: the installed helper
    bool busy = false;
    bool starting = false;
    // The job's stop and processor time are set: the watch may judge it.
    bool running = false;
    Clock::time_point since;
    qint64 cpuAtStart = -1;
    // Counts the helper's start and jobs: the watch ends the helper only on
    // the job it judged.
    quint64 job = 0;
    const DecodeStop *stop = nullptr;
    Ending ending = Ending::None;
    // Why the watch ended it, for the line on standard error.
    const char *why = "";
    // The job's frame, then the answer's, in memory kept from job to job
    // (see decodejob.h); only the thread the helper is busy for uses it.
    QByteArray frame;
};

class Pool
{
public:
    Pool() : m_capacity(qMax(2, QThread::idealThreadCount()) + 1) { }

    DecodeJob::Answer run(const DecodeJob::Job &job, WorkerProcess::NativeFile file, const DecodeStop *stop);
    void prepare(int count);
    bool setTestMarkers(bool on)
    {
        std::vector<std::shared_ptr<Helper>> ended;
        std::lock_guard<std::mutex> guard(m_lock);
        const bool was = m_testMarkers;
        m_testMarkers = on;
        dropIdleOfOtherKind(&ended);
        return was;
    }
    QString setProgram(QString program)
    {
        std::vector<std::shared_ptr<Helper>> ended;
        std::lock_guard<std::mutex> guard(m_lock);
        std::swap(program, m_program);
        dropIdleOfOtherKind(&ended);
        return program;
    }
    qint64 peakBytes()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        qint64 sum = 0;
        for (const auto &helper : m_helpers)
            sum += qMax<qint64>(0, helper->process->peakMemoryBytes());
        return sum;
    }
    int idle()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return int(std::count_if(m_helpers.begin(), m_helpers.end(), [](const auto &helper) { return !helper->busy; }));
    }
    QStringList notes()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_notes;
    }

private:
    std::shared_ptr<Helper> take(const DecodeStop *stop, QString *error);
    std::shared_ptr<Helper> start(bool testMarkers, const QString &chosen, QString *error);
    void give(const std::shared_ptr<Helper> &helper, bool keep);
    void dropIdleOfOtherKind(std::vector<std::shared_ptr<Helper>> *ended);
    void watch();

    const int m_capacity;
    std::mutex m_lock;
    std::condition_variable m_freed;
    std::vector<std::shared_ptr<Helper>> m_helpers;
    int m_reserved = 0; // helpers being started, counted against the capacity
    bool m_testMarkers = false;
    QString m_program;
    QStringList m_notes;
    bool m_watching = false;
};

void Pool::dropIdleOfOtherKind(std::vector<std::shared_ptr<Helper>> *ended)
{
    for (auto it = m_helpers.begin(); it != m_helpers.end();) {
        if (!(*it)->busy && ((*it)->testMarkers != m_testMarkers || (*it)->program != m_program)) {
            ended->push_back(*it);
            it = m_helpers.erase(it);
        } else {
            ++it;
        }
    }
}

std::shared_ptr<Helper> Pool::take(const DecodeStop *stop, QString *error)
{
    std::vector<std::shared_ptr<Helper>> ended; // ended outside the lock
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        dropIdleOfOtherKind(&ended);
        for (const auto &helper : m_helpers) {
            if (!helper->busy) {
                helper->busy = true;
                return helper;
            }
        }
        if (int(m_helpers.size()) + m_reserved < m_capacity) {
            ++m_reserved;
            const bool testMarkers = m_testMarkers;
            const QString chosen = m_program;
            lock.unlock();
            std::shared_ptr<Helper> helper = start(testMarkers, chosen, error);
            lock.lock();
            --m_reserved;
            if (helper) {
                helper->busy = true;
                m_helpers.push_back(helper);
            }
            m_freed.notify_all();
            return helper;
        }
        if (DecodeStop::requested(stop))
            return nullptr;
        m_freed.wait_for(lock, WatchPeriod);
    }
}

std::shared_ptr<Helper> Pool::start(bool testMarkers, const QString &chosen, QString *error)
{
    const QString program = chosen.isEmpty() ? helperProgram() : chosen;
    if (program.isEmpty()) {
        *error = QStringLiteral("kelvane-decoder was not found beside %1")
                     .arg(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
        return nullptr;
    }
    QStringList arguments{WorkerProcess::channelArgument()};
    if (testMarkers)
        arguments << QStringLiteral("--test-markers");
    auto helper = std::make_shared<Helper>();
    helper->process = WorkerProcess::Process::start(program, arguments, error);
    if (!helper->process) {
        *error = QDir::toNativeSeparators(program) + QStringLiteral(": ") + *error;
        return nullptr;
    }
    helper->testMarkers = testMarkers;
    helper->program = chosen;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        helper->starting = true;
        helper->since = Clock::now();
        ++helper->job;
        m_helpers.push_back(helper);
        helper->busy = true;
        if (!m_watching) {
            m_watching = true;
            std::thread([this] { watch(); }).detach();
        }
    }
    QByteArray frame;
    QStringList notes;
    const bool ready = helper->process->receive(&frame) && DecodeJob::decodeReady(frame, &notes);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        helper->starting = false;
        m_helpers.erase(std::find(m_helpers.begin(), m_helpers.end(), helper));
        if (ready)
            m_notes = notes;
    }
    if (!ready) {
        *error = QDir::toNativeSeparators(program) + QStringLiteral(" did not start: ") + helper->process->ended();
        return nullptr;
    }
    return helper;
}

void Pool::prepare(int count)
{
    std::unique_lock<std::mutex> lock(m_lock);
    if (int(m_helpers.size()) + m_reserved >= qMin(count, m_capacity))
        return;
    ++m_reserved;
    const bool testMarkers = m_testMarkers;
    const QString chosen = m_program;
    lock.unlock();
    // A helper that does not start says nothing here: the job that then
    // needs one tries again, and says why.
    QString error;
    const std::shared_ptr<Helper> helper = start(testMarkers, chosen, &error);
    lock.lock();
    --m_reserved;
    if (helper) {
        helper->busy = false;
        m_helpers.push_back(helper);
    }
    m_freed.notify_all();
}

void Pool::give(const std::shared_ptr<Helper> &helper, bool keep)
{
    std::lock_guard<std::mutex> guard(m_lock);
    helper->busy = false;
    helper->running = false;
    helper->stop = nullptr;
    if (!keep)
        m_helpers.erase(std::remove(m_helpers.begin(), m_helpers.end(), helper), m_helpers.end());
    m_freed.notify_all();
}

void Pool::watch()
{
    // What the watch saw of a busy helper under the lock.
    struct Look
    {
        std::shared_ptr<Helper> helper;
        quint64 job;
        bool starting;
        bool stopped;
        Clock::time_point since;
        qint64 cpuAtStart;
    };
    std::vector<Look> looks;
    for (;;) {
        std::this_thread::sleep_for(WatchPeriod);
        looks.clear();
        {
            std::lock_guard<std::mutex> guard(m_lock);
            for (const auto &helper : m_helpers) {
                if (helper->busy && (helper->starting || helper->running) && helper->ending == Ending::None)
                    looks.push_back({helper, helper->job, helper->starting, DecodeStop::requested(helper->stop),
                                     helper->since, helper->cpuAtStart});
            }
        }
        // The system is asked about each helper with the lock free: under
        // Wine each question takes milliseconds, and every job waited for
        // them while the lock was held.
        const Clock::time_point now = Clock::now();
        for (const Look &look : looks) {
            Ending ending = Ending::None;
            const char *why = "";
            if (look.starting) {
                if (now - look.since > StartLimit) {
                    ending = Ending::TooLarge;
                    why = "it did not start in time";
                }
            } else if (look.stopped) {
                ending = Ending::Stopped;
            } else {
                const qint64 cpu = look.helper->process->cpuNanoseconds();
                // Without the processor time, the clock stands in for it.
                const qint64 spent = cpu >= 0 && look.cpuAtStart >= 0
                    ? cpu - look.cpuAtStart
                    : std::chrono::duration_cast<std::chrono::nanoseconds>(now - look.since).count() / 4;
                if (spent > DecoderJobNanoseconds) {
                    ending = Ending::TooLarge;
                    why = "its job took more processor time than a job may have";
                } else if (look.helper->process->memoryBytes() > DecoderMemoryBytes) {
                    ending = Ending::TooLarge;
                    why = "it held more than its memory limit";
                }
            }
            if (ending == Ending::None)
                continue;
            std::lock_guard<std::mutex> guard(m_lock);
            // Only the job judged, and only if nothing ended it meanwhile.
            if (look.helper->busy && look.helper->job == look.job && look.helper->ending == Ending::None) {
                look.helper->ending = ending;
                look.helper->why = why;
                look.helper->process->kill();
            }
        }
    }
}

DecodeJob::Answer ended(DecodeJob::Outcome outcome, const QString &error, bool recordable)
{
    DecodeJob::Answer answer;
    answer.outcome = outcome;
    answer.error = error;
    answer.recordable = recordable;
    return answer;
}

DecodeJob::Answer Pool::run(const DecodeJob::Job &job, WorkerProcess::NativeFile file, const DecodeStop *stop)
{
    const auto stopped = [] {
        return ended(DecodeJob::Outcome::Stopped,
                     QCoreApplication::translate("PictureLoader", "The decode was stopped"), false);
    };
    if (DecodeStop::requested(stop))
        return stopped();
    QString error;
    const std::shared_ptr<Helper> helper = take(stop, &error);
    if (!helper) {
        if (DecodeStop::requested(stop))
            return stopped();
        std::fprintf(stderr, "kelvane: %s\n", qPrintable(error));
        return ended(DecodeJob::Outcome::Ended, PictureDecode::notDecoded(), false);
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        helper->stop = stop;
        helper->ending = Ending::None;
        helper->since = Clock::now();
        ++helper->job;
    }
    // Asked outside the lock, as everything the system is asked about
    // another process: under Wine that takes milliseconds.
    const qint64 cpuAtStart = helper->process->cpuNanoseconds();
    {
        std::lock_guard<std::mutex> guard(m_lock);
        helper->cpuAtStart = cpuAtStart;
        helper->running = true;
    }
    DecodeJob::Answer answer;
    DecodeJob::encode(job, &helper->frame);
    const bool answered = helper->process->send(helper->frame, file) && helper->process->receive(&helper->frame)
        && DecodeJob::decode(helper->frame, &answer);
    Ending ending;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        ending = helper->ending;
    }
    if (answered && ending == Ending::None) {
        give(helper, true);
        if (answer.outcome == DecodeJob::Outcome::Failed && answer.error.isEmpty())
            answer.error = PictureDecode::notDecoded();
        return answer;
    }
    give(helper, false);
    const QString how = helper->process->ended();
    switch (ending) {
    case Ending::Stopped:
        return stopped();
    case Ending::TooLarge:
        std::fprintf(stderr, "kelvane: a decoding helper was ended: %s\n", helper->why);
        return ended(DecodeJob::Outcome::Ended, DecodeLimits::tooLarge(), true);
    case Ending::None:
        break;
    }
    std::fprintf(stderr, "kelvane: the decoding helper ended (%s)\n", qPrintable(how));
    return ended(DecodeJob::Outcome::Ended, PictureDecode::notDecoded(), true);
}

Pool &pool()
{
    // Never destroyed: decoding threads may still be waiting on it when the
    // program ends; the helpers end with the program.
    static Pool *const instance = new Pool;
    return *instance;
}

} // namespace

DecodeJob::Answer run(const DecodeJob::Job &job, WorkerProcess::NativeFile file, const DecodeStop *stop)
{
    return pool().run(job, file, stop);
}

void prepare(int count)
{
    pool().prepare(count);
}

QString helperProgram()
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("kelvane-decoder.exe");
#else
    const QString name = QStringLiteral("kelvane-decoder");
#endif
    const QString beside = QCoreApplication::applicationDirPath();
    QStringList places{beside + QLatin1Char('/') + name, beside + QStringLiteral("/../libexec/kelvane/") + name};
#ifdef KELVANE_BUILD_HELPER
    places << QStringLiteral(KELVANE_BUILD_HELPER);
#endif
    for (const QString &place : places) {
        const QFileInfo info(place);
        if (info.isFile() && info.isExecutable())
            return info.canonicalFilePath();
    }
    return QString();
}

int idleHelpers()
{
    return pool().idle();
}

qint64 helpersPeakBytes()
{
    return pool().peakBytes();
}

QStringList sandboxNotes()
{
    return pool().notes();
}

bool setTestMarkers(bool on)
{
    return pool().setTestMarkers(on);
}

QString setHelperProgram(QString program)
{
    return pool().setProgram(std::move(program));
}

} // namespace DecoderPool

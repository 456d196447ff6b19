// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/workerprocess.h"

#include "toolkit/systempath_win.h"

#include <QFile>

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <cstring>
#include <mutex>
#include <vector>
#include <psapi.h>

namespace WorkerProcess {
namespace {

// The length, where the frame is, then the helper's own handle of the file
// sent with the frame (or -1): the parent duplicates it into the helper
// before it sends.
struct Header
{
    quint32 length;
    quint32 inArea; // 1: the frame is in the shared area, not behind the header
    qint64 file;
};

// Memory the parent and one helper share. A frame that fits goes there and
// only its header through the pipe: Wine moves a pipe's bytes through its
// server at about 25 MB/s, so that a thumbnail's answer cost milliseconds.
// Parent and helper take turns, as the channel is a question then an
// answer; the reader copies the frame out before it reads it, so a helper
// that writes there meanwhile changes nothing the parent checked.
//
// With events too, the header is written at the area's start, and the other
// side is woken by setting an event instead of through the pipe, which then
// carries only frames too large for the area. Under Wine a message through
// a pipe takes five trips through its server, an event two: a job's round
// trip took 0.55 ms through the pipes and 0.18 ms with events.
struct Area
{
    char *view = nullptr;
    qint64 bytes = 0;
    HANDLE wake = nullptr; // set to wake the other side
    HANDLE woken = nullptr; // set by the other side
    HANDLE peer = nullptr; // the other side's process: its end ends a wait
    // The helper's ready frame goes through the pipe, so that a program that
    // is no helper, and whose process the system may not watch as it watches
    // a Windows one, ends the wait by closing its end; the events wake each
    // side from then on.
    bool live = false;

    bool signalled() const { return view && wake && woken && live; }
    // Where a frame goes: behind the header's place.
    char *frames() const { return view + HeaderPlace; }
    qint64 frameBytes() const { return view ? bytes - HeaderPlace : 0; }
    static constexpr qint64 HeaderPlace = 64;
};

// Large enough for the answer of a preview on a 4K screen.
constexpr qint64 AreaBytes = qint64(40) << 20;

// The helper's end of its area, set up from its command line.
Area helperArea;

bool writeAll(HANDLE pipe, const char *data, qint64 size)
{
    while (size > 0) {
        DWORD written = 0;
        const DWORD piece = DWORD(qMin<qint64>(size, 1 << 20));
        if (!::WriteFile(pipe, data, piece, &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool readAll(HANDLE pipe, char *data, qint64 size)
{
    while (size > 0) {
        DWORD got = 0;
        const DWORD piece = DWORD(qMin<qint64>(size, 1 << 20));
        if (!::ReadFile(pipe, data, piece, &got, nullptr) || got == 0)
            return false;
        data += got;
        size -= got;
    }
    return true;
}

bool sendFrame(HANDLE pipe, const QByteArray &frame, qint64 file, const Area &area)
{
    if (frame.size() > LargestFrame)
        return false;
    const bool inArea = frame.size() <= area.frameBytes();
    const Header header{quint32(frame.size()), inArea ? 1u : 0u, file};
    if (inArea)
        std::memcpy(area.frames(), frame.constData(), size_t(frame.size()));
    if (area.signalled()) {
        std::memcpy(area.view, &header, sizeof header);
        return ::SetEvent(area.wake) && (inArea || writeAll(pipe, frame.constData(), frame.size()));
    }
    QByteArray whole(reinterpret_cast<const char *>(&header), sizeof header);
    if (!inArea)
        whole += frame; // one write: each is a trip through the system
    return writeAll(pipe, whole.constData(), whole.size());
}

bool receiveFrame(HANDLE pipe, QByteArray *frame, qint64 *file, const Area &area)
{
    Header header{};
    if (area.signalled()) {
        const HANDLE waits[2] = {area.woken, area.peer};
        if (::WaitForMultipleObjects(area.peer ? 2 : 1, waits, FALSE, INFINITE) != WAIT_OBJECT_0)
            return false;
        std::memcpy(&header, area.view, sizeof header);
    } else if (!readAll(pipe, reinterpret_cast<char *>(&header), sizeof header)) {
        return false;
    }
    bool read = header.length <= LargestFrame && header.inArea <= 1;
    if (read && header.inArea) {
        read = header.length <= area.frameBytes();
        if (read) {
            // Into the memory the frame holds, not a new buffer (see decodejob.h).
            frame->resize(qsizetype(header.length));
            std::memcpy(frame->data(), area.frames(), size_t(header.length));
        }
    } else if (read) {
        frame->resize(qsizetype(header.length));
        read = readAll(pipe, frame->data(), header.length);
    }
    if (!read) {
        if (header.file != -1 && file)
            ::CloseHandle(HANDLE(header.file));
        return false;
    }
    if (file)
        *file = header.file;
    return true;
}

QString systemText(DWORD code)
{
    return qt_error_string(int(code));
}

// Every helper is in this one job: the system ends them all when the
// program ends, however it ends, and keeps each within its memory and off
// the desktop.
HANDLE helperJob(qint64 memoryBytes)
{
    static HANDLE job = [memoryBytes] {
        HANDLE made = ::CreateJobObjectW(nullptr, nullptr);
        if (!made)
            return HANDLE(nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE
            | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION | JOB_OBJECT_LIMIT_PROCESS_MEMORY;
        limits.ProcessMemoryLimit = SIZE_T(memoryBytes);
        ::SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        JOBOBJECT_BASIC_UI_RESTRICTIONS ui{};
        ui.UIRestrictionsClass = JOB_OBJECT_UILIMIT_DESKTOP | JOB_OBJECT_UILIMIT_DISPLAYSETTINGS
            | JOB_OBJECT_UILIMIT_EXITWINDOWS | JOB_OBJECT_UILIMIT_GLOBALATOMS | JOB_OBJECT_UILIMIT_HANDLES
            | JOB_OBJECT_UILIMIT_READCLIPBOARD | JOB_OBJECT_UILIMIT_WRITECLIPBOARD
            | JOB_OBJECT_UILIMIT_SYSTEMPARAMETERS;
        ::SetInformationJobObject(made, JobObjectBasicUIRestrictions, &ui, sizeof ui);
        return made;
    }();
    return job;
}

// A pipe holds a whole answer of a thumbnail's size, so the helper writes it
// in one go instead of waiting for the reader after every default 4 KiB.
constexpr DWORD PipeBytes = 1 << 20;

// Quotes one argument the way the C runtime splits a command line.
std::wstring quoted(const QString &argument)
{
    std::wstring out = L"\"";
    int slashes = 0;
    for (const QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++slashes;
            continue;
        }
        out.append(size_t(c == QLatin1Char('"') ? slashes * 2 + 1 : slashes), L'\\');
        slashes = 0;
        out.push_back(wchar_t(c.unicode()));
    }
    out.append(size_t(slashes * 2), L'\\');
    out.push_back(L'"');
    return out;
}

} // namespace

// The largest a helper may grow: the job's limit, set at the first start.
constexpr qint64 JobMemoryBytes = qint64(1) << 30;

struct Process::Private
{
    HANDLE process = nullptr;
    HANDLE toHelper = nullptr;
    HANDLE fromHelper = nullptr;
    Area area;
    std::mutex lock;
    bool ended = false;
};

Process::Process(std::unique_ptr<Private> p) : d(std::move(p)) { }

Process::~Process()
{
    kill();
    ended();
    ::CloseHandle(d->toHelper);
    ::CloseHandle(d->fromHelper);
    ::CloseHandle(d->process);
    if (d->area.wake) {
        ::CloseHandle(d->area.wake);
        ::CloseHandle(d->area.woken);
    }
    if (d->area.view)
        ::UnmapViewOfFile(d->area.view);
}

std::unique_ptr<Process> Process::start(const QString &program, const QStringList &arguments, QString *error)
{
    // A helper started meanwhile on another thread would inherit this one's
    // pipe ends, and hold them open after this helper ended: its parent
    // would then wait for an end of the pipe that never comes. The list of
    // handles to inherit prevents that on Windows; Wine may inherit every
    // inheritable handle whatever the list says, so helpers start one at a
    // time too.
    static std::mutex starting;
    const std::lock_guard<std::mutex> oneAtATime(starting);
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE helperIn = nullptr, toHelper = nullptr, fromHelper = nullptr, helperOut = nullptr;
    if (!::CreatePipe(&helperIn, &toHelper, &inherited, PipeBytes)) {
        *error = systemText(::GetLastError());
        return nullptr;
    }
    if (!::CreatePipe(&fromHelper, &helperOut, &inherited, PipeBytes)) {
        *error = systemText(::GetLastError());
        ::CloseHandle(helperIn);
        ::CloseHandle(toHelper);
        return nullptr;
    }
    ::SetHandleInformation(toHelper, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(fromHelper, HANDLE_FLAG_INHERIT, 0);
    // The shared area, inherited under the same handle value, which the
    // command line names. Without one, frames go through the pipe.
    Area area;
    HANDLE mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, &inherited, PAGE_READWRITE, DWORD(AreaBytes >> 32),
                                          DWORD(AreaBytes & 0xffffffffu), nullptr);
    if (mapping) {
        area.view = static_cast<char *>(::MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0));
        area.bytes = area.view ? AreaBytes : 0;
        if (!area.view) {
            ::CloseHandle(mapping);
            mapping = nullptr;
        }
    }

    std::wstring line = quoted(program);
    for (const QString &argument : arguments)
        line += L" " + quoted(argument);
    if (mapping)
        line += L" " + quoted(QStringLiteral("--area=%1:%2").arg(quintptr(mapping)).arg(AreaBytes));
    // The events that wake each side, and the program's own process, whose
    // end ends the helper's wait. Without them, the pipe wakes each side.
    HANDLE toHelperEvent = mapping ? ::CreateEventW(&inherited, FALSE, FALSE, nullptr) : nullptr;
    HANDLE fromHelperEvent = mapping ? ::CreateEventW(&inherited, FALSE, FALSE, nullptr) : nullptr;
    HANDLE self = nullptr;
    if (toHelperEvent && fromHelperEvent
        && ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self, SYNCHRONIZE,
                             TRUE, 0)) {
        line += L" " + quoted(QStringLiteral("--signals=%1:%2:%3")
                                  .arg(quintptr(toHelperEvent))
                                  .arg(quintptr(fromHelperEvent))
                                  .arg(quintptr(self)));
    } else {
        if (toHelperEvent)
            ::CloseHandle(toHelperEvent);
        if (fromHelperEvent)
            ::CloseHandle(fromHelperEvent);
        toHelperEvent = fromHelperEvent = nullptr;
    }
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = helperIn;
    startup.StartupInfo.hStdOutput = helperOut;
    // Standard error only when it can be inherited: the list may name
    // inheritable handles alone.
    HANDLE errors = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD errorFlags = 0;
    if (errors == INVALID_HANDLE_VALUE || !errors || !::GetHandleInformation(errors, &errorFlags)
        || !(errorFlags & HANDLE_FLAG_INHERIT))
        errors = nullptr;
    startup.StartupInfo.hStdError = errors;
    HANDLE handed[7] = {helperIn, helperOut};
    int handedCount = 2;
    for (HANDLE more : {mapping, toHelperEvent, fromHelperEvent, self, errors}) {
        if (more)
            handed[handedCount++] = more;
    }
    SIZE_T attributeBytes = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &attributeBytes);
    std::vector<char> attributes(attributeBytes);
    startup.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
    const bool listed = ::InitializeProcThreadAttributeList(startup.lpAttributeList, 1, 0, &attributeBytes)
        && ::UpdateProcThreadAttribute(startup.lpAttributeList, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handed,
                                       handedCount * sizeof(HANDLE), nullptr, nullptr);
    if (!listed)
        startup.StartupInfo.cb = sizeof(STARTUPINFOW);
    PROCESS_INFORMATION started{};
    const std::wstring path = Toolkit::systemPath(program);
    // No console at all, where CREATE_NO_WINDOW still gives the helper a
    // hidden one, and with it a console host process to start and wait for
    // (0.13 s under Wine); its standard handles are the ones handed above.
    const BOOL ok = ::CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, TRUE,
                                     CREATE_SUSPENDED | DETACHED_PROCESS
                                         | (listed ? EXTENDED_STARTUPINFO_PRESENT : 0),
                                     nullptr, nullptr, &startup.StartupInfo, &started);
    const DWORD code = ::GetLastError();
    if (listed)
        ::DeleteProcThreadAttributeList(startup.lpAttributeList);
    ::CloseHandle(helperIn);
    ::CloseHandle(helperOut);
    // The view keeps the area; no later helper may inherit it, nor the
    // events, which the program keeps.
    if (mapping)
        ::CloseHandle(mapping);
    if (self)
        ::CloseHandle(self);
    for (HANDLE kept : {toHelperEvent, fromHelperEvent}) {
        if (kept)
            ::SetHandleInformation(kept, HANDLE_FLAG_INHERIT, 0);
    }
    if (!ok) {
        ::CloseHandle(toHelper);
        ::CloseHandle(fromHelper);
        if (toHelperEvent) {
            ::CloseHandle(toHelperEvent);
            ::CloseHandle(fromHelperEvent);
        }
        if (area.view)
            ::UnmapViewOfFile(area.view);
        *error = systemText(code);
        return nullptr;
    }
    if (HANDLE job = helperJob(JobMemoryBytes))
        ::AssignProcessToJobObject(job, started.hProcess);
    ::ResumeThread(started.hThread);
    ::CloseHandle(started.hThread);
    auto d = std::make_unique<Private>();
    d->process = started.hProcess;
    d->toHelper = toHelper;
    d->fromHelper = fromHelper;
    d->area = area;
    d->area.wake = toHelperEvent;
    d->area.woken = fromHelperEvent;
    d->area.peer = toHelperEvent ? started.hProcess : nullptr;
    return std::unique_ptr<Process>(new Process(std::move(d)));
}

bool Process::send(const QByteArray &frame, NativeFile file)
{
    qint64 theirs = -1;
    if (file != -1) {
        HANDLE duplicate = nullptr;
        if (!::DuplicateHandle(::GetCurrentProcess(), HANDLE(file), d->process, &duplicate, 0, FALSE,
                               DUPLICATE_SAME_ACCESS))
            return false;
        theirs = qint64(duplicate);
    }
    return sendFrame(d->toHelper, frame, theirs, d->area);
}

bool Process::receive(QByteArray *frame)
{
    const bool received = receiveFrame(d->fromHelper, frame, nullptr, d->area);
    d->area.live = received && d->area.wake;
    return received;
}

void Process::kill()
{
    const std::lock_guard<std::mutex> guard(d->lock);
    if (!d->ended)
        ::TerminateProcess(d->process, 0xdeadu);
}

qint64 Process::cpuNanoseconds() const
{
    // Wine does not keep another process's processor time up to date: a
    // helper that computed for minutes showed next to none. The clock
    // stands in for it there.
    static const bool underWine =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (underWine)
        return -1;
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(d->process, &created, &exited, &kernel, &user))
        return -1;
    const auto value = [](const FILETIME &t) { return (qint64(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return (value(kernel) + value(user)) * 100;
}

qint64 Process::memoryBytes() const
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    if (!::K32GetProcessMemoryInfo(d->process, reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&counters),
                                   sizeof counters))
        return -1;
    return qint64(qMax(counters.PrivateUsage, counters.WorkingSetSize));
}

qint64 Process::peakMemoryBytes() const
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    if (!::K32GetProcessMemoryInfo(d->process, reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&counters),
                                   sizeof counters))
        return -1;
    return qint64(counters.PeakWorkingSetSize);
}

QString Process::ended()
{
    const std::lock_guard<std::mutex> guard(d->lock);
    if (!d->ended) {
        ::TerminateProcess(d->process, 0xdeadu);
        ::WaitForSingleObject(d->process, INFINITE);
        d->ended = true;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(d->process, &code);
    return QStringLiteral("exit code 0x%1").arg(code, 0, 16);
}

Channel Channel::fromArguments(const QStringList &arguments)
{
    Channel channel;
    if (arguments.contains(channelArgument())) {
        channel.m_in = qint64(::GetStdHandle(STD_INPUT_HANDLE));
        channel.m_out = qint64(::GetStdHandle(STD_OUTPUT_HANDLE));
        if (HANDLE(channel.m_in) == INVALID_HANDLE_VALUE || HANDLE(channel.m_out) == INVALID_HANDLE_VALUE)
            channel.m_in = channel.m_out = -1;
    }
    const QString areaPrefix = QStringLiteral("--area=");
    for (const QString &argument : arguments) {
        if (!argument.startsWith(areaPrefix))
            continue;
        const QStringList parts = argument.mid(areaPrefix.size()).split(QLatin1Char(':'));
        bool handleOk = false, bytesOk = false;
        const quintptr handle = parts.value(0).toULongLong(&handleOk);
        const qint64 bytes = parts.value(1).toLongLong(&bytesOk);
        if (!handleOk || !bytesOk || bytes <= 0 || bytes > AreaBytes)
            continue;
        void *view = ::MapViewOfFile(HANDLE(handle), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, SIZE_T(bytes));
        ::CloseHandle(HANDLE(handle));
        if (view) {
            helperArea.view = static_cast<char *>(view);
            helperArea.bytes = bytes;
        }
    }
    const QString signalsPrefix = QStringLiteral("--signals=");
    for (const QString &argument : arguments) {
        if (!argument.startsWith(signalsPrefix))
            continue;
        const QStringList parts = argument.mid(signalsPrefix.size()).split(QLatin1Char(':'));
        bool ok[3] = {};
        const quintptr toHelper = parts.value(0).toULongLong(&ok[0]);
        const quintptr fromHelper = parts.value(1).toULongLong(&ok[1]);
        const quintptr parent = parts.value(2).toULongLong(&ok[2]);
        // The program wakes this side by the event alone: without the area
        // as well, nothing could be read.
        if (!ok[0] || !ok[1] || !ok[2] || !helperArea.view) {
            channel.m_in = channel.m_out = -1;
            continue;
        }
        helperArea.woken = HANDLE(toHelper);
        helperArea.wake = HANDLE(fromHelper);
        helperArea.peer = HANDLE(parent);
    }
    return channel;
}

QString Channel::argumentName()
{
    return QStringLiteral("--channel");
}

QString channelArgument()
{
    return Channel::argumentName() + QStringLiteral("=stdio");
}

bool Channel::receive(QByteArray *frame, NativeFile *file)
{
    return receiveFrame(HANDLE(m_in), frame, file, helperArea);
}

bool Channel::send(const QByteArray &frame)
{
    const bool sent = sendFrame(HANDLE(m_out), frame, -1, helperArea);
    helperArea.live = sent && helperArea.wake;
    return sent;
}

bool openFile(NativeFile file, QFile &opened, qint64 *size)
{
    if (file == -1)
        return false;
    // Qt asks for an open file's size with GetFileInformationByHandle, which
    // under Wine costs over half a millisecond, as it also looks up the
    // file's name; this call asks for the size alone.
    LARGE_INTEGER bytes{};
    if (size)
        *size = ::GetFileSizeEx(HANDLE(file), &bytes) ? qint64(bytes.QuadPart) : 0;
    const int fd = ::_open_osfhandle(intptr_t(file), _O_RDONLY);
    if (fd < 0) {
        ::CloseHandle(HANDLE(file));
        return false;
    }
    if (!opened.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::_close(fd);
        return false;
    }
    // The parent's read position is this one too.
    return opened.seek(0);
}

NativeFile nativeFileOf(const QFile &file)
{
    const int fd = file.handle();
    if (fd < 0)
        return -1;
    const intptr_t handle = ::_get_osfhandle(fd);
    return handle == intptr_t(INVALID_HANDLE_VALUE) ? -1 : qint64(handle);
}

QStringList enterSandbox(qint64)
{
    // The job the parent put the helper in holds its memory and keeps it off
    // the desktop; nothing more is set up from inside.
    return {};
}

// The helper's job object keeps it from the desktop; files, processes and
// sockets it could still reach, so nothing is tried.
QString attempt(const QByteArray &, NativeFile)
{
    return QStringLiteral("not tried on this system");
}

void allowProcessorTime(qint64) { }

} // namespace WorkerProcess

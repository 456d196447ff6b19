// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QFile;

// A helper process and the channel to it, by the system's own calls: a Unix
// socket that also carries open files on Linux, a pair of pipes and handles
// duplicated into the helper on Windows. Messages are frames: a length, then
// that many bytes. One file per system.
namespace WorkerProcess {

// An open file of the calling process as the system names it: a file
// descriptor, or a HANDLE on Windows. -1 for none.
using NativeFile = qint64;

// The file an open QFile reads, as the system names it.
NativeFile nativeFileOf(const QFile &file);

// The largest frame either side accepts; a longer one ends the channel.
constexpr qint64 LargestFrame = qint64(512) * 1024 * 1024;

// The window's side of one helper. Every member but the constructor is safe
// to call from two threads at once in this one way: while one thread waits in
// receive(), another may call kill(), cpuNanoseconds() and memoryBytes().
class Process
{
public:
    // Starts `program` with `arguments`; null with the system's words in
    // *error when it cannot start.
    static std::unique_ptr<Process> start(const QString &program, const QStringList &arguments, QString *error);
    ~Process(); // ends the helper and waits for it

    // Sends one frame, and the file (when not -1) for the helper to read.
    // The helper gets its own copy of the file; the caller's stays open.
    bool send(const QByteArray &frame, NativeFile file = -1);
    // Waits for one frame, read into the memory `frame` holds. False once
    // the helper has ended or the channel broke; then ended() says how.
    bool receive(QByteArray *frame);
    // Ends the helper at once; a receive() waiting returns false.
    void kill();
    // The processor time the helper has used, all its threads together, and
    // the memory it holds; -1 when the system cannot tell.
    qint64 cpuNanoseconds() const;
    qint64 memoryBytes() const;
    // The most memory the helper has held so far; -1 when unknown.
    qint64 peakMemoryBytes() const;
    // After a failed receive(): waits for the helper to end and says how, in
    // the system's words ("killed by signal 11", "exit code 3").
    QString ended();

    struct Private;

private:
    explicit Process(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};

// The helper's side of the channel its parent made, found from the command
// line the parent gave it.
class Channel
{
public:
    // The channel named by the arguments; invalid when none is.
    static Channel fromArguments(const QStringList &arguments);
    static QString argumentName();

    bool isValid() const { return m_in >= 0; }
    // Waits for one frame, read into the memory `frame` holds, and the file
    // sent with it (-1 when none). False once the parent has gone.
    bool receive(QByteArray *frame, NativeFile *file);
    bool send(const QByteArray &frame);

private:
    qint64 m_in = -1;
    qint64 m_out = -1;
};

// The argument that names the channel to the helper, for Process::start.
QString channelArgument();

// Opens a file the helper was sent as `opened`, at its start; the file is
// then closed with it. Otherwise the file is closed here. `size`, when
// given, is set to the file's size, asked in the system's cheapest way.
bool openFile(NativeFile file, QFile &opened, qint64 *size = nullptr);

// The helper's own limits, set once it has started: the memory it may map at
// most (where the system limits that per process), and no more rights than
// it has. On Linux: no new privileges, and a filter on the calls that open
// files, make sockets or start programs, which then fail with EACCES; a
// Landlock rule set that allows no file access, where the kernel has it.
// Returns what could not be put in place, one line each; empty when
// everything held.
QStringList enterSandbox(qint64 memoryBytes);
// Test mode: tries what `what` names, as a decoder taken over by its input
// might, and says what the system answered ("allowed" when it did it):
// "open PATH", "create PATH", "remove PATH", "exec PATH", "socket", "fork",
// "thread", "signal" (the parent), "terminal" (typing into standard error's
// terminal), "ring" (an io_uring), and with `file`, "chmod" and "touch".
QString attempt(const QByteArray &what, NativeFile file);
// Before each job: the system ends the helper once it has used `nanoseconds`
// more processor time, a backstop to the parent's watch (Linux only).
void allowProcessorTime(qint64 nanoseconds);

} // namespace WorkerProcess

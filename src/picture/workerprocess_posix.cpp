// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/workerprocess.h"

#include "picture/sanitizers.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <termios.h>
#include <thread>
#include <unistd.h>

#ifdef __linux__
#include <linux/landlock.h>
#include <seccomp.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#endif

extern char **environ;



namespace WorkerProcess {
namespace {

// The helper finds its end of the channel here.
constexpr int ChannelFd = 3;

struct Header
{
    quint32 length;
    quint32 hasFile;
};

bool sendAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        data += sent;
        size -= size_t(sent);
    }
    return true;
}

bool receiveAll(int fd, char *data, size_t size)
{
    while (size > 0) {
        const ssize_t got = ::recv(fd, data, size, MSG_WAITALL);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        data += got;
        size -= size_t(got);
    }
    return true;
}

// One frame, with the file in the first piece's control message.
bool sendFrame(int fd, const QByteArray &frame, int file)
{
    if (frame.size() > LargestFrame)
        return false;
    Header header{quint32(frame.size()), file >= 0 ? 1u : 0u};
    iovec piece{&header, sizeof header};
    msghdr message{};
    message.msg_iov = &piece;
    message.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    if (file >= 0) {
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        cmsghdr *c = CMSG_FIRSTHDR(&message);
        c->cmsg_level = SOL_SOCKET;
        c->cmsg_type = SCM_RIGHTS;
        c->cmsg_len = CMSG_LEN(sizeof(int));
        std::memcpy(CMSG_DATA(c), &file, sizeof file);
    }
    ssize_t sent;
    do
        sent = ::sendmsg(fd, &message, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    if (sent < 0)
        return false;
    // A stream socket may take the header in pieces; the file went with the first.
    if (size_t(sent) < sizeof header
        && !sendAll(fd, reinterpret_cast<const char *>(&header) + sent, sizeof header - size_t(sent)))
        return false;
    return sendAll(fd, frame.constData(), size_t(frame.size()));
}

bool receiveFrame(int fd, QByteArray *frame, int *file)
{
    Header header{};
    iovec piece{&header, sizeof header};
    msghdr message{};
    message.msg_iov = &piece;
    message.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t got;
    do
        got = ::recvmsg(fd, &message, MSG_CMSG_CLOEXEC);
    while (got < 0 && errno == EINTR);
    if (got <= 0)
        return false;
    int received = -1;
    for (cmsghdr *c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_RIGHTS && c->cmsg_len >= CMSG_LEN(sizeof(int)))
            std::memcpy(&received, CMSG_DATA(c), sizeof received);
    }
    const auto fail = [&] {
        if (received >= 0)
            ::close(received);
        return false;
    };
    if ((message.msg_flags & MSG_CTRUNC)
        || (size_t(got) < sizeof header
            && !receiveAll(fd, reinterpret_cast<char *>(&header) + got, sizeof header - size_t(got)))
        || header.length > LargestFrame || (header.hasFile != 0) != (received >= 0) || (!file && received >= 0))
        return fail();
    frame->resize(qsizetype(header.length));
    if (!receiveAll(fd, frame->data(), size_t(header.length)))
        return fail();
    if (file)
        *file = received;
    return true;
}

QString errnoText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

#ifdef __linux__
// The start of /proc/<pid>/<name> as a string; false when it cannot be read.
template <size_t N>
bool readProc(pid_t pid, const char *name, char (&text)[N])
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/%s", int(pid), name);
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const ssize_t got = ::read(fd, text, N - 1);
    ::close(fd);
    if (got <= 0)
        return false;
    text[got] = '\0';
    return true;
}

// Fields 14 and 15 (user and system time) of /proc/<pid>/stat, in clock ticks.
qint64 ticksOf(pid_t pid)
{
    char text[1024];
    if (!readProc(pid, "stat", text))
        return -1;
    // The name in parentheses may hold anything, spaces included.
    const char *at = std::strrchr(text, ')');
    if (!at)
        return -1;
    unsigned long long user = 0, system = 0;
    if (std::sscanf(at + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system) != 2)
        return -1;
    return qint64(user + system);
}
#endif

} // namespace

struct Process::Private
{
    pid_t pid = -1;
    int socket = -1;
    std::mutex lock;
    bool reaped = false;
    int status = 0;
};

Process::Process(std::unique_ptr<Private> p) : d(std::move(p)) { }

Process::~Process()
{
    kill();
    ended();
    ::close(d->socket);
}

std::unique_ptr<Process> Process::start(const QString &program, const QStringList &arguments, QString *error)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        *error = errnoText(errno);
        return nullptr;
    }
    // dup2 onto itself would keep close-on-exec set.
    if (ends[1] == ChannelFd) {
        const int moved = ::fcntl(ends[1], F_DUPFD_CLOEXEC, ChannelFd + 1);
        ::close(ends[1]);
        ends[1] = moved;
    }
    const QByteArray path = QFile::encodeName(program);
    QList<QByteArray> encoded{path};
    for (const QString &argument : arguments)
        encoded << argument.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, ends[1], ChannelFd);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, path.constData(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (spawned != 0) {
        ::close(ends[0]);
        *error = errnoText(spawned);
        return nullptr;
    }
    auto d = std::make_unique<Private>();
    d->pid = pid;
    d->socket = ends[0];
    return std::unique_ptr<Process>(new Process(std::move(d)));
}

bool Process::send(const QByteArray &frame, NativeFile file)
{
    return sendFrame(d->socket, frame, int(file));
}

bool Process::receive(QByteArray *frame)
{
    return receiveFrame(d->socket, frame, nullptr);
}

void Process::kill()
{
    const std::lock_guard<std::mutex> guard(d->lock);
    if (!d->reaped)
        ::kill(d->pid, SIGKILL);
}

qint64 Process::cpuNanoseconds() const
{
#ifdef __linux__
    static const long perSecond = ::sysconf(_SC_CLK_TCK);
    const qint64 ticks = ticksOf(d->pid);
    return ticks < 0 || perSecond <= 0 ? -1 : ticks * (1000000000 / perSecond);
#else
    return -1;
#endif
}

qint64 Process::memoryBytes() const
{
#ifdef __linux__
    char text[256];
    if (!readProc(d->pid, "statm", text))
        return -1;
    unsigned long long size = 0, resident = 0;
    if (std::sscanf(text, "%llu %llu", &size, &resident) != 2)
        return -1;
    static const long page = ::sysconf(_SC_PAGESIZE);
    return qint64(resident) * page;
#else
    return -1;
#endif
}

qint64 Process::peakMemoryBytes() const
{
#ifdef __linux__
    char text[4096];
    if (!readProc(d->pid, "status", text))
        return -1;
    const char *line = std::strstr(text, "VmHWM:");
    unsigned long long kilobytes = 0;
    if (!line || std::sscanf(line + 6, "%llu", &kilobytes) != 1)
        return -1;
    return qint64(kilobytes) * 1024;
#else
    return -1;
#endif
}

QString Process::ended()
{
    const std::lock_guard<std::mutex> guard(d->lock);
    if (!d->reaped) {
        // A helper that closed its end and went on is ended here too.
        ::kill(d->pid, SIGKILL);
        while (::waitpid(d->pid, &d->status, 0) < 0 && errno == EINTR) { }
        d->reaped = true;
    }
    if (WIFSIGNALED(d->status)) {
        const int signal = WTERMSIG(d->status);
        return QStringLiteral("killed by signal %1 (%2)").arg(signal).arg(QString::fromLocal8Bit(strsignal(signal)));
    }
    return QStringLiteral("exit code %1").arg(WEXITSTATUS(d->status));
}

Channel Channel::fromArguments(const QStringList &arguments)
{
    Channel channel;
    const QString prefix = argumentName() + QLatin1Char('=');
    for (const QString &argument : arguments) {
        if (argument.startsWith(prefix)) {
            bool ok = false;
            const int fd = argument.mid(prefix.size()).toInt(&ok);
            if (ok && fd >= 0 && ::fcntl(fd, F_GETFD) >= 0) {
                channel.m_in = channel.m_out = fd;
                ::fcntl(fd, F_SETFD, FD_CLOEXEC);
            }
        }
    }
    return channel;
}

QString Channel::argumentName()
{
    return QStringLiteral("--channel");
}

QString channelArgument()
{
    return Channel::argumentName() + QLatin1Char('=') + QString::number(ChannelFd);
}

bool Channel::receive(QByteArray *frame, NativeFile *file)
{
    int received = -1;
    const bool ok = receiveFrame(int(m_in), frame, &received);
    *file = received;
    return ok;
}

bool Channel::send(const QByteArray &frame)
{
    return sendFrame(int(m_out), frame, -1);
}

bool openFile(NativeFile file, QFile &opened, qint64 *size)
{
    if (file < 0)
        return false;
    struct stat status;
    if (size)
        *size = ::fstat(int(file), &status) == 0 ? qint64(status.st_size) : 0;
    if (!opened.open(int(file), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(int(file));
        return false;
    }
    // The parent's read position is this one too.
    return opened.seek(0);
}

NativeFile nativeFileOf(const QFile &file)
{
    return file.handle();
}

QStringList enterSandbox(qint64 memoryBytes)
{
    QStringList notes;
    // A crash is reported by its signal; a core file would only fill the disk.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
#ifdef KELVANE_SANITIZED
    // The parent's watch on what the helper holds is the limit then.
    Q_UNUSED(memoryBytes)
    notes << QStringLiteral("no address space limit under the sanitizers");
#else
    const rlimit space{rlim_t(memoryBytes), rlim_t(memoryBytes)};
    if (::setrlimit(RLIMIT_AS, &space) != 0)
        notes << QStringLiteral("address space limit: ") + errnoText(errno);
#endif
#ifdef __linux__
    // No parent-death signal: it follows the thread that started the
    // helper, and decoding threads come and go. The helper ends when its
    // channel closes instead, which the program's end does.
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        notes << QStringLiteral("no new privileges: ") + errnoText(errno);

    // Landlock: every kind of file access the kernel knows is handled, and
    // no rule allows any.
    const long abi = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    if (abi < 1) {
        notes << QStringLiteral("Landlock: ") + errnoText(errno);
    } else {
        landlock_ruleset_attr attributes{};
        attributes.handled_access_fs = (LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1;
#ifdef LANDLOCK_ACCESS_FS_REFER
        if (abi >= 2)
            attributes.handled_access_fs |= LANDLOCK_ACCESS_FS_REFER;
#endif
#ifdef LANDLOCK_ACCESS_FS_TRUNCATE
        if (abi >= 3)
            attributes.handled_access_fs |= LANDLOCK_ACCESS_FS_TRUNCATE;
#endif
        const int rules = int(::syscall(SYS_landlock_create_ruleset, &attributes, sizeof attributes, 0));
        if (rules < 0 || ::syscall(SYS_landlock_restrict_self, rules, 0) != 0)
            notes << QStringLiteral("Landlock: ") + errnoText(errno);
        if (rules >= 0)
            ::close(rules);
    }

    // seccomp: whatever else is allowed, these fail with EACCES. Threads may
    // still be made (decoders scale on several), processes not. The calls
    // that change files by path are refused here too, for kernels without
    // Landlock, and so are those that change the files the helper is sent:
    // it reads them and nothing else. An io_uring would open files past
    // this filter.
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ALLOW);
    bool filtered = filter != nullptr;
    const int refused[] = {
        SCMP_SYS(open), SCMP_SYS(openat), SCMP_SYS(openat2), SCMP_SYS(creat), SCMP_SYS(open_by_handle_at),
        SCMP_SYS(name_to_handle_at), SCMP_SYS(unlink), SCMP_SYS(unlinkat), SCMP_SYS(rename), SCMP_SYS(renameat),
        SCMP_SYS(renameat2), SCMP_SYS(mkdir), SCMP_SYS(mkdirat), SCMP_SYS(rmdir), SCMP_SYS(link), SCMP_SYS(linkat),
        SCMP_SYS(symlink), SCMP_SYS(symlinkat), SCMP_SYS(mknod), SCMP_SYS(mknodat), SCMP_SYS(truncate),
        SCMP_SYS(ftruncate), SCMP_SYS(chmod), SCMP_SYS(fchmod), SCMP_SYS(fchmodat), SCMP_SYS(chown),
        SCMP_SYS(fchown), SCMP_SYS(lchown), SCMP_SYS(fchownat), SCMP_SYS(utime), SCMP_SYS(utimes),
        SCMP_SYS(futimesat), SCMP_SYS(utimensat), SCMP_SYS(setxattr), SCMP_SYS(lsetxattr), SCMP_SYS(fsetxattr),
        SCMP_SYS(removexattr), SCMP_SYS(lremovexattr), SCMP_SYS(fremovexattr), SCMP_SYS(socket),
        SCMP_SYS(socketpair), SCMP_SYS(connect), SCMP_SYS(bind), SCMP_SYS(listen), SCMP_SYS(accept),
        SCMP_SYS(accept4), SCMP_SYS(execve), SCMP_SYS(execveat), SCMP_SYS(process_vm_readv),
        SCMP_SYS(process_vm_writev), SCMP_SYS(mount), SCMP_SYS(unshare), SCMP_SYS(setns), SCMP_SYS(chroot),
        SCMP_SYS(pivot_root), SCMP_SYS(io_uring_setup), SCMP_SYS(io_uring_enter), SCMP_SYS(io_uring_register),
        SCMP_SYS(bpf), SCMP_SYS(perf_event_open), SCMP_SYS(userfaultfd), SCMP_SYS(keyctl), SCMP_SYS(add_key),
        SCMP_SYS(request_key)};
    for (const int call : refused)
        filtered = filtered && seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), call, 0) == 0;
    // Typing into the terminal the program was started from. The kernel
    // reads the request as 32 bits, so the filter does too.
    for (const unsigned long request : {TIOCSTI, TIOCLINUX})
        filtered = filtered
            && seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), SCMP_SYS(ioctl), 1,
                                SCMP_A1(SCMP_CMP_MASKED_EQ, 0xffffffffULL, request)) == 0;
#ifdef KELVANE_SANITIZED
    notes << QStringLiteral("processes, tracing and signals allowed for the leak checker");
#else
    for (const int call : {SCMP_SYS(fork), SCMP_SYS(vfork), SCMP_SYS(ptrace), SCMP_SYS(tkill),
                           SCMP_SYS(pidfd_open), SCMP_SYS(pidfd_send_signal), SCMP_SYS(pidfd_getfd)})
        filtered = filtered && seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), call, 0) == 0;
    // Signals go to the helper itself only: abort() raises one.
    const scmp_datum_t self = scmp_datum_t(::getpid());
    for (const int call : {SCMP_SYS(kill), SCMP_SYS(tgkill), SCMP_SYS(rt_sigqueueinfo), SCMP_SYS(rt_tgsigqueueinfo)})
        filtered = filtered
            && seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), call, 1, SCMP_A0(SCMP_CMP_NE, self)) == 0;
    filtered = filtered
        && seccomp_rule_add(filter, SCMP_ACT_ERRNO(EACCES), SCMP_SYS(clone), 1,
                            SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, 0)) == 0
        // glibc falls back to clone, whose flags the filter can see.
        && seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(clone3), 0) == 0;
#endif
    filtered = filtered && seccomp_load(filter) == 0;
    if (!filtered)
        notes << QStringLiteral("seccomp filter could not be loaded");
    if (filter)
        seccomp_release(filter);
#endif
    return notes;
}

QString attempt(const QByteArray &what, NativeFile file)
{
    const int space = what.indexOf(' ');
    const QByteArray verb = space < 0 ? what : what.left(space);
    const QByteArray path = space < 0 ? QByteArray() : what.mid(space + 1);
    int result = -1;
    errno = EINVAL;
    if (verb == "open" || verb == "create") {
        result = verb == "open" ? ::open(path.constData(), O_RDONLY | O_CLOEXEC)
                                : ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (result >= 0)
            ::close(result);
    } else if (verb == "remove") {
        result = ::unlink(path.constData());
    } else if (verb == "exec") {
        char *const argv[] = {const_cast<char *>(path.constData()), nullptr};
        result = ::execve(path.constData(), argv, environ);
    } else if (verb == "socket") {
        result = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (result >= 0)
            ::close(result);
    } else if (verb == "fork") {
        const pid_t child = ::fork();
        if (child == 0)
            std::_Exit(0);
        result = child < 0 ? -1 : ::waitpid(child, nullptr, 0);
    } else if (verb == "thread") {
        try {
            std::thread([] { }).join();
            result = 0;
        } catch (const std::system_error &error) {
            errno = error.code().value();
        }
    } else if (verb == "signal") {
        result = ::kill(::getppid(), 0);
    } else if (verb == "terminal") {
        const char key = ' ';
        result = ::ioctl(STDERR_FILENO, TIOCSTI, &key);
    } else if (verb == "ring") {
#ifdef __linux__
        char parameters[120] = {};
        result = int(::syscall(SYS_io_uring_setup, 1, parameters));
        if (result >= 0)
            ::close(result);
#endif
    } else if (verb == "chmod" && file >= 0) {
        result = ::fchmod(int(file), 0);
    } else if (verb == "touch" && file >= 0) {
        result = ::futimens(int(file), nullptr);
    }
    return result < 0 ? errnoText(errno) : QStringLiteral("allowed");
}

void allowProcessorTime(qint64 nanoseconds)
{
    rusage usage{};
    if (::getrusage(RUSAGE_SELF, &usage) != 0)
        return;
    const qint64 used = qint64(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec + 1;
    rlimit limit{};
    if (::getrlimit(RLIMIT_CPU, &limit) != 0)
        return;
    // The hard limit stays as it was: only the soft one moves, both ways.
    limit.rlim_cur = rlim_t(used + (nanoseconds + 999999999) / 1000000000);
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_cur > limit.rlim_max)
        limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_CPU, &limit);
}

} // namespace WorkerProcess

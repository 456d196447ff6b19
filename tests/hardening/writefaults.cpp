// SPDX-License-Identifier: GPL-3.0-or-later
// Builds a page and closes the window while every write to disk fails part
// way, then tells what became of the files that were there before.
//
//   hardening_writefaults tmpfs|fsize|mounted FOLDER
//
// tmpfs  FOLDER is a small file system of its own; after the earlier page
//        and the settings file are written, the helper fills it up to its
//        last free page.
// fsize  the helper lowers its own file size limit, with SIGXFSZ ignored,
//        so that a write past the limit fails with EFBIG.
// mounted the caller has made FOLDER and XDG_CONFIG_HOME fail their writes
//        (a FUSE mount); FOLDER holds the pictures and the page "pg", and the
//        settings file names it. The helper only opens the window there,
//        builds the page "pg" and closes the window elsewhere; the caller
//        compares the files.
//
// Prints one "name<TAB>value" line per fact, line breaks in values as "\n",
// and "done" last.

#include "app/frmmain.h"
#include "toolkit/folderbox.h"
#include "toolkit/sortedlistbox.h"
#include "settings/settingsfile.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextStream>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

void report(const QString &name, QString value)
{
    static QTextStream out(stdout);
    value.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    out << name << '\t' << value << Qt::endl;
}

QString listing(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name).join(',');
}

qint64 freeBytes(const QString &folder)
{
    struct statvfs info {};
    if (statvfs(QFile::encodeName(folder).constData(), &info) != 0)
        return -1;
    return qint64(info.f_bavail) * qint64(info.f_frsize);
}

// Writes whole pages until the file system is full, then gives one back.
bool fillAllButOnePage(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const QByteArray page(4096, 'f');
    off_t size = 0;
    while (::write(fd, page.constData(), size_t(page.size())) == page.size())
        size += page.size();
    const bool ok = size >= page.size() && ::ftruncate(fd, size - page.size()) == 0;
    ::close(fd);
    return ok;
}

bool limitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return false;
    limit.rlim_cur = bytes;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

bool liftFileSizeLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return false;
    limit.rlim_cur = limit.rlim_max;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// Far larger than the one free page, or the size limit.
QString bigDescription()
{
    QString text;
    while (text.size() < 100000)
        text += QString(99, QLatin1Char('d')) + QLatin1Char('\n');
    return text;
}

void openWithPicture(frmMain &form)
{
    form.Form_Load();
    form.List1->selectAll();
    form.cmdAdd_Click();
}

// The window's own road on a folder the caller prepared: the caller knows
// what the files held.
int buildAndClose(const QString &folder)
{
    MessageRecorder recorder;
    frmMain form;
    openWithPicture(form);
    report(QStringLiteral("opened at"), form.Dir1->path() == folder ? QStringLiteral("folder") : form.Dir1->path());
    form.txtName->setText(QStringLiteral("pg"));
    // More than the 4 KB of one write that reaches a FUSE file system.
    form.txtDesc->setPlainText(QStringLiteral("The rebuilt page.\n").repeated(400));
    form.cmdBuild->click();
    report(QStringLiteral("build messages"), QString::number(recorder.messages.size()));
    for (const MessageRecorder::Message &message : recorder.messages)
        report(QStringLiteral("message"), message.text);
    // Closing stores another folder than the one the file holds.
    form.Dir1->setPath(QFileInfo(folder).path());
    form.close();
    report(QStringLiteral("close messages"), QString::number(recorder.messages.size()));
    report(QStringLiteral("done"), QString());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc != 3) {
        fprintf(stderr, "usage: %s tmpfs|fsize|mounted FOLDER\n", argv[0]);
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString root = QString::fromLocal8Bit(argv[2]);
    if (mode == QLatin1String("mounted")) {
        QApplication app(argc, argv);
        return buildAndClose(root);
    }
    const QString pictures = root + QStringLiteral("/pics");
    const QString elsewhere = root + QStringLiteral("/elsewhere");
    const QString config = root + QStringLiteral("/config");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));

    QApplication app(argc, argv);
    MessageRecorder recorder;

    if (!QDir().mkpath(pictures) || !QDir().mkpath(elsewhere) || !QDir().mkpath(config)) {
        report(QStringLiteral("error"), QStringLiteral("cannot make the folders"));
        return 3;
    }
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.save(pictures + QStringLiteral("/a.jpg"), "JPG");

    // More text around the key than one free page holds.
    const QByteArray ini = "[Window]\r\n; " + QByteArray(20000, 'w') + "\r\n[Defaults]\r\nFilesDir="
        + QFile::encodeName(pictures) + "/\r\n[After]\r\nKept=yes\r\n";
    writeFileBytes(Settings::filePath(), ini);

    const QString pagePath = pictures + QStringLiteral("/Album.html");
    QByteArray earlier;
    {
        frmMain form;
        openWithPicture(form);
        form.txtName->setText(QStringLiteral("Album"));
        form.txtDesc->setPlainText(QStringLiteral("The earlier page"));
        form.cmdBuild->click();
        earlier = readFileBytes(pagePath);
    }
    report(QStringLiteral("earlier written"), earlier.isEmpty() ? QStringLiteral("no") : QStringLiteral("yes"));
    if (readFileBytes(Settings::filePath()) != ini) {
        report(QStringLiteral("error"), QStringLiteral("the first window changed the settings file"));
        return 3;
    }

    frmMain form;
    openWithPicture(form);
    recorder.messages.clear();

    bool faulty = false;
    if (mode == QLatin1String("tmpfs"))
        faulty = fillAllButOnePage(root + QStringLiteral("/filler"));
    else if (mode == QLatin1String("fsize"))
        faulty = limitFileSize(8192);
    if (!faulty) {
        report(QStringLiteral("error"), QStringLiteral("cannot set up the fault"));
        return 3;
    }
    report(QStringLiteral("free bytes"), QString::number(freeBytes(root)));

    form.txtName->setText(QStringLiteral("Album"));
    form.txtDesc->setPlainText(bigDescription());
    form.cmdBuild->click();
    report(QStringLiteral("build messages"), QString::number(recorder.messages.size()));
    for (const MessageRecorder::Message &message : recorder.messages)
        report(QStringLiteral("message"), message.text);
    report(QStringLiteral("earlier page"), readFileBytes(pagePath) == earlier ? QStringLiteral("intact")
                                                                              : QStringLiteral("changed"));

    // Closing stores another folder than the one the file holds.
    form.Dir1->setPath(elsewhere);
    form.close();
    report(QStringLiteral("settings file"), readFileBytes(Settings::filePath()) == ini ? QStringLiteral("intact")
                                                                                      : QStringLiteral("changed"));
    report(QStringLiteral("pictures folder"), listing(pictures));
    report(QStringLiteral("config folder"), listing(config));
    report(QStringLiteral("close messages"), QString::number(recorder.messages.size()));

    // With room again, the same window road works.
    if (mode == QLatin1String("tmpfs"))
        QFile::remove(root + QStringLiteral("/filler"));
    else
        liftFileSizeLimit();
    recorder.messages.clear();
    {
        frmMain again;
        openWithPicture(again);
        report(QStringLiteral("reopened at"), again.Dir1->path() == pictures ? QStringLiteral("pictures")
                                                                           : again.Dir1->path());
        again.txtName->setText(QStringLiteral("Album"));
        again.txtDesc->setPlainText(bigDescription());
        again.cmdBuild->click();
        again.close();
    }
    report(QStringLiteral("rebuilt page bytes"), QString::number(readFileBytes(pagePath).size()));
    report(QStringLiteral("rebuild messages"), QString::number(recorder.messages.size()));
    report(QStringLiteral("done"), QString());
    return 0;
}

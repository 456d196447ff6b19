// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QStringEncoder>

// Text output in UTF-8, every line ended by CR LF and no byte-order mark:
// the same bytes on every platform, whatever its code page.
//
// Replace (the default) writes through QSaveFile: where the folder can be
// written, nothing reaches the real path until close() succeeds, so a failed
// write leaves an earlier file exactly as it was and no temporary file
// behind. Where only the file itself can be written, it is written in place,
// and a failed write puts the earlier contents back. A path that is a
// symbolic link is written through to its target, and the link stays. A
// replaced file keeps its permission bits, and a file with no write bit at
// all is left alone, whoever runs the program.
//
// CreateNew makes a file that did not exist, not even as a link, and removes
// it again unless close() succeeds.
class TextFile
{
public:
    enum class Mode { Replace, CreateNew };

    explicit TextFile(const QString &path, Mode mode = Mode::Replace);
    ~TextFile();

    TextFile(const TextFile &) = delete;
    TextFile &operator=(const TextFile &) = delete;

    bool open();
    // The text, then CR LF.
    bool print(const QString &text);
    // The text inside double quotes, then CR LF.
    bool write(const QString &text);
    // Commits the file; false when anything failed since open().
    bool close();
    // Drops everything written; a replaced file stays as it was, a new one
    // is removed.
    void cancel();

    QString path() const { return m_file->fileName(); }
    // The reason the system gave for the first failure.
    QString errorString() const { return m_error; }
    bool failed() const { return !m_error.isEmpty(); }

private:
    bool openForReplace();
    bool openInPlace();
    bool put(const QString &text);
    bool closeChecked();
    bool holdsEarlier();
    void fail(const QString &reason);
    void discard();

    Mode m_mode;
    QSaveFile m_saveFile;
    QFile m_newFile;
    QFileDevice *m_file;
    // Written in place: m_newFile holds the existing file, and these were
    // its contents.
    bool m_inPlace = false;
    QByteArray m_earlier;
    QStringEncoder m_encoder;
    QString m_error;
};

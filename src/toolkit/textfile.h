// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringEncoder>

// Text output in UTF-8, every line ended by CR LF and no byte-order mark:
// the same bytes on every platform, whatever its code page.
//
// Replace (the default) gathers the text and hands it at close() to
// Toolkit::replaceFile(), which puts it in place whole or not at all.
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

    QString path() const { return m_path; }
    // The reason the system gave for the first failure.
    QString errorString() const { return m_error; }
    bool failed() const { return !m_error.isEmpty(); }

private:
    bool put(const QString &text);
    void fail(const QString &reason);
    void discard();

    Mode m_mode;
    QString m_path;
    QFile m_newFile;
    // Replace: the text so far, and whether open() succeeded.
    QByteArray m_content;
    bool m_replacing = false;
    QStringEncoder m_encoder;
    QString m_error;
};

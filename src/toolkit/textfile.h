#pragma once

#include <QSaveFile>
#include <QString>
#include <QStringEncoder>

// Text output in the system's encoding, every line ended by CR LF and no
// byte-order mark. The file is written through QSaveFile: nothing reaches the
// real path until close() succeeds, so a failed write leaves an earlier file
// exactly as it was and no temporary file behind.
class TextFile
{
public:
    explicit TextFile(const QString &path);
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
    // Drops everything written; the file on disk stays as it was.
    void cancel();

    QString path() const { return m_file.fileName(); }
    // The reason the system gave for the first failure.
    QString errorString() const { return m_error; }
    bool failed() const { return !m_error.isEmpty(); }

private:
    bool put(const QString &text);
    void fail(const QString &reason);

    QSaveFile m_file;
    QStringEncoder m_encoder;
    QString m_error;
};

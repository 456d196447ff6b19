#include "toolkit/textfile.h"

TextFile::TextFile(const QString &path)
    : m_file(path)
    , m_encoder(QStringConverter::System)
{
}

TextFile::~TextFile()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

bool TextFile::open()
{
    m_error.clear();
    // The system would take the name only up to the NUL and write to
    // another file than the one asked for.
    if (m_file.fileName().contains(QChar(0))) {
        fail(QStringLiteral("A file name cannot contain a NUL character"));
        return false;
    }
    // Unbuffered: every write reaches the system at once, so a failure is
    // met by the write that caused it, with the system's reason.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail(m_file.errorString());
        return false;
    }
    return true;
}

bool TextFile::print(const QString &text)
{
    return put(text + QStringLiteral("\r\n"));
}

bool TextFile::write(const QString &text)
{
    return put(QLatin1Char('"') + text + QStringLiteral("\"\r\n"));
}

bool TextFile::put(const QString &text)
{
    if (failed())
        return false;
    if (!m_file.isOpen()) {
        fail(QStringLiteral("The file is not open"));
        return false;
    }
    // Characters the encoding cannot hold become its replacement character;
    // that is how the system's text conversion behaves, not a failure.
    const QByteArray bytes = m_encoder.encode(text);
    // A write that fills the disk or reaches the size limit stores part of
    // the bytes and reports no error; writing the rest gives the reason.
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = m_file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            fail(m_file.errorString());
            return false;
        }
        written += n;
    }
    return true;
}

bool TextFile::close()
{
    if (!m_file.isOpen())
        return !failed();
    if (failed()) {
        m_file.cancelWriting();
        m_file.commit(); // discards the temporary file
        return false;
    }
    if (!m_file.flush()) {
        fail(m_file.errorString());
        m_file.cancelWriting();
        m_file.commit();
        return false;
    }
    if (!m_file.commit()) {
        fail(m_file.errorString());
        return false;
    }
    return true;
}

void TextFile::cancel()
{
    if (m_file.isOpen()) {
        m_file.cancelWriting();
        m_file.commit();
    }
}

void TextFile::fail(const QString &reason)
{
    if (m_error.isEmpty())
        m_error = reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/textfile.h"

#include "toolkit/durablefile.h"
#include "toolkit/replacedfile.h"

#include <QCoreApplication>

#include <utility>

namespace {

// A write that fills the disk or reaches the size limit stores part of the
// bytes and reports no error; writing the rest gives the reason.
bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

} // namespace

TextFile::TextFile(const QString &path, Mode mode)
    : m_mode(mode)
    , m_path(path)
    , m_newFile(path)
    , m_encoder(QStringConverter::Utf8)
{
}

TextFile::~TextFile()
{
    discard();
}

bool TextFile::open()
{
    m_error.clear();
    // The system would take the name only up to the NUL and write to
    // another file than the one asked for.
    if (m_path.contains(QChar(0))) {
        fail(QCoreApplication::translate("TextFile", "A file name cannot contain a NUL character"));
        return false;
    }
    if (const QString problem = Toolkit::nameProblem(m_path); !problem.isEmpty()) {
        fail(problem);
        return false;
    }
    if (m_mode == Mode::Replace) {
        m_content.clear();
        m_replacing = true;
        return true;
    }
    // Unbuffered: every write reaches the system at once, so a failure is
    // met by the write that caused it, with the system's reason. NewOnly
    // fails on any existing name, a dangling link included.
    if (!m_newFile.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        fail(m_newFile.errorString());
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
    if (!m_replacing && !m_newFile.isOpen()) {
        fail(QCoreApplication::translate("TextFile", "The file is not open"));
        return false;
    }
    // Characters the encoding cannot hold become its replacement character;
    // that is how the system's text conversion behaves, not a failure.
    const QByteArray bytes = m_encoder.encode(text);
    if (m_replacing) {
        m_content += bytes;
        return true;
    }
    if (!writeAll(m_newFile, bytes)) {
        fail(m_newFile.errorString());
        return false;
    }
    return true;
}

bool TextFile::close()
{
    if (m_replacing) {
        m_replacing = false;
        if (failed())
            return false;
        const QString reason = Toolkit::replaceFile(m_path, std::exchange(m_content, QByteArray()));
        if (!reason.isEmpty())
            fail(reason);
        return !failed();
    }
    if (!m_newFile.isOpen())
        return !failed();
    if (failed()) {
        discard();
        return false;
    }
    // The system may report a failed write only when the file is closed.
    m_newFile.unsetError();
    m_newFile.close();
    if (m_newFile.error() == QFileDevice::NoError)
        return true;
    fail(m_newFile.errorString());
    m_newFile.remove();
    return false;
}

void TextFile::cancel()
{
    discard();
}

void TextFile::discard()
{
    if (m_replacing) {
        m_replacing = false;
        m_content.clear();
        return;
    }
    if (!m_newFile.isOpen())
        return;
    // Only a file this object created is open here.
    m_newFile.close();
    m_newFile.remove();
}

void TextFile::fail(const QString &reason)
{
    if (m_error.isEmpty())
        m_error = reason.isEmpty() ? QCoreApplication::translate("TextFile", "Unknown error") : reason;
}

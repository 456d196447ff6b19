// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/textfile.h"

#include "toolkit/replacedfile.h"

#include <cerrno>

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
    , m_saveFile(path)
    , m_newFile(path)
    , m_file(mode == Mode::Replace ? static_cast<QFileDevice *>(&m_saveFile) : &m_newFile)
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
    if (path().contains(QChar(0))) {
        fail(QStringLiteral("A file name cannot contain a NUL character"));
        return false;
    }
    if (const QString problem = Toolkit::nameProblem(path()); !problem.isEmpty()) {
        fail(problem);
        return false;
    }
    if (m_mode == Mode::Replace)
        return openForReplace();
    // Unbuffered: every write reaches the system at once, so a failure is
    // met by the write that caused it, with the system's reason. NewOnly
    // fails on any existing name, a dangling link included.
    if (!m_newFile.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        fail(m_newFile.errorString());
        return false;
    }
    return true;
}

bool TextFile::openForReplace()
{
    const ReplacedFile existing = Toolkit::replacedFile(path());
    if (existing.readOnly) {
        fail(Toolkit::readOnlyReason());
        return false;
    }
    if (!m_saveFile.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // A folder the user cannot write in may hold a file the user can.
        if (existing.exists && Toolkit::writableInPlace(path()))
            return openInPlace();
        fail(m_saveFile.errorString());
        return false;
    }
    if (const QString reason = Toolkit::keepPermissions(m_saveFile, existing); !reason.isEmpty()) {
        fail(reason);
        discard();
        return false;
    }
    return true;
}

// The file is read first and overwritten from its start, so that the earlier
// contents can be put back when a write fails. Opening the path follows a
// link to its target, and the file keeps its permissions.
bool TextFile::openInPlace()
{
    if (!m_newFile.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
        fail(m_newFile.errorString());
        return false;
    }
    m_earlier = m_newFile.readAll();
    if (m_newFile.error() != QFileDevice::NoError || !m_newFile.seek(0)) {
        fail(m_newFile.errorString());
        m_newFile.close();
        return false;
    }
    m_file = &m_newFile;
    m_inPlace = true;
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
    if (!m_file->isOpen()) {
        fail(QStringLiteral("The file is not open"));
        return false;
    }
    // Characters the encoding cannot hold become its replacement character;
    // that is how the system's text conversion behaves, not a failure.
    if (!writeAll(*m_file, m_encoder.encode(text))) {
        fail(m_file->errorString());
        return false;
    }
    return true;
}

bool TextFile::close()
{
    if (!m_file->isOpen())
        return !failed();
    if (failed()) {
        discard();
        return false;
    }
    if (m_inPlace) {
        // Cuts off what is left of the earlier, longer contents.
        if (!m_newFile.resize(m_newFile.pos())) {
            fail(m_newFile.errorString());
            discard();
            return false;
        }
        return closeChecked();
    }
    if (m_mode == Mode::CreateNew) {
        if (closeChecked())
            return true;
        m_newFile.remove();
        return false;
    }
    if (!m_saveFile.flush()) {
        fail(m_saveFile.errorString());
        discard();
        return false;
    }
    if (!m_saveFile.commit()) {
        fail(m_saveFile.errorString());
        return false;
    }
    return true;
}

// The system may report a failed write only when the file is closed.
bool TextFile::closeChecked()
{
    m_newFile.unsetError();
    m_newFile.close();
    if (m_newFile.error() == QFileDevice::NoError)
        return true;
    fail(m_newFile.errorString());
    return false;
}

bool TextFile::holdsEarlier()
{
    m_newFile.unsetError();
    return m_newFile.seek(0) && m_newFile.readAll() == m_earlier && m_newFile.error() == QFileDevice::NoError;
}

void TextFile::cancel()
{
    discard();
}

void TextFile::discard()
{
    if (!m_file->isOpen())
        return;
    if (m_inPlace) {
        // The earlier contents go back over the room they took before.
        m_newFile.unsetError();
        const bool restored =
            m_newFile.seek(0) && writeAll(m_newFile, m_earlier) && m_newFile.resize(m_earlier.size());
        const QString reason = m_newFile.errorString();
        // Under a file size limit the restore stops where the failed write
        // did, and what lies beyond was never touched: the bytes decide.
        if (!restored && !holdsEarlier()) {
            const QString lost = QStringLiteral("The earlier contents could not be put back: ") + reason;
            m_error = m_error.isEmpty() ? lost : m_error + QLatin1Char('\n') + lost;
        }
        m_newFile.close();
    } else if (m_mode == Mode::CreateNew) {
        // Only a file this object created is open here.
        m_newFile.close();
        m_newFile.remove();
    } else {
        m_saveFile.cancelWriting();
        m_saveFile.commit(); // discards the temporary file
    }
}

void TextFile::fail(const QString &reason)
{
    if (m_error.isEmpty())
        m_error = reason.isEmpty() ? QStringLiteral("Unknown error") : reason;
}

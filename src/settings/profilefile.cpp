// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profilefile.h"

#include "toolkit/durablefile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstdio>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArrayView trimmed(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && isBlank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isBlank(bytes.back()))
        bytes.chop(1);
    return bytes;
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool isQuoted(QByteArrayView bytes)
{
    return bytes.size() >= 2 && isQuote(bytes.front()) && bytes.back() == bytes.front();
}

QString decode(QByteArrayView bytes)
{
    // A value or name may begin with U+FEFF; the decoder would drop it.
    QStringDecoder decoder(QStringConverter::System, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QByteArray encode(const QString &text)
{
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

bool sameName(QByteArrayView bytes, const QString &name)
{
    return decode(bytes).compare(name, Qt::CaseInsensitive) == 0;
}

// One line as offsets into the file: the content, then its line end (LF or
// CR LF; none on an unterminated last line).
struct Line
{
    qsizetype begin = 0;
    qsizetype contentEnd = 0;
    qsizetype end = 0;
};

QList<Line> splitLines(const QByteArray &bytes)
{
    QList<Line> lines;
    // Some editors save a UTF-8 byte-order mark. It stays in the file but is
    // no part of the first line's text, which may be the section header.
    qsizetype begin = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (begin < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', begin);
        Line line;
        line.begin = begin;
        if (lf < 0) {
            line.contentEnd = line.end = bytes.size();
        } else {
            line.end = lf + 1;
            line.contentEnd = (lf > begin && bytes.at(lf - 1) == '\r') ? lf - 1 : lf;
        }
        lines.append(line);
        begin = line.end;
    }
    return lines;
}

enum class LineKind { Blank, Comment, Section, Key, Other };

struct ParsedLine
{
    LineKind kind = LineKind::Blank;
    QByteArrayView name;        // section or key name, trimmed
    qsizetype valueBegin = 0;   // key lines: offset in the content after '='
};

ParsedLine parse(QByteArrayView content)
{
    ParsedLine parsed;
    const QByteArrayView text = trimmed(content);
    if (text.isEmpty())
        return parsed;
    if (text.front() == ';') {
        parsed.kind = LineKind::Comment;
    } else if (text.front() == '[') {
        const QByteArrayView inside = text.sliced(1);
        const qsizetype close = inside.indexOf(']');
        parsed.kind = LineKind::Section;
        parsed.name = trimmed(close < 0 ? inside : inside.first(close));
    } else if (const qsizetype equals = content.indexOf('='); equals >= 0
               && !trimmed(content.first(equals)).isEmpty()) {
        parsed.kind = LineKind::Key;
        parsed.name = trimmed(content.first(equals));
        parsed.valueBegin = equals + 1;
    } else {
        parsed.kind = LineKind::Other;
    }
    return parsed;
}

// Where a key is, or where it would go.
struct Location
{
    qsizetype keyLine = -1;     // first line of the key in a matching section
    qsizetype valueBegin = 0;   // offset of its value in that line's content
    qsizetype sectionLine = -1; // header of the first matching section
    qsizetype lastLine = -1;    // that section's last line that is not blank or a comment
};

Location locate(const QByteArray &bytes, const QList<Line> &lines, const QString &section,
                const QString &key)
{
    Location at;
    bool inSection = false;
    bool inFirstSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line &line = lines.at(i);
        const QByteArrayView content(bytes.constData() + line.begin, line.contentEnd - line.begin);
        const ParsedLine parsed = parse(content);
        switch (parsed.kind) {
        case LineKind::Section:
            inSection = sameName(parsed.name, section);
            inFirstSection = inSection && at.sectionLine < 0;
            if (inFirstSection)
                at.sectionLine = at.lastLine = i;
            break;
        case LineKind::Key:
            if (inSection && sameName(parsed.name, key)) {
                at.keyLine = i;
                at.valueBegin = parsed.valueBegin;
                return at;
            }
            [[fallthrough]];
        case LineKind::Other:
            if (inFirstSection)
                at.lastLine = i;
            break;
        case LineKind::Blank:
        case LineKind::Comment:
            break;
        }
    }
    return at;
}

// The line end that the file uses first; CR LF when it has none.
QByteArray lineEndOf(const QByteArray &bytes)
{
    const qsizetype lf = bytes.indexOf('\n');
    if (lf == 0 || (lf > 0 && bytes.at(lf - 1) != '\r'))
        return QByteArrayLiteral("\n");
    return QByteArrayLiteral("\r\n");
}

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool isValidName(const QString &name)
{
    const QByteArray bytes = encode(name);
    return !bytes.isEmpty() && trimmed(bytes).size() == bytes.size() && !hasLineBreak(name);
}

bool isValidSection(const QString &section)
{
    return isValidName(section) && !section.contains(QLatin1Char(']'));
}

bool isValidKey(const QString &key)
{
    return isValidName(key) && !key.contains(QLatin1Char('='))
        && !key.startsWith(QLatin1Char(';')) && !key.startsWith(QLatin1Char('['));
}

// The value as it must stand in the file to read back unchanged.
QByteArray storedValue(const QString &value)
{
    const QByteArray bytes = encode(value);
    if (trimmed(bytes).size() != bytes.size() || isQuoted(bytes))
        return '"' + bytes + '"';
    return bytes;
}

// The whole file, or false when it cannot be read or is too large.
bool readBounded(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > ProfileFile::largestFile)
        return false;
    // The size may grow after it was asked; the read is bounded all the same.
    *bytes = file.read(ProfileFile::largestFile + 1);
    return file.error() == QFileDevice::NoError && bytes->size() <= ProfileFile::largestFile;
}

bool save(const QString &path, const QByteArray &bytes)
{
    return Toolkit::replaceFile(path, bytes).isEmpty();
}

} // namespace

ProfileFile::ProfileFile(const QString &path)
    : m_path(path)
{
}

bool ProfileFile::refuseTooLarge(const QString &path)
{
    if (QFileInfo(path).size() <= largestFile)
        return false;
    const QString line = QStringLiteral("kelvane: ")
        + QCoreApplication::translate("ProfileFile", "%1 is larger than 1 MB; it is neither read nor rewritten")
              .arg(QDir::toNativeSeparators(path))
        + QLatin1Char('\n');
    std::fputs(line.toLocal8Bit().constData(), stderr);
    return true;
}

QString ProfileFile::readString(const QString &section, const QString &key) const
{
    const QByteArray value = readValue(section, key);
    return value.isNull() ? QString() : decode(value);
}

QByteArray ProfileFile::readValue(const QString &section, const QString &key) const
{
    QByteArray bytes;
    if (!readBounded(m_path, &bytes))
        return QByteArray();

    const QList<Line> lines = splitLines(bytes);
    const Location at = locate(bytes, lines, section, key);
    if (at.keyLine < 0)
        return QByteArray();
    const Line &line = lines.at(at.keyLine);
    QByteArrayView value = trimmed(QByteArrayView(bytes.constData() + line.begin + at.valueBegin,
                                                  line.contentEnd - line.begin - at.valueBegin));
    if (isQuoted(value))
        value = value.sliced(1, value.size() - 2);
    return value.isEmpty() ? QByteArray("") : value.toByteArray();
}

bool ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    // A line break in any of these would end the line early and let the rest
    // of the text stand in the file as lines of its own.
    if (!isValidSection(section) || !isValidKey(key) || hasLineBreak(value))
        return false;

    QByteArray bytes;
    const QFileInfo info(m_path);
    if (info.exists()) {
        // An existing file that cannot be read would be lost by the rewrite.
        // A file marked read-only stays so, also for root, whom the
        // permission check alone would let through.
        // (WriteUser is left out: it answers for the current user, root too.)
        const QFileDevice::Permissions anyWrite =
            QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if (!info.isFile() || !info.isWritable() || !(info.permissions() & anyWrite))
            return false;
        if (!readBounded(m_path, &bytes))
            return false;
    } else if (!QDir().mkpath(info.absolutePath())) {
        return false;
    }

    const QList<Line> lines = splitLines(bytes);
    const Location at = locate(bytes, lines, section, key);
    const QByteArray lineEnd = lineEndOf(bytes);
    const QByteArray keyLine = encode(key) + '=' + storedValue(value);

    QByteArray updated;
    if (at.keyLine >= 0) {
        // The name, the '=' and the spaces after it stay as the file has them.
        const Line &line = lines.at(at.keyLine);
        qsizetype valueBegin = line.begin + at.valueBegin;
        while (valueBegin < line.contentEnd && isBlank(bytes.at(valueBegin)))
            ++valueBegin;
        updated = bytes.first(valueBegin) + storedValue(value) + bytes.sliced(line.contentEnd);
    } else if (at.sectionLine >= 0) {
        const Line &line = lines.at(at.lastLine);
        updated = bytes.first(line.end);
        if (line.end == line.contentEnd)
            updated += lineEnd;
        updated += keyLine + lineEnd + bytes.sliced(line.end);
    } else {
        updated = bytes;
        if (!updated.isEmpty() && !updated.endsWith('\n'))
            updated += lineEnd;
        updated += '[' + encode(section) + ']' + lineEnd + keyLine + lineEnd;
    }
    return save(m_path, updated);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <utility>

// How every target reads its bytes. The first byte is a separator that splits
// the rest into fields, so a seed such as "|a\r\nb|\r\n|<BR>" reads as three
// texts and every other byte value can still occur inside a field.
//
// The separator also says how the fields are decoded:
// - below 0x80: UTF-8 (invalid bytes become U+FFFD), which keeps the seed
//   corpora readable text;
// - 0x80 to 0xbf: UTF-16 in little-endian order (an odd last byte is
//   dropped), which reaches every code unit;
// - 0xc0 and up: one character per byte from a small alphabet of the
//   characters that matter here: the markup and INI syntax, line breaks, and
//   the letters whose case folding is unusual, surrogate halves included.
//   Coverage alone would rarely find those among 65,536 code units.
// The lower bits of the separator are flags whose meaning each target gives
// itself.
//
// A field that the input does not hold reads as null; an empty field reads as
// the empty, not null, text.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size)
    {
        if (size == 0)
            return;
        m_separator = data[0];
        const char *begin = reinterpret_cast<const char *>(data) + 1;
        const char *const end = reinterpret_cast<const char *>(data) + size;
        if (begin == end)
            return;
        for (;;) {
            const char *stop = begin;
            while (stop != end && static_cast<unsigned char>(*stop) != m_separator)
                ++stop;
            m_fields.append(QByteArray(begin, stop - begin));
            if (stop == end)
                break;
            begin = stop + 1;
        }
    }

    // Bits 0 to 5 of the separator, free for the target to give a meaning.
    bool flag(int bit = 0) const { return (m_separator >> bit) & 1; }
    enum class Encoding { Utf8, Utf16, Alphabet };
    Encoding encoding() const
    {
        return m_separator < 0x80 ? Encoding::Utf8 : m_separator < 0xc0 ? Encoding::Utf16 : Encoding::Alphabet;
    }
    qsizetype count() const { return m_fields.size(); }

    // The field's bytes as they are, whatever the encoding.
    QByteArray bytes(qsizetype i) const { return i < m_fields.size() ? m_fields.at(i) : QByteArray(); }

    QString text(qsizetype i) const
    {
        if (i >= m_fields.size())
            return QString();
        const QByteArray &field = m_fields.at(i);
        if (field.isEmpty())
            return QString(0, QChar());
        switch (encoding()) {
        case Encoding::Utf8: {
            // Keeps a leading U+FEFF, which QString::fromUtf8 would drop.
            QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
            return decoder.decode(field);
        }
        case Encoding::Utf16: {
            QString text(field.size() / 2, QChar());
            for (qsizetype k = 0; k < text.size(); ++k) {
                text[k] = QChar(static_cast<char16_t>(static_cast<unsigned char>(field.at(2 * k))
                                                      | static_cast<unsigned char>(field.at(2 * k + 1)) << 8));
            }
            return text;
        }
        case Encoding::Alphabet:
            break;
        }
        static constexpr char16_t alphabet[64] = {
            u'a', u'b', u'A', u'B', u'k', u's', u'K', u'S', u' ', u'\t', u'\r', u'\n', u'\v', u'\f', u'\0', u'.',
            u'<', u'>', u'R', u'j', u'p', u'g', u'i', u'f', u'm', u'J', u'P', u'G', u',', u'[', u']', u'=',
            u';', u'"', u'\'', u'\\', u'/', u'%', u'#', u'?',
            0x00df, // sharp s
            0x1e9e, // capital sharp s
            0x017f, // long s, folds to s
            0x212a, // Kelvin sign, folds to k
            0x0130, // capital I with dot
            0x0131, // dotless i
            0x03a3, 0x03c3, 0x03c2, // sigma, capital, small, final
            0x00c4, 0x00e4, // A with diaeresis
            0x1f88, 0x1f80, // Greek letters with a title case
            0xfeff, // byte-order mark
            0xfffd, // replacement character
            0x0085, 0x2028, // next line, line separator
            0xd801, 0xdc00, 0xdc28, // halves of a Deseret capital and small letter
            0xd83d, 0xde00, // halves of an emoji
            0xdbff, 0xdfff,
        };
        QString text(field.size(), QChar());
        for (qsizetype k = 0; k < field.size(); ++k)
            text[k] = QChar(alphabet[static_cast<unsigned char>(field.at(k)) % 64]);
        return text;
    }

private:
    unsigned char m_separator = 0;
    QList<QByteArray> m_fields;
};

// Printable ASCII stays; everything else is shown as an escape, so a report
// shows exactly which code units (or bytes) were involved.
inline QByteArray fuzzEscaped(const QString &text)
{
    if (text.isNull())
        return QByteArrayLiteral("(null)");
    QByteArray shown("\"");
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '"') {
            shown += '\\';
            shown += char(u);
        } else if (u == '\r') {
            shown += "\\r";
        } else if (u == '\n') {
            shown += "\\n";
        } else if (u >= 0x20 && u < 0x7f) {
            shown += char(u);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, u < 0x100 ? "\\x%02x" : "\\u%04x", unsigned(u));
            shown += code;
        }
    }
    return shown + '"';
}

// Bytes shown one character per byte (\xNN for the rest).
inline QString fuzzBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

// A folder of the target's own, made on first use and removed at exit. It
// goes under TMPDIR when that is set (scripts/fuzz.sh sets it, so that a
// crash leaves nothing behind), else in memory under /dev/shm when there is
// one, as every run writes files.
inline QString fuzzScratchFolder()
{
    const bool shm = !qEnvironmentVariableIsSet("TMPDIR") && QDir(QStringLiteral("/dev/shm")).exists();
    static const QTemporaryDir dir((shm ? QStringLiteral("/dev/shm") : QDir::tempPath())
                                   + QStringLiteral("/kelvane-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "no scratch folder: %s\n", qPrintable(dir.errorString()));
        std::abort();
    }
    return dir.path();
}

[[noreturn]] inline void fuzzFailure(const char *condition,
                                     std::initializer_list<std::pair<const char *, QString>> shown)
{
    std::fprintf(stderr, "\n==== broken invariant: %s\n", condition);
    for (const auto &[label, value] : shown)
        std::fprintf(stderr, "  %s = %s\n", label, fuzzEscaped(value).constData());
    std::fflush(stderr);
    std::abort();
}

// Aborts with the condition and the named values, which libFuzzer reports as
// a crash and saves the input for.
#define FUZZ_CHECK(condition, ...)                                                                           \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            fuzzFailure(#condition, {__VA_ARGS__});                                                          \
    } while (0)

// SPDX-License-Identifier: GPL-3.0-or-later
// The INI file: one write into an arbitrary file, then what must hold.
//
// Fields: the file's bytes (taken as they are), the section, the key, the
// value, and a second section and key that the write must not disturb. With
// the separator's flag (bit 0) set there is no file before the write; with
// bit 1 set the file is marked read-only.

#include "fuzzinput.h"
#include "settings/profilefile.h"

#include <QFile>

namespace {

constexpr size_t MaxInput = 4096;

QString iniPath()
{
    static const QString path = fuzzScratchFolder() + QStringLiteral("/Kelvane.INI");
    return path;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\v')
        || c == QLatin1Char('\f');
}

bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// Names the file could not hold on one line, or that would read back as
// something else: empty, blank at an end, or holding a character that ends
// the name in the file.
bool refusedName(const QString &name)
{
    return name.isEmpty() || isBlank(name.front()) || isBlank(name.back()) || hasLineBreak(name);
}

bool refusedSection(const QString &section)
{
    return refusedName(section) || section.contains(QLatin1Char(']'));
}

bool refusedKey(const QString &key)
{
    return refusedName(key) || key.contains(QLatin1Char('=')) || key.startsWith(QLatin1Char(';'))
        || key.startsWith(QLatin1Char('['));
}

// Lines with their line ends; the last may have none.
QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype begin = 0;
    while (begin < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', begin);
        const qsizetype end = lf < 0 ? bytes.size() : lf + 1;
        lines.append(bytes.mid(begin, end - begin));
        begin = end;
    }
    return lines;
}

// An original line survives when it is still there byte for byte; the
// file's last line, when it had no line end, may have gained one.
bool survives(const QByteArray &original, bool last, const QByteArray &now)
{
    if (original == now)
        return true;
    if (!last || original.endsWith('\n') || !now.startsWith(original))
        return false;
    const QByteArrayView added = QByteArrayView(now).sliced(original.size());
    return added == "\n" || added == "\r\n";
}

// Whether every line of `before`, except at most one (the key's line when it
// was replaced), appears in `after` in the same order, and how many lines of
// `after` are new. Greedy matching from both ends finds the line to leave
// out in one pass.
bool keepsLines(const QList<QByteArray> &before, const QList<QByteArray> &after, qsizetype *skipped,
                qsizetype *added)
{
    const qsizetype n = before.size();
    // head[i]: where in `after` the greedy match of before[0, i) ends, or -1.
    QList<qsizetype> head(n + 1, -1);
    head[0] = 0;
    for (qsizetype i = 0; i < n && head[i] >= 0; ++i) {
        qsizetype j = head[i];
        while (j < after.size() && !survives(before.at(i), i == n - 1, after.at(j)))
            ++j;
        head[i + 1] = j < after.size() ? j + 1 : -1;
    }
    if (head[n] >= 0) {
        *skipped = 0;
        *added = after.size() - n;
        return true;
    }
    // tail[i]: where in `after` the greedy match of before[i, n) from the
    // back starts, or -1.
    QList<qsizetype> tail(n + 1, -1);
    tail[n] = after.size();
    for (qsizetype i = n - 1; i >= 0 && tail[i + 1] >= 0; --i) {
        qsizetype j = tail[i + 1] - 1;
        while (j >= 0 && !survives(before.at(i), i == n - 1, after.at(j)))
            --j;
        tail[i] = j;
    }
    for (qsizetype s = 0; s < n; ++s) {
        if (head[s] >= 0 && tail[s + 1] >= 0 && head[s] <= tail[s + 1]) {
            *skipped = 1;
            *added = after.size() - (n - 1);
            return true;
        }
    }
    return false;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isValidUtf16(const QString &text)
{
    return QStringView(text).isValidUtf16();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > MaxInput)
        return -1;
    const FuzzInput input(data, size);
    const bool noFile = input.flag();
    const bool readOnly = !noFile && input.flag(1);
    const QByteArray original = input.bytes(0);
    const QString section = input.text(1);
    const QString key = input.text(2);
    const QString value = input.text(3);
    const QString otherSection = input.text(4);
    const QString otherKey = input.text(5);

    const QString path = iniPath();
    if (noFile)
        QFile::remove(path);
    else
        putFile(path, original);
    const QFileDevice::Permissions writable = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (readOnly)
        QFile::setPermissions(path, writable & ~QFileDevice::Permissions(QFileDevice::WriteOwner));

    ProfileFile profile(path);
    // Reads of any file, any names, must simply come back.
    const QString otherBefore = profile.readString(otherSection, otherKey);
    profile.readString(section, key);

    const bool ok = profile.writeString(section, key, value);
    const bool existsAfter = QFile::exists(path);
    const QByteArray after = fileBytes(path);
    if (readOnly) {
        QFile::setPermissions(path, writable);
        FUZZ_CHECK(!ok && after == original, {"section", section}, {"key", key}, {"value", value},
                   {"before", fuzzBytes(original)}, {"after", fuzzBytes(after)});
        return 0;
    }

    // Text the file's encoding cannot hold (a lone surrogate) may be refused
    // or stored as the encoding's replacement; the rest must be written.
    const bool encodable = isValidUtf16(section) && isValidUtf16(key) && isValidUtf16(value);
    const bool refused = refusedSection(section) || refusedKey(key) || hasLineBreak(value);
    FUZZ_CHECK(refused ? !ok : ok || !encodable, {"section", section}, {"key", key}, {"value", value},
               {"file", fuzzBytes(original)}, {"written", ok ? QStringLiteral("yes") : QStringLiteral("no")});

    if (!ok) {
        FUZZ_CHECK(existsAfter == !noFile && after == (noFile ? QByteArray() : original), {"section", section},
                   {"key", key}, {"value", value}, {"before", fuzzBytes(original)}, {"after", fuzzBytes(after)});
        return 0;
    }

    // Names and values that the file's encoding holds come back as written.
    if (encodable) {
        const QString read = profile.readString(section, key);
        FUZZ_CHECK(read == value, {"section", section}, {"key", key}, {"value", value},
                   {"read", read}, {"before", fuzzBytes(noFile ? QByteArray() : original)},
                   {"after", fuzzBytes(after)});
    }

    // Every other line stays as it was, in its order; the write adds at most
    // a section header and a key line, or replaces one line (which may come
    // out the same).
    const QList<QByteArray> beforeLines = splitLines(noFile ? QByteArray() : original);
    const QList<QByteArray> afterLines = splitLines(after);
    qsizetype skipped = 0;
    qsizetype added = 0;
    const bool kept = keepsLines(beforeLines, afterLines, &skipped, &added);
    const bool unchanged = !noFile && after == original;
    FUZZ_CHECK(kept && (skipped == 1 ? added == 1 : (added == 1 || added == 2 || unchanged)),
               {"section", section},
               {"key", key}, {"value", value}, {"before", fuzzBytes(noFile ? QByteArray() : original)},
               {"after", fuzzBytes(after)});

    // Another key keeps its value.
    if (encodable && isValidUtf16(otherSection) && isValidUtf16(otherKey)
        && !(sameName(otherSection, section) && sameName(otherKey, key))) {
        const QString otherAfter = profile.readString(otherSection, otherKey);
        FUZZ_CHECK(otherAfter == otherBefore, {"section", section}, {"key", key}, {"value", value},
                   {"otherSection", otherSection}, {"otherKey", otherKey}, {"otherBefore", otherBefore},
                   {"otherAfter", otherAfter}, {"before", fuzzBytes(noFile ? QByteArray() : original)},
                   {"after", fuzzBytes(after)});
    }
    return 0;
}

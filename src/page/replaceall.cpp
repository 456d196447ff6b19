// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/replaceall.h"

namespace Module1 {

// The text is rebuilt in one pass rather than spliced at every occurrence,
// which would cost a copy of the whole text per line break.
//
// `out` holds the characters that no later search can reach. `carry` holds
// the most recent replacement: the next search starts at its first
// character, so a match may begin inside it and end in the unread text at
// `pos`. Since (within the limits) the replacement does not contain the find
// text, no match lies wholly inside `carry`, and `carry` never grows beyond
// one replacement.
QString ReplaceAll(QString &text, const QString &find, const QString &replacement)
{
    if (text.isNull())
        return QString(QLatin1String(""));
    const qsizetype n = find.size();
    if (n == 0)
        return text;

    const bool rescanReplacement = !replacement.contains(find, Qt::CaseInsensitive);
    QString out;
    QString carry;
    qsizetype pos = 0;
    bool replaced = false;

    for (;;) {
        qsizetype inCarry = -1;
        if (!carry.isEmpty()) {
            // Only a match that starts in `carry` and runs into the text is
            // possible there; a window of n - 1 more characters covers it.
            const QString window = carry + text.mid(pos, n - 1);
            const qsizetype hit = window.indexOf(find, 0, Qt::CaseInsensitive);
            if (hit >= 0 && hit < carry.size())
                inCarry = hit;
        }
        if (inCarry >= 0) {
            out += QStringView(carry).left(inCarry);
            pos += inCarry + n - carry.size();
            carry = replacement;
            replaced = true;
            continue;
        }
        out += carry;
        carry.clear();
        const qsizetype hit = text.indexOf(find, pos, Qt::CaseInsensitive);
        if (hit < 0)
            break;
        out += QStringView(text).mid(pos, hit - pos);
        pos = hit + n;
        replaced = true;
        if (rescanReplacement)
            carry = replacement;
        else
            out += replacement;
    }

    if (!replaced)
        return text;
    out += QStringView(text).mid(pos);
    text = out;
    return out;
}

} // namespace Module1

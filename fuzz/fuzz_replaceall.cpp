// SPDX-License-Identifier: GPL-3.0-or-later
// ReplaceAll against the algorithm done the slow way.
//
// Fields: the text, the find text, the replacement. A missing text is the
// null value. Every input is also run with find CR LF and replacement "<BR>",
// the only call the page writer makes.

#include "fuzzinput.h"
#include "page/replaceall.h"

namespace {

// The reference splices the whole text at every occurrence; these bounds keep
// its worst case (a one-character find, a long replacement, a text full of
// matches) to a few million character copies.
constexpr qsizetype MaxText = 1024;
constexpr qsizetype MaxFind = 32;

// Splice at each occurrence, then search again from where the inserted
// replacement begins. Only for calls within the limits: find not empty, and
// the replacement not holding the find text in any letter case.
QString referenceReplaceAll(QString text, const QString &find, const QString &replacement, bool *replaced)
{
    *replaced = false;
    qsizetype p = text.indexOf(find, 0, Qt::CaseInsensitive);
    while (p >= 0) {
        text = text.left(p) + replacement + text.mid(p + find.size());
        *replaced = true;
        p = text.indexOf(find, p, Qt::CaseInsensitive);
    }
    return text;
}

bool isValidUtf16(const QString &text)
{
    return QStringView(text).isValidUtf16();
}

// `alwaysComparable`: the page writer's call, whose find text and replacement
// hold no surrogate and whose replacement is never empty, so splicing it in
// neither makes nor splits a pair.
void check(const QString &text, const QString &find, const QString &replacement, bool alwaysComparable = false)
{
    QString inOut = text;
    const QString result = Module1::ReplaceAll(inOut, find, replacement);

    if (text.isNull()) {
        FUZZ_CHECK(result.isEmpty() && inOut.isNull(), {"find", find}, {"result", result});
        return;
    }

    // With a lone surrogate about, the search of the spliced text can see a
    // pair where the replacement meets the text behind it, a pair the text
    // never held, and case-insensitive matching takes a pair as one
    // character. The one-pass rebuild does not see that pair, so the two can
    // differ. Well-formed texts splice into well-formed texts, and CR LF
    // (the page writer's find text) never takes part in a pair.
    const bool comparable =
        alwaysComparable || (isValidUtf16(text) && isValidUtf16(find) && isValidUtf16(replacement));
    const bool withinLimits = !find.isEmpty() && !replacement.contains(find, Qt::CaseInsensitive);
    if (!withinLimits || !comparable) {
        // Only that it ended, and that the caller's text is either untouched
        // or holds the result.
        FUZZ_CHECK(inOut == text || inOut == result, {"text", text}, {"find", find},
                   {"replacement", replacement}, {"result", result}, {"inOut", inOut});
        return;
    }

    bool replaced = false;
    const QString expected = referenceReplaceAll(text, find, replacement, &replaced);
    FUZZ_CHECK(result == expected, {"text", text}, {"find", find}, {"replacement", replacement},
               {"result", result}, {"expected", expected});
    if (replaced) {
        FUZZ_CHECK(inOut == result, {"text", text}, {"find", find}, {"replacement", replacement},
                   {"result", result}, {"inOut", inOut});
    } else {
        FUZZ_CHECK(inOut == text && inOut.isNull() == text.isNull(), {"text", text}, {"find", find},
                   {"replacement", replacement}, {"inOut", inOut});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QString text = input.text(0);
    const QString find = input.text(1);
    const QString replacement = input.text(2);
    if (text.size() > MaxText || find.size() > MaxFind || replacement.size() > MaxFind)
        return -1;

    check(text, find, replacement);

    static const QString lineBreak = QStringLiteral("\r\n");
    static const QString htmlBreak = QStringLiteral("<BR>");
    check(text, lineBreak, htmlBreak, true);
    QString copy = text;
    const QString page = Module1::ReplaceAll(copy, lineBreak, htmlBreak);
    FUZZ_CHECK(!page.contains(lineBreak), {"text", text}, {"result", page});
    return 0;
}

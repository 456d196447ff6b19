// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Module1 {

// Replaces every occurrence of `find` in `text` by `replacement`, ignoring
// letter case, and returns the result. A null text gives the empty text.
//
// After each replacement the search starts again where the replacement was
// put, so an occurrence may begin inside the replacement and run on into the
// text behind it ("aaaa", "aa" -> "a" gives "a").
//
// `text` is in/out: it takes the result when at least one occurrence was
// replaced and is left alone otherwise.
//
// Positions are not limited to 16 bits. An empty find text returns the text
// unchanged, and a replacement that itself contains the find text is skipped
// over rather than searched again, so every call ends.
QString ReplaceAll(QString &text, const QString &find, const QString &replacement);

} // namespace Module1

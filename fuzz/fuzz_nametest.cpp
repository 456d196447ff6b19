// SPDX-License-Identifier: GPL-3.0-or-later
// The preview's picture-name test against a reference that lists the pieces
// of "jpg, gif, bmp" one by one.
//
// Fields: the file name.

#include "fuzzinput.h"
#include "selection/nametest.h"

namespace {

constexpr qsizetype MaxName = 64;

bool referenceNameTest(const QString &name)
{
    static const QString pictureTypes = QStringLiteral("jpg, gif, bmp");
    const QString tail = name.size() <= 3 ? name : name.right(3);
    // An empty tail is found at the first position, as a text search finds
    // the empty text.
    for (qsizetype start = 0; start + tail.size() <= pictureTypes.size(); ++start) {
        bool same = true;
        for (qsizetype k = 0; k < tail.size() && same; ++k)
            same = tail.at(k).toCaseFolded() == pictureTypes.at(start + k).toCaseFolded();
        if (same)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const FuzzInput input(data, size);
    const QString name = input.text(0);
    if (name.size() > MaxName)
        return -1;

    const bool passes = Selection::passesPictureNameTest(name);
    const bool expected = referenceNameTest(name);
    FUZZ_CHECK(passes == expected, {"name", name},
               {"passes", passes ? QStringLiteral("yes") : QStringLiteral("no")});
    return 0;
}

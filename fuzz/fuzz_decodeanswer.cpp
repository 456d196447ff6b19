// SPDX-License-Identifier: GPL-3.0-or-later
// The window's process reading a decoding helper's answer: the one place
// where bytes a helper taken over by its input wrote reach the program. The
// input is the frame itself.
//
// What reads back must hold together: an outcome the helper may give,
// pixels only with a decode and always with one, and an answer that,
// written again, reads back the same.

#include "picture/decodejob.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray frame = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    DecodeJob::Answer answer;
    if (!DecodeJob::decode(frame, &answer))
        return 0;
    const bool decoded = answer.outcome == DecodeJob::Outcome::Decoded;
    if ((!decoded && answer.outcome != DecodeJob::Outcome::Failed) || decoded == answer.image.isNull()) {
        std::fprintf(stderr, "outcome %d with an image of %d x %d\n", int(answer.outcome), answer.image.width(),
                     answer.image.height());
        std::abort();
    }
    DecodeJob::Answer again;
    if (!DecodeJob::decode(DecodeJob::encode(answer), &again) || again.image != answer.image
        || again.error != answer.error || again.outcome != answer.outcome) {
        std::fprintf(stderr, "the answer does not read back as it was written\n");
        std::abort();
    }
    return 0;
}

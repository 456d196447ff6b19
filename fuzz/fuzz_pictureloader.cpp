// SPDX-License-Identifier: GPL-3.0-or-later
// The whole picture loader as the board uses it for a thumbnail, in every
// format the installed plugins read. The input is the file itself, written
// under a name that tells nothing, so the reader goes by content alone.
// scripts/fuzz.sh runs this target with a time limit of 2 s and a memory
// limit of 1 GB: a decode that outgrows the loader's bounds is a finding.
//
// Whatever the bytes, a load gives either a picture and no reason, or a
// reason and no picture.

#include "fuzzinput.h"
#include "picture/pictureloader.h"
#include "picture/thumbnailsources.h"

#include <QCoreApplication>
#include <QFile>

namespace {

constexpr size_t MaxInput = 64 * 1024;
const QSize Slot(125, 113);

QString picturePath()
{
    return fuzzScratchFolder() + QStringLiteral("/picture");
}

// Every input is decoded afresh: no fail record or thumbnail of an earlier
// one may answer for it.
void forget(const QString &path)
{
    QFile::remove(ThumbnailSources::failurePath(path));
    for (const int side : {128, 256, 512, 1024})
        QFile::remove(ThumbnailSources::cachePath(path, side));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The cache goes with the scratch folder.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(fuzzScratchFolder() + QStringLiteral("/cache")));
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > MaxInput)
        return -1;
    const QString path = picturePath();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size) || !file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    file.close();

    const LoadedPicture picture = loadPicture(path, Slot);
    forget(path);
    FUZZ_CHECK(picture.error().isEmpty() != picture.image().isNull(), {"error", picture.error()});
    return 0;
}

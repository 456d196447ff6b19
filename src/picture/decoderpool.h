// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picture/decodejob.h"
#include "picture/workerprocess.h"

#include <QString>
#include <QStringList>

class DecodeStop;

// Long-lived decoding helpers (kelvane-decoder), as many as there are cores
// and one more, started when first needed and reused. A job goes to an idle
// helper, and the calling thread waits for its answer. A watch ends a helper
// whose job has used more than a second of its processor time, that holds
// more than its memory limit (see decoderworker.h), or whose job's stop was
// requested; a helper that ends, however, costs that one job, and the next
// job starts a new one: the job fails with DecodeLimits::tooLarge() when its
// helper was ended for its time or memory, with PictureDecode::notDecoded()
// when it ended by itself. Safe on any thread.
namespace DecoderPool {

// Runs the job, with `file` (or -1) for the helper to read. Never answers
// with an image and an error, nor with neither.
DecodeJob::Answer run(const DecodeJob::Job &job, WorkerProcess::NativeFile file, const DecodeStop *stop);

// Starts one helper, should fewer than `count` be running or starting (and
// fewer than the pool keeps), and returns once it is ready or failed to
// start: a thread that is to decode calls it ahead of its first job, so that
// the job does not wait for the helper's start.
void prepare(int count);

// Where the helper is looked for: beside the running program, then in
// ../libexec/kelvane from it, then where the build put it.
QString helperProgram();

// The helpers started and waiting for a job.
int idleHelpers();

// The helpers' peak memory, added up over those running now.
qint64 helpersPeakBytes();

// What of the sandbox the last helper started could not put in place.
QStringList sandboxNotes();

// Tests: helpers started from now on crash, spin or allocate on the marker
// inputs (see picturedecode.h) and answer Attempt jobs; idle helpers of the
// other kind are ended. Returns the previous setting.
bool setTestMarkers(bool on);
// Tests: helpers started from now on run `program` (empty: the installed
// helper); idle helpers of another program are ended. Returns the previous
// setting.
QString setHelperProgram(QString program);

} // namespace DecoderPool

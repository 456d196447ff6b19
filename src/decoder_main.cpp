// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/decoderworker.h"

int main(int argc, char **argv)
{
    return runDecoderWorker(argc, argv);
}

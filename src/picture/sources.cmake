# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    picture/decodejob.h picture/decodejob.cpp
    picture/decoderpool.h picture/decoderpool.cpp
    picture/decoderworker.h picture/decoderworker.cpp
    picture/picturedecode.h picture/picturedecode.cpp
    picture/workerprocess.h
)
# Starting the decoding helper, its channel and its sandbox, by the system's
# own calls.
if(WIN32)
    target_sources(kelvane_core PRIVATE picture/workerprocess_win.cpp)
else()
    target_sources(kelvane_core PRIVATE picture/workerprocess_posix.cpp)
endif()

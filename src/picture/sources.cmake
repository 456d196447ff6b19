# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures: loading them (the bounds, the thumbnail cache, EXIF thumbnails)
# and the decoding helpers that decode them.
target_sources(kelvane_core PRIVATE
    picture/cputime.h
    picture/decodestop.h picture/decodestop.cpp
    picture/jpegbounds.h picture/jpegbounds.cpp
    picture/pictureloader.h picture/pictureloader.cpp
    picture/picturefile.h
    picture/pngbounds.h picture/pngbounds.cpp
    picture/thumbnailcache.h
    picture/thumbnailsources.h picture/thumbnailsources.cpp
    picture/decodejob.h picture/decodejob.cpp
    picture/decoderpool.h picture/decoderpool.cpp
    picture/decoderworker.h picture/decoderworker.cpp
    picture/picturedecode.h picture/picturedecode.cpp
    picture/sanitizers.h
    picture/workerprocess.h
)
# Opening and stamping picture files, a decoding thread's processor time,
# where the thumbnail cache lives and how it names a picture (the desktop's
# shared one on Linux, the program's own on Windows), and starting a
# decoding helper, its channel and its sandbox, by the system's own calls.
if(WIN32)
    target_sources(kelvane_core PRIVATE picture/picturefile_win.cpp picture/cputime_win.cpp
        picture/thumbnailcache_win.cpp picture/workerprocess_win.cpp)
else()
    target_sources(kelvane_core PRIVATE picture/picturefile_posix.cpp picture/cputime_posix.cpp
        picture/thumbnailcache_xdg.cpp picture/workerprocess_posix.cpp)
endif()

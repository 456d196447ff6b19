# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    board/cputime.h
    board/decodestop.h board/decodestop.cpp
    board/jpegbounds.h board/jpegbounds.cpp
    board/pictureloader.h board/pictureloader.cpp
    board/pictureprefetcher.h board/pictureprefetcher.cpp
    board/picturefile.h
    board/pngbounds.h board/pngbounds.cpp
    board/previewloader.h board/previewloader.cpp
    board/slotgeometry.h board/slotgeometry.cpp
    board/thumbnailcache.h
    board/thumbnailsources.h board/thumbnailsources.cpp
    board/thumbnailboard.h board/thumbnailboard.cpp
)
# Opening and stamping picture files and a decoding thread's processor time,
# by the system's own calls; and where the thumbnail cache lives and how it
# names a picture: the desktop's shared one on Linux, the program's own on
# Windows.
if(WIN32)
    target_sources(kelvane_core PRIVATE board/picturefile_win.cpp board/cputime_win.cpp
        board/thumbnailcache_win.cpp)
else()
    target_sources(kelvane_core PRIVATE board/picturefile_posix.cpp board/cputime_posix.cpp
        board/thumbnailcache_xdg.cpp)
endif()

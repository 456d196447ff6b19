# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    board/decodestop.h board/decodestop.cpp
    board/jpegbounds.h board/jpegbounds.cpp
    board/pictureloader.h board/pictureloader.cpp
    board/pictureprefetcher.h board/pictureprefetcher.cpp
    board/pngbounds.h board/pngbounds.cpp
    board/previewloader.h board/previewloader.cpp
    board/slotgeometry.h board/slotgeometry.cpp
    board/thumbnailsources.h board/thumbnailsources.cpp
    board/thumbnailboard.h board/thumbnailboard.cpp
)

# SPDX-License-Identifier: GPL-3.0-or-later
# The thumbnail board: its grid, its slots and the scheduling of their
# pictures, and the preview's decodes. The pictures come from src/picture.
target_sources(kelvane_core PRIVATE
    board/pictureprefetcher.h board/pictureprefetcher.cpp
    board/previewloader.h board/previewloader.cpp
    board/slotgeometry.h board/slotgeometry.cpp
    board/thumbnailboard.h board/thumbnailboard.cpp
)

# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    selection/nametest.h selection/nametest.cpp
    selection/listmoves.h selection/listmoves.cpp
)

# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    settings/profilefile.h settings/profilefile.cpp
    settings/settingsfile.h settings/settingsfile.cpp
)

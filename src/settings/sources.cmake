# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    settings/profilefile.h settings/profilefile.cpp
    settings/settingsfile.h
)
# Where the file lives and how it is read: the system's private-profile
# functions on Windows, our own reader elsewhere.
if(WIN32)
    target_sources(kelvane_core PRIVATE settings/settingsfile_win.cpp)
else()
    target_sources(kelvane_core PRIVATE settings/settingsfile_xdg.cpp)
endif()

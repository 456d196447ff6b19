# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    app/controltable.h app/controltable.cpp
    app/centerform.h app/centerform.cpp
    app/frmmain.h app/frmmain.cpp
    app/keyroad.h app/keyroad.cpp
    app/accessnames.h app/accessnames.cpp
    app/commandline.h
    app/displayprobe.h
    app/quitsignals.h
)
# The command line, the console and the process's set-up, and the quit
# signals, by the system's own calls; Windows sends no signals, it closes
# the window. The display is checked where it is X11 or Wayland.
if(WIN32)
    target_sources(kelvane_core PRIVATE app/commandline_win.cpp app/quitsignals_none.cpp)
else()
    target_sources(kelvane_core PRIVATE app/commandline_posix.cpp app/quitsignals_posix.cpp)
endif()
if(TARGET PkgConfig::XCB)
    target_sources(kelvane_core PRIVATE app/displayprobe_xcb.cpp)
else()
    target_sources(kelvane_core PRIVATE app/displayprobe_none.cpp)
endif()

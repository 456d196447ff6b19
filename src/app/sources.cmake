# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    app/controltable.h app/controltable.cpp
    app/centerform.h app/centerform.cpp
    app/frmmain.h app/frmmain.cpp
    app/keyroad.h app/keyroad.cpp
    app/accessnames.h app/accessnames.cpp
)
target_sources(kelvane_core PRIVATE app/quitsignals.h)
if(WIN32)
    target_sources(kelvane_core PRIVATE app/quitsignals_win.cpp)
else()
    target_sources(kelvane_core PRIVATE app/quitsignals_posix.cpp)
endif()

# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    toolkit/twips.h
    toolkit/wholeframe.h
    toolkit/messagebox.h toolkit/messagebox.cpp
    toolkit/textfile.h toolkit/textfile.cpp
    toolkit/replacedfile.h
    toolkit/sortedlistbox.h toolkit/sortedlistbox.cpp
    toolkit/plaintooltip.h toolkit/plaintooltip.cpp
    toolkit/imagebox.h toolkit/imagebox.cpp
    toolkit/folderlisting.h toolkit/folderlisting.cpp
    toolkit/volumelist.h toolkit/volumelist.cpp
    toolkit/drivebox.h toolkit/drivebox.cpp
    toolkit/folderbox.h toolkit/folderbox.cpp
    toolkit/filebox.h toolkit/filebox.cpp
    toolkit/focusring.h toolkit/focusring.cpp
    toolkit/frameextents.h
    toolkit/framebox.h toolkit/framebox.cpp
    toolkit/announcer.h toolkit/announcer.cpp
)
# Reading folders and listing volumes; what replacing a file keeps of it.
if(WIN32)
    target_sources(kelvane_core PRIVATE toolkit/systempath_win.h toolkit/folderlisting_win.cpp
        toolkit/replacedfile_win.cpp)
else()
    target_sources(kelvane_core PRIVATE toolkit/folderlisting_posix.cpp toolkit/replacedfile_posix.cpp)
endif()
# The window manager's frame, asked of the X11 one; Windows knows its frame,
# and the limits it puts on the window's size, before the window is shown.
if(WIN32)
    target_sources(kelvane_core PRIVATE toolkit/frameextents_win.cpp)
elseif(UNIX AND NOT APPLE)
    target_sources(kelvane_core PRIVATE toolkit/frameextents_xcb.cpp)
else()
    target_sources(kelvane_core PRIVATE toolkit/frameextents_none.cpp)
endif()

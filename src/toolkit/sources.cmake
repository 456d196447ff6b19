# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    toolkit/twips.h
    toolkit/quietcurrent.h
    toolkit/scopedoverride.h
    toolkit/wholeframe.h
    toolkit/messagebox.h toolkit/messagebox.cpp
    toolkit/textfile.h toolkit/textfile.cpp
    toolkit/replacedfile.h
    toolkit/durablefile.h toolkit/durablefile_p.h toolkit/durablefile.cpp
    toolkit/storagewait.h toolkit/storagewait.cpp
    toolkit/sortedlistbox.h toolkit/sortedlistbox.cpp
    toolkit/plaintooltip.h toolkit/plaintooltip.cpp
    toolkit/imagebox.h toolkit/imagebox.cpp
    toolkit/folderlisting.h toolkit/folderlisting_p.h toolkit/folderlisting.cpp
    toolkit/processfolders.h
    toolkit/volumes.h
    toolkit/volumelist.h toolkit/volumelist.cpp
    toolkit/drivebox.h toolkit/drivebox.cpp
    toolkit/folderbox.h toolkit/folderbox.cpp
    toolkit/filebox.h toolkit/filebox.cpp
    toolkit/focusring.h toolkit/focusring.cpp
    toolkit/frameextents.h
    toolkit/framebox.h toolkit/framebox.cpp
    toolkit/announcer.h toolkit/announcer.cpp
    toolkit/userinput.h toolkit/userinput.cpp
    toolkit/translations.h toolkit/translations.cpp
)
# Reading a folder, the process's current folder and environment, the
# volumes, and replacing a file and what it keeps of the old one, by the
# system's own calls.
if(WIN32)
    target_sources(kelvane_core PRIVATE toolkit/systempath_win.h toolkit/folderlisting_win.cpp
        toolkit/processfolders_win.cpp toolkit/volumes_win.cpp toolkit/replacedfile_win.cpp toolkit/durablefile_win.cpp)
else()
    target_sources(kelvane_core PRIVATE toolkit/folderlisting_posix.cpp toolkit/processfolders_posix.cpp
        toolkit/volumes_posix.cpp toolkit/replacedfile_posix.cpp toolkit/durablefile_posix.cpp)
endif()
# The window's frame before it is shown: Windows tells it, and the limits it
# puts on the window's size; an X11 window manager is asked, where Qt is
# built for X11 and the xcb library is there; elsewhere the frame is known
# only once the window is shown.
get_target_property(kelvane_qt_gui_features Qt6::Gui QT_ENABLED_PUBLIC_FEATURES)
if(WIN32)
    target_sources(kelvane_core PRIVATE toolkit/frameextents_win.cpp)
elseif(TARGET PkgConfig::XCB AND "xcb" IN_LIST kelvane_qt_gui_features)
    target_sources(kelvane_core PRIVATE toolkit/frameextents_xcb.cpp)
else()
    target_sources(kelvane_core PRIVATE toolkit/frameextents_none.cpp)
endif()

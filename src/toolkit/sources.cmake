# SPDX-License-Identifier: GPL-3.0-or-later
target_sources(kelvane_core PRIVATE
    toolkit/twips.h
    toolkit/messagebox.h toolkit/messagebox.cpp
    toolkit/textfile.h toolkit/textfile.cpp
    toolkit/sortedlistbox.h toolkit/sortedlistbox.cpp
    toolkit/imagebox.h toolkit/imagebox.cpp
    toolkit/folderlisting.h toolkit/folderlisting.cpp
    toolkit/drivebox.h toolkit/drivebox.cpp
    toolkit/folderbox.h toolkit/folderbox.cpp
    toolkit/filebox.h toolkit/filebox.cpp
    toolkit/focusring.h toolkit/focusring.cpp
)
# Reading folders and listing volumes.
if(WIN32)
    target_sources(kelvane_core PRIVATE toolkit/folderlisting_win.cpp)
else()
    target_sources(kelvane_core PRIVATE toolkit/folderlisting_posix.cpp)
endif()

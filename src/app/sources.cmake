target_sources(kelvane_core PRIVATE
    app/controltable.h app/controltable.cpp
    app/centerform.h app/centerform.cpp
    app/frmmain.h app/frmmain.cpp
    app/toolkit/twips.h
    app/toolkit/messagebox.h app/toolkit/messagebox.cpp
    app/toolkit/textfile.h app/toolkit/textfile.cpp
    app/toolkit/sortedlistbox.h app/toolkit/sortedlistbox.cpp
    app/toolkit/imagebox.h app/toolkit/imagebox.cpp
    app/toolkit/drivebox.h app/toolkit/drivebox.cpp
    app/toolkit/folderbox.h app/toolkit/folderbox.cpp
    app/toolkit/filebox.h app/toolkit/filebox.cpp
)

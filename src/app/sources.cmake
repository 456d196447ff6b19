target_sources(kelvane_core PRIVATE
    app/toolkit/twips.h
    app/toolkit/messagebox.h app/toolkit/messagebox.cpp
    app/toolkit/textfile.h app/toolkit/textfile.cpp
)

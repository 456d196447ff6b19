target_sources(kelvane_core PRIVATE
    selection/folderlisting.h selection/folderlisting.cpp
    selection/nametest.h selection/nametest.cpp
    selection/listmoves.h selection/listmoves.cpp
)

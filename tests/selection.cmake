# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of src/selection.
kelvane_add_test(tst_selection SOURCES tst_selection.cpp)

# Opens the window on a folder named on its command line, in a process of its
# own, so that the name travels the way the system hands it over.
qt_add_executable(selection_folderargument selection/folderargument.cpp)
target_include_directories(selection_folderargument PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(selection_folderargument PRIVATE kelvane_testsupport)
add_dependencies(tst_selection selection_folderargument)

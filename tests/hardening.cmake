# SPDX-License-Identifier: GPL-3.0-or-later
# Hardening: damaged pictures, vanishing files and folders, odd names, texts
# and settings files, and writes that fail part way, all through the window.

# Builds a page and closes the window while every write fails, in a process
# of its own (the test runs it on a private tmpfs or under a file size limit,
# which only Linux has).
if(NOT WIN32)
    qt_add_executable(hardening_writefaults hardening/writefaults.cpp ${kelvane_testsupport_sources})
    target_include_directories(hardening_writefaults PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(hardening_writefaults PRIVATE kelvane_core ${kelvane_testsupport_system})
endif()

# Shows one picture in the preview and on the board, in a process of its own
# (the test runs it under a memory limit and a timeout).
qt_add_executable(hardening_loadpicture hardening/loadpicture.cpp ${kelvane_testsupport_sources})
target_include_directories(hardening_loadpicture PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(hardening_loadpicture PRIVATE kelvane_core ${kelvane_testsupport_system})

kelvane_add_test(tst_hardening SOURCES tst_hardening.cpp LABELS hardening)
add_dependencies(tst_hardening hardening_loadpicture)
target_compile_definitions(tst_hardening PRIVATE LOAD_PICTURE_PATH="$<TARGET_FILE:hardening_loadpicture>")
if(NOT WIN32)
    add_dependencies(tst_hardening hardening_writefaults)
    target_compile_definitions(tst_hardening PRIVATE WRITE_FAULTS_PATH="$<TARGET_FILE:hardening_writefaults>")
endif()
set_tests_properties(tst_hardening PROPERTIES TIMEOUT 90)

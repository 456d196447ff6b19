# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of src/browser.

# Runs one attempt with the platform's service in a process of its own.
qt_add_executable(browserscenario browser/browserscenario.cpp ${kelvane_testsupport_sources})
target_include_directories(browserscenario PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(browserscenario PRIVATE kelvane_core ${kelvane_testsupport_system})

kelvane_add_test(tst_browser SOURCES tst_browser.cpp LABELS browser)
# The page builder of the e2e tests writes pages as another user.
add_dependencies(tst_browser browserscenario e2e_pagebuilder)
target_compile_definitions(tst_browser PRIVATE
    BROWSER_SCENARIO_PATH="$<TARGET_FILE:browserscenario>"
    PAGE_BUILDER_PATH="$<TARGET_FILE:e2e_pagebuilder>")

if(WIN32)
    # A stand-in browser that records how the shell started it, for the
    # shell's test and the road under Wine; linked statically, so that it
    # runs from any folder.
    add_executable(argumentrecorder WIN32 e2e/argumentrecorder.cpp)
    target_link_libraries(argumentrecorder PRIVATE shell32)
    target_link_options(argumentrecorder PRIVATE -static)
    set_target_properties(argumentrecorder PROPERTIES AUTOMOC OFF)
    add_dependencies(tst_browser argumentrecorder)
    target_compile_definitions(tst_browser PRIVATE ARGUMENT_RECORDER_PATH="$<TARGET_FILE:argumentrecorder>")
endif()

# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end tests: the real program in a real X session, and the pages it
# writes in a real browser. A missing tool fails its test with its name.
find_program(KELVANE_PYTHON3 python3)

function(kelvane_add_e2e_test name script)
    if(KELVANE_PYTHON3)
        add_test(NAME ${name}
            COMMAND ${KELVANE_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${script} ${ARGN})
    else()
        add_test(NAME ${name} COMMAND ${CMAKE_COMMAND}
            -DTOOL=python3 -DPACKAGE=python3
            -P ${CMAKE_CURRENT_SOURCE_DIR}/desktop/missing-tool.cmake)
    endif()
    set_tests_properties(${name} PROPERTIES LABELS e2e TIMEOUT 120)
endfunction()

kelvane_add_e2e_test(e2e_window_road window_road.py
    --program $<TARGET_FILE:kelvane>
    --source ${PROJECT_SOURCE_DIR}
    --output ${PROJECT_BINARY_DIR})

kelvane_add_e2e_test(e2e_pages_in_chromium pages_in_chromium.py
    --builder $<TARGET_FILE:e2e_pagebuilder>
    --output ${PROJECT_BINARY_DIR})

kelvane_add_e2e_test(e2e_keyboard_road keyboard_road.py
    --program $<TARGET_FILE:kelvane>
    --source ${PROJECT_SOURCE_DIR}
    --output ${PROJECT_BINARY_DIR})

kelvane_add_e2e_test(e2e_accessible_tree accessible_tree.py
    --program $<TARGET_FILE:kelvane>
    --output ${PROJECT_BINARY_DIR})

kelvane_add_e2e_test(e2e_small_screen small_screen.py
    --program $<TARGET_FILE:kelvane>
    --source ${PROJECT_SOURCE_DIR}
    --output ${PROJECT_BINARY_DIR})

kelvane_add_e2e_test(e2e_screen_reader screen_reader.py
    --program $<TARGET_FILE:kelvane>
    --output ${PROJECT_BINARY_DIR})

kelvane_add_e2e_test(e2e_wayland_box wayland_box.py
    $<TARGET_FILE:kelvane> ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})

if(TARGET hardening_writefaults)
    kelvane_add_e2e_test(e2e_write_faults_fuse write_faults_fuse.py
        --helper $<TARGET_FILE:hardening_writefaults>
        --output ${PROJECT_BINARY_DIR})
endif()

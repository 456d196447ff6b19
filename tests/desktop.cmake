# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of the installed desktop files.
set(KELVANE_APP_ID org.kelvane.Kelvane)
set(KELVANE_DATA_DIR ${PROJECT_SOURCE_DIR}/data)

# A validator that is missing fails its test with the name of its package.
function(kelvane_add_validator_test name tool package)
    find_program(KELVANE_${name}_TOOL ${tool})
    if(KELVANE_${name}_TOOL)
        add_test(NAME ${name} COMMAND ${KELVANE_${name}_TOOL} ${ARGN})
    else()
        add_test(NAME ${name} COMMAND ${CMAKE_COMMAND}
            -DTOOL=${tool} -DPACKAGE=${package}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/desktop/missing-tool.cmake)
    endif()
    set_tests_properties(${name} PROPERTIES LABELS desktop TIMEOUT 60)
endfunction()

kelvane_add_validator_test(desktop_entry_valid desktop-file-validate desktop-file-utils
    ${KELVANE_DATA_DIR}/${KELVANE_APP_ID}.desktop)
# Errors and warnings fail validation; infos and pedantic hints do not.
kelvane_add_validator_test(desktop_metainfo_valid appstreamcli appstream
    validate --no-net ${PROJECT_BINARY_DIR}/data/${KELVANE_APP_ID}.metainfo.xml)

# makensis comes with the Windows build's tools; where it is missing, the
# Windows build is the first to compile the installer.
find_program(KELVANE_MAKENSIS makensis)
if(KELVANE_MAKENSIS)
    add_test(NAME installer_script
        COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/desktop/installer-script-test.sh
            ${KELVANE_MAKENSIS} ${PROJECT_SOURCE_DIR}/scripts/windows/kelvane.nsi
            ${KELVANE_DATA_DIR}/icons/kelvane.ico)
    set_tests_properties(installer_script PROPERTIES LABELS desktop TIMEOUT 60)
endif()

# Installs the whole build, so the program must be built first.
add_test(NAME desktop_install
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/desktop/install-test.sh
        ${CMAKE_COMMAND} ${PROJECT_BINARY_DIR}
        ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_DATADIR} ${CMAKE_INSTALL_MANDIR} ${KELVANE_APP_ID})
set_tests_properties(desktop_install PROPERTIES LABELS desktop TIMEOUT 120)

add_test(NAME man_page
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/desktop/man-page-test.sh
        ${PROJECT_BINARY_DIR}/data/kelvane.1 ${PROJECT_SOURCE_DIR}/README.md)
set_tests_properties(man_page PROPERTIES LABELS desktop TIMEOUT 60)

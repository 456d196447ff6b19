# SPDX-License-Identifier: GPL-3.0-or-later
# The program's command line: help, version and errors without a display, and
# a folder argument opened in an offscreen window.
add_test(NAME cli
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/cli/cli-test.sh
        $<TARGET_FILE:kelvane> ${PROJECT_VERSION})
set_tests_properties(cli PROPERTIES LABELS cli TIMEOUT 120)

# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of src/app: the window driven offscreen.
kelvane_add_test(tst_window SOURCES tst_window.cpp)
kelvane_add_test(tst_access SOURCES tst_access.cpp)

# The window again at fractional scales and a double one, where a frame line
# can share a device pixel with a box's viewport, and a box's edges fall
# inside device pixels, rounding up or down.
foreach(scale 1.25 1.5 1.75 2)
    add_test(NAME tst_window_at_scale_${scale}
        COMMAND tst_window boxBordersStayWhole windowThatFitsShowsNoScrollBars picturesLieOnWholeDevicePixels)
    set_tests_properties(tst_window_at_scale_${scale} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${scale};XDG_CACHE_HOME=${CMAKE_CURRENT_BINARY_DIR}/cache/tst_window"
        TIMEOUT 120)
endforeach()

# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of src/app: the window driven offscreen.
kelvane_add_test(tst_window SOURCES tst_window.cpp)
kelvane_add_test(tst_access SOURCES tst_access.cpp)

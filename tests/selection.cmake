# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of src/selection.
kelvane_add_test(tst_selection SOURCES tst_selection.cpp)

# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of src/settings.
kelvane_add_test(tst_settings SOURCES tst_settings.cpp LABELS settings)

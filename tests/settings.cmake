# Tests of src/settings.
kelvane_add_test(tst_settings SOURCES tst_settings.cpp LABELS settings)

# Tests of src/selection.
kelvane_add_test(tst_selection SOURCES tst_selection.cpp)

# Tests of src/board.
kelvane_add_test(tst_pictures SOURCES tst_pictures.cpp LABELS board)
kelvane_add_test(tst_board SOURCES tst_board.cpp)

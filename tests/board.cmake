# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of src/board.
kelvane_add_test(tst_pictures SOURCES tst_pictures.cpp LABELS board)
kelvane_add_test(tst_board SOURCES tst_board.cpp)
kelvane_add_test(tst_thumbsources SOURCES tst_thumbsources.cpp LABELS board)
# Its cache entries are built chunk by chunk, checksums included.
target_link_libraries(tst_thumbsources PRIVATE ${KELVANE_ZLIB})

# Tests of src/board.

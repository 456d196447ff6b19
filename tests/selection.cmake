# Tests of src/selection.

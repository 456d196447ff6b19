# Tests of the installed desktop files.

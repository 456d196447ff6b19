# Tests of src/browser.

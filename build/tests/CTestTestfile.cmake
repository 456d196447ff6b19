# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[tst_page]=] "/work/main/build/tests/tst_page")
set_tests_properties([=[tst_page]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "" TIMEOUT "120" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;6;add_test;/work/main/tests/CMakeLists.txt;13;kelvane_add_test;/work/main/tests/CMakeLists.txt;0;")

# Additional clean files
cmake_minimum_required(VERSION 3.16)

if("${CONFIG}" STREQUAL "" OR "${CONFIG}" STREQUAL "RelWithDebInfo")
  file(REMOVE_RECURSE
  "src/CMakeFiles/kelvane_autogen.dir/AutogenUsed.txt"
  "src/CMakeFiles/kelvane_autogen.dir/ParseCache.txt"
  "src/CMakeFiles/kelvane_core_autogen.dir/AutogenUsed.txt"
  "src/CMakeFiles/kelvane_core_autogen.dir/ParseCache.txt"
  "src/CMakeFiles/kelvane_core_resources_1_autogen.dir/AutogenUsed.txt"
  "src/CMakeFiles/kelvane_core_resources_1_autogen.dir/ParseCache.txt"
  "src/kelvane_autogen"
  "src/kelvane_core_autogen"
  "src/kelvane_core_resources_1_autogen"
  "tests/CMakeFiles/tst_page_autogen.dir/AutogenUsed.txt"
  "tests/CMakeFiles/tst_page_autogen.dir/ParseCache.txt"
  "tests/tst_page_autogen"
  )
endif()

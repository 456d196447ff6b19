src/kelvane_core_resources_1_autogen/timestamp: \
  /usr/lib/x86_64-linux-gnu/cmake/Qt6Core/Qt6CoreConfigureFileTemplate.in \
  /work/main/src/CMakeLists.txt \
  /work/main/src/app/sources.cmake \
  /work/main/src/board/sources.cmake \
  /work/main/src/browser/sources.cmake \
  /work/main/src/page/sources.cmake \
  /work/main/src/selection/sources.cmake \
  /work/main/src/settings/sources.cmake \
  /usr/bin/cmake
